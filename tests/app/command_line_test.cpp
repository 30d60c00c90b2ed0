// The command line through the real program: help, version, wrong use and
// the quiet command-line uses.
#include <gtest/gtest.h>

#include <QImage>

#include "support/run_program.h"
#include "support/temp_folder.h"

namespace {

const std::string Sample = std::string(SKYLOG_SAMPLE_DIR) + "/GRAPH.DAT";

bool StartsWith(const std::string& text, const std::string& start)
{
    return text.rfind(start, 0) == 0;
}

std::string FirstLine(const std::string& text)
{
    return text.substr(0, text.find('\n'));
}

struct HelpCase {
    std::vector<std::string> arguments;
    std::string usage;    // the first line of the answer
    std::string mention;  // something the help must explain
};

std::string Joined(const std::vector<std::string>& arguments)
{
    std::string text = "skylog";
    for (const std::string& argument : arguments)
        text += " " + argument.substr(argument.rfind('/') + 1);
    return text;
}

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
    EXPECT_EQ(FirstLine(r.out), c.usage);
    EXPECT_NE(r.out.find(c.mention), std::string::npos) << r.out;
    EXPECT_EQ(r.err, "");
}

INSTANTIATE_TEST_SUITE_P(
    EveryCommand, CommandLineHelp,
    testing::Values(HelpCase{{"--help"}, "Usage: skylog [options] [FILE]", "render"},
                    HelpCase{{"-h"}, "Usage: skylog [options] [FILE]", "64 wrong use"},
                    HelpCase{{"--help", "render"}, "Usage: skylog [options] [FILE]", "import"},
                    HelpCase{{"info", "--help"}, "Usage: skylog info [options] [DATAFILE]", "exit status 2"},
                    HelpCase{{"parse", "-h"}, "Usage: skylog parse [options] FILE...", "Exit status 0"},
                    HelpCase{{"import", "--help"}, "Usage: skylog import [options] [[--format NAME] FILE...]...",
                             "--replace"},
                    HelpCase{{"render", "--help"}, "Usage: skylog render [options] [DATAFILE]", "--scale <N>"},
                    HelpCase{{"render", "-o", "x.png", "--help"}, "Usage: skylog render [options] [DATAFILE]",
                             "--size <WxH>"}));

TEST(CommandLine, VersionIsTheProjectVersion)
{
    for (const char* option : {"--version", "-v"}) {
        const ProgramResult r = RunSkylog({option});
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, std::string("skylog ") + SKYLOG_PROJECT_VERSION + "\n");
        EXPECT_EQ(r.err, "");
    }
}

struct UsageCase {
    std::vector<std::string> arguments;
    std::string error;  // the start of the first line on standard error
    std::string usage;  // the second
};

void PrintTo(const UsageCase& c, std::ostream* out)
{
    *out << Joined(c.arguments);
}

class CommandLineMisuse : public testing::TestWithParam<UsageCase> {};

TEST_P(CommandLineMisuse, OneLineErrorAndUsageWithStatus64)
{
    const UsageCase& c = GetParam();
    TempFolder folder;
    const ProgramResult r = RunSkylog(c.arguments, {{"SKYLOG_HOME", folder.Path()}});
    EXPECT_EQ(r.status, 64) << r.err;
    EXPECT_EQ(r.out, "");
    const std::size_t firstEnd = r.err.find('\n');
    ASSERT_NE(firstEnd, std::string::npos) << r.err;
    EXPECT_TRUE(StartsWith(r.err.substr(0, firstEnd), c.error)) << r.err;
    EXPECT_TRUE(StartsWith(r.err.substr(firstEnd + 1), c.usage)) << r.err;
    // Nothing was written into the program folder.
    EXPECT_FALSE(PathExists(folder.File("GRAPH.DAT")));
    EXPECT_FALSE(PathExists(folder.File("SKYLOG.INI")));
}

const std::string WindowUsage = "Usage: skylog [options] [FILE]";
const std::string RenderUsage = "Usage: skylog render [options] [DATAFILE]";

INSTANTIATE_TEST_SUITE_P(
    Everywhere, CommandLineMisuse,
    testing::Values(
        UsageCase{{"--bogus"}, "skylog: Unknown option 'bogus'.", WindowUsage},
        UsageCase{{"-x", "info"}, "skylog: Unknown option 'x'.", WindowUsage},
        UsageCase{{"no-such-file.dat"}, "skylog: No such command or file: 'no-such-file.dat'.", WindowUsage},
        UsageCase{{Sample, Sample}, "skylog: One FILE at most, or a command first.", WindowUsage},
        UsageCase{{"info", "a.dat", "b.dat"}, "skylog info: Unexpected argument 'b.dat'.",
                  "Usage: skylog info [options] [DATAFILE]"},
        UsageCase{{"info", "--frob"}, "skylog info: Unknown option 'frob'.", "Usage: skylog info"},
        UsageCase{{"parse"}, "skylog parse: Missing FILE.", "Usage: skylog parse [options] FILE..."},
        UsageCase{{"import", "--replace"}, "skylog import: Missing FILE.", "Usage: skylog import"},
        UsageCase{{"import", "b.txt", "--data"}, "skylog import: Missing value after '--data'.",
                  "Usage: skylog import"},
        UsageCase{{"import", "--format", "nonsense", "b.txt"},
                  "skylog import: Unknown format \"nonsense\"; the formats known are ", "Usage: skylog import"},
        UsageCase{{"render", Sample}, "skylog render: Missing -o FILE.png, FILE.svg or FILE.pdf.", RenderUsage},
        UsageCase{{"render", "-o"}, "skylog render: Missing value after '-o'.", RenderUsage},
        UsageCase{{"render", "-o", "p.png", "--size", "12x"},
                  "skylog render: --size takes WIDTHxHEIGHT, each 100 to 20000.", RenderUsage},
        UsageCase{{"render", "-o", "p.png", "--size", "99x500"},
                  "skylog render: --size takes WIDTHxHEIGHT, each 100 to 20000.", RenderUsage},
        UsageCase{{"render", "-o", "p.png", "--scale", "0.5"},
                  "skylog render: --scale takes a number from 1 to 4.", RenderUsage},
        UsageCase{{"render", "-o", "p.png", "--scale", "two"},
                  "skylog render: --scale takes a number from 1 to 4.", RenderUsage},
        UsageCase{{"render", "-o", "p.png", "--size", "12000x800", "--scale", "2"},
                  "skylog render: The picture would be wider or higher than 20000 pixels.", RenderUsage}));

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

// The statuses scripts rely on: 1 a failure, 2 a file that is not a data
// file, 64 wrong use. Nothing is written where a command fails.
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
             Case{{"render", Sample, "-o", folder.File("no/such/dir/p.png")}, 1, ""},
             Case{{"render", Sample, "-o", folder.File("p.jpg")}, 64, ""},
             Case{{"render", Sample, "-o", folder.File("p.svg"), "--scale", "2"}, 64, ""},
             Case{{"parse", junk}, 1, ""},
             Case{{"import", "--data", junk, junk}, 2, ""},
             Case{{"print", empty}, 64, ""},
             Case{{"print", empty, "-o", png}, 64, ""},
             Case{{"print", empty, "-o", pdf, "--page", "A3"}, 64, ""},
             Case{{"print", empty, "-o", pdf}, 1, ""},  // no days to print
             Case{{"print", missing, "-o", pdf}, 1, ""},
             Case{{"export", Sample}, 64, ""},
             Case{{"export", missing, "-o", csv}, 1, ""},
             Case{{"export", Sample, "-o", folder.File("no/such/dir/p.csv")}, 1, "cannot write"},
             Case{{"fetch", "--bogus"}, 64, ""},
             Case{{"fetch", "--site"}, 64, ""},
             Case{{"fetch", "extra"}, 64, ""},
             Case{{"fetch", "--keep", "/no/such/folder"}, 64, ""},
             Case{{"--", "info"}, 64, ""},  // "--" makes a command name a file name
         }) {
        const ProgramResult r = RunSkylog(c.arguments, home);
        EXPECT_EQ(r.status, c.status) << Joined(c.arguments) << "\n" << r.out << r.err;
        EXPECT_NE((r.out + r.err).find(c.message), std::string::npos) << r.out << r.err;
    }
    EXPECT_EQ(ReadTextFile(junk), "hello\n");
    for (const std::string& output : {png, pdf, csv, folder.File("p.jpg"), folder.File("p.svg")})
        EXPECT_FALSE(PathExists(output)) << output;
}

}  // namespace

// "--scale 2": twice the pixels each way, the same picture.
TEST(CommandLine, RenderAtDoubleScale)
{
    TempFolder folder;
    const std::map<std::string, std::optional<std::string>> home = {{"SKYLOG_HOME", folder.Path()}};
    // The bare plot: labels are text, drawn finer rather than doubled.
    WriteTextFile(folder.File("SKYLOG.INI"), "[SOLAR_DATA]\nAxisLabels=0\n");
    const std::string single = folder.File("single.png"), twice = folder.File("twice.png");
    ASSERT_EQ(RunSkylog({"render", Sample, "-o", single, "--size", "640x400"}, home).status, 0);
    ASSERT_EQ(RunSkylog({"render", Sample, "-o", twice, "--size", "640x400", "--scale", "2"}, home).status, 0);
    const QImage one(QString::fromStdString(single)), two(QString::fromStdString(twice));
    ASSERT_EQ(one.size(), QSize(640, 400));
    ASSERT_EQ(two.size(), QSize(1280, 800));
    int same = 0;
    for (int y = 0; y < 400; ++y)
        for (int x = 0; x < 640; ++x)
            same += two.pixel(2 * x + 1, 2 * y + 1) == one.pixel(x, y) ? 1 : 0;
    EXPECT_GT(same, 640 * 400 * 85 / 100);  // text and thick curves are finer, the rest doubled
}
