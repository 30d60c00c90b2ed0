#include <QApplication>
#include <iostream>
#include <string>
#include <vector>

#include "app/bulletin_commands.h"
#include "app/import_commands.h"
#include "app/info_command.h"
#include "ui/plotter_app.h"
#include "app/render_command.h"

namespace {

void PrintUsage()
{
    std::cerr << "usage: skylog                 (the main window)\n"
                 "       skylog info [DATAFILE]\n"
                 "       skylog parse FILE...\n"
                 "       skylog import [--data DATAFILE] [--replace] [[--format NAME] FILE...]...\n"
                 "       skylog update [--data DATAFILE] [--replace]\n"
                 "       skylog render [DATAFILE] -o FILE.png [--size WxH]\n";
}

int RunWindow(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("SkyLog");
    PlotterApp plotter;
    if (!plotter.InitInstance())
        return 0;
    return QApplication::exec();
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty())
        return RunWindow(argc, argv);
    const std::string command = args.front();
    args.erase(args.begin());
    if (command == "info")
        return RunInfoCommand(args);
    if (command == "parse")
        return RunParseCommand(args);
    if (command == "import")
        return RunImportCommand(args);
    if (command == "update")
        return RunUpdateCommand(args);
    if (command == "render")
        return RunRenderCommand(argc, argv, args);
    PrintUsage();
    return 64;
}
