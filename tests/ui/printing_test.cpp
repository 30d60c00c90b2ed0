#include <gtest/gtest.h>

#include <QDialog>
#include <QPrintPreviewWidget>

#include "support/dialog_driver.h"
#include "support/fresh_program.h"
#include "support/run_skylog.h"
#include "ui/frame.h"
#include "ui/plot_printer.h"
#include "ui/view.h"

using PrintingTest = FreshProgramTest;

// Printing into a PDF file gives one page under the data file's title; the
// preview shows one page; the print dialog cancels.
TEST_F(PrintingTest, ToAPdfFileThePreviewAndThePrintDialog)
{
    for (int i = 0; i < 30; ++i)
        AddRecord("05/01/2001", 100 + i, 150.0 + i);
    PreparePlotData();
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

    Frame frame;
    int pages = 0;
    OnNextDialog([&](QWidget* dialog) {
        pages = dialog->findChild<QPrintPreviewWidget*>()->pageCount();
        dialog->close();
    });
    frame.Action("printPreview")->trigger();
    EXPECT_EQ(pages, 1);
    bool asked = false;
    OnNextDialog([&](QWidget* dialog) {
        asked = true;
        static_cast<QDialog*>(dialog)->reject();
    });
    frame.Action("print")->trigger();
    EXPECT_TRUE(asked);
}
