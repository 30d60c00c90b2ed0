// The command line through the real program: help, version, wrong use, the
// exit statuses scripts rely on and the quiet command-line uses.
#include <gtest/gtest.h>

#include <QImage>

#include "support/run_program.h"
#include "support/temp_folder.h"

namespace {

const std::string Sample = std::string(SKYLOG_SAMPLE_DIR) + "/GRAPH.DAT";
const std::string Version = std::string("skylog ") + SKYLOG_PROJECT_VERSION;

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

struct HelpCase {
    std::vector<std::string> arguments;
    std::string first;    // the first line of the answer
    std::string mention;  // something the answer must explain
};

void PrintTo(const HelpCase& c, std::ostream* out)
{
    *out << Joined(c.arguments);
}

class CommandLineHelp : public testing::TestWithParam<HelpCase> {};

TEST_P(CommandLineHelp, GoesToStandardOutputWithStatusZero)
{
    const HelpCase& c = GetParam();
    const ProgramResult r = RunSkylog(c.arguments);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')), c.first);
    EXPECT_NE(r.out.find(c.mention), std::string::npos) << r.out;
    EXPECT_EQ(r.err, "");
}

INSTANTIATE_TEST_SUITE_P(
    EveryCommand, CommandLineHelp,
    testing::Values(HelpCase{{"--help"}, "Usage: skylog [options] [FILE]", "64 wrong use"},
                    HelpCase{{"--help", "render"}, "Usage: skylog [options] [FILE]", "import"},
                    HelpCase{{"info", "--help"}, "Usage: skylog info [options] [DATAFILE]", "exit status 2"},
                    HelpCase{{"parse", "-h"}, "Usage: skylog parse [options] FILE...", "Exit status 0"},
                    HelpCase{{"import", "--help"}, "Usage: skylog import [options] [[--format NAME] FILE...]...",
                             "--replace"},
                    HelpCase{{"render", "-o", "x.png", "--help"}, "Usage: skylog render [options] [DATAFILE]",
                             "--size <WxH>"},
                    HelpCase{{"-v"}, Version, Version}));

struct UsageCase {
    std::vector<std::string> arguments;
    std::string error;  // the first line on standard error, or its start
};

void PrintTo(const UsageCase& c, std::ostream* out)
{
    *out << Joined(c.arguments);
}

class CommandLineMisuse : public testing::TestWithParam<UsageCase> {};

// The error, then the usage of the command it names ("skylog info: ..." is
// followed by "Usage: skylog info [options] ..."), status 64, nothing written.
TEST_P(CommandLineMisuse, OneLineErrorAndUsageWithStatus64)
{
    const UsageCase& c = GetParam();
    TempFolder folder;
    // No display: a command line taken for the window's fails at once.
    const ProgramResult r = RunSkylog(c.arguments, {{"SKYLOG_HOME", folder.Path()},
                                                    {"DISPLAY", std::nullopt},
                                                    {"WAYLAND_DISPLAY", std::nullopt},
                                                    {"QT_QPA_PLATFORM", std::nullopt}});
    EXPECT_EQ(r.status, 64) << r.err;
    EXPECT_EQ(r.out, "");
    const std::size_t firstEnd = r.err.find('\n');
    ASSERT_NE(firstEnd, std::string::npos) << r.err;
    // A whole sentence must match; a row ending inside one gives its start.
    if (c.error.back() == '.') {
        EXPECT_EQ(r.err.substr(0, firstEnd), c.error);
    } else {
        EXPECT_TRUE(StartsWith(r.err.substr(0, firstEnd), c.error)) << r.err;
    }
    const std::string usage = "Usage: " + c.error.substr(0, c.error.find(':')) + " [options]";
    EXPECT_TRUE(StartsWith(r.err.substr(firstEnd + 1), usage)) << r.err;
    EXPECT_FALSE(PathExists(folder.File("GRAPH.DAT")));
    EXPECT_FALSE(PathExists(folder.File("SKYLOG.INI")));
}

INSTANTIATE_TEST_SUITE_P(
    Everywhere, CommandLineMisuse,
    testing::Values(
        UsageCase{{"--bogus"}, "skylog: Unknown option 'bogus'."},
        UsageCase{{"no-such-file.dat"}, "skylog: No such command or file: 'no-such-file.dat'."},
        UsageCase{{"--", "info"}, "skylog: No such command or file: 'info'."},  // "--" ends the options
        UsageCase{{Sample, Sample}, "skylog: One FILE at most, or a command first."},
        UsageCase{{"info", "a.dat", "b.dat"}, "skylog info: Unexpected argument 'b.dat'."},
        UsageCase{{"parse"}, "skylog parse: Missing FILE."},
        UsageCase{{"parse", "--year", "08", "a.txt"}, "skylog parse: --year takes a four-digit year."},
        UsageCase{{"import", "--replace"}, "skylog import: Missing FILE."},
        UsageCase{{"import", "b.txt", "--data"}, "skylog import: Missing value after '--data'."},
        UsageCase{{"import", "--format", "nonsense", "b.txt"},
                  "skylog import: Unknown format \"nonsense\"; the formats known are "},
        UsageCase{{"render", Sample}, "skylog render: Missing -o FILE.png, FILE.svg or FILE.pdf."},
        UsageCase{{"render", "-o", "p.jpg"}, "skylog render: The output file must end in .png, .svg or .pdf."},
        UsageCase{{"render", "-o", "p.png", "--size", "12x"},
                  "skylog render: --size takes WIDTHxHEIGHT, each 100 to 20000."},
        UsageCase{{"render", "-o", "p.png", "--size", "500x99"},
                  "skylog render: --size takes WIDTHxHEIGHT, each 100 to 20000."},
        UsageCase{{"render", "-o", "p.png", "--scale", "0.5"}, "skylog render: --scale takes a number from 1 to 4."},
        UsageCase{{"render", "-o", "p.png", "--size", "12000x800", "--scale", "2"},
                  "skylog render: The picture would be wider or higher than 20000 pixels."},
        UsageCase{{"render", "-o", "p.svg", "--scale", "2"}, "skylog render: --scale applies to PNG pictures only."},
        UsageCase{{"print", Sample}, "skylog print: Missing -o FILE.pdf."},
        UsageCase{{"print", "-o", "p.png"}, "skylog print: The output file must end in .pdf."},
        UsageCase{{"print", "-o", "p.pdf", "--page", "A3"}, "skylog print: --page takes A4 or Letter."},
        UsageCase{{"export", Sample}, "skylog export: Missing -o FILE.csv."},
        UsageCase{{"fetch", "extra"}, "skylog fetch: Unexpected argument 'extra'."},
        UsageCase{{"fetch", "--keep", "/no/such/folder"},
                  "skylog fetch: The keep folder /no/such/folder does not exist or is not writable."}));

// Without a runtime folder or a display, a command prints its result and nothing else.
TEST(CommandLine, CommandsAreQuiet)
{
    TempFolder folder;
    const std::map<std::string, std::optional<std::string>> bare = {
        {"SKYLOG_HOME", folder.Path()},
        {"XDG_RUNTIME_DIR", std::nullopt},
        {"DISPLAY", std::nullopt},
        {"WAYLAND_DISPLAY", std::nullopt},
        {"QT_QPA_PLATFORM", std::nullopt}};
    const std::string picture = folder.File("plot.png");
    ProgramResult r = RunSkylog({"render", Sample, "-o", picture}, bare);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(QImage(QString::fromStdString(picture)).size(), QSize(1280, 800));

    r = RunSkylog({"info", Sample}, bare);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");

    // The window cannot open: one line says why.
    r = RunSkylog({}, bare);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_TRUE(StartsWith(r.err, "skylog: no display")) << r.err;
}

// 1 a failure, 2 a file that is not a data file. Nothing is written where a
// command fails.
TEST(CommandLine, ExitStatuses)
{
    TempFolder folder;
    const std::map<std::string, std::optional<std::string>> home = {{"SKYLOG_HOME", folder.Path()}};
    const std::string junk = folder.File("junk.dat"), missing = folder.File("missing.dat");
    const std::string empty = folder.File("EMPTY.DAT");
    const std::string png = folder.File("p.png"), pdf = folder.File("p.pdf"), csv = folder.File("p.csv");
    WriteTextFile(junk, "hello\n");
    WriteTextFile(empty, "! SKYLOG Solar Data Plot Version 3 Data File\n");
    struct Case {
        std::vector<std::string> arguments;
        int status;
        std::string message;  // a part of what it says
    };
    for (const Case& c : {
             Case{{"info", missing}, 1, "Could Not Open Data File"},
             Case{{"info", junk}, 2, "Unable To Read Data File"},
             Case{{"render", junk, "-o", png}, 2, ""},
             Case{{"render", missing, "-o", png}, 1, ""},
             Case{{"render", Sample, "-o", folder.File("no/such/dir/p.png")}, 1, "cannot write"},
             Case{{"parse", junk}, 1, ""},
             Case{{"import", "--data", junk, junk}, 2, ""},
             Case{{"print", empty, "-o", pdf}, 1, "holds no days to print"},
             Case{{"print", missing, "-o", pdf}, 1, ""},
             Case{{"print", Sample, "-o", folder.File("no/such/dir/p.pdf")}, 1, "cannot write"},
             Case{{"export", missing, "-o", csv}, 1, ""},
             Case{{"export", Sample, "-o", folder.File("no/such/dir/p.csv")}, 1, "cannot write"},
         }) {
        const ProgramResult r = RunSkylog(c.arguments, home);
        EXPECT_EQ(r.status, c.status) << Joined(c.arguments) << "\n" << r.out << r.err;
        EXPECT_NE((r.out + r.err).find(c.message), std::string::npos) << r.out << r.err;
    }
    EXPECT_EQ(ReadTextFile(junk), "hello\n");
    for (const std::string& output : {png, pdf, csv})
        EXPECT_FALSE(PathExists(output)) << output;
}

}  // namespace
