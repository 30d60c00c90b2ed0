#include "import/index_import_command.h"

#include "bulletin/bulletin_reading.h"
#include "config/plot_settings.h"
#include "data/prompt.h"
#include "import/import_run.h"

bool ImportIndexFileInteractively(const std::string& initialFolder)
{
    const std::optional<std::string> path = Prompt().ChooseOpenFile(initialFolder, IndexFileFilter);
    if (!path)
        return false;
    const std::string name = path->substr(path->find_last_of('/') + 1);
    ImportRun run;
    {
        WaitCursor wait;
        run.Read({{*path, name, std::nullopt}}, Settings().Phrase2, SettingsReadingOptions(false));
    }
    const FileReport& report = run.Reports().front();
    if (report.Failed() && report.read == 0) {
        Prompt().MessageBox(ReportText(report), ImportCaption, PromptIcon::Stop, PromptButtons::Ok);
        return false;
    }
    DuplicatePolicy policy = DuplicatePolicy::Ignore;
    if (const int stored = run.StoredDays(); stored > 0) {
        const std::string question =
            std::to_string(stored) + (stored == 1 ? " day of this file is" : " days of this file are") +
            " already stored.\n\nReplace the stored values with the file's values?\n"
            "(No keeps the stored values.)";
        if (Prompt().MessageBox(question, "Duplicate Dates Detected", PromptIcon::Question,
                                PromptButtons::YesNo) == PromptAnswer::Yes)
            policy = DuplicatePolicy::Replace;
    }
    bool changed = false;
    {
        WaitCursor wait;
        changed = run.Merge(policy);
    }
    Prompt().MessageBox(ReportText(run.Reports().front()), ImportCaption,
                        report.Failed() ? PromptIcon::Exclamation : PromptIcon::Information,
                        PromptButtons::Ok);
    return changed;
}
