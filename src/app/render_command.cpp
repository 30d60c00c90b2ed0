#include "app/render_command.h"

#include <QApplication>
#include <QFont>
#include <QImage>
#include <optional>
#include <iostream>

#include "app/command_setup.h"
#include "config/plot_settings.h"
#include "plot/plot_export.h"
#include "plot/plot_renderer.h"

namespace {

// "WIDTHxHEIGHT", each 100 to 20000.
std::optional<QSize> ParseSize(const std::string& text)
{
    const QStringList parts = QString::fromStdString(text).split('x');
    if (parts.size() != 2)
        return std::nullopt;
    bool widthOk = false, heightOk = false;
    const int width = parts[0].toInt(&widthOk), height = parts[1].toInt(&heightOk);
    if (!widthOk || !heightOk || width < 100 || height < 100 || width > 20000 || height > 20000)
        return std::nullopt;
    return QSize(width, height);
}

int RunRender(const CommandCall& call)
{
    const std::vector<std::string>& args = call.Arguments();
    const std::string dataPath = args.empty() ? std::string() : args[0];
    const std::optional<std::string> output = call.Value("output");
    if (!output || output->empty())
        return call.UsageError("Missing -o FILE.png, FILE.svg or FILE.pdf.");
    const std::optional<PlotFormat> format = PlotFormatOf(*output);
    if (!format)
        return call.UsageError("The output file must end in .png, .svg or .pdf.");
    QSize size(1280, 800);
    if (const auto sizeText = call.Value("size")) {
        const std::optional<QSize> parsed = ParseSize(*sizeText);
        if (!parsed)
            return call.UsageError("--size takes WIDTHxHEIGHT, each 100 to 20000.");
        size = *parsed;
    }
    double scale = 1;
    if (const auto scaleText = call.Value("scale")) {
        bool ok = false;
        scale = QString::fromStdString(*scaleText).toDouble(&ok);  // C locale: "1.5"
        if (!ok || scale < 1 || scale > 4)
            return call.UsageError("--scale takes a number from 1 to 4.");
        if (size.width() * scale > 20000 || size.height() * scale > 20000)
            return call.UsageError("The picture would be wider or higher than 20000 pixels.");
        if (*format != PlotFormat::Png)
            return call.UsageError("--scale applies to PNG pictures only.");
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static char programName[] = "skylog";
    int argc = 1;
    char* argv[] = {programName, nullptr};
    QApplication app(argc, argv);

    if (const std::optional<int> failed = LoadCommandData(dataPath))
        return *failed;

    std::string error;
    if (!ExportPlot(*output, size, scale, QApplication::font(), CreatePlotPens(Settings()), &error)) {
        std::cerr << "skylog render: cannot write " << *output << ": " << error << '\n';
        return ExitFailure;
    }
    return ExitSuccess;
}

}  // namespace

Command RenderCommand()
{
    return {"render", "[DATAFILE]", "Paints the plots into a PNG, SVG or PDF file.",
            "Paints exactly what the window's plot area shows (same code, the settings of the\n"
            "program folder) into a PNG picture, an SVG drawing or a one-page PDF, chosen by\n"
            "the output file's extension, 1280x800 unless --size says otherwise. With\n"
            "--scale 2 a PNG has twice the pixels each way, drawn as on a screen of double\n"
            "density.",
            {QCommandLineOption({"o", "output"}, "The file to write.", "FILE.png|.svg|.pdf"),
             QCommandLineOption("size", "The plot area's size (default 1280x800).", "WxH"),
             QCommandLineOption("scale", "Device pixels per pixel, 1 to 4 (default 1).", "N")},
            0, 1, RunRender};
}
