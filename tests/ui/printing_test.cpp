#include <gtest/gtest.h>

#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>

#include "support/dialog_driver.h"
#include "support/run_skylog.h"
#include "support/fresh_program.h"
#include "ui/frame.h"
#include "ui/plot_printer.h"
#include "ui/view.h"

class PrintingTest : public FreshProgramTest {
protected:
    void AddDays(int count)
    {
        for (int i = 0; i < count; ++i)
            AddRecord("05/01/2001", 100 + i, 150.0 + i);
        PreparePlotData();
    }
};

TEST_F(PrintingTest, PrintToPdfFileThroughThePrinter)
{
    AddDays(30);
    DataFile().path = "/home/user/GRAPH.DAT";
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(folder.File("printed.pdf")));
    PlotPrinter::PrintTo(&printer);
    const std::string info = RunCommand("pdfinfo " + folder.File("printed.pdf")).output;
    EXPECT_NE(info.find("Pages:           1"), std::string::npos) << info;
    const std::string text = RunCommand("pdftotext " + folder.File("printed.pdf") + " -").output;
    EXPECT_NE(text.find("SKYLOG SOLAR DATA PLOT OF /home/user/GRAPH.DAT"), std::string::npos) << text;
    EXPECT_GT(prompt.maxWaitDepth, 0);
}

TEST_F(PrintingTest, PreviewShowsOnePageAndPrintDialogCancels)
{
    AddDays(30);
    Frame frame;
    bool previewed = false;
    OnNextDialog([&](QWidget* dialog) {
        auto* preview = dialog->findChild<QPrintPreviewWidget*>();
        ASSERT_NE(preview, nullptr);
        previewed = preview->pageCount() == 1;
        dialog->close();
    });
    frame.Action("printPreview")->trigger();
    EXPECT_TRUE(previewed);

    bool asked = false;
    OnNextDialog([&](QWidget* dialog) {
        asked = true;
        static_cast<QDialog*>(dialog)->reject();
    });
    frame.Action("print")->trigger();
    EXPECT_TRUE(asked);
}
