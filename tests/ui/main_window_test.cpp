#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QLabel>
#include <QLocalSocket>
#include <QProcess>
#include <QScrollBar>
#include <QToolBar>
#include <QTest>

#include "ui/frame.h"
#include "ui/help_window.h"
#include "ui/plotter_app.h"
#include "ui/stat_bmp.h"
#include "ui/view.h"
#include "config/ini_file.h"
#include "support/dialog_driver.h"
#include "support/fresh_program.h"

namespace {

const std::string SmallFile = "! SKYLOG Solar Data Plot Version 3 Data File\n"
                              "01/01/2000  100   150.9\n"
                              "01/02/2000  110   160.2\n"
                              "01/03/2000  120   170.5\n";

// How often the window told about lines of the file a save would drop.
int DataFileNotices(const ScriptedPrompt& prompt)
{
    int count = 0;
    for (const ShownMessage& message : prompt.messages)
        count += message.caption == "DATA FILE" ? 1 : 0;
    return count;
}

// The title as the desktop shows it: "[*]" becomes "*" while data is unsaved.
QString ShownTitle(const QWidget& window)
{
    return QString(window.windowTitle()).replace("[*]", window.isWindowModified() ? "*" : "");
}

}  // namespace

class MainWindowTest : public FreshProgramTest {
protected:
    void TearDown() override
    {
        if (HelpWindow::Instance()->isVisible())
            HelpWindow::Instance()->close();
        FreshProgramTest::TearDown();
    }

    void WriteConfig(const std::string& extra = "")
    {
        WriteTextFile(folder.File("SKYLOG.INI"),
                      "[SOLAR_DATA]\nVersion=ORB Version 2.01 Configuration File\n" + extra);
    }

    void Start(Frame& frame)
    {
        frame.resize(1000, 700);
        frame.show();
        frame.PlotView()->InitialUpdate();
        ASSERT_TRUE(SpinUntil([&] { return !frame.PlotView()->StartupTimer().isActive(); }));
        QApplication::processEvents();
    }
};

TEST_F(MainWindowTest, StartsWithTheDataFileAndShowsItsPath)
{
    WriteConfig();
    WriteTextFile(folder.File("GRAPH.DAT"),
                  ReadTextFile(std::string(SKYLOG_SAMPLE_DIR) + "/GRAPH.DAT"));
    Frame frame;
    EXPECT_EQ(ShownTitle(frame), "SKYLOG Solar Data Plotter v" + VersionText());
    Start(frame);
    EXPECT_EQ(Records().RecordCount(), 28319);
    EXPECT_EQ(ShownTitle(frame), "SKYLOG Solar Data Plotter v" + VersionText() + " -- " +
                                       QString::fromStdString(folder.File("GRAPH.DAT")));
    EXPECT_TRUE(prompt.messages.empty());
    EXPECT_TRUE(frame.Action("save")->isEnabled());
    EXPECT_EQ(frame.ScrollBar()->maximum(), 28319 - 252);
    EXPECT_EQ(frame.ScrollBar()->value(), 28319 - 252);
    // Unsaved changes show in the title the desktop's way, until saved.
    const QString clean = frame.windowTitle().remove("[*]");
    Records().SetDataChanged(1);
    QApplication::processEvents();
    EXPECT_EQ(frame.windowHandle()->title(), clean + "*");
    frame.Action("save")->trigger();
    QApplication::processEvents();
    EXPECT_EQ(frame.windowHandle()->title(), clean);

    // A refused file leaves no records; the scroll bar must not pan the old ones.
    const std::string junk = folder.File("JUNK.DAT");
    WriteTextFile(junk, "hello\n");
    prompt.chosenFiles = {junk};
    prompt.answers = {PromptAnswer::No};  // do not convert it
    frame.Action("open")->trigger();
    EXPECT_EQ(Records().RecordCount(), 0);
    EXPECT_EQ(frame.ScrollBar()->maximum(), 0);
    EXPECT_EQ(frame.ScrollBar()->value(), 0);
    EXPECT_FALSE(frame.Action("save")->isEnabled());
    frame.close();
}

// The window tells once, when it opens a file, about lines a save would drop;
// saving keeps the original beside the file first.
TEST_F(MainWindowTest, LinesASaveDropsAreToldOnceWhenAFileOpens)
{
    WriteConfig();
    const std::string withBadLines = SmallFile + "01/04/2000 4000   160.2\n"
                                                 "01/05/2000  120   99999.5\n";
    WriteTextFile(folder.File("GRAPH.DAT"), withBadLines);
    Frame frame;
    Start(frame);
    EXPECT_EQ(Records().RecordCount(), 3);
    ASSERT_EQ(DataFileNotices(prompt), 1);
    EXPECT_EQ(prompt.messages.back().text.rfind("2 lines of the data file\n", 0), 0u);
    frame.Action("save")->trigger();
    EXPECT_EQ(ReadTextFile(folder.File("GRAPH.BAK")), withBadLines);

    // Opened again by hand: told again; a clean file: nothing.
    for (const char* name : {"GRAPH.BAK", "GRAPH.DAT"}) {
        prompt.chosenFiles = {folder.File(name)};
        frame.Action("open")->trigger();
    }
    EXPECT_EQ(DataFileNotices(prompt), 2);
    frame.close();
}

TEST_F(MainWindowTest, FirstRunShowsTheMessageAndTheManual)
{
    Frame frame;
    Start(frame);
    EXPECT_EQ(Records().RecordCount(), 0);
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].caption, "SKYLOG Solar Data Plotter");
    EXPECT_EQ(prompt.messages[0].text,
              "Since this is the first time you have run this\nprogram, the HELP file will be "
              "displayed");
    EXPECT_TRUE(HelpWindow::Instance()->isVisible());
    EXPECT_TRUE(PathExists(folder.File("SKYLOG.INI")));
    EXPECT_FALSE(frame.Action("save")->isEnabled());
    EXPECT_EQ(ShownTitle(frame), "SKYLOG Solar Data Plotter v" + VersionText());
    frame.close();
    EXPECT_FALSE(HelpWindow::Instance()->isVisible());  // closed with the program
}

TEST_F(MainWindowTest, OpenSaveAndSaveAsWithTheirQuestions)
{
    WriteConfig();
    const std::string a = folder.File("A.DAT"), b = folder.File("B.DAT");
    WriteTextFile(a, SmallFile);
    WriteTextFile(b, SmallFile + "01/04/2000  130   180.0\n");
    Frame frame;
    Start(frame);
    DataFile().path = a;
    prompt.chosenFiles = {a};
    frame.Action("open")->trigger();
    ASSERT_EQ(Records().RecordCount(), 3);
    EXPECT_TRUE(ShownTitle(frame).endsWith(" -- " + QString::fromStdString(a)));

    // Changed data, No, then another file.
    Records().SetRecordValues(0, "01/01/2000", 999, 1.0);
    Records().SetDataChanged(1);
    prompt.answers = {PromptAnswer::No};
    prompt.chosenFiles = {b};
    frame.Action("open")->trigger();
    EXPECT_EQ(prompt.messages.back().text, "Data File Has Changed - Do You Want To Save It First?");
    EXPECT_EQ(prompt.messages.back().icon, PromptIcon::Question);
    EXPECT_EQ(Records().RecordCount(), 4);
    EXPECT_EQ(ReadTextFile(a), SmallFile);

    // Changed data, Yes: saved first.
    Records().SetRecordValues(0, "01/01/2000", 777, 1.0);
    Records().SetDataChanged(1);
    prompt.answers = {PromptAnswer::Yes};
    prompt.chosenFiles = {a};
    frame.Action("open")->trigger();
    EXPECT_NE(ReadTextFile(b).find("01/01/2000  777     1.0"), std::string::npos);
    EXPECT_EQ(Records().RecordCount(), 3);

    // No, then Cancel in the chooser: the changes stay.
    Records().SetDataChanged(1);
    prompt.answers = {PromptAnswer::No};
    frame.Action("open")->trigger();
    EXPECT_EQ(Records().RecordCount(), 3);
    EXPECT_EQ(Records().DataChanged(), 1);

    // Yes, but the save fails: nothing else happens and the changes stay.
    Records().SetDataChanged(1);
    DataFile().path = folder.File("gone/A.DAT");
    prompt.answers = {PromptAnswer::Yes};
    prompt.chosenFiles = {b};
    frame.Action("open")->trigger();
    EXPECT_EQ(prompt.messages.back().caption, "FILE WRITE ERROR");
    EXPECT_EQ(Records().DataChanged(), 1);
    EXPECT_EQ(prompt.chosenFiles.size(), 1u);  // never asked for a file

    // Save As writes the new file and the title names it; a failed Save As
    // keeps the old name.
    DataFile().path = a;
    prompt.chosenFiles = {folder.File("C.DAT")};
    frame.Action("saveAs")->trigger();
    EXPECT_TRUE(PathExists(folder.File("C.DAT")));
    EXPECT_EQ(DataFile().path, folder.File("C.DAT"));
    EXPECT_EQ(Records().DataChanged(), 0);
    EXPECT_TRUE(frame.windowTitle().contains(" -- " + QString::fromStdString(folder.File("C.DAT")) + "["))
        << frame.windowTitle().toStdString();
    prompt.chosenFiles = {folder.File("gone/D.DAT")};
    frame.Action("saveAs")->trigger();
    EXPECT_EQ(DataFile().path, folder.File("C.DAT"));
    EXPECT_TRUE(frame.windowTitle().contains(" -- " + QString::fromStdString(folder.File("C.DAT")) + "["));
    frame.close();
}

TEST_F(MainWindowTest, ClosingWithUnsavedBulletinDays)
{
    WriteConfig("AutosaveCfg=1\n");
    Frame frame;
    Start(frame);
    AddRecord("01/01/2000", 1, 1.0);
    Records().SetDataChanged(1);
    // Yes with no file: the chooser is cancelled, the question comes once
    // more, and No lets the window close.
    prompt.answers = {PromptAnswer::Yes, PromptAnswer::No};
    EXPECT_TRUE(frame.close());
    EXPECT_EQ(prompt.Captions(), (std::vector<std::string>{"FILE CHANGED", "FILE CHANGED"}));
    EXPECT_EQ(Records().RecordCount(), 0);
    // AutosaveCfg: the whole configuration was written at exit.
    EXPECT_EQ(IniReadInt(folder.File("SKYLOG.INI"), "SOLAR_DATA", "PosdataON", -1), 1);
}

// The bars and the window's place come back as they were left: a window off
// every screen is brought back at its size, a maximised one keeps the
// rectangle it goes back to; without SavePos no rectangle is used or written.
TEST_F(MainWindowTest, BarsAndPositionComeBackAsTheyWereLeft)
{
    WriteConfig("ToolBar=0\nStatBar=0\nButtons=1\nSavePos=1\nPosLeft=-9000\nPosTop=-9000\n"
                "PosRight=-8200\nPosBottom=-8400\n");
    Settings().SavePos = 1;
    const auto key = [&](const char* name) {
        return IniReadInt(folder.File("SKYLOG.INI"), SettingsSection, name, -1);
    };
    {
        Frame frame;
        EXPECT_TRUE(QGuiApplication::primaryScreen()->availableGeometry().intersects(frame.geometry()));
        EXPECT_EQ(frame.geometry().size(), QSize(800, 600));
        EXPECT_FALSE(frame.ToolBar()->isVisibleTo(&frame));
        EXPECT_FALSE(frame.StatusBar()->isVisibleTo(&frame));
        frame.Action("toggleToolBar")->trigger();
        frame.Action("realButtons")->trigger();
        frame.setGeometry(40, 50, 700, 500);
        frame.WriteFrameKeys();
    }
    const std::pair<const char*, int> written[] = {
        {"ToolBar", 1}, {"StatBar", 0},   {"Buttons", 0},     {"PosLeft", 40},
        {"PosTop", 50}, {"PosRight", 740}, {"PosBottom", 550}, {"PosMaximized", 0},
    };
    for (const auto& [name, value] : written)
        EXPECT_EQ(key(name), value) << name;
    {
        Frame frame;
        EXPECT_EQ(frame.geometry(), QRect(40, 50, 700, 500));
        frame.show();
        frame.showMaximized();
        QApplication::processEvents();
        frame.WriteFrameKeys();
    }
    EXPECT_EQ(key("PosMaximized"), 1);
    EXPECT_EQ(key("PosLeft"), 40);  // the normal rectangle
    {
        Frame frame;
        EXPECT_TRUE(frame.windowState() & Qt::WindowMaximized);
    }

    // Closing writes the keys, but without SavePos not the rectangle.
    WriteConfig("PosLeft=10\nPosTop=20\nPosRight=810\nPosBottom=620\n");
    Frame second;
    EXPECT_EQ(second.size(), QSize(640, 480));
    second.show();
    second.PlotView()->InitialUpdate();
    second.Action("toggleStatusBar")->trigger();
    second.move(300, 300);
    second.close();
    EXPECT_EQ(key("StatBar"), 0);
    EXPECT_EQ(key("PosLeft"), 10);
}

// The program's first start opens the file of its command line; a second
// start (the real program) hands its file over, which opens as File Open
// would: first the question about the changed data.
TEST_F(MainWindowTest, AFileGivenToASecondStartOpensInTheRunningWindow)
{
    WriteConfig();
    const std::string a = folder.File("A.DAT"), b = folder.File("B DAT with spaces.dat");
    WriteTextFile(a, SmallFile);
    WriteTextFile(b, SmallFile + "01/04/2000  130   180.0\n");
    {
        PlotterApp app;
        ASSERT_TRUE(app.InitInstance(QString::fromStdString(a)));
        ASSERT_TRUE(SpinUntil([&] { return !app.MainFrame()->PlotView()->StartupTimer().isActive(); }));
        EXPECT_EQ(DataFile().path, a);
        EXPECT_EQ(Records().RecordCount(), 3);
        EXPECT_TRUE(app.MainFrame()->windowTitle().contains(QString::fromStdString(a)));

        Records().SetRecordValues(0, "01/01/2000", 999, 1.0);
        Records().SetDataChanged(1);
        QString question;
        OnNextDialog([&](QWidget* box) {
            question = box->windowTitle() + ": " + box->findChild<QLabel*>("qt_msgbox_label")->text();
            ButtonNamed(box, "No")->click();
        });
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("SKYLOG_HOME", QString::fromStdString(folder.Path()));
        env.remove("XDG_RUNTIME_DIR");
        QProcess second;
        second.setProcessEnvironment(env);
        second.setWorkingDirectory(QString::fromStdString(folder.Path()));
        second.start(SKYLOG_BINARY, {"B DAT with spaces.dat"});  // relative to its own folder
        ASSERT_TRUE(SpinUntil([&] { return second.state() == QProcess::NotRunning; }, 10000));
        EXPECT_EQ(second.exitCode(), 0);
        EXPECT_EQ(second.readAllStandardError(), "");  // no toolkit notes
        EXPECT_TRUE(SpinUntil([&] { return DataFile().path == b; }, 10000));
        EXPECT_EQ(question, "FILE CHANGED: Data File Has Changed - Do You Want To Save It First?");
        EXPECT_EQ(Records().RecordCount(), 4);
        EXPECT_EQ(ReadTextFile(a), SmallFile);  // No: the change was not saved
        EXPECT_FALSE(app.MainFrame()->isWindowModified());
        app.MainFrame()->close();
    }
}

// A file handed over while a dialog is open waits until the dialog closes.
TEST_F(MainWindowTest, AHandedOverFileWaitsForTheOpenDialog)
{
    WriteConfig();
    const std::string a = folder.File("A.DAT");
    WriteTextFile(a, SmallFile);
    PlotterApp app;
    ASSERT_TRUE(app.InitInstance());
    ASSERT_TRUE(SpinUntil([&] { return !app.MainFrame()->PlotView()->StartupTimer().isActive(); }));
    ASSERT_EQ(Records().RecordCount(), 0);

    bool openedDuringDialog = true;
    OnNextDialog([&](QWidget* dialog) {
        QLocalSocket socket;
        socket.connectToServer(PlotterApp::InstanceName());
        ASSERT_TRUE(socket.waitForConnected(1000));
        socket.write(PlotterApp::Request(QString::fromStdString(a)));
        socket.waitForBytesWritten(1000);
        SpinUntil([] { return false; }, 600);  // the request arrives and must wait
        openedDuringDialog = Records().RecordCount() != 0;
        ButtonNamed(dialog, "OK")->click();
    });
    Prompt().MessageBox("busy", "TEST", PromptIcon::Information, PromptButtons::Ok);
    EXPECT_FALSE(openedDuringDialog);
    EXPECT_TRUE(SpinUntil([&] { return Records().RecordCount() == 3; }));
    EXPECT_EQ(DataFile().path, a);
    app.MainFrame()->close();
}

// Ctrl+N with changed days of another file: Yes saves them into that file,
// before the configuration's file is read again.
TEST_F(MainWindowTest, FileNewSavesToTheFileTheRecordsCameFrom)
{
    WriteConfig();
    const std::string graph = folder.File("GRAPH.DAT"), other = folder.File("OTHER.DAT");
    WriteTextFile(graph, SmallFile);
    WriteTextFile(other, SmallFile + "01/04/2000  130   180.0\n");
    Frame frame;
    Start(frame);
    ASSERT_EQ(Records().RecordCount(), 3);
    prompt.chosenFiles = {other};
    frame.Action("open")->trigger();
    ASSERT_EQ(Records().RecordCount(), 4);
    Records().SetRecordValues(3, "01/04/2000", 555, 5.5);
    Records().SetDataChanged(1);

    prompt.answers = {PromptAnswer::Yes};
    frame.Action("new")->trigger();
    ASSERT_TRUE(SpinUntil([&] { return !frame.PlotView()->StartupTimer().isActive(); }));
    EXPECT_EQ(prompt.Captions(), std::vector<std::string>{"FILE CHANGED"});  // asked once
    EXPECT_NE(ReadTextFile(other).find("01/04/2000  555     5.5"), std::string::npos);
    EXPECT_EQ(ReadTextFile(graph), SmallFile);
    EXPECT_EQ(Records().RecordCount(), 3);  // the configured file, read again
    EXPECT_EQ(DataFile().path, graph);

    // No: nothing is written anywhere, and the question is not asked twice.
    Records().SetRecordValues(0, "01/01/2000", 444, 4.4);
    Records().SetDataChanged(1);
    prompt.answers = {PromptAnswer::No};
    frame.Action("new")->trigger();
    ASSERT_TRUE(SpinUntil([&] { return !frame.PlotView()->StartupTimer().isActive(); }));
    EXPECT_EQ(prompt.Captions(), (std::vector<std::string>{"FILE CHANGED", "FILE CHANGED"}));
    EXPECT_EQ(ReadTextFile(graph), SmallFile);
    frame.close();
}

// The manual closes from the keyboard and always fits on the screen.
TEST_F(MainWindowTest, HelpWindowClosesWithKeysAndFitsTheScreen)
{
    EXPECT_EQ(HelpWindowSize(QSize(1920, 1080)), QSize(720, 640));
    EXPECT_EQ(HelpWindowSize(QSize(800, 600)), QSize(720, 600));
    EXPECT_EQ(HelpWindowSize(QSize(640, 480)), QSize(640, 480));
    for (const QKeySequence& keys : {QKeySequence(Qt::Key_Escape), QKeySequence("Ctrl+W")}) {
        HelpWindow window;
        const QSize screen = window.screen()->availableGeometry().size();
        EXPECT_LE(window.width(), screen.width());
        EXPECT_LE(window.height(), screen.height());
        EXPECT_EQ(window.size(), QSize(std::min(720, screen.width()), std::min(640, screen.height())));
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        QTest::keySequence(&window, keys);
        EXPECT_FALSE(window.isVisible()) << keys.toString().toStdString();
    }
}
