#include <iostream>
#include <string>
#include <vector>

#include "app/bulletin_commands.h"
#include "app/info_command.h"

namespace {

void PrintUsage()
{
    std::cerr << "usage: skylog info [DATAFILE]\n"
                 "       skylog parse FILE...\n"
                 "       skylog import [--data DATAFILE] [--replace] FILE...\n";
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        PrintUsage();
        return 64;
    }
    const std::string command = args.front();
    args.erase(args.begin());
    if (command == "info")
        return RunInfoCommand(args);
    if (command == "parse")
        return RunParseCommand(args);
    if (command == "import")
        return RunImportCommand(args);
    PrintUsage();
    return 64;
}
