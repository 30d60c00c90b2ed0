#include "plot/options_apply.h"

#include "config/plot_settings.h"
#include "data/averages.h"
#include "data/record_array.h"
#include "plot/plot_state.h"

OptionsApplied ApplyOptions(const PlotSettings& edited)
{
    PlotSettings& s = Settings();
    OptionsApplied applied;
    const bool averagingChanged = s.AvgInt != edited.AvgInt || s.LagDays != edited.LagDays;
    s.AvgInt = edited.AvgInt;
    s.LagDays = edited.LagDays;

    const int count = Records().RecordCount();
    const int closeDaysBefore = s.CloseDays;
    ChooseCloseDays(s, edited.CloseDays, count);
    applied.closeupChanged = s.CloseDays != closeDaysBefore || s.PanDays != edited.PanDays;
    s.PanDays = edited.PanDays;
    s.CloseScrn = edited.CloseScrn;

    s.RBOverall = edited.RBOverall;
    s.RBCloseup = edited.RBCloseup;
    for (int i = 0; i < ColorCount; ++i)
        s.Colors[i] = edited.Colors[i];
    s.AutosaveCfg = edited.AutosaveCfg;
    s.SaveOpenFile = edited.SaveOpenFile;
    s.SavePos = edited.SavePos;
    for (int PlotSettings::*field :
         {&PlotSettings::DOverallSpotsON, &PlotSettings::DOverallFluxON,
          &PlotSettings::DOverallAvspotsON, &PlotSettings::DOverallAvfluxON,
          &PlotSettings::DCloseupSpotsON, &PlotSettings::DCloseupFluxON,
          &PlotSettings::DCloseupAvspotsON, &PlotSettings::DCloseupAvfluxON,
          &PlotSettings::DFillOverallFlux, &PlotSettings::DFillOverallAvFlux,
          &PlotSettings::DFillOverallSpots, &PlotSettings::DFillOverallAvSpots,
          &PlotSettings::DFillCloseupFlux, &PlotSettings::DFillCloseupSpots,
          &PlotSettings::DFillCloseupAvFlux, &PlotSettings::DFillCloseupAvSpots,
          &PlotSettings::POverallSpotsON, &PlotSettings::POverallFluxON,
          &PlotSettings::POverallAvspotsON, &PlotSettings::POverallAvfluxON,
          &PlotSettings::PCloseupSpotsON, &PlotSettings::PCloseupFluxON,
          &PlotSettings::PCloseupAvspotsON, &PlotSettings::PCloseupAvfluxON,
          &PlotSettings::PFillOverallFlux, &PlotSettings::PFillOverallAvFlux,
          &PlotSettings::PFillOverallSpots, &PlotSettings::PFillOverallAvSpots,
          &PlotSettings::PFillCloseupFlux, &PlotSettings::PFillCloseupSpots,
          &PlotSettings::PFillCloseupAvFlux, &PlotSettings::PFillCloseupAvSpots,
          &PlotSettings::RMHiFlux, &PlotSettings::RMLoFlux, &PlotSettings::RMHiSpots,
          &PlotSettings::RMLoSpots, &PlotSettings::ColorPrints, &PlotSettings::GridON,
          &PlotSettings::CumavgON, &PlotSettings::AxisLabels})
        s.*field = edited.*field;
    s.Phrase1 = edited.Phrase1;
    s.Phrase2 = edited.Phrase2;
    s.LenientParse = edited.LenientParse;

    PlotState& plot = Plot();
    if (count > 0 && (plot.AveragesComputed == 0 || averagingChanged)) {
        ComputeAverages(s.AvgInt, s.LagDays, plot.AveragesComputed);
        applied.averagesComputed = true;
    }
    // A larger closeup than before would otherwise reach before the first record.
    if (plot.CloseupEnd < s.CloseDays)
        plot.CloseupEnd = s.CloseDays;
    if (plot.scrollRangeChanged)
        plot.scrollRangeChanged();
    return applied;
}
