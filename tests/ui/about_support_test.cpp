#include <gtest/gtest.h>

#include <QEnterEvent>
#include <QTest>

#include "support/dialog_driver.h"
#include "support/scripted_prompt.h"
#include "ui/about_dlg.h"
#include "ui/frame.h"
#include "ui/link_label.h"
#include "ui/link_opener.h"
#include "ui/software_support_dlg.h"

namespace {

// The link service, scripted: answers in turn, remembers what was opened.
struct ScriptedLinks {
    std::vector<int> results;
    std::vector<QString> opened;
    ScriptedLinks()
    {
        SetLinkService([this](const QString& address) {
            opened.push_back(address);
            const int result = results.empty() ? LinkOpened : results.front();
            if (!results.empty())
                results.erase(results.begin());
            return result;
        });
    }
    ~ScriptedLinks() { SetLinkService({}); }
};

void Enter(QWidget* widget)
{
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(widget, &enter);
}

void Leave(QWidget* widget)
{
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(widget, &leave);
}

}  // namespace

// A link shows hover and visited in their colours; a failed open says why
// and leaves the link unvisited.
TEST(LinkLabelTest, ColoursFollowHoverAndVisited)
{
    ScriptedPrompt prompt;
    ScriptedLinks links;
    links.results = {31};
    LinkLabel label("Our site");
    label.SetAddress("https://example.org/", "Click To Visit Web Site");
    label.show();
    EXPECT_EQ(label.TextColor(), QColor(0, 0, 238));
    Enter(&label);
    EXPECT_EQ(label.TextColor(), QColor(255, 0, 255));
    label.Open();
    EXPECT_FALSE(label.Visited());
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text, "Unable to open hyperlink:\n\nThere is no application associated\nwith the given "
                                       "filename extension.");
    QTest::mouseClick(&label, Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(links.opened, (std::vector<QString>(2, "https://example.org/")));
    EXPECT_TRUE(label.Visited());
    // Hover wins while the pointer stays; visited shows once it leaves.
    EXPECT_EQ(label.TextColor(), QColor(255, 0, 255));
    Leave(&label);
    EXPECT_EQ(label.palette().color(QPalette::WindowText), QColor(85, 26, 139));
}

TEST(AboutTest, SupportButtonOpensSoftwareSupportAndOkDoesNot)
{
    ScriptedPrompt prompt;
    QWidget parent;
    QString mailAddress;
    OnNextDialog([&](QWidget* dialog) {
        ButtonNamed(dialog, "Support")->click();
        OnNextDialog([&](QWidget* next) {
            auto* support = qobject_cast<SoftwareSupportDlg*>(next);
            ASSERT_NE(support, nullptr);
            mailAddress = support->MailLink()->Address();
            support->accept();
        });
    });
    ShowAbout(&parent);
    EXPECT_EQ(mailAddress, ProjectSupportMail);

    int dialogs = 0;
    OnNextDialog([&](QWidget* dialog) {
        ++dialogs;
        ButtonNamed(dialog, "OK")->click();
    });
    ShowAbout(&parent);
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}
