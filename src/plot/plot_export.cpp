#include "plot/plot_export.h"

#include <QBuffer>
#include <QFont>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include "data/text_file.h"
#include "plot/plot_image.h"
#include "plot/plot_renderer.h"

namespace {

// Vector files are laid out at the resolution of an ordinary screen, so the
// text takes the same room as in the window.
constexpr int ScreenResolution = 96;

void PaintVector(QPaintDevice& device, QSize size, const QFont& font, const PlotPens& pens)
{
    QPainter painter(&device);
    painter.setFont(font);
    PaintPlot(painter, {0, 0, size.width(), size.height()}, pens);
}

}  // namespace

std::optional<PlotFormat> PlotFormatOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return std::nullopt;
    const QString extension = QString::fromStdString(path.substr(dot + 1)).toLower();
    if (extension == "png")
        return PlotFormat::Png;
    if (extension == "svg")
        return PlotFormat::Svg;
    if (extension == "pdf")
        return PlotFormat::Pdf;
    return std::nullopt;
}

bool ExportPlot(const std::string& path, QSize size, double pixelRatio, const QFont& font,
                const PlotPens& pens, std::string* error)
{
    const std::optional<PlotFormat> format = PlotFormatOf(path);
    if (!format) {
        *error = "the file name must end in .png, .svg or .pdf";
        return false;
    }
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    switch (*format) {
    case PlotFormat::Png: {
        QImage image;
        PaintPlotImage(image, size, pixelRatio, font, pens);
        image.save(&bytes, "PNG");
        break;
    }
    case PlotFormat::Svg: {
        QSvgGenerator svg;
        svg.setOutputDevice(&bytes);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));

        svg.setResolution(ScreenResolution);
        svg.setTitle("SKYLOG Solar Data Plot");
        PaintVector(svg, size, font, pens);
        break;
    }
    case PlotFormat::Pdf: {
        QPdfWriter pdf(&bytes);
        pdf.setCreator("SkyLog");
        pdf.setTitle("SKYLOG Solar Data Plot");
        pdf.setResolution(ScreenResolution);
        const double points = 72.0 / ScreenResolution;
        pdf.setPageSize(QPageSize(QSizeF(size.width() * points, size.height() * points),
                                  QPageSize::Point, QString(), QPageSize::ExactMatch));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        PaintVector(pdf, size, font, pens);
        break;
    }
    }
    bytes.close();
    AtomicFileWriter file(path);
    file.Write(std::string_view(bytes.data().constData(), static_cast<std::size_t>(bytes.data().size())));
    if (!file.Commit()) {
        *error = file.Error();
        return false;
    }
    return true;
}
