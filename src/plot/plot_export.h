// The plot area saved as a file: a PNG picture, an SVG drawing or a PDF
// page, chosen by the file name's extension.
#pragma once

#include <QSize>
#include <optional>
#include <string>

class QFont;
struct PlotPens;

enum class PlotFormat { Png, Svg, Pdf };

// The format a file name asks for (".png", ".svg", ".pdf", any case).
std::optional<PlotFormat> PlotFormatOf(const std::string& path);

// Paints the plot as the window would at size (logical pixels) into path,
// written atomically. A PNG has pixelRatio device pixels per pixel; an SVG
// is size pixels at 96 per inch, a PDF one page of that size. False with
// the reason in error when the name has no known extension or the file
// could not be written.
bool ExportPlot(const std::string& path, QSize size, double pixelRatio, const QFont& font,
                const PlotPens& pens, std::string* error);
