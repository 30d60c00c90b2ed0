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

// Geometry of the last paint, for the readout and the mouse.
struct PaintedGeometry {
    PlotLayout layout;
    PaneScale overall, closeup;
    int readoutAnchor[4] = {};
};

// Paints the plot into client. With drawingSuspended only the frames and the
// empty panes are painted.
PaintedGeometry PaintPlot(QPainter& painter, const PixelRect& client, const PlotPens& pens);
