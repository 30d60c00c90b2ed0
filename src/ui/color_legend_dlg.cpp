#include "ui/color_legend_dlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

#include "config/plot_settings.h"
#include "plot/plot_renderer.h"

namespace {

constexpr const char* LabelTexts[LegendArea::Samples] = {"Solar Flux", "Average Solar Flux",
                                                          "Sun Spots", "Average Sun Spots"};
constexpr int Gap = 8;  // between a label and its line, and at the legend's right edge

}  // namespace

LegendArea::LegendArea(QWidget* parent) : QWidget(parent)
{
    // The colours the plot uses: the key Spots colours the flux curve, Flux the sunspots.
    const PlotPens pens = CreatePlotPens(Settings());
    background_ = pens.background.color();
    colors_[0] = pens.fluxThin.color();
    colors_[1] = pens.avFluxPen.color();
    colors_[2] = pens.spotsThin.color();
    colors_[3] = pens.avSpotsPen.color();
    // The labels stand on the legend's background, in a colour that reads on it.
    const QColor text = qGray(background_.rgb()) < 140 ? Qt::white : Qt::black;
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 10, 12, 10);
    for (int i = 0; i < Samples; ++i) {
        labels_[i] = new QLabel(LabelTexts[i], this);
        QPalette palette = labels_[i]->palette();
        palette.setColor(QPalette::WindowText, text);
        labels_[i]->setPalette(palette);
        labels_[i]->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
        layout->addWidget(labels_[i], 0, Qt::AlignLeft);
    }
    setMinimumWidth(300);
}

QString LegendArea::Label(int i) const
{
    return labels_[i]->text();
}

QLine LegendArea::SampleLine(int i) const
{
    const QRect label = labels_[i]->geometry();
    const int y = label.top() + label.height() / 2;
    return QLine(label.right() + 1 + Gap, y, width() - Gap, y);
}

void LegendArea::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), background_);
    for (int i = 0; i < Samples; ++i) {
        painter.setPen(QPen(colors_[i], 3, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(SampleLine(i));
    }
}

ColorLegendDlg::ColorLegendDlg(QWidget* parent) : QDialog(parent), legend_(new LegendArea(this))
{
    setWindowTitle(" ");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(legend_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->setCenterButtons(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}
