// The command line through the real program: help, version, wrong use, exit statuses, quiet commands.
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>

#include "support/run_program.h"
#include "support/temp_folder.h"

namespace {

const std::string Sample = std::string(SKYLOG_SAMPLE_DIR) + "/GRAPH.DAT";
const std::string Version = std::string("skylog ") + SKYLOG_PROJECT_VERSION;
// No display: a command line taken for the window's fails at once.
const std::map<std::string, std::optional<std::string>> NoDisplay = {
    {"DISPLAY", std::nullopt}, {"WAYLAND_DISPLAY", std::nullopt}, {"QT_QPA_PLATFORM", std::nullopt}};

// The error, then the usage of the command it names, status 64, nothing written.
TEST(CommandLine, MisuseGivesOneLineErrorAndUsageWithStatus64)
{
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        // the error line, or its start
        {{"--bogus"}, "skylog: Unknown option 'bogus'."},
        {{"no-such-file.dat"}, "skylog: No such command or file: 'no-such-file.dat'."},
        {{"--", "info"}, "skylog: No such command or file: 'info'."},  // "--" ends the options
        {{Sample, Sample}, "skylog: One FILE at most, or a command first."},
        {{"info", "a.dat", "b.dat"}, "skylog info: Unexpected argument 'b.dat'."},
        {{"parse"}, "skylog parse: Missing FILE."},
        {{"parse", "--year", "08", "a.txt"}, "skylog parse: --year takes a four-digit year."},
        {{"import", "--replace"}, "skylog import: Missing FILE."},
        {{"import", "b.txt", "--data"}, "skylog import: Missing value after '--data'."},
        {{"import", "--format", "nonsense", "b.txt"},
         "skylog import: Unknown format \"nonsense\"; the formats known are "},
        {{"render", Sample}, "skylog render: Missing -o FILE.png, FILE.svg or FILE.pdf."},
        {{"render", "-o", "p.jpg"}, "skylog render: The output file must end in .png, .svg or .pdf."},
        {{"render", "-o", "p.png", "--size", "500x99"},
         "skylog render: --size takes WIDTHxHEIGHT, each 100 to 20000."},
        {{"render", "-o", "p.png", "--scale", "0.5"}, "skylog render: --scale takes a number from 1 to 4."},
        {{"render", "-o", "p.png", "--size", "12000x800", "--scale", "2"},
         "skylog render: The picture would be wider or higher than 20000 pixels."},
        {{"render", "-o", "p.svg", "--scale", "2"}, "skylog render: --scale applies to PNG pictures only."},
        {{"print", Sample}, "skylog print: Missing -o FILE.pdf."},
        {{"print", "-o", "p.png"}, "skylog print: The output file must end in .pdf."},
        {{"print", "-o", "p.pdf", "--page", "A3"}, "skylog print: --page takes A4 or Letter."},
        {{"export", Sample}, "skylog export: Missing -o FILE.csv."},
        {{"fetch", "extra"}, "skylog fetch: Unexpected argument 'extra'."},
        {{"fetch", "--keep", "/no/such/folder"},
         "skylog fetch: The keep folder /no/such/folder does not exist or is not writable."}};
    TempFolder folder;
    auto environment = NoDisplay;
    environment["SKYLOG_HOME"] = folder.Path();
    for (const auto& [arguments, error] : cases) {
        const ProgramResult r = RunSkylog(arguments, environment);
        EXPECT_EQ(r.status, 64) << testing::PrintToString(arguments) << "\n" << r.err;
        EXPECT_EQ(r.out, "");
        const std::string usage = "\nUsage: " + error.substr(0, error.find(':')) + " [options]";
        EXPECT_EQ(r.err.rfind(error + (error.back() == '.' ? usage : ""), 0), 0u) << r.err;
        EXPECT_NE(r.err.find(usage), std::string::npos) << r.err;
    }
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
}

// Without a runtime folder or a display, a command prints its result and
// nothing else and leaves the configuration alone; --size and --scale reach the picture.
TEST(CommandLine, CommandsAreQuiet)
{
    TempFolder folder;
    auto bare = NoDisplay;
    bare["SKYLOG_HOME"] = folder.Path();
    bare["XDG_RUNTIME_DIR"] = std::nullopt;
    const std::string ini = "[SOLAR_DATA]\nPhrase2=SUNSPOT NUMBERS FOR\n";  // no Version: as a first run
    WriteTextFile(folder.File("SKYLOG.INI"), ini);
    const std::string png = folder.File("plot.png"), svg = folder.File("plot.svg");
    for (const auto& arguments : std::vector<std::vector<std::string>>{
             {"render", Sample, "-o", png, "--size", "640x400", "--scale", "2"},
             {"render", Sample, "-o", svg, "--size", "600x400"},
             {"info", Sample}}) {
        const ProgramResult r = RunSkylog(arguments, bare);
        EXPECT_EQ(std::to_string(r.status) + r.err, "0") << testing::PrintToString(arguments);
    }
    EXPECT_EQ(QImage(QString::fromStdString(png)).size(), QSize(1280, 800));
    EXPECT_NE(ReadTextFile(svg).find("viewBox=\"0 0 600 400\""), std::string::npos);
    EXPECT_EQ(ReadTextFile(folder.File("SKYLOG.INI")), ini);

    // The window cannot open: one line says why.
    const ProgramResult r = RunSkylog({}, bare);
    EXPECT_EQ(std::to_string(r.status) + r.out, "1");
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_EQ(r.err.rfind("skylog: no display", 0), 0u) << r.err;
}

// 0 help and version on standard output, 1 a failure, 2 a file that is not a
// data file; nothing is written where a command fails.
TEST(CommandLine, ExitStatuses)
{
    TempFolder folder;
    const std::string junk = folder.File("junk.dat"), missing = folder.File("missing.dat");
    const std::string empty = folder.File("EMPTY.DAT"), noDir = folder.File("no/such/dir/p");
    const std::string png = folder.File("p.png"), pdf = folder.File("p.pdf");
    WriteTextFile(junk, "hello\n");
    WriteTextFile(empty, "! SKYLOG Solar Data Plot Version 3 Data File\n");
    const struct {
        std::vector<std::string> arguments;
        int status;
        std::string message;  // a part of what it says
    } cases[] = {
        {{"--help"}, 0, "Usage: skylog [options] [FILE]\n"},
        {{"info", "--help"}, 0, "Usage: skylog info [options] [DATAFILE]\n"},
        {{"-v"}, 0, Version + "\n"},
        {{"info", missing}, 1, "Could Not Open Data File"},
        {{"info", junk}, 2, "Unable To Read Data File"},
        {{"render", junk, "-o", png}, 2, ""},
        {{"render", Sample, "-o", noDir + ".png"}, 1, "cannot write"},
        {{"import", "--data", junk, junk}, 2, ""},
        {{"print", empty, "-o", pdf}, 1, "holds no days to print"},
        {{"print", missing, "-o", pdf}, 1, ""},
        {{"print", Sample, "-o", noDir + ".pdf"}, 1, "cannot write"},
        {{"export", Sample, "-o", noDir + ".csv"}, 1, "cannot write"},
        {{"export", missing, "-o", folder.File("p.csv")}, 1, ""},
    };
    for (const auto& c : cases) {
        const ProgramResult r = RunSkylog(c.arguments, {{"SKYLOG_HOME", folder.Path()}});
        EXPECT_EQ(r.status, c.status) << testing::PrintToString(c.arguments) << "\n" << r.out << r.err;
        EXPECT_NE((r.out + r.err).find(c.message), std::string::npos) << r.out << r.err;
        if (c.status == 0) {
            EXPECT_EQ(r.out.rfind(c.message, 0) + r.err.size(), 0u) << r.out << r.err;
        }
    }
    EXPECT_EQ(ReadTextFile(junk), "hello\n");
    EXPECT_FALSE(PathExists(png) || PathExists(pdf));
}

}  // namespace
