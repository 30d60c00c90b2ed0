// "cmake --install" into a temporary prefix: the tree, its validators, the data file type, the program itself.
#include <gtest/gtest.h>

#include <QImage>
#include <QMimeDatabase>
#include <filesystem>

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
        const ProgramResult r = RunProgram(SKYLOG_CMAKE, {"--install", SKYLOG_BUILD_DIR, "--prefix", prefix});
        ASSERT_EQ(r.status, 0) << r.out << r.err;
    }
    std::string Installed(const std::string& path) const { return prefix + "/" + path; }
    // A validator or tool run on files; it must pass without a word of error or warning.
    void ExpectAccepted(const std::string& tool, const std::vector<std::string>& arguments)
    {
        const ProgramResult r = RunProgram(tool, arguments);
        EXPECT_EQ(r.status, 0) << tool << r.out << r.err;
        EXPECT_FALSE(Contains(r.out + r.err, "error:") || Contains(r.out + r.err, "warning:")) << r.out << r.err;
    }
};

TEST_F(InstallTest, LaysOutACompleteAndValidDesktopInstallation)
{
    const std::string desktopFile = Installed("share/applications/" + AppId + ".desktop");
    const std::string metainfoFile = Installed("share/metainfo/" + AppId + ".metainfo.xml");
    for (const std::string size : {"48", "128", "256"}) {  // with rounded corners on any background
        const QImage icon(Installed("share/icons/hicolor/" + size + "x" + size + "/apps/" + AppId + ".png").c_str());
        EXPECT_TRUE(icon.size() == QSize(std::stoi(size), std::stoi(size)) && icon.hasAlphaChannel()) << size;
    }
    EXPECT_EQ(ReadTextFile(Installed("share/man/man1/skylog.1")).rfind(".TH SKYLOG 1", 0), 0u);
    // The launcher opens files through the program and offers the data file type.
    for (const std::string& line : {std::string("Exec=skylog %f"), "Icon=" + AppId, "MimeType=" + DataType + ";",
                                    std::string("Categories=Science;Astronomy;HamRadio;")})
        EXPECT_TRUE(Contains(ReadTextFile(desktopFile), "\n" + line + "\n")) << line;
    const std::string metainfo = ReadTextFile(metainfoFile);
    EXPECT_TRUE(Contains(metainfo, "<release version=\"" SKYLOG_PROJECT_VERSION "\"") &&
                Contains(metainfo, "<launchable type=\"desktop-id\">" + AppId + ".desktop<")) << metainfo;
    ExpectAccepted("desktop-file-validate", {desktopFile});
    ExpectAccepted("appstreamcli", {"validate", "--no-net", metainfoFile});
    ExpectAccepted("xmllint", {"--noout", metainfoFile, Installed("share/mime/packages/" + AppId + ".xml"),
                               Installed("share/icons/hicolor/scalable/apps/" + AppId + ".svg")});
    // The update timer runs the program installed with it; the build's copy runs the build's, checked by systemd.
    const std::string service = ReadTextFile(Installed("share/systemd/user/skylog-update.service"));
    EXPECT_TRUE(Contains(service, "\nExecStart=/") && Contains(service, "/bin/skylog update\n")) << service;
    EXPECT_TRUE(Contains(ReadTextFile(Installed("share/systemd/user/skylog-update.timer")), "\nOnCalendar="));
    const std::string built = std::string(SKYLOG_BUILD_DIR) + "/skylog-update.service";
    EXPECT_TRUE(Contains(ReadTextFile(built), "\nExecStart=" SKYLOG_BUILD_DIR "/skylog update\n"));
    const ProgramResult r = RunProgram("systemd-analyze", {"verify", built, SKYLOG_BUILD_DIR "/skylog-update.timer"});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(r.out + r.err, "");
    // A data file is known by its first line, or by a .dat name.
    setenv("XDG_DATA_DIRS", (Installed("share") + ":/usr/share").c_str(), 1);
    ExpectAccepted("update-mime-database", {Installed("share/mime")});
    const QMimeDatabase types;
    for (const auto& [name, text, type] : {std::tuple{"v2", "! SKYLOG Solar Data Plot Version 2 Data File", DataType},
                                           {"SOLAR.DAT", "01/01/2000  100   150.9", DataType},
                                           {"notes.txt", "Sunspot numbers were high.", std::string("text/plain")}}) {
        WriteTextFile(folder.File(name), text + std::string("\n"));
        EXPECT_EQ(types.mimeTypeForFile(QString::fromStdString(folder.File(name))).name().toStdString(), type);
    }
    EXPECT_TRUE(types.mimeTypeForName(QString::fromStdString(DataType)).inherits("text/plain"));
}

TEST_F(InstallTest, TheInstalledProgramKeepsItsFilesInTheUsersDataFolder)
{
    const std::string home = folder.File("home"), userFile = home + "/.local/share/skylog/GRAPH.DAT";
    std::filesystem::create_directories(home);
    // As a new user starts it: no SKYLOG_HOME, a home of its own.
    const auto run = [&](const std::string& argument) {
        return RunProgram(Installed("bin/skylog"), {argument},
                          {{"SKYLOG_HOME", std::nullopt}, {"HOME", home}, {"XDG_DATA_HOME", std::nullopt}});
    };
    ProgramResult r = run("info");  // the first start gets the sample
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "File:      " + userFile + "\n") && Contains(r.out, "Records:   28319\n")) << r.out;
    EXPECT_EQ(ReadTextFile(userFile), ReadTextFile(SKYLOG_SAMPLE_DIR "/GRAPH.DAT"));
    EXPECT_FALSE(PathExists(Installed("bin/GRAPH.DAT")));  // nothing beside the executable
    // The user's own data is never replaced by the sample.
    const std::string own = "! SKYLOG Solar Data Plot Version 3 Data File\n01/01/2000  100   150.9\n";
    WriteTextFile(userFile, own);
    EXPECT_TRUE(Contains(run("info").out, "Records:   1\n"));
    EXPECT_EQ(ReadTextFile(userFile), own);
    // A user who removed the data file but has settings gets no sample back.
    std::filesystem::remove(userFile);
    WriteTextFile(home + "/.local/share/skylog/SKYLOG.INI", "[SOLAR_DATA]\n");
    run("info");
    EXPECT_FALSE(PathExists(userFile));
    // Its manual is the installed one.
    const std::string manual = Installed("share/skylog/skylog-help.html");
    EXPECT_TRUE(PathExists(manual) && Contains(run("--help").out, "The manual: " + manual + "\n"));
}

}  // namespace
