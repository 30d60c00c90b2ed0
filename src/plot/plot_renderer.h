// Paints the whole plot view: frames, panes, labels, titles, grids, curves
// and record markers. The window, printing previews and "skylog render" all
// paint through here.
#pragma once

#include <QBrush>
#include <QImage>
#include <QPen>

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

// Paints the plot into client. With drawingSuspended only the frames and the
// empty panes are painted.
PaintedGeometry PaintPlot(QPainter& painter, const PixelRect& client, const PlotPens& pens);
