// A prompt that answers from a script and remembers everything it was shown.
#pragma once

#include <algorithm>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "data/prompt.h"

struct ShownMessage {
    std::string text;
    std::string caption;
    PromptIcon icon;
    PromptButtons buttons;
};

class ScriptedPrompt : public UserPrompt {
public:
    ScriptedPrompt() { SetPrompt(this); }
    ~ScriptedPrompt() override { SetPrompt(nullptr); }

    // Answers handed out in order; a question without a scripted answer gets No (Yes/No) or Cancel (OK/Cancel).
    std::deque<PromptAnswer> answers;
    std::deque<ConversionChoice> conversionChoices;
    std::deque<std::optional<std::string>> chosenFiles;
    std::deque<std::optional<int>> years;
    std::deque<std::optional<std::string>> searchTexts;

    std::vector<ShownMessage> messages;
    std::vector<std::string> helpKeywords;
    std::vector<std::string> chooserStarts;  // initial paths handed to the file choosers
    std::vector<std::string> folderTitles;   // titles of the folder choosers shown
    std::vector<int> yearPromptInitials;
    std::vector<std::string> searchPromptInitials;
    std::vector<int> progress;
    std::vector<std::string> progressTexts;
    int waitDepth = 0;
    int maxWaitDepth = 0;
    int pumps = 0;
    int conversionQuestions = 0;

    PromptAnswer MessageBox(const std::string& text, const std::string& caption, PromptIcon icon,
                            PromptButtons buttons) override
    {
        messages.push_back({text, caption, icon, buttons});
        if (buttons == PromptButtons::Ok)
            return PromptAnswer::Ok;
        return Take(answers, buttons == PromptButtons::OkCancel ? PromptAnswer::Cancel : PromptAnswer::No);
    }
    void BeginWaitCursor() override { maxWaitDepth = std::max(maxWaitDepth, ++waitDepth); }
    void EndWaitCursor() override { --waitDepth; }
    void PumpMessages() override { ++pumps; }
    std::optional<std::string> ChooseOpenFile(const std::string& at, const std::string&) override { return Choose(at); }
    std::optional<std::string> ChooseSaveFile(const std::string& at, const std::string&) override { return Choose(at); }
    std::optional<std::string> ChooseFolder(const std::string& initialFolder, const std::string& title) override
    {
        folderTitles.push_back(title);
        return Choose(initialFolder);
    }
    ConversionChoice AskConvertVersion2File() override
    {
        ++conversionQuestions;
        return Take(conversionChoices, ConversionChoice::DoNotConvert);
    }
    std::optional<int> AskBulletinYear(int initialYear) override
    {
        yearPromptInitials.push_back(initialYear);
        return Take(years, std::optional<int>());
    }
    std::optional<std::string> AskSearchText(const std::string& initialText) override
    {
        searchPromptInitials.push_back(initialText);
        return Take(searchTexts, std::optional<std::string>());
    }
    void ShowHelp(const std::string& keyword) override { helpKeywords.push_back(keyword); }
    void BeginProgress(const std::string& text) override { progressTexts.push_back(text); }
    void SetProgress(int percent) override { progress.push_back(percent); }
    void EndProgress() override { progressTexts.push_back("<end>"); }

    // Captions of every message shown, in order.
    std::vector<std::string> Captions() const
    {
        std::vector<std::string> captions;
        for (const ShownMessage& m : messages)
            captions.push_back(m.caption);
        return captions;
    }

private:
    template <typename T>
    static T Take(std::deque<T>& queue, T fallback)
    {
        if (queue.empty())
            return fallback;
        T value = queue.front();
        queue.pop_front();
        return value;
    }
    // A chooser starting at initialPath: the next scripted choice.
    std::optional<std::string> Choose(const std::string& initialPath)
    {
        chooserStarts.push_back(initialPath);
        return Take(chosenFiles, std::optional<std::string>());
    }
};
