#include <gtest/gtest.h>

#include <QTest>
#include <QLineEdit>
#include <QScrollBar>
#include <QApplication>
#include <QMouseEvent>

#include "ui/frame.h"
#include "ui/view.h"
#include "config/plot_settings.h"
#include "ui/record_dlg.h"
#include "plot/plot_state.h"
#include "support/data_state.h"
#include "support/dialog_driver.h"
#include "support/scripted_prompt.h"
#include "support/temp_folder.h"

class CursorTest : public ::testing::Test {
protected:
    TempFolder folder;
    ScriptedPrompt prompt;
    Frame* frame = nullptr;
    View* view = nullptr;

    void SetUp() override
    {
        ResetDataState();
        Settings() = PlotSettings();
        for (int i = 0; i < 1000; ++i) {
            char date[16];
            std::snprintf(date, sizeof date, "%02d/%02d/%04d", i / 28 % 12 + 1, i % 28 + 1, 1900 + i / 336);
            AddRecord(date, i % 300, 100.0 + i % 50);
        }
        frame = new Frame;
        frame->resize(1000, 700);
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame));
        view = frame->PlotView();
        PreparePlotData();
        view->InvalidatePlot();
        view->repaint();
        ASSERT_GT(view->Geometry().overall.xScale, 0.0);
    }
    void TearDown() override
    {
        Records().SetDataChanged(0);
        frame->close();
        delete frame;
        ResetDataState();
    }
};

TEST_F(CursorTest, ReadoutShowsTheDayUnderTheMouse)
{
    const PaintedGeometry& g = view->Geometry();
    const PixelRect& o = g.layout.overall;
    const int x = o.left + 200, y = o.bottom - 100;
    QTest::mouseMove(view, QPoint(x, y));
    const auto& readout = view->ShownReadout(Pane::Overall);
    ASSERT_TRUE(readout.has_value());
    const int day = static_cast<int>(200 / g.overall.xScale);
    EXPECT_EQ(readout->texts[0], Records().At(day).GetDate() + "   ");
    EXPECT_EQ(readout->texts[1], std::to_string(day % 300) + "    ");
    char flux[32];
    std::snprintf(flux, sizeof flux, "%.1f     ", 100.0 + day % 50);
    EXPECT_EQ(readout->texts[2], flux);
    EXPECT_EQ(readout->texts[3], std::to_string(static_cast<int>(100 / g.overall.yScale)) + "    ");
    EXPECT_EQ(readout->rowY, g.layout.overallReadoutY);

    // Between the panes nothing changes; at the closeup's left edge the first shown day.
    QTest::mouseMove(view, QPoint(x, g.layout.split));
    EXPECT_EQ(view->ShownReadout(Pane::Overall)->texts[0], readout->texts[0]);
    QTest::mouseMove(view, QPoint(g.layout.closeup.left, g.layout.closeup.top));
    EXPECT_EQ(view->ShownReadout(Pane::Closeup)->texts[0], Records().At(1000 - 252).GetDate() + "   ");

    Settings().PosdataON = 0;  // off: nothing is written
    view->InvalidatePlot();
    QTest::mouseMove(view, QPoint(x + 50, y));
    EXPECT_FALSE(view->ShownReadout(Pane::Overall).has_value());
    frame->Action("positionData")->trigger();
    EXPECT_EQ(Settings().PosdataON, 1);
}

TEST_F(CursorTest, ClicksPanTheCloseup)
{
    const PaintedGeometry& g = view->Geometry();
    const QPoint inCloseup(g.layout.closeup.left + 10, g.layout.closeup.top + 10);
    QTest::mouseClick(view, Qt::LeftButton, {}, inCloseup);  // page back
    EXPECT_EQ(Plot().CloseupEnd, 748);
    EXPECT_EQ(frame->ScrollBar()->value(), 748 - 252);
    EXPECT_TRUE(view->ShownReadout(Pane::Closeup).has_value());
    QTest::mouseClick(view, Qt::RightButton, {}, inCloseup);  // page forward
    EXPECT_EQ(Plot().CloseupEnd, 1000);
    QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(g.layout.overall.left, g.layout.overall.top + 5));
    EXPECT_EQ(Plot().CloseupEnd, 252);  // the larger of CloseDays and PanDays
    QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(g.layout.overall.right, g.layout.overall.top + 5));
    EXPECT_EQ(Plot().CloseupEnd, 1000);

    frame->ScrollBar()->triggerAction(QAbstractSlider::SliderToMinimum);  // ends are ignored
    EXPECT_EQ(Plot().CloseupEnd, 1000);
    frame->ScrollBar()->setSliderPosition(0);
    frame->ScrollBar()->triggerAction(QAbstractSlider::SliderMove);
    EXPECT_EQ(Plot().CloseupEnd, 252);
}

TEST_F(CursorTest, DoubleClickEditsTheDay)
{
    Settings().DOverallAvspotsON = 1;
    PreparePlotData();
    view->InvalidatePlot();
    view->repaint();
    const PaintedGeometry& g = view->Geometry();
    const QPoint point(g.layout.overall.left + 300, g.layout.overall.top + 20);
    const int day = static_cast<int>(300 / g.overall.xScale);
    const int averageBefore = Records().At(day).m_avgSunspots;
    QString shownFlux;
    OnNextDialog([&](QWidget* dialog) {
        auto* record = static_cast<RecordDlg*>(dialog);
        shownFlux = record->FluxField()->text();
        record->SunspotField()->setText("500");
        record->FluxField()->setText("123.45");
        ButtonNamed(record, "OK")->click();
    });
    QTest::mouseDClick(view, Qt::LeftButton, {}, point);
    EXPECT_EQ(shownFlux, QString::number(100.0 + day % 50, 'f', 2));
    EXPECT_DOUBLE_EQ(Records().At(day).m_flux, 123.45);
    EXPECT_EQ(Records().At(day).m_sunspots, 500);
    EXPECT_EQ(Records().DataChanged(), 1);
    EXPECT_NE(Records().At(day).m_avgSunspots, averageBefore);  // averages recomputed
}

// The closeup's readout names a day of the closeup: once the closeup moves,
// the old text goes (the next mouse move writes the new day).
TEST_F(CursorTest, CloseupReadoutGoesWhenTheCloseupMoves)
{
    const PaintedGeometry& g = view->Geometry();
    const QPoint point(g.layout.closeup.left + 20, g.layout.closeup.top + 20);
    for (QAbstractSlider::SliderAction action :
         {QAbstractSlider::SliderPageStepSub, QAbstractSlider::SliderSingleStepSub,
          QAbstractSlider::SliderSingleStepAdd, QAbstractSlider::SliderPageStepAdd}) {
        // A move to where the pointer already is sends nothing: move off first.
        QTest::mouseMove(view, point + QPoint(3, 0));
        QTest::mouseMove(view, point);
        ASSERT_TRUE(view->ShownReadout(Pane::Closeup).has_value());
        const int before = Plot().CloseupEnd;
        frame->ScrollBar()->triggerAction(action);
        ASSERT_NE(Plot().CloseupEnd, before) << action;
        EXPECT_FALSE(view->ShownReadout(Pane::Closeup).has_value()) << action;
    }
    // A click that pages shows the day now under the pointer.
    QTest::mouseClick(view, Qt::LeftButton, {}, point);  // page back
    ASSERT_EQ(Plot().CloseupEnd, 748);
    const int day = 748 - 252 + static_cast<int>(20 / g.closeup.xScale);
    ASSERT_TRUE(view->ShownReadout(Pane::Closeup).has_value());
    EXPECT_EQ(view->ShownReadout(Pane::Closeup)->texts[0], Records().At(day).GetDate() + "   ");
}

namespace {

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

// A double-click edits the day where it began; the first click's paging is undone.
TEST_F(CursorTest, DoubleClickEditsTheDayWhereItBegan)
{
    const PaintedGeometry& g = view->Geometry();
    const struct {
        QPoint point;
        int day;  // from the closeup as it stood: days 748..999, or the whole history
    } cases[] = {
        {QPoint(g.layout.closeup.left + 40, g.layout.closeup.top + 10),
         1000 - 252 + static_cast<int>(40 / g.closeup.xScale)},
        {QPoint(g.layout.overall.left + 100, g.layout.overall.top + 10),
         static_cast<int>(100 / g.overall.xScale)},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(Plot().CloseupEnd, 1000);
        QString shownDate;
        OnNextDialog([&](QWidget* dialog) {
            shownDate = static_cast<RecordDlg*>(dialog)->DateField()->text();
            ButtonNamed(dialog, "Cancel")->click();
        });
        DoubleClick(view, c.point);
        EXPECT_EQ(shownDate.toStdString(), Records().At(c.day).GetDate());
        EXPECT_EQ(Plot().CloseupEnd, 1000);
        EXPECT_EQ(frame->ScrollBar()->value(), 1000 - 252);
    }
}
