#include "data/legacy_conversion.h"

#include <cstdio>

#include "data/data_file.h"
#include "data/prompt.h"
#include "data/text_file.h"

namespace {

constexpr std::size_t ConversionPieceLimit = 142;

void ReportWriteFailure(const std::string& path)
{
    Prompt().MessageBox("Could Not Write Data File\n" + path, "FILE WRITE ERROR", PromptIcon::Stop,
                        PromptButtons::Ok);
}

// The line break a file uses, judged by its first line.
std::string_view LineBreakOf(const std::string& path)
{
    LineReader reader(path);
    std::string_view first;
    bool crlf = false;
    if (reader.Next(&first))
        StripLineBreak(first, nullptr, &crlf);
    return crlf ? "\r\n" : "\n";
}

// A version 2 data line with its two-digit year widened to four digits.
std::string ConvertDataLine(std::string_view line)
{
    if (line.size() < 10)
        return std::string(line);  // too short to hold a date: copied as it is
    return ExpandVersion2Date(line.substr(0, 8)) + std::string(line.substr(10));
}

}  // namespace

std::string ReplaceExtension(const std::string& path, const std::string& extension)
{
    const std::size_t slash = path.find_last_of('/');
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return path + "." + extension;
    return path.substr(0, dot + 1) + extension;
}

std::string ChooseBackupPath(const std::string& dataPath)
{
    const std::string first = ReplaceExtension(dataPath, "BAK");
    if (!FileExists(first))
        return first;
    for (int n = 0; n < 100; ++n) {
        char extension[8];
        std::snprintf(extension, sizeof extension, "B%02d", n);
        const std::string candidate = ReplaceExtension(dataPath, extension);
        if (!FileExists(candidate))
            return candidate;
    }
    return {};
}

int CopyDataFile(const std::string& source, const std::string& target)
{
    std::FILE* in = std::fopen(source.c_str(), "rb");
    if (!in)
        return 1;
    std::FILE* out = std::fopen(target.c_str(), "wb");
    if (!out) {
        std::fclose(in);
        return 2;
    }
    WaitCursor wait;
    char block[4096];
    bool ok = true;
    std::size_t n;
    while ((n = std::fread(block, 1, sizeof block, in)) > 0) {
        if (std::fwrite(block, 1, n, out) != n) {
            ok = false;
            break;
        }
    }
    ok = ok && !std::ferror(in);
    std::fclose(in);
    ok = std::fclose(out) == 0 && ok;
    if (!ok) {
        std::remove(target.c_str());
        return 2;
    }
    return 0;
}

int AddVersion2Header()
{
    WaitCursor wait;
    const std::string path = DataFile().path;
    std::FILE* in = std::fopen(path.c_str(), "rb");
    AtomicFileWriter writer(path);
    if (!in || !writer.IsOpen()) {
        if (in)
            std::fclose(in);
        ReportWriteFailure(path);
        return 0;
    }
    writer.Write(Version2Header);
    writer.Write(LineBreakOf(path));
    char block[ConversionPieceLimit];
    std::size_t n;
    while ((n = std::fread(block, 1, sizeof block, in)) > 0)
        writer.Write(std::string_view(block, n));
    const bool readOk = !std::ferror(in);
    std::fclose(in);
    if (!readOk || !writer.Commit()) {
        ReportWriteFailure(path);
        return 0;
    }
    return 1;
}

int ConvertToVersion3()
{
    WaitCursor wait;
    const std::string path = DataFile().path;
    std::string backup = ChooseBackupPath(path);
    bool makeBackup = true;
    if (backup.empty()) {
        const PromptAnswer answer = Prompt().MessageBox(
            "Unable to make a backup copy\nof your existing data file\nall file extensions are in "
            "use\n\nDo you want to continue anyway?",
            "DATA FILE NOT COPIED", PromptIcon::Stop, PromptButtons::YesNo);
        if (answer != PromptAnswer::Yes)
            return 0;
        makeBackup = false;
        backup = ReplaceExtension(path, "B99");
    }
    if (makeBackup && CopyDataFile(path, backup) != 0) {
        const PromptAnswer answer = Prompt().MessageBox(
            "Unable to make a backup copy\nof your existing data file\nDo you want to continue "
            "anyway?",
            "DATA FILE NOT COPIED", PromptIcon::Stop, PromptButtons::YesNo);
        if (answer != PromptAnswer::Yes)
            return 0;
    }

    const std::string_view lineBreak = LineBreakOf(path);
    LineReader reader(path);
    AtomicFileWriter writer(path);
    if (!reader.IsOpen() || !writer.IsOpen()) {
        Prompt().MessageBox("ERROR WRITING TO OUTPUT FILE\nFile was NOT converted!",
                            "FILE WRITE ERROR", PromptIcon::Stop, PromptButtons::Ok);
        return 0;
    }
    writer.Write(Version3Header);
    writer.Write(lineBreak);
    std::string_view piece;
    while (reader.Next(&piece)) {
        const std::string_view line = StripLineBreak(piece);
        const std::string_view ending = piece.substr(line.size());
        if (!line.empty() && line[0] == '!') {
            if (line == Version2Header)
                continue;
            writer.Write(piece);
        } else {
            writer.Write(ConvertDataLine(line));
            writer.Write(ending);
        }
    }
    if (reader.Failed()) {
        Prompt().MessageBox("ERROR READING INPUT FILE\nFile was NOT converted!", "FILE WRITE ERROR",
                            PromptIcon::Stop, PromptButtons::Ok);
        return 0;
    }
    if (!writer.Commit()) {
        Prompt().MessageBox("ERROR WRITING TO OUTPUT FILE\nFile was NOT converted!",
                            "FILE WRITE ERROR", PromptIcon::Stop, PromptButtons::Ok);
        return 0;
    }
    Prompt().EndWaitCursor();
    Prompt().MessageBox("Data file converted properly.  Your existing file was copied to\n" + backup,
                        "DATA FILE CONVERTED", PromptIcon::Information, PromptButtons::Ok);
    Prompt().BeginWaitCursor();
    return 1;
}
