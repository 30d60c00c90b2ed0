#include <gtest/gtest.h>

#include <QImage>
#include <QLineEdit>

#include "data/data_file.h"
#include "support/dialog_driver.h"
#include "support/fresh_program.h"
#include "ui/export_plot_dlg.h"
#include "ui/frame.h"
#include "ui/view.h"

class ExportTest : public FreshProgramTest {
protected:
    void SetUp() override
    {
        FreshProgramTest::SetUp();
        const std::string data = "! SKYLOG Solar Data Plot Version 3 Data File\n"
                                 "01/01/2000  100   150.9\n"
                                 "01/02/2000  110   160.2\n"
                                 "01/03/2000  120   170.5\n";
        WriteTextFile(folder.File("GRAPH.DAT"), data);
        DataFile().path = folder.File("GRAPH.DAT");
        ReadDataFile();
    }
};

TEST_F(ExportTest, PlotAtATypedSizeAndTheFormatOfItsName)
{
    Frame frame;
    frame.resize(900, 600);
    emit frame.PlotView()->recordCountChanged();
    ASSERT_TRUE(frame.Action("exportPlot")->isEnabled());
    QString offered;
    OnNextDialog([&](QWidget* widget) {
        auto* dialog = static_cast<ExportPlotDlg*>(widget);
        offered = dialog->PathField()->text();
        EXPECT_EQ(dialog->WidthField()->text().toInt(), frame.PlotView()->width());
        dialog->PathField()->setText(QString::fromStdString(folder.File("plot.jpg")));
        dialog->WidthField()->setText("700");
        dialog->HeightField()->setText("450");
        dialog->accept();  // refused: no known extension
        EXPECT_TRUE(dialog->isVisible());
        dialog->PathField()->setText(QString::fromStdString(folder.File("plot.png")));
        // Sizes from 100 to 20000 pixels.
        for (const char* width : {"99", "20001", "x"}) {
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
}

TEST_F(ExportTest, DataAsCsvNeverOverTheDataFile)
{
    Frame frame;
    const std::string before = ReadTextFile(folder.File("GRAPH.DAT"));
    prompt.chosenFiles.push_back(folder.File("GRAPH.DAT"));
    frame.Action("exportData")->trigger();
    EXPECT_EQ(prompt.Captions(), std::vector<std::string>{"EXPORT ERROR"});
    EXPECT_EQ(ReadTextFile(folder.File("GRAPH.DAT")), before);

    prompt.chosenFiles.push_back(folder.File("days.csv"));
    frame.Action("exportData")->trigger();
    EXPECT_EQ(prompt.chooserStarts.back(), folder.File("GRAPH.csv"));
    // The rows themselves are the CSV writer's tests' business.
    EXPECT_NE(ReadTextFile(folder.File("days.csv")).find("2000-01-03,120,170.5"), std::string::npos);
    EXPECT_EQ(Records().DataChanged(), 0);

    prompt.chosenFiles.push_back(folder.File("no/such/folder/days.csv"));
    frame.Action("exportData")->trigger();
    EXPECT_EQ(prompt.Captions().back(), "EXPORT ERROR");
}
