#include <gtest/gtest.h>

#include <QImage>
#include <QPrintPreviewWidget>
#include <QLineEdit>

#include "data/data_file.h"
#include "support/dialog_driver.h"
#include "support/fresh_program.h"
#include "support/run_skylog.h"
#include "ui/export_plot_dlg.h"
#include "ui/frame.h"
#include "ui/plot_printer.h"
#include "ui/view.h"

class ExportTest : public FreshProgramTest {
protected:
    void SetUp() override
    {
        FreshProgramTest::SetUp();
        WriteTextFile(folder.File("GRAPH.DAT"), "! SKYLOG Solar Data Plot Version 3 Data File\n"
                                                "01/01/2000  100   150.9\n01/03/2000  120   170.5\n");
        DataFile().path = folder.File("GRAPH.DAT");
        ReadDataFile();
    }
};

// The plot goes out at the typed size, 100 to 20000 pixels, in a format its
// name's extension gives (anything else keeps the dialog open), previewed and printed on one page.
TEST_F(ExportTest, PlotExportedPreviewedAndPrinted)
{
    Frame frame;
    frame.resize(900, 600);
    QString offered;
    OnNextDialog([&](QWidget* widget) {
        auto* dialog = static_cast<ExportPlotDlg*>(widget);
        offered = dialog->PathField()->text();
        EXPECT_EQ(dialog->WidthField()->text().toInt(), frame.PlotView()->width());
        dialog->HeightField()->setText("450");
        for (const char* width : {"700", "99", "20001", "x"}) {  // the first with a .jpg name
            dialog->PathField()->setText(QString::fromStdString(folder.File(*width == '7' ? "plot.jpg" : "plot.png")));
            dialog->WidthField()->setText(width);
            dialog->accept();
            EXPECT_TRUE(dialog->isVisible()) << width;
        }
        dialog->WidthField()->setText("700");
        dialog->accept();
    });
    frame.Action("exportPlot")->trigger();
    EXPECT_EQ(offered.toStdString(), folder.File("skylog-plot.png"));
    ASSERT_EQ(prompt.messages.size(), 4u);
    EXPECT_EQ(prompt.messages[0].caption, "EXPORT PLOT");
    EXPECT_EQ(prompt.messages[1].text, "Please enter an integer between 100 and 20000.");
    EXPECT_EQ(QImage(QString::fromStdString(folder.File("plot.png"))).size(), QSize(700, 450));
    EXPECT_FALSE(PathExists(folder.File("plot.jpg")));

    int pages = 0;
    OnNextDialog([&](QWidget* dialog) {
        pages = dialog->findChild<QPrintPreviewWidget*>()->pageCount();
        dialog->close();
    });
    frame.Action("printPreview")->trigger();
    EXPECT_EQ(pages, 1);
    bool asked = false;  // by the print dialog, cancelled
    OnNextDialog([&](QWidget* dialog) { asked = dialog->close(); });
    frame.Action("print")->trigger();
    EXPECT_TRUE(asked);

    // Printed into a PDF file: one page under the data file's title.
    DataFile().path = "/home/user/GRAPH.DAT";
    const std::string pdf = folder.File("printed.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(pdf));
    PlotPrinter::PrintTo(&printer);
    EXPECT_NE(RunCommand("pdfinfo " + pdf).output.find("Pages:           1"), std::string::npos);
    EXPECT_NE(RunCommand("pdftotext " + pdf + " -").output.find("SKYLOG SOLAR DATA PLOT OF /home/user/GRAPH.DAT"),
              std::string::npos);
    EXPECT_GT(prompt.maxWaitDepth, 0);
}

// The days go out as CSV (the rows are the CSV writer's tests' business), but
// never over the data file.
TEST_F(ExportTest, DataAsCsvNeverOverTheDataFile)
{
    Frame frame;
    const std::string before = ReadTextFile(folder.File("GRAPH.DAT"));
    prompt.chosenFiles = {folder.File("GRAPH.DAT"), folder.File("days.csv"), folder.File("no/such/days.csv")};
    for (int i = 0; i < 3; ++i)
        frame.Action("exportData")->trigger();
    EXPECT_EQ(prompt.Captions(), (std::vector<std::string>{"EXPORT ERROR", "EXPORT ERROR"}));
    EXPECT_EQ(ReadTextFile(folder.File("GRAPH.DAT")), before);
    EXPECT_EQ(prompt.chooserStarts[0], folder.File("GRAPH.csv"));
    EXPECT_NE(ReadTextFile(folder.File("days.csv")).find("2000-01-03,120,170.5"), std::string::npos);
    EXPECT_EQ(Records().DataChanged(), 0);
}

