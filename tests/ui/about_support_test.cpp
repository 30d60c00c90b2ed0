#include <gtest/gtest.h>

#include <QEnterEvent>
#include <QTest>

#include "support/dialog_driver.h"
#include "support/scripted_prompt.h"
#include "ui/about_dlg.h"
#include "ui/link_label.h"
#include "ui/link_opener.h"
#include "ui/software_support_dlg.h"

// Hover wins while the pointer is over the link; a failed open (the scripted
// link service fails once) says why and leaves the link unvisited.
TEST(LinkLabelTest, ColoursFollowHoverAndVisited)
{
    ScriptedPrompt prompt;
    int opens = 0;
    SetLinkService([&](const QString& address) {
        return address == "https://example.org/" && ++opens > 1 ? LinkOpened : 31;
    });
    LinkLabel label("Our site");
    label.SetAddress("https://example.org/");
    label.show();
    const auto pointer = [&](bool over) {
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&label, over ? static_cast<QEvent*>(&enter) : &leave);
        return label.palette().color(QPalette::WindowText);
    };
    EXPECT_EQ(pointer(true), QColor(255, 0, 255));
    label.Open();
    EXPECT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(pointer(false), QColor(0, 0, 238));
    pointer(true);
    QTest::mouseClick(&label, Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(opens, 2);
    EXPECT_EQ(label.TextColor(), QColor(255, 0, 255));
    EXPECT_EQ(pointer(false), QColor(85, 26, 139));
    SetLinkService({});
}

TEST(AboutTest, SupportButtonOpensSoftwareSupportAndOkDoesNot)
{
    ScriptedPrompt prompt;
    QString mailAddress;
    OnNextDialog([&](QWidget* dialog) {
        ButtonNamed(dialog, "Support")->click();
        OnNextDialog([&](QWidget* next) {
            mailAddress = qobject_cast<SoftwareSupportDlg*>(next)->MailLink()->Address();
            qobject_cast<QDialog*>(next)->accept();
        });
    });
    ShowAbout(nullptr);
    EXPECT_EQ(mailAddress, ProjectSupportMail);
    OnNextDialog([&](QWidget* dialog) { ButtonNamed(dialog, "OK")->click(); });
    ShowAbout(nullptr);  // a support window after OK would wait for ever
}
