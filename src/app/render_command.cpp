#include "app/render_command.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <iostream>

#include "config/plot_settings.h"
#include "config/program_folder.h"
#include "data/data_file.h"
#include "data/text_file.h"
#include "plot/plot_renderer.h"
#include "plot/plot_state.h"

int RunRenderCommand(int argc, char** argv, const std::vector<std::string>& args)
{
    std::string dataPath, output;
    int width = 1280, height = 800;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o" && i + 1 < args.size()) {
            output = args[++i];
        } else if (args[i] == "--size" && i + 1 < args.size()) {
            if (std::sscanf(args[++i].c_str(), "%dx%d", &width, &height) != 2 || width < 100 ||
                height < 100 || width > 20000 || height > 20000) {
                std::cerr << "skylog render: --size takes WIDTHxHEIGHT, each 100 to 20000\n";
                return 64;
            }
        } else if (dataPath.empty() && args[i].rfind("-", 0) != 0) {
            dataPath = args[i];
        } else {
            output.clear();
            break;
        }
    }
    if (output.empty()) {
        std::cerr << "usage: skylog render [DATAFILE] -o FILE.png [--size WxH]\n";
        return 64;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    // The settings of the program folder, read without creating its file.
    const bool hadIni = FileExists(IniFilePath());
    if (hadIni)
        LoadSettings();
    if (!dataPath.empty()) {
        DataFilePath = dataPath;
    } else if (DataFilePath.empty()) {
        DataFilePath = ProgramFile("GRAPH.DAT");
    } else if (DataFilePath.find('/') == std::string::npos) {
        DataFilePath = ProgramFile(DataFilePath);
    }
    ConnectPlotToDataFile();
    const ReadOutcome outcome = ReadDataFile();
    if (outcome == ReadOutcome::Refused)
        return 2;
    if (outcome != ReadOutcome::Read && outcome != ReadOutcome::NoPath)
        return 1;

    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setFont(QApplication::font());
    PaintPlot(painter, {0, 0, width, height}, CreatePlotPens(Settings()));
    painter.end();
    if (!image.save(QString::fromStdString(output), "PNG")) {
        std::cerr << "skylog render: cannot write " << output << '\n';
        return 1;
    }
    return 0;
}
