#include <gtest/gtest.h>

#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QTextBrowser>

#include "support/dialog_driver.h"
#include "support/scripted_prompt.h"
#include "support/temp_folder.h"
#include "ui/help_window.h"
#include "ui/merge_progress_dlg.h"
#include "ui/qt_prompt.h"

// The progress window and the wait pointer come and go; Enter answers No to a
// question that may harm a file, Yes to an ordinary one.
TEST(QtPrompt, ProgressAndMessageBoxesWithTheirDefaultAnswer)
{
    QtPrompt prompt;
    prompt.BeginWaitCursor();
    prompt.BeginProgress("Merging");
    ASSERT_TRUE(prompt.ProgressWindow() && prompt.ProgressWindow()->isVisible());
    prompt.SetProgress(40);
    EXPECT_EQ(prompt.ProgressWindow()->Position(), 40);
    prompt.EndProgress();
    prompt.EndWaitCursor();
    EXPECT_EQ(prompt.ProgressWindow(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    const struct {
        PromptIcon icon;
        PromptButtons buttons;
        QMessageBox::Icon shown;
        PromptAnswer onEnter;
    } cases[] = {{PromptIcon::Stop, PromptButtons::YesNoDefaultNo, QMessageBox::Critical, PromptAnswer::No},
                 {PromptIcon::Question, PromptButtons::YesNo, QMessageBox::Question, PromptAnswer::Yes},
                 {PromptIcon::Exclamation, PromptButtons::Ok, QMessageBox::Warning, PromptAnswer::Ok}};
    for (const auto& c : cases) {
        QString shown;
        OnNextDialog([&](QWidget* dialog) {
            shown = dialog->windowTitle() + QString::number(qobject_cast<QMessageBox*>(dialog)->icon());
            QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QApplication::sendEvent(dialog, &enter);
        });
        EXPECT_EQ(prompt.MessageBox("Update The File?", "INCORRECT FILE", c.icon, c.buttons), c.onEnter);
        EXPECT_EQ(shown, "INCORRECT FILE" + QString::number(c.shown));
    }
}

// Help opens the manual at its section and leaves the question open; the year
// question refuses years before the sunspot record; a file name typed without
// an extension gets the filter's, so that the Open chooser shows it.
TEST(QtPrompt, FormatYearAndSaveFileQuestions)
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
    for (const char* keyword : {"File Format Conversion", "Insert PFB Into Data", "Locate PFB Files On The Internet",
                                "Single File Download", "Select Single File To Download", "Bulletin Files Manager"})
        EXPECT_TRUE(HelpWindow::Instance()->Browser()->toHtml().contains(HelpAnchor(keyword))) << keyword;
    HelpWindow::Instance()->close();

    ScriptedPrompt refusals;
    OnNextDialog([&](QWidget* dialog) {
        auto* field = dialog->findChild<QLineEdit*>();
        for (const char* year : {"1700", "1999"}) {
            field->setText(year);
            ButtonNamed(dialog, "OK")->click();
        }
    });
    EXPECT_EQ(prompt.AskBulletinYear(2001), 1999);
    EXPECT_EQ(refusals.messages.at(0).text, "Please enter an integer between 1858 and 2099.");

    TempFolder folder;
    OnNextDialog([&](QWidget* dialog) {
        qobject_cast<QFileDialog*>(dialog)->selectFile("mydata");
        QMetaObject::invokeMethod(dialog, "accept");
    });
    EXPECT_EQ(prompt.ChooseSaveFile(folder.File("GRAPH.DAT"), "Data Files (*.dat *.DAT);;All Files (*)"),
              folder.File("mydata.dat"));
}
