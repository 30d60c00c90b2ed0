#include "ui/options_colors.h"

#include <QColorDialog>
#include <QGridLayout>
#include <QPainter>
#include <QPushButton>

QColor ColorFromRef(std::uint32_t value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

std::uint32_t RefFromColor(const QColor& color)
{
    return static_cast<std::uint32_t>(color.red()) | static_cast<std::uint32_t>(color.green()) << 8 |
           static_cast<std::uint32_t>(color.blue()) << 16;
}

ColorSample::ColorSample(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(240, 60);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ColorSample::SetColors(const std::uint32_t (&colors)[ColorCount])
{
    std::copy(std::begin(colors), std::end(colors), colors_);
    update();
}

void ColorSample::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const int left = 0, top = 0, right = width(), bottom = height();
    painter.fillRect(rect(), ColorFromRef(colors_[Background]));
    const QColor grid = ColorFromRef(colors_[Grid]);
    const int step = (right - left) / 20;
    for (int x = step; step > 0 && x <= right; x += step)
        painter.fillRect(QRect(x, top, 1, bottom - top), grid);
    // Each curve's line, as thick as the closeup draws it. The key Flux
    // colours the sunspot curve and Spots the flux curve.
    const auto line = [&](ColorIndex color, int y, int thickness) {
        painter.fillRect(QRect(left + 1, y, right - 1 - (left + 1), thickness), ColorFromRef(colors_[color]));
    };
    line(Flux, bottom - 20, 2);
    line(AvSpots, bottom - 10, 1);
    line(Spots, top + 10, 2);
    line(AvFlux, top + 20, 1);
}

Opt4::Opt4(QWidget* parent) : OptionsPage(parent), sample_(new ColorSample(this))
{
    auto* layout = new QGridLayout(this);
    const std::pair<ColorIndex, const char*> buttons[] = {
        {Background, "Background"},       {Flux, "Sun Spots Plot"},
        {AvSpots, "Average Sun Spots Plot"}, {Grid, "Grid Plot"},
        {Spots, "Solar Flux Plot"},       {AvFlux, "Average Solar Flux Plot"},
    };
    int row = 0;
    for (const auto& [color, caption] : buttons) {
        auto* button = new QPushButton(caption, this);
        buttons_[color] = button;
        layout->addWidget(button, row++, 0);
        connect(button, &QPushButton::clicked, this, [this, color] { ChooseColor(color); });
    }
    layout->addWidget(sample_, 0, 1, row, 1);
    layout->setColumnStretch(1, 1);
}

void Opt4::ChooseColor(ColorIndex color)
{
    QColorDialog chooser(ColorFromRef(colors_[color]), this);
    chooser.setOption(QColorDialog::DontUseNativeDialog);
    if (chooser.exec() != QDialog::Accepted)
        return;
    colors_[color] = RefFromColor(chooser.selectedColor());
    sample_->SetColors(colors_);
}

void Opt4::Load(const PlotSettings& s)
{
    std::copy(std::begin(s.Colors), std::end(s.Colors), colors_);
    sample_->SetColors(colors_);
}

bool Opt4::Store(PlotSettings& s)
{
    std::copy(std::begin(colors_), std::end(colors_), s.Colors);
    return true;
}
