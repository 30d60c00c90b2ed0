#include "app/command_line.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <algorithm>
#include <iostream>

#include "app/commands.h"
#include "app/quiet_toolkit.h"
#include "app/window_start.h"
#include "config/program_folder.h"

namespace {

const QString Program = "skylog";

void Print(std::ostream& stream, const QString& text)
{
    stream << text.toLocal8Bit().toStdString();
    stream.flush();
}

QString WindowUsage()
{
    return "Usage: " + Program + " [options] [FILE]\n       " + Program +
           " COMMAND [options] [ARGUMENTS]\n";
}

QString CommandUsage(const Command& command)
{
    QString usage = "Usage: " + Program + ' ' + command.name + " [options]";
    if (!command.arguments.isEmpty())
        usage += ' ' + command.arguments;
    return usage + '\n';
}

// The options part of Qt's help text (its own usage line names the
// executable as Qt sees it, so ours replaces it).
QString OptionsHelp(const QCommandLineParser& parser)
{
    const QString text = parser.helpText();
    const qsizetype start = text.indexOf("Options:");
    return start < 0 ? QString() : text.mid(start);
}

const Command* FindCommand(const QString& name)
{
    const std::vector<Command>& commands = Commands();
    const auto found = std::find_if(commands.begin(), commands.end(),
                                    [&](const Command& c) { return c.name == name; });
    return found == commands.end() ? nullptr : &*found;
}

int WindowUsageError(const QString& message)
{
    Print(std::cerr, Program + ": " + message + '\n' + WindowUsage() + "Try '" + Program +
                         " --help' for more information.\n");
    return ExitUsage;
}

int CommandUsageError(const Command& command, const QString& message)
{
    Print(std::cerr, Program + ' ' + command.name + ": " + message + '\n' + CommandUsage(command) +
                         "Try '" + Program + ' ' + command.name +
                         " --help' for more information.\n");
    return ExitUsage;
}

QCommandLineOption HelpOption(const QString& what)
{
    return QCommandLineOption(QStringList{"h", "help"}, "Shows this help on " + what + ".");
}

void PrintWindowHelp(const QCommandLineParser& parser)
{
    QString text = WindowUsage() +
                   "\nKeeps a daily history of the sunspot number and the 10.7 cm solar flux and\n"
                   "shows it as plots. Without a command it opens the main window, on FILE when\n"
                   "one is given; when the window is already open, FILE is opened there.\n\n" +
                   OptionsHelp(parser) + "\nCommands:\n";
    qsizetype width = 0;
    for (const Command& command : Commands())
        width = std::max(width, command.name.size());
    for (const Command& command : Commands())
        text += "  " + command.name.leftJustified(width + 2) + command.summary + '\n';
    text += "\nEach command has its own --help (skylog COMMAND --help).\n"
            "Exit status: 0 success, 1 failure, 2 a file that is not a data file, 64 wrong use\n"
            "of the command line.\n";
    text += "The manual: " + QString::fromStdString(ManualPath()) + '\n';
    Print(std::cout, text);
}

int RunCommand(const Command& command, const QStringList& arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption help = HelpOption("the command");
    parser.addOption(help);
    for (const QCommandLineOption& option : command.options)
        parser.addOption(option);
    if (!parser.parse(QStringList{Program + ' ' + command.name} + arguments))
        return CommandUsageError(command, parser.errorText());
    if (parser.isSet(help)) {
        Print(std::cout, CommandUsage(command) + '\n' + command.description + "\n\n" +
                             OptionsHelp(parser));
        return ExitSuccess;
    }
    const auto count = parser.positionalArguments().size();
    if (count < command.minArguments)
        return CommandUsageError(
            command, "Missing " + command.arguments.section(' ', -1).remove("...").remove('[').remove(']') + '.');
    if (command.maxArguments >= 0 && count > command.maxArguments)
        return CommandUsageError(command, "Unexpected argument '" +
                                              parser.positionalArguments().at(command.maxArguments) +
                                              "'.");
    QuietToolkit();
    return command.run(CommandCall(command, parser, arguments));
}

// The first argument that is not an option: a command name, when it names
// one. The program's own options take no values, so anything before it is an
// option; after "--" everything is a file.
const Command* CommandIn(const QStringList& arguments, qsizetype& index)
{
    for (index = 0; index < arguments.size(); ++index) {
        if (arguments[index] == "--")
            return nullptr;
        if (!arguments[index].startsWith('-') || arguments[index] == "-")
            return FindCommand(arguments[index]);
    }
    return nullptr;
}

}  // namespace

CommandCall::CommandCall(const Command& command, const QCommandLineParser& parser,
                         const QStringList& raw)
    : command_(command), parser_(parser)
{
    for (const QString& argument : parser.positionalArguments())
        arguments_.push_back(argument.toLocal8Bit().toStdString());
    for (const QString& argument : raw)
        raw_.push_back(argument.toLocal8Bit().toStdString());
}

bool CommandCall::IsSet(const QString& option) const
{
    return parser_.isSet(option);
}

std::optional<std::string> CommandCall::Value(const QString& option) const
{
    if (!parser_.isSet(option))
        return std::nullopt;
    return parser_.value(option).toLocal8Bit().toStdString();
}

int CommandCall::UsageError(const QString& message) const
{
    return CommandUsageError(command_, message);
}

int RunCommandLine(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    qsizetype commandIndex = 0;
    const Command* command = CommandIn(arguments, commandIndex);

    QCommandLineParser parser;
    const QCommandLineOption help = HelpOption("the command line");
    const QCommandLineOption version(QStringList{"v", "version"}, "Shows the program's version.");
    parser.addOption(help);
    parser.addOption(version);
    parser.addPositionalArgument("FILE", "The data file to open in the window.", "[FILE]");
    const QStringList own = command ? arguments.mid(0, commandIndex) : arguments;
    if (!parser.parse(QStringList{Program} + own))
        return WindowUsageError(parser.errorText());
    if (parser.isSet(help)) {
        PrintWindowHelp(parser);
        return ExitSuccess;
    }
    if (parser.isSet(version)) {
        Print(std::cout, Program + ' ' + SKYLOG_VERSION + '\n');
        return ExitSuccess;
    }
    if (command)
        return RunCommand(*command, arguments.mid(commandIndex + 1));
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return WindowUsageError("One FILE at most, or a command first.");
    if (files.isEmpty())
        return RunWindow({});
    const QFileInfo file(files.first());
    if (!file.isFile())
        return WindowUsageError(file.exists() ? "'" + files.first() + "' is not a file."
                                              : "No such command or file: '" + files.first() + "'.");
    return RunWindow(file.absoluteFilePath());
}
