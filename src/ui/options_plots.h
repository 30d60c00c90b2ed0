// The "Plots to Display" page: which curves each plot and printout shows,
// filled or not, the record markers and the other drawing switches.
#pragma once

#include <vector>

#include "config/plot_settings.h"
#include "ui/options_page.h"

class QCheckBox;

class Opt6 : public OptionsPage {
    Q_OBJECT
public:
    explicit Opt6(QWidget* parent = nullptr);
    QString Caption() const override { return "Plots to Display"; }
    QString HelpKeyword() const override { return "Options - Plots to Display"; }
    void Load(const PlotSettings& settings) override;
    bool Store(PlotSettings& settings) override;
    // The check box of a switch.
    QCheckBox* Box(int PlotSettings::*field) const;

private:
    struct Switch {
        int PlotSettings::*field;
        QCheckBox* box;
        QCheckBox* shownBy;  // the "Display"/"Print" box a "Filled" box depends on
    };
    std::vector<Switch> switches_;

    // Enables each "Filled" box while the box above it is on (keeping its value).
    void UpdateFilledBoxes();
};
