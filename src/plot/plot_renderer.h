// Paints the whole plot view: frames, panes, labels, titles, grids, curves
// and record markers. The window, printing previews and "skylog render" all
// paint through here.
#pragma once

#include <QBrush>
#include <QImage>
#include <QPen>

#include "plot/plot_curves.h"
#include "plot/plot_geometry.h"

class QPainter;
struct PlotSettings;

// The view's colour-dependent pens and brushes.
struct PlotPens {
    QBrush background, avFluxBrush, avSpotsBrush, fluxBrush, spotsBrush;
    QPen solidGrid, dottedGrid, avFluxPen, avSpotsPen;
    QPen fluxThin, fluxThick, spotsThin, spotsThick;
};

// Builds the pens and brushes from the six colours (0x00BBGGRR).
PlotPens CreatePlotPens(const PlotSettings& settings);

// The 12 by 6 record marker: a black triangle pointing up on white.
const QImage& MarkerBitmap();


// A curve drawn with a 1-pixel pen through several points in one pixel
// column is drawn through the first, lowest, highest and last of them only,
// which paints the same pixels (each column gets the same vertical run, the
// lines between columns are unchanged, and the crossings that decide a fill
// keep their parity) at a fraction of the cost. Tests switch it off to
// compare with the straightforward drawing.
void SetColumnShortcut(bool on);

// The axis labels of one pane (years or dates along the top, values along the
// left edge) with their tick marks; printing draws its panes through here too.
void DrawAxes(QPainter& painter, const PixelRect& pane, const PaneScale& scale, bool closeup,
              int maximum, const PlotPens& pens);

// Which curves a pane draws and which of them are filled.
struct PaneCurveSwitches {
    int fluxOn, fluxFilled, spotsOn, spotsFilled;
    int avFluxOn, avFluxFilled, avSpotsOn, avSpotsFilled;
};
// The display switches of the window, and the print switches of the page.
PaneCurveSwitches DisplaySwitches(const PlotSettings& settings, bool closeup);
PaneCurveSwitches PrintSwitches(const PlotSettings& settings, bool closeup);

// Builds one curve in the point buffer and draws it: the closeup's sunspots
// and flux with the 2-pixel pens. Printing with ColorPrints off draws in
// black, and partial averages are marked in black rather than white.
void DrawCurve(QPainter& painter, const CurveRequest& request, const PlotPens& pens, bool closeup,
               bool printing);

// The pane's curves in the order flux, sunspots, average flux, average
// sunspots (averages only when there are AvgInt records or more).
void DrawPaneCurves(QPainter& painter, const PixelRect& pane, const PaneScale& scale, bool closeup,
                    const PlotPens& pens, const PaneCurveSwitches& switches, bool printing);

// Paints the plot into client. With drawingSuspended only the frames and the
// empty panes are painted.
PaintedGeometry PaintPlot(QPainter& painter, const PixelRect& client, const PlotPens& pens);
