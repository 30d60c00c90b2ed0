#include "ui/options_plots.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

using Field = int PlotSettings::*;

struct CurveGroup {
    const char* title;
    const char* upperRow;
    Field upper[4];  // Solar Flux, Av. Solar Flux, Sun Spots, Av. Sun Spots
    Field filled[4];
};

const CurveGroup Groups[] = {
    {"Overall Display", "Display",
     {&PlotSettings::DOverallFluxON, &PlotSettings::DOverallAvfluxON,
      &PlotSettings::DOverallSpotsON, &PlotSettings::DOverallAvspotsON},
     {&PlotSettings::DFillOverallFlux, &PlotSettings::DFillOverallAvFlux,
      &PlotSettings::DFillOverallSpots, &PlotSettings::DFillOverallAvSpots}},
    {"Closeup Display", "Display",
     {&PlotSettings::DCloseupFluxON, &PlotSettings::DCloseupAvfluxON,
      &PlotSettings::DCloseupSpotsON, &PlotSettings::DCloseupAvspotsON},
     {&PlotSettings::DFillCloseupFlux, &PlotSettings::DFillCloseupAvFlux,
      &PlotSettings::DFillCloseupSpots, &PlotSettings::DFillCloseupAvSpots}},
    {"Overall Printout", "Print",
     {&PlotSettings::POverallFluxON, &PlotSettings::POverallAvfluxON,
      &PlotSettings::POverallSpotsON, &PlotSettings::POverallAvspotsON},
     {&PlotSettings::PFillOverallFlux, &PlotSettings::PFillOverallAvFlux,
      &PlotSettings::PFillOverallSpots, &PlotSettings::PFillOverallAvSpots}},
    {"Closeup Printout", "Print",
     {&PlotSettings::PCloseupFluxON, &PlotSettings::PCloseupAvfluxON,
      &PlotSettings::PCloseupSpotsON, &PlotSettings::PCloseupAvspotsON},
     {&PlotSettings::PFillCloseupFlux, &PlotSettings::PFillCloseupAvFlux,
      &PlotSettings::PFillCloseupSpots, &PlotSettings::PFillCloseupAvSpots}},
};

const char* const ColumnHeads[] = {"Solar\nFlux", "Av.\nSolar\nFlux", "Sun\nSpots", "Av.\nSun\nSpots"};

}  // namespace

Opt6::Opt6(QWidget* parent) : OptionsPage(parent)
{
    auto* layout = new QGridLayout(this);
    int index = 0;
    for (const CurveGroup& group : Groups) {
        auto* box = new QGroupBox(group.title, this);
        auto* grid = new QGridLayout(box);
        for (int column = 0; column < 4; ++column)
            grid->addWidget(new QLabel(ColumnHeads[column], box), 0, column + 1, Qt::AlignBottom);
        grid->addWidget(new QLabel(group.upperRow, box), 1, 0);
        grid->addWidget(new QLabel("Filled", box), 2, 0);
        for (int column = 0; column < 4; ++column) {
            auto* upper = new QCheckBox(box);
            auto* filled = new QCheckBox(box);
            grid->addWidget(upper, 1, column + 1);
            grid->addWidget(filled, 2, column + 1);
            switches_.push_back({group.upper[column], upper, nullptr});
            switches_.push_back({group.filled[column], filled, upper});
            connect(upper, &QCheckBox::clicked, this, &Opt6::UpdateFilledBoxes);
        }
        layout->addWidget(box, index / 2, index % 2);
        ++index;
    }
    const auto addGroup = [&](const char* title, std::initializer_list<std::pair<const char*, Field>> boxes,
                              int column) {
        auto* group = new QGroupBox(title, this);
        auto* groupLayout = new QVBoxLayout(group);
        for (const auto& [text, field] : boxes) {
            auto* box = new QCheckBox(text, group);
            groupLayout->addWidget(box);
            switches_.push_back({field, box, nullptr});
        }
        layout->addWidget(group, 2, column);
    };
    addGroup("Record Markers",
             {{"High Flux", &PlotSettings::RMHiFlux}, {"Low Flux", &PlotSettings::RMLoFlux},
              {"High Spots", &PlotSettings::RMHiSpots}, {"Low Spots", &PlotSettings::RMLoSpots}},
             0);
    addGroup("Misc",
             {{"Print in Color", &PlotSettings::ColorPrints}, {"Display Grid", &PlotSettings::GridON},
              {"Cum. Averages", &PlotSettings::CumavgON}, {"Axis Labels", &PlotSettings::AxisLabels}},
             1);
}

QCheckBox* Opt6::Box(Field field) const
{
    for (const Switch& s : switches_)
        if (s.field == field)
            return s.box;
    return nullptr;
}

void Opt6::UpdateFilledBoxes()
{
    for (const Switch& s : switches_)
        if (s.shownBy)
            s.box->setEnabled(s.shownBy->isChecked());
}

void Opt6::Load(const PlotSettings& settings)
{
    for (const Switch& s : switches_)
        s.box->setChecked(settings.*s.field != 0);
    UpdateFilledBoxes();
}

bool Opt6::Store(PlotSettings& settings)
{
    for (const Switch& s : switches_)
        settings.*s.field = s.box->isChecked() ? 1 : 0;
    return true;
}
