// Bulletins go through the bulletin parser, without questions.
#include "bulletin/bulletin_parser.h"
#include "bulletin/bulletin_reading.h"
#include "import/index_lines.h"
#include "import/index_readers.h"

IndexReadResult ReadBulletinFile(const std::string& path, const BulletinReadingOptions& options)
{
    IndexReadResult result;
    BulletinParser parser;
    BulletinReadingOptions silent = options;
    silent.interactive = false;
    const BulletinReading reading = ReadBulletin(parser, path, silent);
    const int count = reading.result;
    result.readLeniently = reading.kind == ReadingKind::Lenient;
    result.opened = count != ParseCannotOpen;
    if (count <= 0) {
        if (result.opened)
            result.problem = count == 0 ? NoBulletinDaysStatus : ParseResultStatus(count);
        return result;
    }
    // A bulletin's days may include an impossible date (2/30); it is kept so
    // that the report counts it as refused.
    std::vector<DailyValue> days;
    for (int i = 0; i < count; ++i) {
        DailyValue value;
        double flux = 0.0;
        int sunspots = 0;
        if (parser.GetDay(i, &sunspots, &flux, &value.year, &value.month, &value.day)) {
            value.sunspots = sunspots;
            value.flux = flux;
            days.push_back(value);
        }
    }
    result.days = std::move(days);
    return result;
}
