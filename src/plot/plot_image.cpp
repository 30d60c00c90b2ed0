#include "plot/plot_image.h"

#include <QPainter>
#include <cmath>

QSize PlotImagePixels(QSize size, double pixelRatio)
{
    return {static_cast<int>(std::ceil(size.width() * pixelRatio)),
            static_cast<int>(std::ceil(size.height() * pixelRatio))};
}

bool PlotImageFits(const QImage& image, QSize size, double pixelRatio)
{
    return image.size() == PlotImagePixels(size, pixelRatio) && image.devicePixelRatio() == pixelRatio;
}

PaintedGeometry PaintPlotImage(QImage& image, QSize size, double pixelRatio, const QFont& font,
                               const PlotPens& pens)
{
    if (!PlotImageFits(image, size, pixelRatio)) {
        image = QImage(PlotImagePixels(size, pixelRatio), QImage::Format_RGB32);
        // The painter then works in logical pixels and scales everything.
        image.setDevicePixelRatio(pixelRatio);
    }
    QPainter painter(&image);
    painter.setFont(font);
    return PaintPlot(painter, {0, 0, size.width(), size.height()}, pens);
}
