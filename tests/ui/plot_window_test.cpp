// The plot window by hand: keys, the wheel, clicks and the scroll bar pan
// the closeup alike; the readout names the day under the mouse; a
// double-click edits it; the window comes back where it was.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include <QTest>
#include <cstdio>

#include "support/dialog_driver.h"
#include "support/plot_fixture.h"
#include "ui/frame.h"
#include "ui/view.h"
#include "ui/record_dlg.h"
#include "ui/window_placement.h"

// The main window over generated days, its plot painted.
class PlotWindowTest : public FreshProgramTest {
protected:
    static constexpr int Days = 1000;  // day i: i % 300 sunspots, 100 + i % 50 flux
    Frame* frame = nullptr;
    View* view = nullptr;

    void SetUp() override
    {
        FreshProgramTest::SetUp();
        for (int i = 0; i < Days; ++i)
            AddRecord(DayDate(i, 1900).c_str(), i % 300, 100.0 + i % 50);
        frame = new Frame;
        frame->resize(1000, 700);
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame));
        view = frame->PlotView();
        PreparePlotData();
        view->InvalidatePlot();
        view->repaint();
        view->setFocus();
        ASSERT_GT(view->Geometry().overall.xScale, 0.0);
    }
    void TearDown() override
    {
        Records().SetDataChanged(0);
        frame->close();
        delete frame;
        FreshProgramTest::TearDown();
    }
};

namespace {

void Wheel(QWidget* widget, int delta, Qt::KeyboardModifiers modifiers = {})
{
    const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
    QWheelEvent event(at, widget->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
}

// A double-click as the window system delivers it: press, release, press,
// double-click, release, a few milliseconds apart. Each press pages the
// closeup as a click does.
void DoubleClick(QWidget* widget, const QPoint& point)
{
    static quint64 time = 1000000;
    time += 10000;  // well apart from the previous double-click
    const auto send = [&](QEvent::Type type, Qt::MouseButtons buttons) {
        QMouseEvent event(type, QPointF(point), QPointF(widget->mapToGlobal(point)),
                          Qt::LeftButton, buttons, Qt::NoModifier);
        event.setTimestamp(time);
        time += 30;
        QApplication::sendEvent(widget, &event);
    };
    send(QEvent::MouseButtonPress, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, Qt::NoButton);
    send(QEvent::MouseButtonPress, Qt::LeftButton);
    send(QEvent::MouseButtonDblClick, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, Qt::NoButton);
}

}  // namespace

// 1000 days, CloseDays = PanDays = 252: the closeup starts at the end, 1000.
// Paging back goes PanDays back unless that leaves fewer than PanDays before
// it (then to PanDays); a wheel notch pans CloseDays / 20 days; Ctrl+wheel
// takes or gives a tenth of the closeup days (at least one).
TEST_F(PlotWindowTest, KeysWheelClicksAndScrollBarPanAlike)
{
    const PixelRect o = view->Geometry().layout.overall, c = view->Geometry().layout.closeup;
    const QPoint inCloseup(c.left + 10, c.top + 10);
    enum Input { Key, WheelTurn, CtrlWheel, LeftClick, RightClick, Slider, SliderTo };
    struct Step {
        Input input;
        int value;  // key, wheel delta, slider action or position
        QPoint at;
        int end, days;
    };
    const Step steps[] = {
        {Key, Qt::Key_Left, {}, 999, 252},       {Key, Qt::Key_Left, {}, 998, 252},
        {Key, Qt::Key_Right, {}, 999, 252},      {Key, Qt::Key_PageUp, {}, 747, 252},
        {Key, Qt::Key_PageUp, {}, 495, 252},     {Key, Qt::Key_PageUp, {}, 252, 252},
        {Key, Qt::Key_Left, {}, 252, 252},
        {Key, Qt::Key_PageDown, {}, 504, 252},   {Key, Qt::Key_End, {}, 1000, 252},
        {Key, Qt::Key_Right, {}, 1000, 252},     {Key, Qt::Key_Home, {}, 252, 252},
        {Key, Qt::Key_PageDown, {}, 504, 252},
        {WheelTurn, 120, {}, 504 - 12, 252},     // away from the user: back in time
        {WheelTurn, -60, {}, 492, 252},          // half notches add up
        {WheelTurn, -60, {}, 504, 252},
        {LeftClick, 0, inCloseup, 252, 252},     // page back
        {RightClick, 0, inCloseup, 504, 252},    // page forward
        {LeftClick, 0, {o.left, o.top + 5}, 252, 252},  // centred on day 0
        {LeftClick, 0, {o.right - 1, o.top + 5}, 1000, 252},
        {Slider, QAbstractSlider::SliderToMinimum, {}, 1000, 252},  // ends are ignored
        {SliderTo, 0, {}, 252, 252},
        {Slider, QAbstractSlider::SliderPageStepAdd, {}, 504, 252},
        {Slider, QAbstractSlider::SliderSingleStepSub, {}, 503, 252},
        {Key, Qt::Key_End, {}, 1000, 252},
        {CtrlWheel, 120, {}, 1000, 252 - 25},
        {CtrlWheel, -240, {}, 1000, 227 + 22 + 24},
    };
    for (const Step& step : steps) {
        switch (step.input) {
        case Key:
            QTest::keyClick(view, static_cast<Qt::Key>(step.value));
            break;
        case WheelTurn:
            Wheel(view, step.value);
            break;
        case CtrlWheel:
            Wheel(view, step.value, Qt::ControlModifier);
            break;
        case LeftClick:
        case RightClick:
            QTest::mouseClick(view, step.input == LeftClick ? Qt::LeftButton : Qt::RightButton, {},
                              step.at);
            break;
        case Slider:
            frame->ScrollBar()->triggerAction(static_cast<QAbstractSlider::SliderAction>(step.value));
            break;
        case SliderTo:
            frame->ScrollBar()->setSliderPosition(step.value);
            frame->ScrollBar()->triggerAction(QAbstractSlider::SliderMove);
            break;
        }
        QApplication::processEvents();
        const std::string trace = "step to " + std::to_string(step.end);
        EXPECT_EQ(Plot().CloseupEnd, step.end) << trace;
        EXPECT_EQ(Settings().CloseDays, step.days) << trace;
        EXPECT_EQ(frame->ScrollBar()->value(), step.end - step.days) << trace;
        EXPECT_EQ(frame->ScrollBar()->maximum(), Days - step.days) << trace;
    }
    // Never more closeup days than records, never fewer than one.
    for (int i = 0; i < 40; ++i)
        Wheel(view, -120, Qt::ControlModifier);
    EXPECT_EQ(Settings().CloseDays, Days);
    EXPECT_EQ(Plot().CloseupEnd, Days);
    for (int i = 0; i < 100; ++i)
        Wheel(view, 120, Qt::ControlModifier);
    EXPECT_EQ(Settings().CloseDays, 1);
    EXPECT_GE(Plot().CloseupEnd, 1);
}

// The readout: the day under the mouse (the pane's width less one pixel
// spans its days), its values, and the value at the mouse's height.
TEST_F(PlotWindowTest, ReadoutShowsTheDayUnderTheMouse)
{
    const PaintedGeometry& g = view->Geometry();
    const PixelRect o = g.layout.overall, c = g.layout.closeup;
    const int maximum = 299;  // the highest sunspot number; the flux stays below it
    const struct {
        QPoint at;
        Pane pane;
        int day;
    } cases[] = {
        {{o.left + 200, o.bottom - 100}, Pane::Overall, 200 * Days / (o.Width() - 1)},
        {{o.left + 501, o.top + 3}, Pane::Overall, 501 * Days / (o.Width() - 1)},
        {{c.left, c.top + 1}, Pane::Closeup, Days - 252},
        {{c.left + 100, c.bottom - 40}, Pane::Closeup, Days - 252 + 100 * 252 / (c.Width() - 1)},
    };
    for (const auto& k : cases) {
        QTest::mouseMove(view, k.at);
        const std::optional<Readout>& readout = view->ShownReadout(k.pane);
        ASSERT_TRUE(readout.has_value()) << k.day;
        const PixelRect& pane = k.pane == Pane::Overall ? o : c;
        char flux[32];
        std::snprintf(flux, sizeof flux, "%.1f     ", 100.0 + k.day % 50);
        const int value = (pane.bottom - k.at.y()) * maximum / (pane.Height() - 1);
        EXPECT_EQ(readout->texts[0], DayDate(k.day, 1900) + "   ");
        EXPECT_EQ(readout->texts[1], std::to_string(k.day % 300) + "    ");
        EXPECT_EQ(readout->texts[2], flux);
        EXPECT_EQ(readout->texts[3], std::to_string(value) + "    ") << k.day;
        EXPECT_EQ(readout->rowY, k.pane == Pane::Overall ? g.layout.overallReadoutY
                                                          : g.layout.closeupReadoutY);
    }
    // Between the panes nothing changes.
    const std::string shown = view->ShownReadout(Pane::Overall)->texts[0];
    QTest::mouseMove(view, QPoint(o.left + 300, g.layout.split));
    EXPECT_EQ(view->ShownReadout(Pane::Overall)->texts[0], shown);

    // Once the closeup moves its readout goes; a click that pages shows the
    // day now under the pointer.
    const QPoint point(c.left + 20, c.top + 20);
    for (QAbstractSlider::SliderAction action :
         {QAbstractSlider::SliderPageStepSub, QAbstractSlider::SliderSingleStepSub,
          QAbstractSlider::SliderSingleStepAdd, QAbstractSlider::SliderPageStepAdd}) {
        QTest::mouseMove(view, point + QPoint(3, 0));  // a move to where it is sends nothing
        QTest::mouseMove(view, point);
        ASSERT_TRUE(view->ShownReadout(Pane::Closeup).has_value());
        frame->ScrollBar()->triggerAction(action);
        EXPECT_FALSE(view->ShownReadout(Pane::Closeup).has_value()) << action;
    }
    QTest::mouseClick(view, Qt::LeftButton, {}, point);
    ASSERT_EQ(Plot().CloseupEnd, 748);
    ASSERT_TRUE(view->ShownReadout(Pane::Closeup).has_value());
    EXPECT_EQ(view->ShownReadout(Pane::Closeup)->texts[0],
              DayDate(748 - 252 + 20 * 252 / (c.Width() - 1), 1900) + "   ");

    // Off: nothing is written; the command turns it on again.
    Settings().PosdataON = 0;
    view->InvalidatePlot();
    QTest::mouseMove(view, QPoint(o.left + 250, o.bottom - 100));
    EXPECT_FALSE(view->ShownReadout(Pane::Overall).has_value());
    frame->Action("positionData")->trigger();
    EXPECT_EQ(Settings().PosdataON, 1);
}

// A double-click edits the day where it began; the first click's paging is undone.
TEST_F(PlotWindowTest, DoubleClickEditsTheDayWhereItBegan)
{
    Settings().DOverallAvspotsON = 1;
    PreparePlotData();
    view->InvalidatePlot();
    view->repaint();
    const PixelRect o = view->Geometry().layout.overall, c = view->Geometry().layout.closeup;
    const struct {
        QPoint point;
        int day;
        bool edit;
    } cases[] = {
        {{c.left + 40, c.top + 10}, Days - 252 + 40 * 252 / (c.Width() - 1), false},
        {{o.left + 300, o.top + 20}, 300 * Days / (o.Width() - 1), true},
    };
    for (const auto& k : cases) {
        ASSERT_EQ(Plot().CloseupEnd, Days);
        const int averageBefore = Records().At(k.day).m_avgSunspots;
        QString shownDate, shownFlux;
        OnNextDialog([&](QWidget* dialog) {
            auto* record = static_cast<RecordDlg*>(dialog);
            shownDate = record->DateField()->text();
            shownFlux = record->FluxField()->text();
            if (!k.edit) {
                ButtonNamed(dialog, "Cancel")->click();
                return;
            }
            record->SunspotField()->setText("500");
            record->FluxField()->setText("123.45");
            ButtonNamed(record, "OK")->click();
        });
        DoubleClick(view, k.point);
        EXPECT_EQ(shownDate.toStdString(), DayDate(k.day, 1900));
        EXPECT_EQ(shownFlux, QString::number(100.0 + k.day % 50, 'f', 2));
        EXPECT_EQ(Plot().CloseupEnd, Days);
        EXPECT_EQ(frame->ScrollBar()->value(), Days - 252);
        EXPECT_EQ(Records().At(k.day).m_sunspots, k.edit ? 500 : k.day % 300);
        EXPECT_EQ(Records().DataChanged(), k.edit ? 1 : 0);
        if (k.edit) {
            EXPECT_DOUBLE_EQ(Records().At(k.day).m_flux, 123.45);
            EXPECT_NE(Records().At(k.day).m_avgSunspots, averageBefore);  // averages recomputed
        }
    }
}

TEST_F(PlotWindowTest, CannotShrinkBelowLegibleReadoutRows)
{
    frame->resize(100, 100);
    QApplication::processEvents();
    view->repaint();
    // Each readout column holds its label and the longest value.
    const QFontMetrics metrics = view->fontMetrics();
    const PlotLayout& layout = view->Geometry().layout;
    EXPECT_GE(layout.labelX[1] - layout.labelX[0], metrics.horizontalAdvance("Date: 12/31/2026 "));
    EXPECT_GE(layout.labelX[2] - layout.labelX[1], metrics.horizontalAdvance("Sun Spots: 9999 "));
    EXPECT_GE(layout.labelX[3] - layout.labelX[2], metrics.horizontalAdvance("Solar Flux: 999.9 "));
    EXPECT_GE(view->width() - layout.labelX[3], metrics.horizontalAdvance("Cursor Value: 999"));
}

TEST(WindowPlacement, SavedRectanglesComeBackOnAScreen)
{
    const QSize minimum(500, 300);
    const QList<QRect> one = {QRect(0, 0, 1920, 1080)};
    const QList<QRect> two = {QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
    const struct {
        QRect saved;
        QList<QRect> screens;
        QRect expected;
    } cases[] = {
        {{100, 100, 800, 600}, one, {100, 100, 800, 600}},      // on screen: unchanged
        {{2000, 50, 800, 600}, two, {2000, 50, 800, 600}},      // on the second screen
        {{2000, 50, 800, 600}, one, {1120, 50, 800, 600}},      // the second one gone
        {{-5000, -3000, 800, 600}, one, {0, 0, 800, 600}},      // far above and left
        {{3000, 2000, 2500, 1500}, one, {0, 0, 1920, 1080}},    // larger than the screen
        {{10, 10, 100, 80}, one, {10, 10, 500, 300}},           // raised to the minimum
        {{1900, 1070, 800, 600}, one, {1120, 480, 800, 600}},   // only a corner showed
    };
    for (const auto& c : cases)
        EXPECT_EQ(PlaceOnScreens(c.saved, c.screens, minimum), c.expected)
            << c.saved.x() << "," << c.saved.y();
}
