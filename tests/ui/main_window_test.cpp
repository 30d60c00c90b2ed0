#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QLabel>
#include <QProcess>
#include <QScrollBar>
#include <QTest>
#include <QToolBar>

#include "config/ini_file.h"
#include "support/dialog_driver.h"
#include "support/fresh_program.h"
#include "ui/frame.h"
#include "ui/help_window.h"
#include "ui/plotter_app.h"
#include "ui/view.h"

const std::string SmallFile = "! SKYLOG Solar Data Plot Version 3 Data File\n01/01/2000  100   150.9\n"
                              "01/02/2000  110   160.2\n01/03/2000  120   170.5\n";
const std::string FourDays = SmallFile + "01/04/2000  130   180.0\n";

class MainWindowTest : public FreshProgramTest {
protected:
    void TearDown() override { HelpWindow::CloseAll(); FreshProgramTest::TearDown(); }
    void WriteConfig(const std::string& extra = "")
    {
        WriteTextFile(folder.File("SKYLOG.INI"), "[SOLAR_DATA]\nVersion=x\n" + extra);
    }
    void Start(Frame& frame)
    {
        frame.show();
        frame.PlotView()->InitialUpdate();
        ASSERT_TRUE(SpinUntil([&] { return !frame.PlotView()->StartupTimer().isActive(); }));
        QApplication::processEvents();
    }
};

// The real data file plus two lines a save drops: its path in the title, told once per opening, the save
// keeps a backup; then a refused file leaves no days and no commands that need them.
TEST_F(MainWindowTest, StartupFileDroppedLinesBackupAndARefusedFile)
{
    WriteConfig();
    const std::string withBadLines = ReadTextFile(std::string(SKYLOG_SAMPLE_DIR) + "/GRAPH.DAT") +
                                     "07/01/2026 4000   160.2\n07/02/2026  120   99999.5\n";
    WriteTextFile(folder.File("GRAPH.DAT"), withBadLines);
    Frame frame;
    Start(frame);
    EXPECT_EQ(Records().RecordCount(), 28319);
    ASSERT_EQ(prompt.Captions(), std::vector<std::string>{"DATA FILE"});
    EXPECT_EQ(prompt.messages.back().text.rfind("2 lines of the data file\n", 0), 0u);
    const QString title = "SKYLOG Solar Data Plotter v" + VersionText() + " -- " +
                          QString::fromStdString(folder.File("GRAPH.DAT"));
    EXPECT_EQ(frame.windowHandle()->title(), title);
    EXPECT_EQ(frame.ScrollBar()->maximum(), 28319 - 252);
    Records().SetDataChanged(1);  // marked in the title until saved
    QApplication::processEvents();
    EXPECT_EQ(frame.windowHandle()->title(), title + "*");
    frame.Action("save")->trigger();
    QApplication::processEvents();
    EXPECT_EQ(frame.windowHandle()->title(), title);
    EXPECT_EQ(ReadTextFile(folder.File("GRAPH.BAK")), withBadLines);
    // Opened again by hand: told again; the saved, clean file: nothing.
    for (const char* name : {"GRAPH.BAK", "GRAPH.DAT"}) {
        prompt.chosenFiles = {folder.File(name)};
        frame.Action("open")->trigger();
    }
    EXPECT_EQ(prompt.Captions(), (std::vector<std::string>{"DATA FILE", "DATA FILE"}));

    // A refused file leaves no records: no panning, no commands that need days.
    const char* const needDays[] = {"save", "saveAs", "print", "printPreview", "exportPlot",
                                    "exportData", "editData", "records", "staggerPlot"};
    for (const char* name : needDays)
        EXPECT_TRUE(frame.Action(name)->isEnabled()) << name;
    WriteTextFile(folder.File("JUNK.DAT"), "hello\n");
    prompt.chosenFiles = {folder.File("JUNK.DAT")};
    prompt.answers = {PromptAnswer::No};  // do not convert it
    frame.Action("open")->trigger();
    EXPECT_EQ(Records().RecordCount(), 0);
    EXPECT_EQ(frame.ScrollBar()->maximum(), 0);
    for (const char* name : needDays)
        EXPECT_FALSE(frame.Action(name)->isEnabled()) << name;
    frame.close();
}

// Changed days: No drops them, Yes saves them where they came from, a failed save stops the command.
TEST_F(MainWindowTest, ChangedDaysAreAskedForBeforeOpenNewAndClosing)
{
    WriteConfig("AutosaveCfg=1\n");
    const std::string graph = folder.File("GRAPH.DAT"), other = folder.File("OTHER.DAT");
    WriteTextFile(graph, SmallFile);
    WriteTextFile(other, FourDays);
    Frame frame;
    Start(frame);
    const auto change = [](int spots) {
        Records().SetRecordValues(0, "01/01/2000", spots, 1.0);
        Records().SetDataChanged(1);
    };
    change(999);
    prompt.answers = {PromptAnswer::No};
    prompt.chosenFiles = {other};
    frame.Action("open")->trigger();
    EXPECT_EQ(prompt.Captions(), std::vector<std::string>{"FILE CHANGED"});
    EXPECT_EQ(Records().RecordCount(), 4);
    EXPECT_EQ(ReadTextFile(graph), SmallFile);

    change(777);
    prompt.answers = {PromptAnswer::Yes};
    frame.Action("new")->trigger();
    ASSERT_TRUE(SpinUntil([&] { return !frame.PlotView()->StartupTimer().isActive(); }));
    EXPECT_EQ(prompt.Captions(), (std::vector<std::string>{"FILE CHANGED", "FILE CHANGED"}));  // asked once
    EXPECT_NE(ReadTextFile(other).find("01/01/2000  777     1.0"), std::string::npos);
    EXPECT_EQ(ReadTextFile(graph), SmallFile);
    EXPECT_EQ(DataFile().path, graph);  // the configured file, read again

    // No, then Cancel in the chooser: the changes stay.
    change(555);
    prompt.answers = {PromptAnswer::No};
    frame.Action("open")->trigger();
    EXPECT_EQ(Records().At(0).m_sunspots, 555);
    EXPECT_EQ(Records().DataChanged(), 1);

    // Yes, but the save fails: no file is asked for and the changes stay.
    DataFile().path = folder.File("gone/A.DAT");
    prompt.answers = {PromptAnswer::Yes};
    prompt.chosenFiles = {other};
    frame.Action("open")->trigger();
    EXPECT_EQ(prompt.messages.back().caption, "FILE WRITE ERROR");
    EXPECT_EQ(Records().DataChanged(), 1);
    EXPECT_EQ(prompt.chosenFiles.size(), 1u);

    // Save As names the new file; a failed one (no such folder) keeps that name.
    for (const char* name : {"C.DAT", "gone/D.DAT"}) {
        prompt.chosenFiles = {folder.File(name)};
        frame.Action("saveAs")->trigger();
        EXPECT_EQ(DataFile().path, folder.File("C.DAT"));
        EXPECT_TRUE(frame.windowTitle().endsWith(" -- " + QString::fromStdString(folder.File("C.DAT")) + "[*]"));
    }
    EXPECT_NE(ReadTextFile(folder.File("C.DAT")).find("01/01/2000  555     1.0"), std::string::npos);

    // Closing, Yes with no file: the chooser is cancelled, the question comes
    // once more, and No lets the window close; AutosaveCfg writes the configuration.
    change(1);
    DataFile().path.clear();
    prompt.messages.clear();
    prompt.answers = {PromptAnswer::Yes, PromptAnswer::No};
    EXPECT_TRUE(frame.close());
    EXPECT_EQ(prompt.Captions(), (std::vector<std::string>{"FILE CHANGED", "FILE CHANGED"}));
    EXPECT_EQ(Records().RecordCount(), 0);
    EXPECT_EQ(IniReadInt(folder.File("SKYLOG.INI"), "SOLAR_DATA", "PosdataON", -1), 1);
}

TEST_F(MainWindowTest, ManualClosesOnEscapeAndNeverOpensLargerThanTheScreen)
{
    HelpWindow manual;
    manual.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&manual));
    QTest::keyClick(&manual, Qt::Key_Escape);
    EXPECT_FALSE(manual.isVisible());
    EXPECT_EQ(HelpWindowSize(QSize(640, 480)), QSize(640, 480));
}

// A first run writes no window rectangle (no SavePos); then bars and place come back as left.
TEST_F(MainWindowTest, FirstRunThenBarsAndPositionComeBackAsTheyWereLeft)
{
    const auto key = [&](const char* name) {
        return IniReadInt(folder.File("SKYLOG.INI"), SettingsSection, name, -1);
    };
    {
        Frame frame;
        EXPECT_EQ(frame.size(), QSize(640, 480));
        Start(frame);
        EXPECT_EQ(prompt.messages.size(), 1u);
        EXPECT_TRUE(HelpWindow::Instance()->isVisible());
        EXPECT_EQ(frame.windowHandle()->title(), "SKYLOG Solar Data Plotter v" + VersionText());
        frame.Action("toggleStatusBar")->trigger();
        frame.move(300, 300);
        frame.close();
        EXPECT_FALSE(HelpWindow::Instance()->isVisible());
    }
    EXPECT_EQ(key("StatBar"), 0);
    EXPECT_EQ(key("PosLeft"), -1);  // not written

    WriteConfig("ToolBar=0\nStatBar=0\nButtons=1\nSavePos=1\nPosLeft=-9000\nPosTop=-9000\n"
                "PosRight=-8200\nPosBottom=-8400\n");
    Settings().SavePos = 1;
    {
        Frame frame;
        EXPECT_TRUE(QGuiApplication::primaryScreen()->availableGeometry().contains(frame.geometry()));
        EXPECT_FALSE(frame.ToolBar()->isVisibleTo(&frame));
        frame.Action("toggleToolBar")->trigger();
        frame.Action("realButtons")->trigger();
        frame.setGeometry(40, 50, 700, 500);
        frame.show();
        frame.showMaximized();
        QApplication::processEvents();
        EXPECT_TRUE(frame.Action("toggleToolBar")->isChecked());
        EXPECT_FALSE(frame.Action("flatButtons")->isChecked());
        frame.WriteFrameKeys();
    }
    const std::pair<const char*, int> written[] = {
        {"ToolBar", 1}, {"StatBar", 0},    {"Buttons", 0},     {"PosLeft", 40},
        {"PosTop", 50}, {"PosRight", 740}, {"PosBottom", 550}, {"PosMaximized", 1},
    };
    for (const auto& [name, value] : written)
        EXPECT_EQ(key(name), value) << name;
    Frame frame;
    EXPECT_TRUE(frame.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(frame.geometry(), QRect(40, 50, 700, 500));
}

// A second start hands its file over; it opens as File Open would, once the open dialog closes.
TEST_F(MainWindowTest, AFileGivenToASecondStartOpensInTheRunningWindow)
{
    WriteConfig();
    const std::string a = folder.File("A.DAT"), b = folder.File("B DAT with spaces.dat");
    WriteTextFile(a, SmallFile);
    WriteTextFile(b, FourDays);
    PlotterApp app;
    ASSERT_TRUE(app.InitInstance(QString::fromStdString(a)));
    ASSERT_TRUE(SpinUntil([&] { return !app.MainFrame()->PlotView()->StartupTimer().isActive(); }));
    Records().SetRecordValues(0, "01/01/2000", 999, 1.0);
    Records().SetDataChanged(1);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("SKYLOG_HOME", QString::fromStdString(folder.Path()));
    env.remove("XDG_RUNTIME_DIR");
    QProcess second;
    second.setProcessEnvironment(env);
    second.setWorkingDirectory(QString::fromStdString(folder.Path()));
    bool openedDuringDialog = true;
    QString question;
    OnNextDialog([&](QWidget* busy) {
        second.start(SKYLOG_BINARY, {"B DAT with spaces.dat"});  // relative to its own folder
        SpinUntil([&] { return second.state() == QProcess::NotRunning; }, 10000);
        SpinUntil([] { return false; }, 300);  // the request arrives and must wait
        openedDuringDialog = Records().RecordCount() != 3;
        OnNextDialog([&](QWidget* box) {
            question = box->windowTitle() + ": " + box->findChild<QLabel*>("qt_msgbox_label")->text();
            ButtonNamed(box, "No")->click();
        });
        ButtonNamed(busy, "OK")->click();
    });
    Prompt().MessageBox("busy", "TEST", PromptIcon::Information, PromptButtons::Ok);
    EXPECT_FALSE(openedDuringDialog);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(second.readAllStandardError(), "");
    EXPECT_TRUE(SpinUntil([&] { return DataFile().path == b; }, 10000));
    EXPECT_EQ(question, "FILE CHANGED: Data File Has Changed - Do You Want To Save It First?");
    EXPECT_EQ(Records().RecordCount(), 4);
    EXPECT_EQ(ReadTextFile(a), SmallFile);
    app.MainFrame()->close();
}
