#include <gtest/gtest.h>

#include <QFileDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTextBrowser>

#include "bulletin/bulletin_parser.h"
#include "support/data_state.h"
#include "support/dialog_driver.h"
#include "support/temp_folder.h"
#include "ui/help_window.h"
#include "ui/merge_progress_dlg.h"
#include "ui/qt_prompt.h"

namespace {

// Watches the progress window while a merge runs.
class WatchingPrompt : public QtPrompt {
public:
    int positions = 0;
    bool visible = true;
    void SetProgress(int percent) override
    {
        QtPrompt::SetProgress(percent);
        visible = visible && ProgressWindow() && ProgressWindow()->isVisible();
        ++positions;
    }
};

}  // namespace

TEST(QtPrompt, MergeShowsItsProgressWindow)
{
    ResetDataState();
    WatchingPrompt prompt;
    SetPrompt(&prompt);
    BulletinParser parser;
    ASSERT_EQ(parser.Parse(std::string(SKYLOG_SAMPLE_DIR) + "/../tests/bulletin/bulletins/arlp011.txt", 0), 7);
    parser.MergeIntoRecords(1);
    SetPrompt(nullptr);
    EXPECT_TRUE(prompt.visible);
    EXPECT_EQ(prompt.positions, 7);
    EXPECT_EQ(prompt.ProgressWindow(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    ResetDataState();
}

// Enter answers No to a question that may harm a file, Yes to an ordinary one.
TEST(QtPrompt, MessageBoxesAndTheirDefaultAnswer)
{
    QtPrompt prompt;
    const struct {
        PromptIcon icon;
        PromptButtons buttons;
        QMessageBox::Icon shown;
        PromptAnswer onEnter;
    } cases[] = {{PromptIcon::Stop, PromptButtons::YesNoDefaultNo, QMessageBox::Critical, PromptAnswer::No},
                 {PromptIcon::Question, PromptButtons::YesNo, QMessageBox::Question, PromptAnswer::Yes},
                 {PromptIcon::Exclamation, PromptButtons::Ok, QMessageBox::Warning, PromptAnswer::Ok}};
    for (const auto& c : cases) {
        QString caption;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        OnNextDialog([&](QWidget* dialog) {
            caption = dialog->windowTitle();
            icon = qobject_cast<QMessageBox*>(dialog)->icon();
            QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QApplication::sendEvent(dialog, &enter);
        });
        EXPECT_EQ(prompt.MessageBox("Update The File?", "INCORRECT FILE", c.icon, c.buttons), c.onEnter);
        EXPECT_EQ(caption, "INCORRECT FILE");
        EXPECT_EQ(icon, c.shown);
    }
}

// Help opens the manual at its section and leaves the question open.
TEST(QtPrompt, FormatQuestionHelpAndTheYearQuestion)
{
    QtPrompt prompt;
    bool stillOpen = false;
    OnNextDialog([&](QWidget* dialog) {
        ButtonNamed(dialog, "Help")->click();
        QTimer::singleShot(0, [&, dialog] {
            stillOpen = dialog->isVisible();
            ButtonNamed(dialog, "Do NOT convert the file")->click();
        });
    });
    EXPECT_EQ(prompt.AskConvertVersion2File(), ConversionChoice::DoNotConvert);
    EXPECT_TRUE(stillOpen);
    ASSERT_TRUE(HelpWindow::Instance()->isVisible());
    EXPECT_TRUE(HelpWindow::Instance()->Browser()->toHtml().contains(HelpAnchor("File Format Conversion")));
    HelpWindow::Instance()->close();

    OnNextDialog([&](QWidget* dialog) { ButtonNamed(dialog, "Cancel")->click(); });
    EXPECT_EQ(prompt.AskBulletinYear(2001), std::nullopt);
}

// The manual holds a section for every keyword a window opens it at.
TEST(Help, KeywordsOpenTheirSections)
{
    for (const char* keyword : {"Insert PFB Into Data", "File Format Conversion", "The Data File", "Error Messages",
                                "Locate PFB Files On The Internet", "Single File Download",
                                "Select Single File To Download", "Bulletin Files Manager"}) {
        HelpRequest(keyword);
        ASSERT_TRUE(HelpWindow::Instance()->isVisible());
        EXPECT_TRUE(HelpWindow::Instance()->Browser()->toHtml().contains(HelpAnchor(keyword))) << keyword;
    }
    HelpWindow::Instance()->close();
}

// A name typed without an extension gets the filter's, so that the Open
// chooser's filter shows the file afterwards; a name with one keeps it.
TEST(QtPrompt, SaveChooserAddsTheDefaultSuffix)
{
    TempFolder folder;
    QtPrompt prompt;
    for (const auto& c : {std::pair{"mydata", "mydata.dat"}, {"old.DAT", "old.DAT"}, {"notes.txt", "notes.txt"}}) {
        OnNextDialog([&](QWidget* dialog) {
            auto* chooser = qobject_cast<QFileDialog*>(dialog);
            chooser->selectFile(c.first);
            QMetaObject::invokeMethod(chooser, "accept");
        });
        EXPECT_EQ(prompt.ChooseSaveFile(folder.File("GRAPH.DAT"), "Data Files (*.dat *.DAT);;All Files (*)"),
                  folder.File(c.second));
    }
}
