// The command line through the real program: help, version, wrong use, exit
// statuses and the quiet command-line uses.
#include <gtest/gtest.h>

#include <QImage>

#include "support/run_program.h"
#include "support/temp_folder.h"

namespace {

const std::string Sample = std::string(SKYLOG_SAMPLE_DIR) + "/GRAPH.DAT";
const std::string Version = std::string("skylog ") + SKYLOG_PROJECT_VERSION;
// No display: a command line taken for the window's fails at once.
const std::map<std::string, std::optional<std::string>> NoDisplay = {
    {"DISPLAY", std::nullopt}, {"WAYLAND_DISPLAY", std::nullopt}, {"QT_QPA_PLATFORM", std::nullopt}};

bool StartsWith(const std::string& text, const std::string& start)
{
    return text.rfind(start, 0) == 0;
}

std::string Joined(const std::vector<std::string>& arguments)
{
    std::string text = "skylog";
    for (const std::string& argument : arguments)
        text += " " + argument.substr(argument.rfind('/') + 1);
    return text;
}

struct LineCase {
    std::vector<std::string> arguments;
    std::string first;  // the first line of the answer (help), or of the error (or its start)
};

void PrintTo(const LineCase& c, std::ostream* out)
{
    *out << Joined(c.arguments);
}

class CommandLineHelp : public testing::TestWithParam<LineCase> {};

TEST_P(CommandLineHelp, GoesToStandardOutputWithStatusZero)
{
    const ProgramResult r = RunSkylog(GetParam().arguments);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')), GetParam().first);
    EXPECT_EQ(r.err, "");
}

INSTANTIATE_TEST_SUITE_P(EveryKind, CommandLineHelp,
                         testing::Values(LineCase{{"--help"}, "Usage: skylog [options] [FILE]"},
                                         LineCase{{"info", "--help"}, "Usage: skylog info [options] [DATAFILE]"},
                                         LineCase{{"-v"}, Version}));

class CommandLineMisuse : public testing::TestWithParam<LineCase> {};

// The error, then the usage of the command it names, status 64, nothing written.
TEST_P(CommandLineMisuse, OneLineErrorAndUsageWithStatus64)
{
    const std::string& error = GetParam().first;
    TempFolder folder;
    auto environment = NoDisplay;
    environment["SKYLOG_HOME"] = folder.Path();
    const ProgramResult r = RunSkylog(GetParam().arguments, environment);
    EXPECT_EQ(r.status, 64) << r.err;
    EXPECT_EQ(r.out, "");
    const std::size_t firstEnd = r.err.find('\n');
    ASSERT_NE(firstEnd, std::string::npos) << r.err;
    // A whole sentence must match; a row ending inside one gives its start.
    if (error.back() == '.') {
        EXPECT_EQ(r.err.substr(0, firstEnd), error);
    } else {
        EXPECT_TRUE(StartsWith(r.err.substr(0, firstEnd), error)) << r.err;
    }
    EXPECT_TRUE(StartsWith(r.err.substr(firstEnd + 1), "Usage: " + error.substr(0, error.find(':')) + " [options]"))
        << r.err;
    EXPECT_FALSE(PathExists(folder.File("GRAPH.DAT")));
    EXPECT_FALSE(PathExists(folder.File("SKYLOG.INI")));
}

INSTANTIATE_TEST_SUITE_P(
    Everywhere, CommandLineMisuse,
    testing::Values(
        LineCase{{"--bogus"}, "skylog: Unknown option 'bogus'."},
        LineCase{{"no-such-file.dat"}, "skylog: No such command or file: 'no-such-file.dat'."},
        LineCase{{"--", "info"}, "skylog: No such command or file: 'info'."},  // "--" ends the options
        LineCase{{Sample, Sample}, "skylog: One FILE at most, or a command first."},
        LineCase{{"info", "a.dat", "b.dat"}, "skylog info: Unexpected argument 'b.dat'."},
        LineCase{{"parse"}, "skylog parse: Missing FILE."},
        LineCase{{"parse", "--year", "08", "a.txt"}, "skylog parse: --year takes a four-digit year."},
        LineCase{{"import", "b.txt", "--data"}, "skylog import: Missing value after '--data'."},
        LineCase{{"import", "--format", "nonsense", "b.txt"},
                 "skylog import: Unknown format \"nonsense\"; the formats known are "},
        LineCase{{"render", Sample}, "skylog render: Missing -o FILE.png, FILE.svg or FILE.pdf."},
        LineCase{{"render", "-o", "p.jpg"}, "skylog render: The output file must end in .png, .svg or .pdf."},
        LineCase{{"render", "-o", "p.png", "--size", "500x99"},
                 "skylog render: --size takes WIDTHxHEIGHT, each 100 to 20000."},
        LineCase{{"render", "-o", "p.png", "--scale", "0.5"}, "skylog render: --scale takes a number from 1 to 4."},
        LineCase{{"render", "-o", "p.png", "--size", "12000x800", "--scale", "2"},
                 "skylog render: The picture would be wider or higher than 20000 pixels."},
        LineCase{{"render", "-o", "p.svg", "--scale", "2"}, "skylog render: --scale applies to PNG pictures only."},
        LineCase{{"print", "-o", "p.png"}, "skylog print: The output file must end in .pdf."},
        LineCase{{"print", "-o", "p.pdf", "--page", "A3"}, "skylog print: --page takes A4 or Letter."},
        LineCase{{"export", Sample}, "skylog export: Missing -o FILE.csv."},
        LineCase{{"fetch", "extra"}, "skylog fetch: Unexpected argument 'extra'."},
        LineCase{{"fetch", "--keep", "/no/such/folder"},
                 "skylog fetch: The keep folder /no/such/folder does not exist or is not writable."}));

// Without a runtime folder or a display, a command prints its result and
// nothing else; --size and --scale reach the picture.
TEST(CommandLine, CommandsAreQuiet)
{
    TempFolder folder;
    auto bare = NoDisplay;
    bare["SKYLOG_HOME"] = folder.Path();
    bare["XDG_RUNTIME_DIR"] = std::nullopt;
    const std::string png = folder.File("plot.png"), svg = folder.File("plot.svg");
    ProgramResult r = RunSkylog({"render", Sample, "-o", png, "--size", "640x400", "--scale", "2"}, bare);
    EXPECT_EQ(std::to_string(r.status) + r.out + r.err, "0");
    EXPECT_EQ(QImage(QString::fromStdString(png)).size(), QSize(1280, 800));
    r = RunSkylog({"render", Sample, "-o", svg, "--size", "600x400"}, bare);
    EXPECT_NE(ReadTextFile(svg).find("viewBox=\"0 0 600 400\""), std::string::npos);
    r = RunSkylog({"info", Sample}, bare);
    EXPECT_EQ(r.err, "");

    // The window cannot open: one line says why.
    r = RunSkylog({}, bare);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_TRUE(StartsWith(r.err, "skylog: no display")) << r.err;
}

// 1 a failure, 2 a file that is not a data file; nothing is written where a command fails.
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
        {{"info", missing}, 1, "Could Not Open Data File"},
        {{"info", junk}, 2, "Unable To Read Data File"},
        {{"render", junk, "-o", png}, 2, ""},
        {{"render", Sample, "-o", noDir + ".png"}, 1, "cannot write"},
        {{"import", "--data", junk, junk}, 2, ""},
        {{"print", empty, "-o", pdf}, 1, "holds no days to print"},
        {{"print", missing, "-o", pdf}, 1, ""},
        {{"print", Sample, "-o", noDir + ".pdf"}, 1, "cannot write"},
        {{"export", Sample, "-o", noDir + ".csv"}, 1, "cannot write"},
    };
    for (const auto& c : cases) {
        const ProgramResult r = RunSkylog(c.arguments, {{"SKYLOG_HOME", folder.Path()}});
        EXPECT_EQ(r.status, c.status) << Joined(c.arguments) << "\n" << r.out << r.err;
        EXPECT_NE((r.out + r.err).find(c.message), std::string::npos) << r.out << r.err;
    }
    EXPECT_EQ(ReadTextFile(junk), "hello\n");
    EXPECT_FALSE(PathExists(png) || PathExists(pdf));
}

}  // namespace
