// The one way the program's logic talks to the user. The Qt layer implements
// it with real dialogs; the command line and the tests supply their own.
#pragma once

#include <optional>
#include <string>

enum class PromptIcon { Stop, Question, Exclamation, Information };
// YesNoDefaultNo: a question whose Yes may harm a file; Enter answers No.
enum class PromptButtons { Ok, OkCancel, YesNo, YesNoDefaultNo };
enum class PromptAnswer { Ok, Cancel, Yes, No };

// Answer of the "INCORRECT FILE FORMAT" dialog. Help leaves the dialog open:
// the caller shows the help and asks again.
enum class ConversionChoice { Convert, DoNotConvert, Help };

class UserPrompt {
public:
    virtual ~UserPrompt() = default;

    virtual PromptAnswer MessageBox(const std::string& text, const std::string& caption,
                                    PromptIcon icon, PromptButtons buttons) = 0;
    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;
    // Dispatches every pending window message (keeps the window repainting).
    virtual void PumpMessages() = 0;

    // File and folder choosers; an empty optional means the user cancelled.
    virtual std::optional<std::string> ChooseOpenFile(const std::string& initialPath,
                                                      const std::string& filter) = 0;
    virtual std::optional<std::string> ChooseSaveFile(const std::string& initialPath,
                                                      const std::string& filter) = 0;
    // The folder chooser shows title above its list.
    virtual std::optional<std::string> ChooseFolder(const std::string& initialFolder,
                                                    const std::string& title) = 0;

    // The data file's legacy format offer.
    virtual ConversionChoice AskConvertVersion2File() = 0;
    // The bulletin parser's two questions (empty optional: Cancel).
    virtual std::optional<int> AskBulletinYear(int initialYear) = 0;
    virtual std::optional<std::string> AskSearchText(const std::string& initialText) = 0;

    virtual void ShowHelp(const std::string& keyword) = 0;

    // A modeless progress window with a fixed text and a 0..100 bar.
    virtual void BeginProgress(const std::string& text) = 0;
    virtual void SetProgress(int percent) = 0;
    virtual void EndProgress() = 0;
};

// The program-wide prompt. Until one is installed a non-interactive prompt is
// used: questions get No/Cancel, messages go to standard error.
UserPrompt& Prompt();
void SetPrompt(UserPrompt* prompt);  // nullptr restores the non-interactive prompt

// Pumps messages at most about every 15 ms of work, so that long loops stay
// responsive without paying for a message check per record.
void PumpMessages();

// Shows the wait cursor for its lifetime.
class WaitCursor {
public:
    WaitCursor() { Prompt().BeginWaitCursor(); }
    ~WaitCursor() { Prompt().EndWaitCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};
