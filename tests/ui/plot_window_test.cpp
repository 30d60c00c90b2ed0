#include <gtest/gtest.h>

#include <QColorDialog>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>

#include "support/dialog_driver.h"
#include "support/plot_fixture.h"
#include "ui/frame.h"
#include "ui/options_colors.h"
#include "ui/options_pages.h"
#include "ui/options_sheet.h"
#include "ui/record_dlg.h"
#include "ui/view.h"
#include "ui/window_placement.h"

// The main window over 1000 days, day i with i % 300 sunspots and 100 + i % 50 flux.
class PlotWindowTest : public FreshProgramTest {
protected:
    static constexpr int Days = 1000;
    std::optional<Frame> frame;
    View* view = nullptr;

    void SetUp() override
    {
        FreshProgramTest::SetUp();
        for (int i = 0; i < Days; ++i)
            AddRecord(DayDate(i, 1900).c_str(), i % 300, 100.0 + i % 50);
        frame.emplace();
        frame->resize(1000, 700);
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&*frame));
        view = frame->PlotView();
        view->CreatePlotPens();
        PreparePlotData();
        view->InvalidatePlot();
        view->repaint();
        view->setFocus();
    }
    void TearDown() override
    {
        Records().SetDataChanged(0);
        frame.reset();
        FreshProgramTest::TearDown();
    }
    // The day under x of a pane that shows days first .. first + count - 1.
    static int DayAt(const PixelRect& pane, int x, int first, int count)
    {
        return first + (x - pane.left) * count / (pane.Width() - 1);
    }
};

namespace {

void Wheel(QWidget* widget, int delta, Qt::KeyboardModifiers modifiers = {})
{
    const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
    QWheelEvent event(at, widget->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
}

}  // namespace

// CloseDays = PanDays = 252; a wheel notch pans 252 / 20 days; Ctrl+wheel zooms by a tenth.
TEST_F(PlotWindowTest, KeysWheelClicksAndScrollBarPan)
{
    const PixelRect o = view->Geometry().layout.overall, c = view->Geometry().layout.closeup;
    enum Input { Key, WheelTurn, CtrlWheel, LeftClick, RightClick, Slider, SliderTo };
    // value: a key, a wheel delta, a slider action or position.
    const struct { Input input; int value; QPoint at; int end, days; } steps[] = {
        {Key, Qt::Key_Left, {}, 999, 252},     {Key, Qt::Key_Right, {}, 1000, 252},
        {Key, Qt::Key_PageUp, {}, 748, 252},   {Key, Qt::Key_Home, {}, 252, 252},
        {Key, Qt::Key_PageDown, {}, 504, 252}, {WheelTurn, 120, {}, 492, 252},  // away: back in time
        {WheelTurn, -60, {}, 492, 252},        {WheelTurn, -60, {}, 504, 252},  // half notches add up
        {LeftClick, 0, {c.left + 10, c.top + 10}, 252, 252}, {RightClick, 0, {c.left + 10, c.top + 10}, 504, 252},
        {LeftClick, 0, {o.left, o.top + 5}, 252, 252},  // centred on day 0
        {Slider, QAbstractSlider::SliderToMaximum, {}, 252, 252},  // ends are ignored
        {SliderTo, 100, {}, 352, 252},         {Slider, QAbstractSlider::SliderPageStepAdd, {}, 604, 252},
        {Key, Qt::Key_End, {}, 1000, 252},     {CtrlWheel, 120, {}, 1000, 227},
        {CtrlWheel, -240, {}, 1000, 273},
    };
    QScrollBar* bar = frame->ScrollBar();
    for (const auto& step : steps) {
        switch (const int value = step.value; step.input) {
        case Key: QTest::keyClick(view, static_cast<Qt::Key>(value)); break;
        case WheelTurn:
        case CtrlWheel: Wheel(view, value, step.input == CtrlWheel ? Qt::ControlModifier : Qt::NoModifier); break;
        case LeftClick:
        case RightClick:
            QTest::mouseClick(view, step.input == LeftClick ? Qt::LeftButton : Qt::RightButton, {}, step.at);
            break;
        case Slider: bar->triggerAction(static_cast<QAbstractSlider::SliderAction>(value)); break;
        case SliderTo: bar->setSliderPosition(value), bar->triggerAction(QAbstractSlider::SliderMove); break;
        }
        QApplication::processEvents();
        SCOPED_TRACE("step to " + std::to_string(step.end));
        EXPECT_EQ(Plot().CloseupEnd, step.end);
        EXPECT_EQ(Settings().CloseDays, step.days);
        EXPECT_EQ(bar->value(), step.end - step.days);
        EXPECT_EQ(bar->maximum(), Days - step.days);
    }
    for (const auto& [turn, days] : {std::pair{-120, Days}, {120, 1}}) {  // all records at most, one at least
        for (int i = 0; i < 100; ++i)
            Wheel(view, turn, Qt::ControlModifier);
        EXPECT_EQ(Settings().CloseDays, days);
    }
}

// The readout names the day under the mouse and the value at its height, until the closeup moves.
TEST_F(PlotWindowTest, ReadoutShowsTheDayUnderTheMouse)
{
    const PaintedGeometry& g = view->Geometry();
    const PixelRect o = g.layout.overall, c = g.layout.closeup;
    const struct { QPoint at; Pane pane; int day; } cases[] = {
        {{o.left + 200, o.bottom - 100}, Pane::Overall, DayAt(o, o.left + 200, 0, Days)},
        {{o.left + 501, o.top + 3}, Pane::Overall, DayAt(o, o.left + 501, 0, Days)},
        {{c.left, c.top + 1}, Pane::Closeup, Days - 252},
        {{c.left + 100, c.bottom - 40}, Pane::Closeup, DayAt(c, c.left + 100, Days - 252, 252)},
    };
    for (const auto& k : cases) {
        QTest::mouseMove(view, k.at);
        const std::optional<Readout>& readout = view->ShownReadout(k.pane);
        ASSERT_TRUE(readout.has_value()) << k.day;
        const PixelRect& pane = k.pane == Pane::Overall ? o : c;
        const int value = (pane.bottom - k.at.y()) * 299 / (pane.Height() - 1);  // 299: the top sunspots
        const std::string expected[] = {DayDate(k.day, 1900) + "   ", std::to_string(k.day % 300) + "    ",
                                        QString::number(100.0 + k.day % 50, 'f', 1).toStdString() + "     ",
                                        std::to_string(value) + "    "};
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(readout->texts[i], expected[i]) << k.day;
        EXPECT_EQ(readout->rowY, k.pane == Pane::Overall ? g.layout.overallReadoutY : g.layout.closeupReadoutY);
    }
    const QPoint point(c.left + 20, c.top + 20);
    QTest::mouseMove(view, point);
    frame->ScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_FALSE(view->ShownReadout(Pane::Closeup).has_value());
    QTest::mouseClick(view, Qt::LeftButton, {}, point);  // pages back to 747: the day now under it
    ASSERT_TRUE(view->ShownReadout(Pane::Closeup).has_value());
    EXPECT_EQ(view->ShownReadout(Pane::Closeup)->texts[0],
              DayDate(DayAt(c, point.x(), 747 - 252, 252), 1900) + "   ");

    frame->Action("positionData")->trigger();  // off: nothing is shown
    QApplication::processEvents();
    EXPECT_FALSE(frame->Action("positionData")->isChecked());
    QTest::mouseMove(view, QPoint(o.left + 250, o.bottom - 100));
    EXPECT_FALSE(view->ShownReadout(Pane::Overall).has_value());
    frame->resize(100, 100);  // never too narrow for the readout's columns
    QApplication::processEvents();
    view->repaint();
    const int* x = view->Geometry().layout.labelX;
    EXPECT_GE(x[1] - x[0], view->fontMetrics().horizontalAdvance("Date: 12/31/2026 "));
    EXPECT_GE(view->width() - x[3], view->fontMetrics().horizontalAdvance("Cursor Value: 999"));
}

// A double-click edits the day where it began; the first click's paging is undone.
TEST_F(PlotWindowTest, DoubleClickEditsTheDayWhereItBegan)
{
    const PixelRect o = view->Geometry().layout.overall, c = view->Geometry().layout.closeup;
    const struct { QPoint point; int day; bool edit; } cases[] = {
        {{c.left + 40, c.top + 10}, DayAt(c, c.left + 40, Days - 252, 252), false},
        {{o.left + 300, o.top + 20}, DayAt(o, o.left + 300, 0, Days), true},
    };
    for (const auto& k : cases) {
        const int averageBefore = Records().At(k.day).m_avgSunspots;
        QString shownDate;
        OnNextDialog([&](QWidget* dialog) {
            auto* record = static_cast<RecordDlg*>(dialog);
            shownDate = record->DateField()->text();
            record->SunspotField()->setText("500");
            record->FluxField()->setText("123.45");
            ButtonNamed(record, k.edit ? "OK" : "Cancel")->click();
        });
        // Through the window, as the system delivers it: each press pages the closeup as a click does.
        QTest::mouseDClick(frame->windowHandle(), Qt::LeftButton, {}, view->mapTo(&*frame, k.point));
        EXPECT_EQ(shownDate.toStdString(), DayDate(k.day, 1900));
        EXPECT_EQ(Plot().CloseupEnd, Days);
        EXPECT_EQ(frame->ScrollBar()->value(), Days - 252);
        EXPECT_EQ(Records().At(k.day).m_sunspots, k.edit ? 500 : k.day % 300);
        EXPECT_EQ(Records().DataChanged(), k.edit ? 1 : 0);
        EXPECT_EQ(Records().At(k.day).m_avgSunspots != averageBefore, k.edit);  // averages recomputed
    }
    EXPECT_DOUBLE_EQ(Records().At(cases[1].day).m_flux, 123.45);
}

// Options from the window: Cancel changes nothing; OK takes effect at once and writes nothing.
TEST_F(PlotWindowTest, OptionsTakeEffectOnOkOnly)
{
    const int averageBefore = Records().At(300).m_avgSunspots;
    for (const char* button : {"Cancel", "OK"}) {
        OnNextDialog([button](QWidget* dialog) {
            auto* sheet = static_cast<Options*>(dialog);
            static_cast<Opt1*>(sheet->Page(0))->avgInt->setText("5");
            static_cast<Opt1*>(sheet->Page(0))->lagDays->setText("2");
            static_cast<Opt2*>(sheet->Page(1))->closeDays->setText("500");
            OnNextDialog([](QWidget* chooser) {
                static_cast<QColorDialog*>(chooser)->setCurrentColor(QColor(1, 2, 3));
                static_cast<QColorDialog*>(chooser)->accept();
            });
            static_cast<Opt4*>(sheet->Page(3))->Button(Background)->click();
            ButtonNamed(sheet, button)->click();
        });
        frame->Action("configurationOptions")->trigger();
        const bool ok = *button == 'O';
        // Days 298 .. 302 have 298, 299, 0, 1 and 2 sunspots.
        EXPECT_EQ(Records().At(300).m_avgSunspots, ok ? (298 + 299 + 0 + 1 + 2) / 5 : averageBefore);
        EXPECT_EQ(Settings().CloseDays, ok ? 500 : 252);
    }
    QApplication::processEvents();
    EXPECT_EQ(frame->ScrollBar()->maximum(), Days - 500);
    EXPECT_FALSE(PathExists(folder.File("SKYLOG.INI")));
    view->repaint();
    const PixelRect& o = view->Geometry().layout.overall;
    const QImage shown = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const auto* row = reinterpret_cast<const QRgb*>(shown.constScanLine(o.top + o.Height() / 3));
    EXPECT_GT(std::count(row + o.left, row + o.right, qRgb(1, 2, 3)), o.Width() / 2);  // mostly background
}

TEST(WindowPlacement, SavedRectanglesComeBackOnAScreen)
{
    const QList<QRect> one = {QRect(0, 0, 1920, 1080)}, two = {one[0], QRect(1920, 0, 1280, 1024)};
    const struct { QRect saved; QList<QRect> screens; QRect expected; } cases[] = {
        {{100, 100, 800, 600}, one, {100, 100, 800, 600}},     // on screen: unchanged
        {{2000, 50, 800, 600}, two, {2000, 50, 800, 600}},     // on the second screen
        {{2000, 50, 800, 600}, one, {1120, 50, 800, 600}},     // the second one gone
        {{-5000, -3000, 800, 600}, one, {0, 0, 800, 600}},     // far above and left
        {{3000, 2000, 2500, 1500}, one, {0, 0, 1920, 1080}},   // larger than the screen
        {{10, 10, 100, 80}, one, {10, 10, 500, 300}},          // raised to the minimum
        {{1900, 1070, 800, 600}, one, {1120, 480, 800, 600}},  // only a corner showed
    };
    for (const auto& c : cases)
        EXPECT_EQ(PlaceOnScreens(c.saved, c.screens, QSize(500, 300)), c.expected) << c.saved.x();
}
