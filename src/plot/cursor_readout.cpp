#include "plot/cursor_readout.h"

#include <cstdio>

#include "config/plot_settings.h"
#include "data/clamped_cast.h"
#include "data/number_text.h"
#include "data/record_array.h"
#include "plot/plot_state.h"

std::optional<DayUnderCursor> FindDayUnderCursor(const PaintedGeometry& g, int x, int y)
{
    const int count = Records().RecordCount();
    if (count == 0)
        return std::nullopt;
    if (g.layout.overall.Contains(x, y) && g.overall.xScale > 0) {
        int day = TruncateToInt((x - g.layout.overall.left) / g.overall.xScale);
        day = day < 0 ? 0 : day > count - 1 ? count - 1 : day;
        return DayUnderCursor{Pane::Overall, day};
    }
    if (g.layout.closeup.Contains(x, y) && g.closeup.xScale > 0) {
        const int first = Plot().CloseupEnd - Settings().CloseDays;
        int day = TruncateToInt((x - g.layout.closeup.left) / g.closeup.xScale, -PixelLimit,
                                PixelLimit) + first;
        const int last = Plot().CloseupEnd - 1;
        day = day < first ? first : day > last ? last : day;
        if (day < 0 || day >= count)
            return std::nullopt;
        return DayUnderCursor{Pane::Closeup, day};
    }
    return std::nullopt;
}

std::optional<Readout> ReadoutAt(const PaintedGeometry& g, int x, int y)
{
    // While the records change on another thread (a scan) nothing reads them.
    if (!Settings().PosdataON || Plot().loading || Plot().drawingSuspended)
        return std::nullopt;
    const std::optional<DayUnderCursor> found = FindDayUnderCursor(g, x, y);
    if (!found)
        return std::nullopt;
    const bool overall = found->pane == Pane::Overall;
    const PixelRect& pane = overall ? g.layout.overall : g.layout.closeup;
    const double yScale = overall ? g.overall.yScale : g.closeup.yScale;
    std::string date;
    int spots = 0, avgSpots = 0, avgFlux = 0;
    double flux = 0.0;
    if (Records().GetRecord(found->day, &date, &spots, &flux, &avgSpots, &avgFlux) != 0)
        return std::nullopt;
    Readout readout;
    readout.pane = found->pane;
    readout.rowY = overall ? g.layout.overallReadoutY : g.layout.closeupReadoutY;
    char text[64];
    readout.texts[0] = date + "   ";
    std::snprintf(text, sizeof text, "%d    ", spots);
    readout.texts[1] = text;
    readout.texts[2] = FormatFixed(flux, 0, 1) + "     ";
    const int value = yScale > 0 ? TruncateToInt((pane.bottom - y) / yScale) : 0;
    std::snprintf(text, sizeof text, "%d    ", value);
    readout.texts[3] = text;
    return readout;
}
