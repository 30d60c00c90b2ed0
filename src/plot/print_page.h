// The printed page: a heavy page frame, a headline with the data file's path
// and the print time, both plots in their frames with titles, and a table of
// the record highs and lows. One routine draws it on any QPainter device:
// a printer, the print preview, a PDF file or an image.
#pragma once

#include <ctime>
#include <string>

#include "plot/plot_geometry.h"

class QPainter;
class QPagedPaintDevice;
struct PlotPens;

// The device as the page sees it, all in device pixels.
struct PageDevice {
    int dpiX = 300, dpiY = 300;
    int pageWidth = 0, pageHeight = 0;  // the physical page
    int offsetX = 0, offsetY = 0;       // corner of the printable area on the page
};

// The page of a printer or PDF writer, with its printable area's offset.
PageDevice PageDeviceOf(const QPagedPaintDevice& device);

// Where the parts of the page went.
struct PrintedPage {
    PixelRect frame;             // the page frame's rectangle (centre of its 13-pixel pen)
    PixelRect overall, closeup;  // the two plot frames
    PaneScale overallScale, closeupScale;
    int lineHeight = 0;          // the font's height
    int headlineX = 0, headlineY = 0, headlineWidth = 0;
    int tableY = 0;              // top of the flux row of the record table
};

// "15-MAR-2002" (days below 10 with a leading blank) and "hh:mm:ss".
std::string PrintDateText(const std::tm& time);
std::string PrintTimeText(const std::tm& time);

// Draws the page for the records, settings and data file as they are now;
// now is the print time shown in the headline.
PrintedPage PrintPage(QPainter& painter, const PageDevice& device, const PlotPens& pens,
                      std::time_t now);

// Before printing: the averages the page shows are computed if they were not.
void PrepareAveragesForPrinting();
