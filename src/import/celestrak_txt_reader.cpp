// CelesTrak sw19571001.txt: keyword and "#" lines, then sections between
// "BEGIN name" and "END name". Only OBSERVED rows are data; the predicted
// sections are never imported. Rows are fixed width (Fortran format
// I4,I3,I3,I5,I3,8I3,I4,8I4,I4,F4.1,I2,I4,F6.1,I2,5F6.1, 130 characters);
// the adjusted flux comes before the observed one, and Q 4 marks a flux
// CelesTrak interpolated (no measurement).
#include "import/field_text.h"
#include "import/index_lines.h"
#include "import/index_readers.h"

namespace {

constexpr std::size_t RowWidth = 130;
// Field widths of one row, in order.
constexpr int Widths[] = {4, 3, 3, 5, 3, 3, 3, 3, 3, 3, 3, 3, 3, 4, 4, 4, 4, 4, 4,
                          4, 4, 4, 4, 4, 2, 4, 6, 2, 6, 6, 6, 6, 6};

// Every field of an observed row is a number.
bool RowComplete(std::string_view row)
{
    std::size_t start = 0;
    for (int width : Widths) {
        if (!WholeNumber(row.substr(start, static_cast<std::size_t>(width))))
            return false;
        start += static_cast<std::size_t>(width);
    }
    return start == row.size();
}

enum class Section { None, Observed, Predicted };

}  // namespace

IndexReadResult ReadCelestrakTxtFile(const std::string& path)
{
    IndexReadResult result;
    IndexLines lines(path);
    if (!(result.opened = lines.IsOpen()))
        return result;
    DayTable table;
    table.Reserve(lines.FileSize(), 132);
    Section section = Section::None;
    long declared = -1;
    long observedRows = 0;
    int interpolated = 0;
    int predicted = 0;
    bool observedEnded = false;
    std::string_view line;
    while (lines.Next(&line)) {
        if (line.starts_with("BEGIN ")) {
            section = line == "BEGIN OBSERVED" ? Section::Observed : Section::Predicted;
            continue;
        }
        if (line.starts_with("END ")) {
            observedEnded = observedEnded || section == Section::Observed;
            section = Section::None;
            continue;
        }
        if (section == Section::None) {
            if (line.starts_with("NUM_OBSERVED_POINTS "))
                declared = WholeInt(line.substr(20)).value_or(-1);
            continue;  // keywords, comments, empty lines
        }
        if (section == Section::Predicted) {
            ++predicted;
            continue;
        }
        if (line.size() != RowWidth || !RowComplete(line)) {
            StopAt(&result, lines.Number(), "not an observed row of 130 characters");
            break;
        }
        const int year = *WholeInt(Columns(line, 1, 4));
        const int month = *WholeInt(Columns(line, 5, 7));
        const int day = *WholeInt(Columns(line, 8, 10));
        const int isn = *WholeInt(Columns(line, 89, 92));
        const double adjusted = *WholeNumber(Columns(line, 93, 98));
        const int q = *WholeInt(Columns(line, 99, 100));
        const double observed = *WholeNumber(Columns(line, 113, 118));
        if (!IsCalendarDate(year, month, day) || isn < 0 ||
            !FluxPairPlausible(observed, adjusted)) {
            StopAt(&result, lines.Number(), "damaged row");
            break;
        }
        ++observedRows;
        DailyValue& value = table.At(year, month, day);
        value.sunspots = isn;
        if (q == 4)
            ++interpolated;
        else
            value.flux = observed;
    }
    if (lines.Failed())
        result.problem = "read error";
    else if (result.problem.empty() && !observedEnded)
        result.problem = "the file ends before \"END OBSERVED\" (cut off?)";
    result.days = table.TakeDays();
    if (declared >= 0 && declared != observedRows)
        result.notes.push_back("declares " + std::to_string(declared) + " observed rows but holds " +
                               std::to_string(observedRows));
    if (interpolated > 0)
        result.notes.push_back(std::to_string(interpolated) +
                               " interpolated flux values (Q 4) left out");
    if (predicted > 0)
        result.notes.push_back(std::to_string(predicted) + " predicted rows left out");
    return result;
}
