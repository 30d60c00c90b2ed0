// "cmake --install" into a temporary prefix: the installed tree, the desktop
// format validators, the data file type, and the installed program itself.
#include <gtest/gtest.h>

#include <QImage>
#include <QMimeDatabase>
#include <filesystem>
#include <unistd.h>
#include <vector>

#include "support/run_program.h"
#include "support/temp_folder.h"

namespace {

const std::string AppId = "org.skylog.SkyLog";
const std::string DataType = "application/x-skylog-data";

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

class InstallTest : public ::testing::Test {
protected:
    TempFolder folder;  // also the program folder of the tests' own process
    std::string prefix = folder.File("prefix");

    void SetUp() override
    {
        const ProgramResult r =
            RunProgram(SKYLOG_CMAKE, {"--install", SKYLOG_BUILD_DIR, "--prefix", prefix});
        ASSERT_EQ(r.status, 0) << r.out << r.err;
    }

    std::string Installed(const std::string& path) const { return prefix + "/" + path; }

    // The installed program as a new user starts it: no SKYLOG_HOME, a home of its own.
    ProgramResult RunInstalled(const std::vector<std::string>& arguments, const std::string& home)
    {
        return RunProgram(Installed("bin/skylog"), arguments,
                          {{"SKYLOG_HOME", std::nullopt}, {"HOME", home}, {"XDG_DATA_HOME", std::nullopt}});
    }
};

// Every file a desktop needs, each accepted by the validator of its format.
TEST_F(InstallTest, LaysOutACompleteAndValidDesktopInstallation)
{
    const std::string desktopFile = "share/applications/" + AppId + ".desktop";
    const std::string metainfoFile = "share/metainfo/" + AppId + ".metainfo.xml";
    const std::vector<std::string> xmlFiles = {"share/mime/packages/" + AppId + ".xml", metainfoFile,
                                               "share/icons/hicolor/scalable/apps/" + AppId + ".svg"};
    for (const std::string& path : {std::string("share/skylog/skylog-help.html"),
                                    std::string("share/skylog/GRAPH.DAT"), desktopFile,
                                    std::string("share/man/man1/skylog.1")})
        EXPECT_TRUE(PathExists(Installed(path))) << path;
    EXPECT_EQ(access(Installed("bin/skylog").c_str(), X_OK), 0);
    for (const int size : {48, 128, 256}) {
        const std::string name = std::to_string(size);
        const QImage icon(QString::fromStdString(
            Installed("share/icons/hicolor/" + name + "x" + name + "/apps/" + AppId + ".png")));
        EXPECT_EQ(icon.size(), QSize(size, size));
        EXPECT_TRUE(icon.hasAlphaChannel());  // rounded corners on any background
    }
    EXPECT_EQ(ReadTextFile(Installed("share/man/man1/skylog.1")).rfind(".TH SKYLOG 1", 0), 0u);
    // The launcher opens files through the program and offers the data file type.
    const std::string desktop = ReadTextFile(Installed(desktopFile));
    for (const std::string& line : {std::string("Exec=skylog %f"), "Icon=" + AppId, "MimeType=" + DataType + ";",
                                    std::string("Categories=Science;Astronomy;HamRadio;")})
        EXPECT_TRUE(Contains(desktop, "\n" + line + "\n")) << line;
    const std::string metainfo = ReadTextFile(Installed(metainfoFile));
    EXPECT_TRUE(Contains(metainfo, "<release version=\"" SKYLOG_PROJECT_VERSION "\""));
    EXPECT_TRUE(Contains(metainfo, "<launchable type=\"desktop-id\">" + AppId + ".desktop<"));

    ProgramResult r = RunProgram("desktop-file-validate", {Installed(desktopFile)});
    EXPECT_EQ(r.status, 0) << r.out << r.err;  // hints are advice; no errors or warnings
    EXPECT_FALSE(Contains(r.out + r.err, "error:") || Contains(r.out + r.err, "warning:")) << r.out << r.err;
    r = RunProgram("appstreamcli", {"validate", "--no-net", Installed(metainfoFile)});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    for (const std::string& xml : xmlFiles) {
        r = RunProgram("xmllint", {"--noout", Installed(xml)});
        EXPECT_EQ(r.status, 0) << xml << r.err;
    }
}

TEST_F(InstallTest, TheDailyUpdateTimerRunsTheProgramItWasInstalledWith)
{
    const std::string service = ReadTextFile(Installed("share/systemd/user/skylog-update.service"));
    const std::string timer = ReadTextFile(Installed("share/systemd/user/skylog-update.timer"));
    EXPECT_TRUE(Contains(service, "\nExecStart=/")) << service;
    EXPECT_TRUE(Contains(service, "/bin/skylog update\n")) << service;
    EXPECT_TRUE(Contains(timer, "\nOnCalendar=")) << timer;
    // The build's copy names the build's program, so systemd checks both units fully.
    const std::string built = std::string(SKYLOG_BUILD_DIR) + "/skylog-update.service";
    EXPECT_TRUE(Contains(ReadTextFile(built), "\nExecStart=" SKYLOG_BUILD_DIR "/skylog update\n"));
    const ProgramResult r = RunProgram(
        "systemd-analyze", {"verify", built, std::string(SKYLOG_BUILD_DIR) + "/skylog-update.timer"});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(r.out + r.err, "");
}

// A data file is known by its first line, or by a .dat name.
TEST_F(InstallTest, TheDataFileTypeIsRecognised)
{
    const ProgramResult r = RunProgram("update-mime-database", {Installed("share/mime")},
                                       {{"XDG_DATA_DIRS", Installed("share") + ":/usr/share"}});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    setenv("XDG_DATA_DIRS", (Installed("share") + ":/usr/share").c_str(), 1);
    const QMimeDatabase types;
    const struct { const char* name; const char* text; std::string type; } files[] = {
        {"history", "! SKYLOG Solar Data Plot Version 3 Data File\n01/01/2000  100   150.9\n", DataType},
        {"GRAPH.V2", "! SKYLOG Solar Data Plot Version 2 Data File\n", DataType},
        {"SOLAR.DAT", "01/01/2000  100   150.9\n", DataType},
        {"notes.txt", "Sunspot numbers were high this week.\n", "text/plain"},
    };
    for (const auto& f : files) {
        WriteTextFile(folder.File(f.name), f.text);
        EXPECT_EQ(types.mimeTypeForFile(QString::fromStdString(folder.File(f.name))).name().toStdString(), f.type)
            << f.name;
    }
    EXPECT_TRUE(types.mimeTypeForName(QString::fromStdString(DataType)).inherits("text/plain"));
}

TEST_F(InstallTest, TheInstalledProgramKeepsItsFilesInTheUsersDataFolder)
{
    const std::string home = folder.File("home");
    std::filesystem::create_directories(home);
    const std::string userFolder = home + "/.local/share/skylog";

    ProgramResult r = RunInstalled({"info"}, home);  // the first start gets the sample
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "File:      " + userFolder + "/GRAPH.DAT\n")) << r.out;
    EXPECT_TRUE(Contains(r.out, "Records:   28319\n"));
    EXPECT_EQ(ReadTextFile(userFolder + "/GRAPH.DAT"),
              ReadTextFile(std::string(SKYLOG_SAMPLE_DIR) + "/GRAPH.DAT"));
    EXPECT_FALSE(PathExists(Installed("bin/GRAPH.DAT")));  // nothing beside the executable

    // The user's own data is never replaced by the sample.
    const std::string own = "! SKYLOG Solar Data Plot Version 3 Data File\n01/01/2000  100   150.9\n";
    WriteTextFile(userFolder + "/GRAPH.DAT", own);
    r = RunInstalled({"info"}, home);
    EXPECT_TRUE(Contains(r.out, "Records:   1\n")) << r.out;
    EXPECT_EQ(ReadTextFile(userFolder + "/GRAPH.DAT"), own);

    // A user who removed the data file but has settings gets no sample back.
    std::filesystem::remove(userFolder + "/GRAPH.DAT");
    WriteTextFile(userFolder + "/SKYLOG.INI", "[SOLAR_DATA]\n");
    RunInstalled({"info"}, home);
    EXPECT_FALSE(PathExists(userFolder + "/GRAPH.DAT"));

    // Its manual is the installed one.
    r = RunInstalled({"--help"}, home);
    EXPECT_TRUE(Contains(r.out, "The manual: " + Installed("share/skylog/skylog-help.html") + "\n"))
        << r.out;
}

}  // namespace
