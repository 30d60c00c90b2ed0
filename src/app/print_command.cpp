#include "app/print_command.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QLocale>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <ctime>
#include <iostream>

#include "app/command_setup.h"
#include "config/plot_settings.h"
#include "data/data_file.h"
#include "data/record_array.h"
#include "data/text_file.h"
#include "plot/plot_renderer.h"
#include "plot/print_page.h"

namespace {

// The page as a 600 dpi printer would draw it.
constexpr int PrintResolution = 600;

QPageSize::PageSizeId DefaultPage()
{
    return QLocale::system().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                              : QPageSize::A4;
}

int RunPrint(const CommandCall& call)
{
    const std::vector<std::string>& args = call.Arguments();
    const std::string dataPath = args.empty() ? std::string() : args[0];
    const std::optional<std::string> output = call.Value("output");
    if (!output || output->empty())
        return call.UsageError("Missing -o FILE.pdf.");
    if (LowerExtension(*output) != "pdf")
        return call.UsageError("The output file must end in .pdf.");
    QPageSize::PageSizeId pageSize = DefaultPage();
    if (const auto page = call.Value("page")) {
        const QString name = QString::fromStdString(*page).toLower();
        if (name == "a4")
            pageSize = QPageSize::A4;
        else if (name == "letter")
            pageSize = QPageSize::Letter;
        else
            return call.UsageError("--page takes A4 or Letter.");
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static char programName[] = "skylog";
    int argc = 1;
    char* argv[] = {programName, nullptr};
    QGuiApplication app(argc, argv);
    if (const std::optional<int> failed = LoadCommandData(dataPath))
        return *failed;
    if (Records().RecordCount() == 0) {
        std::cerr << "skylog print: " << DataFile().path << " holds no days to print\n";
        return ExitFailure;
    }

    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setCreator("SkyLog");
        writer.setTitle("SKYLOG Solar Data Plot");
        writer.setResolution(PrintResolution);
        writer.setPageSize(QPageSize(pageSize));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter(&writer);
        PrepareAveragesForPrinting();
        PrintPage(painter, PageDeviceOf(writer), CreatePlotPens(Settings()), std::time(nullptr));
    }
    AtomicFileWriter file(*output);
    file.Write(std::string_view(pdf.data().constData(), static_cast<std::size_t>(pdf.data().size())));
    if (!file.Commit()) {
        std::cerr << "skylog print: cannot write " << *output << ": " << file.Error() << '\n';
        return ExitFailure;
    }
    return ExitSuccess;
}

}  // namespace

Command PrintCommand()
{
    return {"print", "[DATAFILE]", "Writes the printed page into a PDF file.",
            "Writes the page that File, Print puts on paper (headline, both plots, the record\n"
            "table) into a one-page PDF at 600 dots per inch. Without --page the paper is the\n"
            "one usual where you live (Letter in the US, A4 elsewhere).",
            {QCommandLineOption({"o", "output"}, "The PDF file to write.", "FILE.pdf"),
             QCommandLineOption("page", "The paper: A4 or Letter.", "A4|Letter")},
            0, 1, RunPrint};
}
