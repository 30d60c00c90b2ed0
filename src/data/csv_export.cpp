#include "data/csv_export.h"

#include <charconv>
#include <cstdlib>

#include "data/averages.h"
#include "data/number_text.h"
#include "data/record_array.h"
#include "data/text_file.h"

namespace {

bool Digits(std::string_view text)
{
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    return !text.empty();
}

void AppendInt(std::string& out, long long value)
{
    char digits[24];
    const auto [end, error] = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, error == std::errc() ? end : digits);
}

}  // namespace

std::string IsoDate(const std::string& date)
{
    const std::string_view d = date;
    if (d.size() == 10 && d[2] == '/' && d[5] == '/' && Digits(d.substr(0, 2)) &&
        Digits(d.substr(3, 2)) && Digits(d.substr(6, 4)))
        return date.substr(6, 4) + "-" + date.substr(0, 2) + "-" + date.substr(3, 2);
    return date;
}

std::string CsvField(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

bool WriteCsvFile(const std::string& path, int avgInt, int lagDays, std::string* error)
{
    AtomicFileWriter writer(path);
    if (!writer.IsOpen()) {
        *error = writer.Error();
        return false;
    }
    const RecordArray& records = Records();
    RecordArray::Lock lock = records.Acquire();
    const int count = records.RecordCount();
    const bool averaged = avgInt >= 1 && count >= avgInt;
    std::string text = std::string(CsvHeader) + "\r\n";
    text.reserve(1 << 17);
    for (int i = 0; i < count; ++i) {
        const SolarRecord& r = records.At(i);
        text += CsvField(IsoDate(r.GetDate()));
        text += ',';
        AppendInt(text, r.m_sunspots);
        text += ',';
        text += FormatShortest(r.m_flux);
        text += ',';
        if (averaged) {
            AppendInt(text, std::llabs(r.m_avgSunspots));
            text += ',';
            AppendInt(text, std::llabs(r.m_avgFlux));
            text += IsPartialAverage(i, count, avgInt, lagDays) ? ",1" : ",0";
        } else {
            text += ",,";
        }
        text += "\r\n";
        if (text.size() >= (1 << 16)) {
            writer.Write(text);
            text.clear();
        }
    }
    writer.Write(text);
    if (!writer.Commit()) {
        *error = writer.Error();
        return false;
    }
    return true;
}
