#include "support/scripted_prompt.h"

#include <algorithm>

namespace {

template <typename T>
T Take(std::deque<T>& queue, T fallback)
{
    if (queue.empty())
        return fallback;
    T value = queue.front();
    queue.pop_front();
    return value;
}

}  // namespace

PromptAnswer ScriptedPrompt::MessageBox(const std::string& text, const std::string& caption,
                                        PromptIcon icon, PromptButtons buttons)
{
    messages.push_back({text, caption, icon, buttons});
    if (buttons == PromptButtons::Ok)
        return PromptAnswer::Ok;
    const PromptAnswer fallback =
        buttons == PromptButtons::OkCancel ? PromptAnswer::Cancel : PromptAnswer::No;
    return Take(answers, fallback);
}

void ScriptedPrompt::BeginWaitCursor()
{
    maxWaitDepth = std::max(maxWaitDepth, ++waitDepth);
}

void ScriptedPrompt::EndWaitCursor()
{
    --waitDepth;
}

std::optional<std::string> ScriptedPrompt::Choose(const std::string& initialPath)
{
    chooserStarts.push_back(initialPath);
    return Take(chosenFiles, std::optional<std::string>());
}

std::optional<std::string> ScriptedPrompt::ChooseFolder(const std::string& initialFolder,
                                                        const std::string& title)
{
    folderTitles.push_back(title);
    return Choose(initialFolder);
}

ConversionChoice ScriptedPrompt::AskConvertVersion2File()
{
    ++conversionQuestions;
    return Take(conversionChoices, ConversionChoice::DoNotConvert);
}

std::optional<int> ScriptedPrompt::AskBulletinYear(int initialYear)
{
    yearPromptInitials.push_back(initialYear);
    return Take(years, std::optional<int>());
}

std::optional<std::string> ScriptedPrompt::AskSearchText(const std::string& initialText)
{
    searchPromptInitials.push_back(initialText);
    return Take(searchTexts, std::optional<std::string>());
}

std::vector<std::string> ScriptedPrompt::Captions() const
{
    std::vector<std::string> captions;
    for (const ShownMessage& m : messages)
        captions.push_back(m.caption);
    return captions;
}
