#include <gtest/gtest.h>

#include <QEnterEvent>
#include <QTest>

#include "support/dialog_driver.h"
#include "support/scripted_prompt.h"
#include "ui/about_dlg.h"
#include "ui/link_label.h"
#include "ui/link_opener.h"
#include "ui/software_support_dlg.h"

// A link shows hover and visited in their colours; a failed open says why and
// leaves the link unvisited. The link service is scripted: it fails once.
TEST(LinkLabelTest, ColoursFollowHoverAndVisited)
{
    ScriptedPrompt prompt;
    std::vector<QString> opened;
    SetLinkService([&](const QString& address) {
        opened.push_back(address);
        return opened.size() == 1 ? 31 : LinkOpened;
    });
    LinkLabel label("Our site");
    label.SetAddress("https://example.org/");
    label.show();
    EXPECT_EQ(label.TextColor(), QColor(0, 0, 238));
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(&label, &enter);
    EXPECT_EQ(label.TextColor(), QColor(255, 0, 255));
    label.Open();
    EXPECT_FALSE(label.Visited());
    EXPECT_EQ(prompt.Captions().size(), 1u);
    QTest::mouseClick(&label, Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(opened, (std::vector<QString>(2, "https://example.org/")));
    EXPECT_EQ(label.TextColor(), QColor(255, 0, 255));  // hover wins while the pointer stays
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&label, &leave);
    EXPECT_EQ(label.palette().color(QPalette::WindowText), QColor(85, 26, 139));
    SetLinkService({});
}

TEST(AboutTest, SupportButtonOpensSoftwareSupportAndOkDoesNot)
{
    ScriptedPrompt prompt;
    QWidget parent;
    QString mailAddress;
    OnNextDialog([&](QWidget* dialog) {
        ButtonNamed(dialog, "Support")->click();
        OnNextDialog([&](QWidget* next) {
            mailAddress = qobject_cast<SoftwareSupportDlg*>(next)->MailLink()->Address();
            qobject_cast<QDialog*>(next)->accept();
        });
    });
    ShowAbout(&parent);
    EXPECT_EQ(mailAddress, ProjectSupportMail);

    OnNextDialog([&](QWidget* dialog) { ButtonNamed(dialog, "OK")->click(); });
    ShowAbout(&parent);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}
