#include <gtest/gtest.h>

#include <QCheckBox>
#include <QImage>
#include <QLineEdit>
#include <QPrintPreviewWidget>

#include "data/number_text.h"
#include "support/dialog_driver.h"
#include "support/plot_fixture.h"
#include "support/run_skylog.h"
#include "ui/color_legend_dlg.h"
#include "ui/export_plot_dlg.h"
#include "ui/frame.h"
#include "ui/plot_printer.h"
#include "ui/record_high_low_dlg.h"
#include "ui/stagger_dlg.h"
#include "ui/view.h"

// 100 days from 01/01/2000 in GRAPH.DAT, day i with the values below.
class PlotDialogsTest : public FreshProgramTest {
protected:
    static int DaySpots(int i) { return 100 + (i * 37) % 90; }
    static double DayFlux(int i) { return 120.0 + (i * 53) % 70 / 2.0; }
    void SetUp() override
    {
        FreshProgramTest::SetUp();
        std::string text = "! SKYLOG Solar Data Plot Version 3 Data File\n";
        for (int i = 0; i < 100; ++i)
            text += DayDate(i, 2000) + "  " + std::to_string(DaySpots(i)) + "   " + FormatFixed(DayFlux(i), 5, 1) +
                    "\n";
        WriteTextFile(folder.File("GRAPH.DAT"), text);
        DataFile().path = folder.File("GRAPH.DAT");
    }
};

// Stagger loads every nth day through the typed day, or all days and says why; then records and legend.
TEST_F(PlotDialogsTest, StaggerRecordsAndLegendFromTheirDialogs)
{
    Frame frame;
    ReadDataFile();
    emit frame.PlotView()->recordCountChanged();
    const struct {
        const char *interval, *date, *storedDay, *caption;
        bool enable;
        int enabled, count;
    } cases[] = {
        {"7", "1/5/2000", "01/05/2000", "", true, 1, 14},  // days 4, 11, ..., 95
        {"100000", "1/9/2000", "01/05/2000", "SKYLOG", true, 1, 14},  // refused, then Cancel
        {"99999", "01/05/2000", "01/05/2000", "", false, 0, 100},
        {"0", "1/9/2000", "01/05/2000", "SKYLOG", true, 0, 100},  // refused, then Cancel
        {"7", "15/03/2000", "15/03/2000", "Day Not Found", true, 0, 100},
        {"7", "5th March", "15/03/2000", "Invalid Date", true, 0, 100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.date);
        prompt.messages.clear();
        OnNextDialog([&](QWidget* widget) {
            auto* dialog = static_cast<StaggerDlg*>(widget);
            dialog->IntervalField()->setText(c.interval);
            dialog->DateField()->setText(c.date);
            dialog->EnableBox()->setChecked(c.enable);
            dialog->accept();
            if (dialog->isVisible())
                dialog->reject();
        });
        frame.Action("staggerPlot")->trigger();
        EXPECT_EQ(Stagger().enabled, c.enabled);
        EXPECT_EQ(Stagger().interval, 7);
        EXPECT_EQ(Stagger().day, c.storedDay);
        ASSERT_EQ(Records().RecordCount(), c.count);
        EXPECT_EQ(frame.Action("staggerPlot")->isChecked(), c.enabled == 1);
        EXPECT_EQ(Records().At(c.count - 1).GetDate(), DayDate(c.count == 14 ? 95 : 99, 2000));
        EXPECT_EQ(prompt.Captions(), std::vector<std::string>(*c.caption ? 1 : 0, c.caption));
    }

    // Records: each field shows the day the extremes (found by the averages' code) name.
    const RecordExtremes& e = RecordStats();
    const auto flux = [](int i) { return QString::number(DayFlux(i), 'f', 1); };
    const std::tuple<QString, int, QString> extremes[] = {
        {"highSpots", e.HighSpotsIndex, QString::number(DaySpots(e.HighSpotsIndex))},
        {"lowSpots", e.LowSpotsIndex, QString::number(DaySpots(e.LowSpotsIndex))},
        {"highFlux", e.HighFluxIndex, flux(e.HighFluxIndex)},
        {"lowFlux", e.LowFluxIndex, flux(e.LowFluxIndex)},
    };
    int shown = 0;
    OnNextDialog([&](QWidget* widget) {
        auto* dialog = static_cast<RecordHighLowDlg*>(widget);
        for (const auto& [name, day, value] : extremes) {
            EXPECT_EQ(dialog->FieldText(name + "Date").toStdString(), DayDate(day, 2000)) << name.toStdString();
            EXPECT_EQ(dialog->FieldText(name), value);
            ++shown;
        }
        dialog->accept();
    });
    frame.Action("records")->trigger();
    EXPECT_EQ(shown, 4);

    // The legend draws each curve's sample, 3 pixels thick, in its colour.
    PlotSettings& s = Settings();
    s.Colors[Background] = 0x202020;
    s.Colors[Spots] = 0x0000FF;    // red: the flux curve
    s.Colors[AvFlux] = 0xFF0000;   // blue
    s.Colors[Flux] = 0x00FF00;     // green: the sunspot curve
    s.Colors[AvSpots] = 0x00FFFF;  // yellow
    QImage picture;
    std::vector<QLine> lines;
    OnNextDialog([&](QWidget* widget) {
        LegendArea* legend = static_cast<ColorLegendDlg*>(widget)->Legend();
        for (int i = 0; i < LegendArea::Samples; ++i)
            lines.push_back(legend->SampleLine(i));
        picture = legend->grab().toImage();
        static_cast<QDialog*>(widget)->accept();
    });
    frame.Action("colorLegend")->trigger();
    const QRgb curves[4] = {qRgb(255, 0, 0), qRgb(0, 0, 255), qRgb(0, 255, 0), qRgb(255, 255, 0)};
    ASSERT_EQ(lines.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        const QPoint middle = (lines[i].p1() + lines[i].p2()) / 2;
        for (const auto& [dy, colour] : {std::pair{0, curves[i]}, {1, curves[i]}, {3, qRgb(32, 32, 32)}})
            EXPECT_EQ(picture.pixel(middle + QPoint(0, dy)), colour) << i << " " << dy;
    }
}

// Plot export at a typed size and a known extension, CSV never over the data file, one printed page.
TEST_F(PlotDialogsTest, ExportAndPrintFromTheWindow)
{
    ReadDataFile();
    Frame frame;
    frame.resize(900, 600);
    QString offered;
    OnNextDialog([&](QWidget* widget) {
        auto* dialog = static_cast<ExportPlotDlg*>(widget);
        offered = dialog->PathField()->text();
        EXPECT_EQ(dialog->WidthField()->text().toInt(), frame.PlotView()->width());
        dialog->HeightField()->setText("450");
        for (const char* width : {"700", "99", "20001", "x"}) {  // the first with a .jpg name
            const char* name = *width == '7' ? "plot.jpg" : "plot.png";
            dialog->PathField()->setText(QString::fromStdString(folder.File(name)));
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
    EXPECT_EQ(prompt.messages[1].text, "Please enter an integer between 100 and 20000.");
    EXPECT_EQ(QImage(QString::fromStdString(folder.File("plot.png"))).size(), QSize(700, 450));
    EXPECT_FALSE(PathExists(folder.File("plot.jpg")));

    // The days as CSV (the rows are the CSV writer's tests' business), but never over the data file.
    prompt.messages.clear();
    const std::string before = ReadTextFile(folder.File("GRAPH.DAT"));
    prompt.chosenFiles = {folder.File("GRAPH.DAT"), folder.File("days.csv"), folder.File("no/such/days.csv")};
    for (int i = 0; i < 3; ++i)
        frame.Action("exportData")->trigger();
    EXPECT_EQ(prompt.Captions(), (std::vector<std::string>{"EXPORT ERROR", "EXPORT ERROR"}));
    EXPECT_EQ(ReadTextFile(folder.File("GRAPH.DAT")), before);
    EXPECT_EQ(prompt.chooserStarts[0], folder.File("GRAPH.csv"));
    EXPECT_NE(ReadTextFile(folder.File("days.csv")).find("2000-01-02,137,146.5"), std::string::npos);

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
    printer.setOutputFileName(QString::fromStdString(pdf));
    PlotPrinter::PrintTo(&printer);
    EXPECT_NE(RunCommand("pdfinfo " + pdf).output.find("Pages:           1"), std::string::npos);
    EXPECT_NE(RunCommand("pdftotext " + pdf + " -").output.find("SKYLOG SOLAR DATA PLOT OF /home/user/GRAPH.DAT"),
              std::string::npos);
    EXPECT_GT(prompt.maxWaitDepth, 0);
}
