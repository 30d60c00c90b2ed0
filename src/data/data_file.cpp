#include "data/data_file.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "data/date_input.h"
#include "data/file_lock.h"
#include "data/legacy_conversion.h"
#include "data/number_text.h"
#include "data/prompt.h"
#include "data/record_array.h"
#include "data/save_guard.h"
#include "data/text_file.h"

namespace {

// A data line holds at least this many characters before its line break.
constexpr std::size_t MinDataLineLength = 23;
constexpr std::size_t MaxDateLength = 10;

// What the last read left for the writer and the notices. One instance,
// reset by each read; main thread only.
struct LastRead {
    int skippedDataLines = 0;     // long enough to be data, but malformed
    int staggerSkippedLines = 0;  // days the stagger filter left out
    std::string staggeredFile;    // the real file the stagger filter thinned out
    // The file's own comment lines (not the fixed block), written back after it.
    std::vector<std::string> ownComments;
};
LastRead lastRead;

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

enum class HeaderKind { Version3, Version2, Unknown };

// Bytes no text file of ours holds: control characters other than tab, line
// breaks, form feed and the DOS end-of-file mark. A picture or a program
// renamed to .dat has them within its first bytes.
bool HasForeignControl(std::string_view bytes)
{
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r' && byte != '\f' &&
            byte != 0x1a)
            return true;
    }
    return false;
}

bool IsBinary(std::string_view text)
{
    // Eight bytes at a time first: a text line has no byte below 0x20 but
    // its line break, so the exact test below runs only on those few bytes.
    constexpr std::uint64_t ones = 0x0101010101010101ULL, highs = 0x8080808080808080ULL;
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + i, sizeof word);
        if (((word - ones * 0x20) & ~word & highs) != 0 && HasForeignControl(text.substr(i, 8)))
            return true;
    }
    return HasForeignControl(text.substr(i));
}

// One pass over the whole file before anything is asked or changed.
struct FileSurvey {
    OpenStatus status = OpenStatus::CannotOpen;
    HeaderKind header = HeaderKind::Unknown;
    bool binary = false;
    bool readError = false;
    std::string errorText;
};

FileSurvey SurveyFile(const std::string& path)
{
    FileSurvey survey;
    LineReader reader(path);
    survey.status = reader.Status();
    if (!reader.IsOpen())
        return survey;
    std::string_view piece;
    if (reader.Next(&piece)) {
        bool crlf = false;
        const std::string_view line = StripLineBreak(piece, nullptr, &crlf);
        DataFile().usesCrlf = crlf;
        if (line.find(Version3Header + 2) != std::string_view::npos)
            survey.header = HeaderKind::Version3;
        else if (line.find(Version2Header + 2) != std::string_view::npos)
            survey.header = HeaderKind::Version2;
        // The rest needs no lines: whole blocks are checked at memory speed.
        survey.binary = IsBinary(piece);
        while (!survey.binary && reader.NextBlock(&piece))
            survey.binary = IsBinary(piece);
        if (survey.binary)
            return survey;
    }
    survey.readError = reader.Failed();
    survey.errorText = reader.ErrorText();
    return survey;
}

bool IsFixedCommentLine(std::string_view line)
{
    for (const char* fixed : CommentBlock)
        if (line == fixed)
            return true;
    return false;
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
    LineReader reader(path);
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

// False on a read error, whose reason goes to errorText.
bool LoadRecords(const std::string& path, bool version3, long long staggerIndex, int interval,
                 std::string* errorText)
{
    LineReader reader(path);
    // A data line is at least 24 bytes; reserving for that avoids regrowth.
    const long long estimate = reader.FileSize() / 24 + 1;
    if (staggerIndex < 0 && estimate < (1LL << 28))
        Records().Reserve(static_cast<int>(estimate));
    std::string_view piece;
    DataLine fields;
    long long dataIndex = 0;
    long long lineNumber = 0;
    bool line6IsFixed = false;
    RecordArray::Lock lock = Records().Acquire();
    while (reader.Next(&piece)) {
        const std::string_view line = StripLineBreak(piece);
        ++lineNumber;
        if (!line.empty() && line[0] == '!') {
            // Line 1 is the header; the fixed block (whatever wording its
            // free line 7 had) is written anew by every save.
            const bool fixed = IsFixedCommentLine(line) || (lineNumber == 7 && line6IsFixed);
            if (lineNumber == 6)
                line6IsFixed = line == CommentBlock[4];
            if (lineNumber > 1 && !fixed)
                lastRead.ownComments.emplace_back(line);
            continue;
        }
        if (!ParseDataLine(line, version3, &fields)) {
            if (lineNumber > 1 && !line.empty() && line.size() >= MinDataLineLength)
                ++lastRead.skippedDataLines;
            continue;
        }
        const long long distance = dataIndex++ - staggerIndex;
        if (staggerIndex >= 0 && distance % interval != 0) {
            ++lastRead.staggerSkippedLines;
            continue;
        }
        Records().AppendRecord(SolarRecord(fields.date, fields.sunspots, fields.flux, 0, 0));
    }
    *errorText = reader.ErrorText();
    return !reader.Failed();
}

// Reports a read that failed part way; nothing is loaded, the path stays.
ReadOutcome FailRead(const std::string& reason)
{
    Records().FreeRecords();
    lastRead.ownComments.clear();
    Prompt().MessageBox("Unable To Read Data File\n" + DataFile().path + "\n\n" + reason, "ReadData",
                        PromptIcon::Stop, PromptButtons::Ok);
    RememberFailedRead(ResolveLinks(DataFile().path));
    RaiseLoadFinished(false);
    return ReadOutcome::ReadFailed;
}

void RefuseAsNotDataFile()
{
    Prompt().MessageBox("Unable To Read Data File\n\nSee the ERROR MESSAGES In The\n"
                        "HELP File For More Information!",
                        "INCORRECT FILE", PromptIcon::Stop, PromptButtons::Ok);
    DataFile().path.clear();
    RaiseLoadFinished(false);
}

// Dates as the file holds them: mm/dd/yyyy, or mm/dd/yy in version 2.
// Empty when the date cannot be read, or not written so that it reads back.
std::string FileDate(std::string_view date, bool version3)
{
    const std::string canonical = ParseNumericDate(std::string(date));
    if (canonical.empty() || version3)
        return canonical;
    const int year = ParseLeadingInt(std::string_view(canonical).substr(6));
    if (year < 1950 || year > 2049)
        return {};  // its two-digit form would read back in another century
    return canonical.substr(0, 6) + canonical.substr(8, 2);
}

// A stagger plot holds every Nth day only: saving it over its own file
// would keep those and drop all the others, so the user is asked first.
bool ConfirmStaggeredSave(const std::string& realTarget)
{
    if (lastRead.staggeredFile != realTarget || lastRead.staggerSkippedLines == 0)
        return true;
    Prompt().EndWaitCursor();
    const PromptAnswer answer = Prompt().MessageBox(
        "The stagger plot loaded one day in every " + std::to_string(Stagger().interval) +
            " of\n" + DataFile().path + "\n\nSaving keeps the " +
            std::to_string(Records().RecordCount()) + " days shown and drops the other " +
            std::to_string(lastRead.staggerSkippedLines) +
            " (a copy of the file as it is now is kept first).\n\nDo You Want To Save Anyway?",
        "STAGGER PLOT", PromptIcon::Exclamation, PromptButtons::YesNoDefaultNo);
    Prompt().BeginWaitCursor();
    return answer == PromptAnswer::Yes;
}

// Tells the user, before anything is written, about days whose date cannot
// be written so that it reads back; they go into the file as comment lines.
void ReportUnwritableDates(bool version3)
{
    RecordArray& records = Records();
    int count = 0;
    std::string first;
    for (int i = 0; i < records.RecordCount(); ++i) {
        if (!FileDate(records.At(i).m_date.View(), version3).empty())
            continue;
        if (count++ == 0)
            first = "\"" + records.At(i).GetDate() + "\" (day " + std::to_string(i + 1) + ")";
    }
    if (count == 0)
        return;
    Prompt().EndWaitCursor();
    Prompt().MessageBox(std::to_string(count) +
                            (count == 1 ? " day has a date" : " days have a date") +
                            " that cannot be written" +
                            (version3 ? "" : " with a two-digit year") + ", the first " + first +
                            ".\nThey are saved as comment lines beginning \"" +
                            UnwritableDayMark + "\", which are not read back as days.",
                        "INCORRECT DATE", PromptIcon::Exclamation, PromptButtons::Ok);
    Prompt().BeginWaitCursor();
}

}  // namespace

OpenDataFile& DataFile()
{
    static OpenDataFile file;
    return file;
}

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
    return lastRead.skippedDataLines;
}

std::string ExpandVersion2Date(std::string_view date)
{
    const std::string_view yy = date.size() > 6 ? date.substr(6, 2) : std::string_view();
    std::string expanded(date.substr(0, 6));
    expanded += ExpandTwoDigitYear(ParseLeadingInt(yy)) >= 2000 ? "20" : "19";
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
    const int sunspots = ParseLeadingInt(rest.substr(0, spotsEnd));
    const double flux = ParseLeadingDouble(SkipBlanks(rest.substr(spotsEnd)));
    // Values no day can have (a typing slip, a corrupted line) would wreck
    // every scale and average: such a line is not a data line.
    if (sunspots < MinSunspots || sunspots > MaxSunspots || !(flux >= MinFlux && flux <= MaxFlux))
        return false;
    out->sunspots = sunspots;
    out->flux = flux;
    // Nearly every line: the date is already in the file's own form.
    if (IsCanonicalDate(date)) {
        out->date.assign(date);
        return true;
    }
    // A date typed by hand ("7/1/2026") is given the file's own form.
    std::string canonical = ParseNumericDate(std::string(date));
    if (canonical.empty())
        canonical = version3 ? std::string(date) : ExpandVersion2Date(date);
    out->date = std::move(canonical);
    return true;
}

void ReportLinesNotKept()
{
    const int count = lastRead.skippedDataLines;
    if (count == 0 || DataFile().path.empty())
        return;
    const std::string text =
        std::to_string(count) + (count == 1 ? " line of the data file\n" : " lines of the data file\n") +
        DataFile().path + (count == 1 ? "\nis not a valid data line" : "\nare not valid data lines") +
        " (a date, a sunspot number from 0 to 1000 and a solar flux from 0 to 2000).\n"
        "They are not shown, and saving the file drops them.\n\n"
        "Before the first save the file as it is now is copied to\n" +
        ChooseBackupPath(ResolveLinks(DataFile().path));
    Prompt().MessageBox(text, "DATA FILE", PromptIcon::Exclamation, PromptButtons::Ok);
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
    lastRead = LastRead();
    ForgetDataFileState();

    if (DataFile().path.empty())
        return ReadOutcome::NoPath;

    const FileSurvey survey = SurveyFile(DataFile().path);
    if (survey.status == OpenStatus::CannotOpen) {
        Prompt().MessageBox("Could Not Open Data File\n" + DataFile().path, "ReadData",
                            PromptIcon::Stop, PromptButtons::Ok);
        DataFile().path.clear();
        RaiseLoadFinished(false);
        return ReadOutcome::OpenFailed;
    }
    if (survey.status == OpenStatus::NotRegular) {
        // A FIFO or a device would block the read, or never end.
        Prompt().MessageBox("Unable To Read Data File\n" + DataFile().path +
                                "\n\nIt is not a regular file.",
                            "ReadData", PromptIcon::Stop, PromptButtons::Ok);
        DataFile().path.clear();
        RaiseLoadFinished(false);
        return ReadOutcome::ReadFailed;
    }
    if (survey.readError)
        return FailRead(survey.errorText);
    // A picture or a program is not offered the update: it would be ruined.
    if (survey.binary) {
        RefuseAsNotDataFile();
        return ReadOutcome::Refused;
    }

    if (survey.header == HeaderKind::Version3) {
        DataFile().version3 = true;
    } else if (survey.header == HeaderKind::Version2) {
        if (UserWantsConversion()) {
            if (!ConvertToVersion3()) {
                DataFile().path.clear();
                RaiseLoadFinished(false);
                return ReadOutcome::Refused;
            }
            DataFile().version3 = true;
        } else {
            DataFile().version3 = false;
        }
    } else {
        const PromptAnswer answer = Prompt().MessageBox(
            "This file does not appear to be a VORir data file.  If it IS\n"
            "a data file from early versions of VORir This Function Can\n"
            "Update It To Version 3.  If it is NOT a VORir data file DO NOT\n"
            "Let This Function Update It!\n\nDo You Want To Update The File?",
            "INCORRECT FILE", PromptIcon::Stop, PromptButtons::YesNoDefaultNo);
        if (answer != PromptAnswer::Yes) {
            RefuseAsNotDataFile();
            return ReadOutcome::Refused;
        }
        if (!AddVersion2Header() || !ConvertToVersion3()) {
            DataFile().path.clear();
            RaiseLoadFinished(false);
            return ReadOutcome::Refused;
        }
        DataFile().version3 = true;
    }

    RaiseLoadStarted();
    // Taken before the read: a change while it reads is a change since.
    const std::string realPath = ResolveLinks(DataFile().path);
    RememberReadFile(realPath);
    {
        WaitCursor wait;
        const bool version3 = DataFile().version3;
        long long staggerIndex = -1;
        StaggerRequest& stagger = Stagger();
        if (stagger.enabled) {
            staggerIndex = FindStaggerDay(DataFile().path, version3);
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
        std::string errorText;
        if (!LoadRecords(DataFile().path, version3, staggerIndex, interval, &errorText)) {
            Prompt().EndWaitCursor();
            const ReadOutcome failed = FailRead(errorText);
            Prompt().BeginWaitCursor();
            return failed;
        }
    }
    if (lastRead.skippedDataLines > 0 || lastRead.staggerSkippedLines > 0)
        RememberLinesDropped(realPath);
    lastRead.staggeredFile = lastRead.staggerSkippedLines > 0 ? realPath : std::string();
    RaiseLoadFinished(true);
    return ReadOutcome::Read;
}

bool WriteDataFile()
{
    if (DataFile().path.empty() && DataFileNotifications().pathNeeded)
        DataFileNotifications().pathNeeded();
    if (DataFile().path.empty())
        return false;

    WaitCursor wait;
    const auto reportFailure = [](const std::string& reason) {
        Prompt().EndWaitCursor();
        Prompt().MessageBox("Could Not Write Data File\n" + DataFile().path + "\n" + reason,
                            "FILE WRITE ERROR", PromptIcon::Stop, PromptButtons::Ok);
        Prompt().BeginWaitCursor();
        return false;
    };
    const std::string realTarget = ResolveLinks(DataFile().path);
    // Another SkyLog (a scheduled import) may be saving this file right now.
    const DataFileLock lock(DataFile().path);
    if (!lock.IsHeld())
        return reportFailure("Another program kept its folder locked for 30 seconds (" +
                             lock.LockedFolder() + ").");
    if (!ConfirmStaggeredSave(realTarget) || !SaveMayReplace(realTarget, DataFile().path))
        return false;
    RemoveStaleTemporaries(realTarget);
    if (lastRead.staggeredFile == realTarget)
        lastRead.staggeredFile.clear();  // the file now holds just the days shown

    const std::string_view lineEnd = DataFile().usesCrlf ? "\r\n" : "\n";
    const bool version3 = DataFile().version3;
    RecordArray& records = Records();
    RecordArray::Lock recordLock = records.Acquire();
    ReportUnwritableDates(version3);
    AtomicFileWriter writer(DataFile().path);
    if (writer.IsOpen()) {
        std::string text;
        text.reserve(1 << 16);
        text += version3 ? Version3Header : Version2Header;
        text += lineEnd;
        for (const char* line : CommentBlock) {
            text += line;
            text += lineEnd;
        }
        for (const std::string& line : lastRead.ownComments) {
            text += line;
            text += lineEnd;
        }
        char numbers[64];
        // Days whose date cannot be written go with the comments, ahead of
        // the data lines, where a later save puts them too.
        for (const bool unwritable : {true, false}) {
            for (int i = 0; i < records.RecordCount(); ++i) {
                const SolarRecord& record = records.At(i);
                const std::string date = FileDate(record.m_date.View(), version3);
                if (date.empty() != unwritable)
                    continue;
                std::snprintf(numbers, sizeof numbers, version3 ? "  %3d   " : "    %3d   ",
                              record.m_sunspots);
                if (unwritable) {
                    text += UnwritableDayMark;
                    text += record.m_date.View();
                } else {
                    text += date;
                }
                text += numbers;
                text += FormatFixed(record.m_flux, 5, 1);
                text += lineEnd;
                if (text.size() >= (1 << 16) - 256) {
                    writer.Write(text);
                    text.clear();
                }
            }
        }
        writer.Write(text);
    }
    if (!writer.Commit())
        return reportFailure(writer.Error());
    RememberSavedFile(realTarget);
    Records().SetDataChanged(0);
    return true;
}
