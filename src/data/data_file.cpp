#include "data/data_file.h"

#include <cstdio>

#include "data/legacy_conversion.h"
#include "data/number_text.h"
#include "data/prompt.h"
#include "data/record_array.h"
#include "data/text_file.h"

std::string DataFilePath;
int FileIsVersion3 = 1;
int DataFileUsesCrlf = 0;

namespace {

// Lines are read in pieces of at most this many characters.
constexpr std::size_t DataLineLimit = 130;
// A data line holds at least this many characters before its line break.
constexpr std::size_t MinDataLineLength = 23;
constexpr std::size_t MaxDateLength = 10;

int skippedDataLines = 0;

constexpr const char* CommentBlock[] = {
    "!---------------------------------------------------------------------------",
    "! DO NOT REMOVE THE PRECEEDING LINE!  It is checked when the data file is",
    "! opened to insure that this is the correct type of file!",
    "!---------------------------------------------------------------------------",
    "! Data in this file was compiled from various sources. Before April 18, 1991",
    "! it came mainly from WWV transmissions (many thanks to all who logged and typed",
    "! it), but WWV only transmits the solar flux values.  For this reason, Sun",
    "! Spot data before 04/18/91 was calculated using the formula:",
    "! S = 33.52 * SQRT(85.12 + F) - 408.99",
    "! This formula is on page 23-25 of the ARRL ANTENNA BOOK, 16th Edition",
    "! The other main source of data was the ARRL PROPAGATION FORECAST BULLETINS.",
    "! These are transmitted weekly by W1AW, and are available on many of the",
    "! packet BBS's around the country.",
    "!---------------------------------------------------------------------------",
    "! Comments may be added in the file by beginning the comment line with an",
    "! exclamation mark, as was done with the preceeding lines.",
    "!---------------------------------------------------------------------------",
    "! 73's es GL de SKYLOG ..... 11/94",
    "!---------------------------------------------------------------------------",
};

void RaiseRecordsCleared()
{
    for (auto& handler : DataFileNotifications().recordsCleared)
        handler();
}

void RaiseLoadStarted()
{
    for (auto& handler : DataFileNotifications().loadStarted)
        handler();
}

void RaiseLoadFinished(bool recordsRead)
{
    for (auto& handler : DataFileNotifications().loadFinished)
        handler(recordsRead);
}

std::string_view SkipBlanks(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

// Date key of a line for finding the stagger day: its first ten characters,
// a version 2 date first given its century.
std::string StaggerKey(std::string_view line, bool version3)
{
    if (version3)
        return std::string(line.substr(0, 10));
    return ExpandVersion2Date(line.substr(0, 8));
}

enum class HeaderKind { Version3, Version2, Unknown, Unreadable };

HeaderKind ReadHeader(const std::string& path)
{
    LineReader reader(path, DataLineLimit);
    if (!reader.IsOpen())
        return HeaderKind::Unreadable;
    std::string_view first;
    if (!reader.Next(&first))
        return HeaderKind::Unknown;
    bool crlf = false;
    StripLineBreak(first, nullptr, &crlf);
    DataFileUsesCrlf = crlf ? 1 : 0;
    if (first.find(Version3Header + 2) != std::string_view::npos)
        return HeaderKind::Version3;
    if (first.find(Version2Header + 2) != std::string_view::npos)
        return HeaderKind::Version2;
    return HeaderKind::Unknown;
}

// Asks the "INCORRECT FILE FORMAT" question until it is answered.
bool UserWantsConversion()
{
    for (;;) {
        switch (Prompt().AskConvertVersion2File()) {
        case ConversionChoice::Convert:
            return true;
        case ConversionChoice::DoNotConvert:
            return false;
        case ConversionChoice::Help:
            Prompt().ShowHelp("File Format Conversion");
            break;
        }
    }
}

// Index (counted in data lines) of the stagger day, or -1.
long long FindStaggerDay(const std::string& path, bool version3)
{
    LineReader reader(path, DataLineLimit);
    std::string_view piece;
    DataLine fields;
    long long index = 0;
    while (reader.Next(&piece)) {
        const std::string_view line = StripLineBreak(piece);
        if (!ParseDataLine(line, version3, &fields))
            continue;
        if (StaggerKey(line, version3) == Stagger().day)
            return index;
        ++index;
    }
    return -1;
}

void LoadRecords(const std::string& path, bool version3, long long staggerIndex, int interval)
{
    LineReader reader(path, DataLineLimit);
    // A data line is at least 24 bytes; reserving for that avoids regrowth.
    const long long estimate = reader.FileSize() / 24 + 1;
    if (staggerIndex < 0 && estimate < (1LL << 28))
        Records().Reserve(static_cast<int>(estimate));
    std::string_view piece;
    DataLine fields;
    long long dataIndex = 0;
    RecordArray::Lock lock = Records().Acquire();
    while (reader.Next(&piece)) {
        const std::string_view line = StripLineBreak(piece);
        if (!ParseDataLine(line, version3, &fields)) {
            if (!line.empty() && line[0] != '!' && line.size() >= MinDataLineLength)
                ++skippedDataLines;
            continue;
        }
        const long long distance = dataIndex++ - staggerIndex;
        if (staggerIndex >= 0 && distance % interval != 0)
            continue;
        Records().AppendRecord(SolarRecord(fields.date, fields.sunspots, fields.flux, 0, 0));
    }
}

}  // namespace

StaggerRequest& Stagger()
{
    static StaggerRequest request;
    return request;
}

DataFileEvents& DataFileNotifications()
{
    static DataFileEvents events;
    return events;
}

int SkippedDataLines()
{
    return skippedDataLines;
}

std::string ExpandVersion2Date(std::string_view date)
{
    const std::string_view yy = date.size() > 6 ? date.substr(6, 2) : std::string_view();
    std::string expanded(date.substr(0, 6));
    expanded += ParseLeadingInt(yy) < 50 ? "20" : "19";
    expanded += yy;
    return expanded;
}

bool ParseDataLine(std::string_view line, bool version3, DataLine* out)
{
    if (line.size() < MinDataLineLength || line[0] == '!')
        return false;
    const std::size_t dateEnd = line.find(' ');
    if (dateEnd == std::string_view::npos || dateEnd > MaxDateLength)
        return false;
    const std::string_view date = line.substr(0, dateEnd);
    std::string_view rest = SkipBlanks(line.substr(dateEnd));
    const std::size_t spotsEnd = rest.find(' ');
    if (rest.empty() || spotsEnd == std::string_view::npos)
        return false;
    out->sunspots = ParseLeadingInt(rest.substr(0, spotsEnd));
    out->flux = ParseLeadingDouble(SkipBlanks(rest.substr(spotsEnd)));
    out->date = version3 ? std::string(date) : ExpandVersion2Date(date);
    return true;
}

ReadOutcome ReadDataFile()
{
    RecordArray& records = Records();
    if (records.DataChanged()) {
        const PromptAnswer answer =
            Prompt().MessageBox("Data File Has Changed - Do You Want To Save It?", "FILE CHANGED",
                                PromptIcon::Question, PromptButtons::YesNo);
        // Reading on after a failed save would throw the user's changes away.
        if (answer == PromptAnswer::Yes && !WriteDataFile())
            return ReadOutcome::SaveFailed;
    }

    records.FreeRecords();
    RaiseRecordsCleared();
    records.SetDataChanged(0);
    skippedDataLines = 0;

    if (DataFilePath.empty())
        return ReadOutcome::NoPath;

    HeaderKind header = ReadHeader(DataFilePath);
    if (header == HeaderKind::Unreadable) {
        Prompt().MessageBox("Could Not Open Data File\n" + DataFilePath, "ReadData",
                            PromptIcon::Stop, PromptButtons::Ok);
        DataFilePath.clear();
        RaiseLoadFinished(false);
        return ReadOutcome::OpenFailed;
    }

    if (header == HeaderKind::Version3) {
        FileIsVersion3 = 1;
    } else if (header == HeaderKind::Version2) {
        if (UserWantsConversion()) {
            if (!ConvertToVersion3()) {
                DataFilePath.clear();
                RaiseLoadFinished(false);
                return ReadOutcome::Refused;
            }
            FileIsVersion3 = 1;
        } else {
            FileIsVersion3 = 0;
        }
    } else {
        const PromptAnswer answer = Prompt().MessageBox(
            "This file does not appear to be a VORir data file.  If it IS\n"
            "a data file from early versions of VORir This Function Can\n"
            "Update It To Version 3.  If it is NOT a VORir data file DO NOT\n"
            "Let This Function Update It!\n\nDo You Want To Update The File?",
            "INCORRECT FILE", PromptIcon::Stop, PromptButtons::YesNo);
        if (answer != PromptAnswer::Yes) {
            Prompt().MessageBox("Unable To Read Data File\n\nSee the ERROR MESSAGES In The\n"
                                "HELP File For More Information!",
                                "INCORRECT FILE", PromptIcon::Stop, PromptButtons::Ok);
            DataFilePath.clear();
            RaiseLoadFinished(false);
            return ReadOutcome::Refused;
        }
        if (!AddVersion2Header() || !ConvertToVersion3()) {
            DataFilePath.clear();
            RaiseLoadFinished(false);
            return ReadOutcome::Refused;
        }
        FileIsVersion3 = 1;
    }

    RaiseLoadStarted();
    {
        WaitCursor wait;
        const bool version3 = FileIsVersion3 != 0;
        long long staggerIndex = -1;
        StaggerRequest& stagger = Stagger();
        if (stagger.enabled) {
            staggerIndex = FindStaggerDay(DataFilePath, version3);
            if (staggerIndex < 0) {
                Prompt().EndWaitCursor();
                Prompt().MessageBox("Specified Stagger Plot Day Not Found\nStagger Plot Disabled",
                                    "Day Not Found", PromptIcon::Exclamation, PromptButtons::Ok);
                stagger.enabled = 0;
                Prompt().BeginWaitCursor();
            }
        }
        // An interval below 1 (a hand-edited configuration) keeps every day.
        const int interval = stagger.interval < 1 ? 1 : stagger.interval;
        LoadRecords(DataFilePath, version3, staggerIndex, interval);
    }
    RaiseLoadFinished(true);
    return ReadOutcome::Read;
}

bool WriteDataFile()
{
    if (DataFilePath.empty() && DataFileNotifications().pathNeeded)
        DataFileNotifications().pathNeeded();
    if (DataFilePath.empty())
        return false;

    WaitCursor wait;
    const std::string_view lineEnd = DataFileUsesCrlf ? "\r\n" : "\n";
    const bool version3 = FileIsVersion3 != 0;
    AtomicFileWriter writer(DataFilePath);
    if (writer.IsOpen()) {
        std::string text;
        text.reserve(1 << 16);
        text += version3 ? Version3Header : Version2Header;
        text += lineEnd;
        for (const char* line : CommentBlock) {
            text += line;
            text += lineEnd;
        }
        RecordArray& records = Records();
        RecordArray::Lock lock = records.Acquire();
        char numbers[64];
        for (int i = 0; i < records.RecordCount(); ++i) {
            const SolarRecord& record = records.At(i);
            std::string_view date = record.m_date.View();
            std::string shortDate;
            if (!version3 && date.size() == 10) {
                shortDate = std::string(date.substr(0, 6)) + std::string(date.substr(8, 2));
                date = shortDate;
            }
            const int width = version3 ? 10 : 8;
            if (static_cast<int>(date.size()) < width)
                text.append(static_cast<std::size_t>(width) - date.size(), ' ');
            text += date;
            std::snprintf(numbers, sizeof numbers, version3 ? "  %3d   " : "    %3d   ",
                          record.m_sunspots);
            text += numbers;
            text += FormatFixed(record.m_flux, 5, 1);
            text += lineEnd;
            if (text.size() >= (1 << 16) - 256) {
                writer.Write(text);
                text.clear();
            }
        }
        writer.Write(text);
    }
    if (!writer.Commit()) {
        Prompt().EndWaitCursor();
        Prompt().MessageBox("Could Not Write Data File\n" + DataFilePath, "FILE WRITE ERROR",
                            PromptIcon::Stop, PromptButtons::Ok);
        Prompt().BeginWaitCursor();
        return false;
    }
    Records().SetDataChanged(0);
    return true;
}
