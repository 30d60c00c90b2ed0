#include "data/prompt.h"

#include <chrono>
#include <iostream>

namespace {

class ConsolePrompt final : public UserPrompt {
public:
    PromptAnswer MessageBox(const std::string& text, const std::string& caption, PromptIcon,
                            PromptButtons buttons) override
    {
        // Questions are answered No without a word; messages are shown.
        if (buttons == PromptButtons::Ok)
            std::cerr << caption << ": " << text << '\n';
        if (buttons == PromptButtons::Ok)
            return PromptAnswer::Ok;
        return buttons == PromptButtons::OkCancel ? PromptAnswer::Cancel : PromptAnswer::No;
    }
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    void PumpMessages() override {}
    std::optional<std::string> ChooseOpenFile(const std::string&, const std::string&) override
    {
        return std::nullopt;
    }
    std::optional<std::string> ChooseSaveFile(const std::string&, const std::string&) override
    {
        return std::nullopt;
    }
    std::optional<std::string> ChooseFolder(const std::string&, const std::string&) override
    {
        return std::nullopt;
    }
    ConversionChoice AskConvertVersion2File() override { return ConversionChoice::DoNotConvert; }
    std::optional<int> AskBulletinYear(int) override { return std::nullopt; }
    std::optional<std::string> AskSearchText(const std::string&) override { return std::nullopt; }
    void ShowHelp(const std::string&) override {}
    void BeginProgress(const std::string&) override {}
    void SetProgress(int) override {}
    void EndProgress() override {}
};

ConsolePrompt consolePrompt;
UserPrompt* installedPrompt = nullptr;

}  // namespace

UserPrompt& Prompt()
{
    if (installedPrompt)
        return *installedPrompt;
    return consolePrompt;
}

void SetPrompt(UserPrompt* prompt)
{
    installedPrompt = prompt;
}

void PumpMessages()
{
    using Clock = std::chrono::steady_clock;
    thread_local Clock::time_point lastPump{};
    thread_local unsigned calls = 0;
    // Reading the clock costs more than a record's work; look only now and then.
    if (++calls % 64 != 0)
        return;
    const Clock::time_point now = Clock::now();
    if (now - lastPump < std::chrono::milliseconds(15))
        return;
    lastPump = now;
    Prompt().PumpMessages();
}
