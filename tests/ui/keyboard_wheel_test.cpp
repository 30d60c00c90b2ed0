// Keys and the mouse wheel pan the closeup as the scroll bar does; the
// window comes back where it was, on whatever screens there are now.
#include <gtest/gtest.h>

#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include "config/ini_file.h"
#include "config/plot_settings.h"
#include "data/text_file.h"
#include "plot/plot_state.h"
#include "support/data_state.h"
#include "support/scripted_prompt.h"
#include "support/temp_folder.h"
#include "ui/frame.h"
#include "ui/view.h"
#include "ui/window_placement.h"

namespace {

void Wheel(QWidget* widget, int delta, Qt::KeyboardModifiers modifiers = {})
{
    const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
    QWheelEvent event(at, widget->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
}

}  // namespace

class KeyboardWheelTest : public ::testing::Test {
protected:
    TempFolder folder;
    ScriptedPrompt prompt;
    Frame* frame = nullptr;
    View* view = nullptr;

    void SetUp() override
    {
        ResetDataState();
        Settings() = PlotSettings();
        for (int i = 0; i < 1000; ++i)
            AddRecord("01/01/2000", i % 300, 100.0 + i % 50);
        frame = new Frame;
        frame->resize(1000, 700);
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame));
        view = frame->PlotView();
        PreparePlotData();
        view->repaint();
        view->setFocus();
    }
    void TearDown() override
    {
        frame->close();
        delete frame;
        ResetDataState();
    }
};

TEST_F(KeyboardWheelTest, KeysMoveByALineAPageAndToTheEnds)
{
    // CloseDays = PanDays = 252, 1000 records: the closeup ends at 1000.
    struct Step {
        Qt::Key key;
        int end;
    };
    const Step steps[] = {
        {Qt::Key_Left, 999},    {Qt::Key_Left, 998},     {Qt::Key_Right, 999},
        {Qt::Key_PageUp, 747},  {Qt::Key_PageUp, 495},   {Qt::Key_PageUp, 252},
        {Qt::Key_PageUp, 252},  {Qt::Key_Left, 252},     {Qt::Key_PageDown, 504},
        {Qt::Key_End, 1000},    {Qt::Key_Right, 1000},   {Qt::Key_Home, 252},
        {Qt::Key_PageDown, 504},
    };
    for (const Step& step : steps) {
        QTest::keyClick(view, step.key);
        EXPECT_EQ(Plot().CloseupEnd, step.end) << QKeySequence(step.key).toString().toStdString();
        QApplication::processEvents();
        EXPECT_EQ(frame->ScrollBar()->value(), step.end - 252);
    }
}

TEST_F(KeyboardWheelTest, WheelPansAndCtrlWheelChangesTheCloseupDays)
{
    // One notch away from the user: 252 / 20 = 12 days back.
    Wheel(view, 120);
    EXPECT_EQ(Plot().CloseupEnd, 1000 - 12);
    // Half notches add up.
    Wheel(view, -60);
    EXPECT_EQ(Plot().CloseupEnd, 1000 - 12);
    Wheel(view, -60);
    EXPECT_EQ(Plot().CloseupEnd, 1000);

    Wheel(view, 120, Qt::ControlModifier);
    EXPECT_EQ(Settings().CloseDays, 252 - 25);
    Wheel(view, -240, Qt::ControlModifier);
    EXPECT_EQ(Settings().CloseDays, 227 + 22 + 24);
    QApplication::processEvents();
    EXPECT_EQ(frame->ScrollBar()->maximum(), 1000 - 273);
    // Never more days than records, never fewer than one.
    for (int i = 0; i < 40; ++i)
        Wheel(view, -120, Qt::ControlModifier);
    EXPECT_EQ(Settings().CloseDays, 1000);
    EXPECT_EQ(Plot().CloseupEnd, 1000);
    for (int i = 0; i < 100; ++i)
        Wheel(view, 120, Qt::ControlModifier);
    EXPECT_EQ(Settings().CloseDays, 1);
    EXPECT_GE(Plot().CloseupEnd, Settings().CloseDays);
}

TEST_F(KeyboardWheelTest, WindowCannotShrinkBelowLegibleReadoutRows)
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
    struct Case {
        QRect saved;
        QList<QRect> screens;
        QRect expected;
    };
    const Case cases[] = {
        // On screen: unchanged.
        {{100, 100, 800, 600}, one, {100, 100, 800, 600}},
        // On the second screen, which is still there.
        {{2000, 50, 800, 600}, two, {2000, 50, 800, 600}},
        // The second screen is gone: moved onto the first, at its right edge.
        {{2000, 50, 800, 600}, one, {1120, 50, 800, 600}},
        // Far above and left: into the corner.
        {{-5000, -3000, 800, 600}, one, {0, 0, 800, 600}},
        // Larger than the screen: made to fit.
        {{3000, 2000, 2500, 1500}, one, {0, 0, 1920, 1080}},
        // Too small: raised to the minimum.
        {{10, 10, 100, 80}, one, {10, 10, 500, 300}},
        // Only a corner shows: the title strip is off screen, so it moves.
        {{1900, 1070, 800, 600}, one, {1120, 480, 800, 600}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlaceOnScreens(c.saved, c.screens, minimum), c.expected)
            << c.saved.x() << "," << c.saved.y();
}

TEST(WindowPosition, SavedAndRestoredWithTheMaximisedState)
{
    TempFolder folder;
    ScriptedPrompt prompt;
    ResetDataState();
    Settings() = PlotSettings();
    WriteTextFile(folder.File("SKYLOG.INI"),
                  "[SOLAR_DATA]\nVersion=x\nSavePos=1\nPosLeft=-9000\nPosTop=-9000\n"
                  "PosRight=-8200\nPosBottom=-8400\n");
    Settings().SavePos = 1;
    {
        Frame frame;
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        EXPECT_TRUE(screen.intersects(frame.geometry()));
        EXPECT_EQ(frame.geometry().size(), QSize(800, 600));
        frame.setGeometry(40, 50, 700, 500);
        frame.WriteFrameKeys();
    }
    IniFile ini(folder.File("SKYLOG.INI"));
    EXPECT_EQ(ini.ReadInt(SettingsSection, "PosLeft", 0), 40);
    EXPECT_EQ(ini.ReadInt(SettingsSection, "PosTop", 0), 50);
    EXPECT_EQ(ini.ReadInt(SettingsSection, "PosRight", 0), 740);
    EXPECT_EQ(ini.ReadInt(SettingsSection, "PosBottom", 0), 550);
    EXPECT_EQ(ini.ReadInt(SettingsSection, "PosMaximized", 9), 0);
    {
        Frame frame;
        EXPECT_EQ(frame.geometry(), QRect(40, 50, 700, 500));
        frame.show();
        frame.showMaximized();
        QApplication::processEvents();
        frame.WriteFrameKeys();
    }
    IniFile maximised(folder.File("SKYLOG.INI"));
    EXPECT_EQ(maximised.ReadInt(SettingsSection, "PosMaximized", 0), 1);
    EXPECT_EQ(maximised.ReadInt(SettingsSection, "PosLeft", 0), 40);  // the normal rectangle
    Frame again;
    EXPECT_TRUE(again.windowState() & Qt::WindowMaximized);
    ResetDataState();
}
