#include "internet/bulletin_dispositions.h"

#include <optional>
#include <sys/stat.h>

#include "bulletin/bulletin_parser.h"
#include "bulletin/bulletin_reading.h"
#include "data/prompt.h"
#include "data/record_array.h"
#include "internet/checked_file_list.h"
#include "internet/ftp_locate_worker.h"
#include "internet/private_files.h"
#include "internet/viewer_copies.h"

namespace {

void Inform(const std::string& text, const std::string& caption)
{
    Prompt().MessageBox(text, caption, PromptIcon::Information, PromptButtons::Ok);
}

}  // namespace

std::string SaveFetchedBulletin(const std::string& name, PrivateTempFile& fetched)
{
    const std::string temporary = fetched.Path();
    const std::optional<std::string> folder = Prompt().ChooseFolder("", SaveFolderTitle);
    if (!folder)
        return temporary;
    std::string target = *folder;
    if (target.empty() || target.back() != '/')
        target += '/';
    target += name;
    if (MoveFileNoReplace(temporary, target)) {
        fetched.Release();
        // The private temporary mode would hide the user's own copy from others.
        const mode_t mask = umask(0);
        umask(mask);
        chmod(target.c_str(), 0666 & ~mask);
        return target;
    }
    // The message names the temporary file: it must still be there afterwards.
    fetched.Release();
    Inform("Could Not Move File From\n" + temporary + "\nTo\n" + target + "\n\nIt is still named\n" +
               temporary,
           "MOVE FILE FAILED");
    return temporary;
}

void AddFetchedBulletin(const std::string& name, const std::string& path, BulletinParser& parser,
                        CheckedFileList& checked)
{
    std::string failure;
    {
        WaitCursor wait;
        parser.Reset();
        const int parsed = ReadBulletin(parser, path, SettingsReadingOptions(false)).result;
        if (parsed <= 0) {
            // A bulletin without days will not gain any later: recorded like
            // the permanent failures.
            if (parsed == 0 || IsPermanentParseFailure(parsed))
                checked.Add(name);
            failure = parsed == 0 ? NoBulletinDaysStatus : ParseResultStatus(parsed);
        } else {
            if (parser.FindDuplicates() > 0)
                parser.ApplyDuplicatePolicy(1);
            PumpMessages();
            {
                RecordArray::Lock lock = Records().Acquire();
                parser.MergeIntoRecords(0);
            }
            checked.Add(name);
        }
    }
    if (!failure.empty())
        Inform("ERROR ADDING DATA\n" + failure, "DATA NOT ADDED");
    else
        Inform("New Data Added To Database", "NEW DATA ADDED");
}

bool ViewFetchedBulletin(const std::string& name, const std::string& path, const TextViewer& viewer)
{
    const std::optional<std::string> copy = MakeViewerCopy(path, name);
    if (!copy) {
        Prompt().MessageBox("Could not make a copy of\n" + path + "\nfor the text viewer.",
                            "VIEW FILE FAILED", PromptIcon::Exclamation, PromptButtons::Ok);
        return false;
    }
    return viewer(*copy);
}

void HandleFetchedBulletin(const std::string& name, PrivateTempFile& fetched,
                           const BulletinDispositions& dispositions, BulletinParser& parser,
                           CheckedFileList& checked, const TextViewer& viewer)
{
    std::string path = fetched.Path();
    if (dispositions.save)
        path = SaveFetchedBulletin(name, fetched);
    if (dispositions.add)
        AddFetchedBulletin(name, path, parser, checked);
    if (dispositions.view)
        ViewFetchedBulletin(name, path, viewer);
    fetched.Remove();  // a no-op once the file was handed on
}
