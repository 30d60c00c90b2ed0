#include "plot/plot_state.h"

#include <algorithm>
#include <new>

#include "config/plot_settings.h"
#include "data/averages.h"
#include "data/data_file.h"
#include "data/prompt.h"
#include "data/record_array.h"

PlotState& Plot()
{
    static PlotState state;
    return state;
}

namespace {

void OnRecordsCleared()
{
    RecordStats() = RecordExtremes();
    Plot().CloseupEnd = 0;
}

void OnLoadStarted()
{
    Plot().loading = 1;
}

void OnLoadFinished(bool read)
{
    if (read)
        PreparePlotData();
}

// Whether handler is already among handlers.
template <typename Function, typename Handlers>
bool Registered(const Handlers& handlers, Function* handler)
{
    for (const auto& registered : handlers)
        if (const auto* target = registered.template target<Function*>(); target && *target == handler)
            return true;
    return false;
}

}  // namespace

void ConnectPlotToDataFile()
{
    // Checked on the notifications themselves, not remembered: whoever
    // resets them (a new data file state, a test) gets the plot connected
    // again by the next call.
    DataFileEvents& events = DataFileNotifications();
    if (!Registered(events.recordsCleared, &OnRecordsCleared))
        events.recordsCleared.push_back(&OnRecordsCleared);
    if (!Registered(events.loadStarted, &OnLoadStarted))
        events.loadStarted.push_back(&OnLoadStarted);
    if (!Registered(events.loadFinished, &OnLoadFinished))
        events.loadFinished.push_back(&OnLoadFinished);
    SetRecordsFreedHandler([] {
        Plot().PointArray.clear();
        Plot().PointArray.shrink_to_fit();
    });
}

void FitCloseDays(PlotSettings& settings, int count)
{
    if (settings.CloseDaysChosen > 0) {
        settings.CloseDays = std::min(settings.CloseDaysChosen, count);
        if (settings.CloseDays == settings.CloseDaysChosen)
            settings.CloseDaysChosen = 0;
    } else if (count < settings.CloseDays) {
        settings.CloseDaysChosen = settings.CloseDays;
        settings.CloseDays = count;
    }
}

void ChooseCloseDays(PlotSettings& settings, int days, int count)
{
    settings.CloseDays = days;
    settings.CloseDaysChosen = 0;
    FitCloseDays(settings, count);
}

void PreparePlotData()
{
    PlotState& plot = Plot();
    PlotSettings& settings = Settings();
    RecordArray& records = Records();
    plot.PointArray.clear();
    bool allocated = true;
    try {
        plot.PointArray.resize(static_cast<std::size_t>(records.RecordCount()) + 5);
    } catch (const std::bad_alloc&) {
        allocated = false;
        Prompt().MessageBox("Could Not Allocate Memory", "PointArray", PromptIcon::Stop,
                            PromptButtons::Ok);
        records.FreeRecords();
        plot.CloseupEnd = 0;
    }
    if (allocated) {
        const int count = records.RecordCount();
        plot.CloseupEnd = count;
        FitCloseDays(settings, count);
        if (settings.DOverallAvspotsON || settings.DOverallAvfluxON ||
            settings.DCloseupAvspotsON || settings.DCloseupAvfluxON)
            ComputeAverages(settings.AvgInt, settings.LagDays, plot.AveragesComputed);
        else
            plot.AveragesComputed = 0;
        FindRecordHighsLows();
        if (settings.CloseDays <= 0 && settings.CloseDaysChosen == 0)
            settings.CloseDays = count;
    }
    if (plot.scrollRangeChanged)
        plot.scrollRangeChanged();
}

int ScrollMaximum()
{
    const int range = Records().RecordCount() - Settings().CloseDays;
    return range > 0 ? range : 0;
}

int ScrollPosition()
{
    const int position = Plot().CloseupEnd - Settings().CloseDays;
    return position > 0 ? position : 0;
}
