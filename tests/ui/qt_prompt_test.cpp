#include <gtest/gtest.h>

#include <QFileDialog>
#include <QKeyEvent>
#include <QMessageBox>

#include "ui/help_window.h"
#include "ui/qt_prompt.h"
#include <QTextBrowser>
#include "bulletin/bulletin_parser.h"
#include "ui/merge_progress_dlg.h"
#include "config/plot_settings.h"
#include "support/data_state.h"
#include "support/dialog_driver.h"
#include "support/temp_folder.h"

namespace {

// Watches the progress window while a merge runs.
class WatchingPrompt : public QtPrompt {
public:
    std::vector<int> positions;
    bool visible = true;
    void SetProgress(int percent) override
    {
        QtPrompt::SetProgress(percent);
        MergeProgressDlg* window = ProgressWindow();
        visible = visible && window && window->isVisible();
        if (window)
            positions.push_back(window->Position());
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
    EXPECT_EQ(Records().RecordCount(), 7);
    EXPECT_TRUE(prompt.visible);
    EXPECT_EQ(prompt.positions.size(), 7u);  // the values: the merge's tests
    EXPECT_EQ(prompt.ProgressWindow(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    ResetDataState();
}

TEST(QtPrompt, MessageBoxesAndTheFormatQuestion)
{
    QtPrompt prompt;
    QString caption;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    OnNextDialog([&](QWidget* dialog) {
        auto* box = qobject_cast<QMessageBox*>(dialog);
        caption = box->windowTitle();
        icon = box->icon();
        ButtonNamed(box, "Yes")->click();
    });
    EXPECT_EQ(prompt.MessageBox("Data File Has Changed - Do You Want To Save It?", "FILE CHANGED",
                                PromptIcon::Question, PromptButtons::YesNo),
              PromptAnswer::Yes);
    EXPECT_EQ(caption, "FILE CHANGED");
    EXPECT_EQ(icon, QMessageBox::Question);

    // Help opens the manual at its section and leaves the question open.
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
    EXPECT_TRUE(HelpWindow::Instance()->Browser()->source().toString().endsWith("skylog-help.html"));
    HelpWindow::Instance()->close();

    OnNextDialog([&](QWidget* dialog) {
        caption = dialog->windowTitle();
        ButtonNamed(dialog, "Cancel")->click();
    });
    EXPECT_EQ(prompt.AskBulletinYear(2001), std::nullopt);
    EXPECT_EQ(caption, "Specify Year");
}

TEST(Help, KeywordsOpenTheirSections)
{
    HelpRequest("Insert PFB Into Data");  // a section a later window opens
    HelpWindow* window = HelpWindow::Instance();
    ASSERT_TRUE(window->isVisible());
    for (const char* keyword : {"File Format Conversion", "The Data File", "Error Messages",
                                "Locate PFB Files On The Internet", "Single File Download",
                                "Select Single File To Download", "Bulletin Files Manager"}) {
        HelpRequest(keyword);
        EXPECT_TRUE(window->Browser()->toHtml().contains(HelpAnchor(keyword))) << keyword;
    }
    window->close();
}

// A name typed without an extension is saved with the filter's, so that the
// Open chooser's filter shows the file afterwards; a name with one keeps it.
TEST(QtPrompt, SaveChooserAddsTheDefaultSuffix)
{
    TempFolder folder;
    QtPrompt prompt;
    const struct {
        const char* typed;
        const char* saved;
    } cases[] = {{"mydata", "mydata.dat"}, {"old.DAT", "old.DAT"}, {"notes.txt", "notes.txt"}};
    for (const auto& c : cases) {
        OnNextDialog([&](QWidget* dialog) {
            auto* chooser = qobject_cast<QFileDialog*>(dialog);
            ASSERT_NE(chooser, nullptr);
            chooser->selectFile(c.typed);
            QMetaObject::invokeMethod(chooser, "accept");
        });
        const std::optional<std::string> chosen =
            prompt.ChooseSaveFile(folder.File("GRAPH.DAT"), "Data Files (*.dat *.DAT);;All Files (*)");
        ASSERT_TRUE(chosen.has_value()) << c.typed;
        EXPECT_EQ(*chosen, folder.File(c.saved));
    }
}

TEST(QtPrompt, AQuestionThatMayHarmAFileAnswersNoOnEnter)
{
    QtPrompt prompt;
    for (const PromptButtons buttons : {PromptButtons::YesNoDefaultNo, PromptButtons::YesNo}) {
        QString defaultText;
        OnNextDialog([&](QWidget* dialog) {
            auto* box = qobject_cast<QMessageBox*>(dialog);
            if (box->defaultButton())
                defaultText = box->defaultButton()->text().remove('&');
            // Enter presses the default button, as a user in a hurry would.
            QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QApplication::sendEvent(box, &enter);
        });
        const PromptAnswer answer =
            prompt.MessageBox("Do You Want To Update The File?", "INCORRECT FILE",
                              PromptIcon::Stop, buttons);
        if (buttons == PromptButtons::YesNoDefaultNo) {
            EXPECT_EQ(defaultText, "No");
            EXPECT_EQ(answer, PromptAnswer::No);
        } else {
            EXPECT_EQ(answer, PromptAnswer::Yes);  // the ordinary question keeps Yes first
        }
    }
}
