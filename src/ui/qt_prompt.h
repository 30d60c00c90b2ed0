// The prompt interface answered by real Qt dialogs.
#pragma once

#include <QPointer>
#include <functional>

#include "ui/merge_progress_dlg.h"
#include "data/prompt.h"

class MergeProgressDlg;
class QWidget;

class QtPrompt : public UserPrompt {
public:
    // Dialogs are centred on the window parent() returns (none when it is empty).
    explicit QtPrompt(std::function<QWidget*()> parent = {});

    PromptAnswer MessageBox(const std::string& text, const std::string& caption, PromptIcon icon,
                            PromptButtons buttons) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    void PumpMessages() override;
    std::optional<std::string> ChooseOpenFile(const std::string& initialPath,
                                              const std::string& filter) override;
    std::optional<std::string> ChooseSaveFile(const std::string& initialPath,
                                              const std::string& filter) override;
    std::optional<std::string> ChooseFolder(const std::string& initialFolder,
                                            const std::string& title) override;
    ConversionChoice AskConvertVersion2File() override;
    std::optional<int> AskBulletinYear(int initialYear) override;
    std::optional<std::string> AskSearchText(const std::string& initialText) override;
    void ShowHelp(const std::string& keyword) override;
    void BeginProgress(const std::string& text) override;
    void SetProgress(int percent) override;
    void EndProgress() override;

    MergeProgressDlg* ProgressWindow() const { return progress_; }

private:
    std::function<QWidget*()> parent_;
    QPointer<MergeProgressDlg> progress_;

    QWidget* Parent() const { return parent_ ? parent_() : nullptr; }
};
