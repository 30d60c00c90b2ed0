// A command-line command ("skylog info", "skylog render", ...): its name, its
// usage and help texts, its options, and the function that runs it. The
// command line parses and checks the arguments before the function runs, so
// every command gets --help, the usage error and exit status 64 alike.
#pragma once

#include <QCommandLineOption>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QCommandLineParser;
struct Command;

// Exit statuses of every command-line use.
enum ExitStatus : int {
    ExitSuccess = 0,
    ExitFailure = 1,      // the command failed (a file could not be read or written, ...)
    ExitNotDataFile = 2,  // the file given as data file is not one
    ExitUsage = 64,       // unknown option, missing value, wrong arguments
};

// What a command's function gets: the checked arguments and options.
class CommandCall {
public:
    CommandCall(const Command& command, const QCommandLineParser& parser, const QStringList& raw);

    // The positional arguments (file names), in order.
    const std::vector<std::string>& Arguments() const { return arguments_; }
    // Everything after the command name as given (already checked): for an
    // option that applies to the files after it.
    const std::vector<std::string>& RawArguments() const { return raw_; }
    bool IsSet(const QString& option) const;
    // The option's value, when it was given.
    std::optional<std::string> Value(const QString& option) const;
    // Reports a wrong use found by the command itself ("--size takes ...")
    // with the command's usage; returns ExitUsage.
    int UsageError(const QString& message) const;

private:
    const Command& command_;
    const QCommandLineParser& parser_;
    std::vector<std::string> arguments_;
    std::vector<std::string> raw_;
};

struct Command {
    QString name;         // "render"
    QString arguments;    // what follows the options in the usage: "[DATAFILE]"
    QString summary;      // one line in "skylog --help"
    QString description;  // the paragraph of "skylog NAME --help"
    std::vector<QCommandLineOption> options;
    int minArguments = 0;
    int maxArguments = -1;  // -1: any number
    std::function<int(const CommandCall&)> run;
};
