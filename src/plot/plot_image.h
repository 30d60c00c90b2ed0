// The plot painted into an image for a screen of any pixel density.
#pragma once

#include <QFont>
#include <QImage>
#include <QSize>

#include "plot/plot_renderer.h"

// The device pixels of a plot of size at pixelRatio.
QSize PlotImagePixels(QSize size, double pixelRatio);

// True when image holds a plot of size at pixelRatio (only its content may be old).
bool PlotImageFits(const QImage& image, QSize size, double pixelRatio);

// Paints the plot of the given size (in the screen's logical pixels) into
// image at pixelRatio device pixels per logical pixel: the layout is that of
// size, every line and area is scaled, and text is drawn at the full
// resolution. The image is reallocated only when its size or ratio changed.
// Returns the geometry in logical pixels (for the readout and the mouse).
PaintedGeometry PaintPlotImage(QImage& image, QSize size, double pixelRatio, const QFont& font,
                               const PlotPens& pens);
