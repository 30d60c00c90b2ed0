// Plot tests: a fresh start, the sample history at hand, and the plot painted into an image.
#pragma once

#include <QImage>
#include <QPainter>
#include <cstdio>
#include <string>

#include "data/averages.h"
#include "plot/plot_renderer.h"
#include "support/fresh_program.h"

const std::string SampleFile = std::string(SKYLOG_SAMPLE_DIR) + "/GRAPH.DAT";

// Day i of a run of days from 01/01/firstYear, 28 to a month.
inline std::string DayDate(int i, int firstYear)
{
    char text[48];  // room for any int the compiler imagines
    std::snprintf(text, sizeof text, "%02d/%02d/%04d", i / 28 % 12 + 1, i % 28 + 1, firstYear + i / 336);
    return text;
}

class PlotFixture : public FreshProgramTest {
protected:
    PaintedGeometry geometry;  // of the last Render()

    void SetUp() override { FreshProgramTest::SetUp(), RecordStats() = RecordExtremes(); }
    void TearDown() override { FreshProgramTest::TearDown(), RecordStats() = RecordExtremes(); }

    // Reads the sample as the window does, the plot following the file.
    void LoadSample()
    {
        ConnectPlotToDataFile();
        DataFile().path = SampleFile;
        ASSERT_EQ(ReadDataFile(), ReadOutcome::Read);
        PreparePlotData();  // the notifications may have been reset by another test
    }

    QImage Render(int width = 800, int height = 613)
    {
        QImage image(width, height, QImage::Format_RGB32);
        QPainter painter(&image);
        geometry = PaintPlot(painter, {0, 0, width, height}, CreatePlotPens(Settings()));
        return image;
    }
};
