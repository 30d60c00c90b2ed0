// The "Display Colors" page: six colour buttons and a painted sample.
#pragma once

#include <QWidget>
#include <cstdint>

#include "config/plot_settings.h"
#include "ui/options_page.h"

class QPushButton;

// The sample area: the background, the grid and one line per curve.
class ColorSample : public QWidget {
    Q_OBJECT
public:
    explicit ColorSample(QWidget* parent = nullptr);
    void SetColors(const std::uint32_t (&colors)[ColorCount]);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::uint32_t colors_[ColorCount] = {};
};

class Opt4 : public OptionsPage {
    Q_OBJECT
public:
    explicit Opt4(QWidget* parent = nullptr);
    QString Caption() const override { return "Display Colors"; }
    QString HelpKeyword() const override { return "Options - Display Colors"; }
    void Load(const PlotSettings& settings) override;
    bool Store(PlotSettings& settings) override;
    // The button that edits a colour (Background ... Flux).
    QPushButton* Button(ColorIndex color) const { return buttons_[color]; }
    ColorSample* Sample() const { return sample_; }
    const std::uint32_t* Colors() const { return colors_; }

private:
    std::uint32_t colors_[ColorCount] = {};
    QPushButton* buttons_[ColorCount] = {};
    ColorSample* sample_;

    void ChooseColor(ColorIndex color);
};

// 0x00BBGGRR to a colour and back.
QColor ColorFromRef(std::uint32_t value);
std::uint32_t RefFromColor(const QColor& color);
