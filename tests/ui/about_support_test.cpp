#include <gtest/gtest.h>

#include <QApplication>
#include <QEnterEvent>
#include <QLabel>
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

TEST(LinkLabelTest, ColoursFollowHoverAndVisited)
{
    ScriptedPrompt prompt;
    ScriptedLinks links;
    LinkLabel label("Our site");
    label.SetAddress("https://example.org/", "Click To Visit Web Site");
    label.show();
    EXPECT_EQ(label.TextColor(), QColor(0, 0, 238));
    EXPECT_EQ(label.palette().color(QPalette::WindowText), QColor(0, 0, 238));
    EXPECT_TRUE(label.font().underline());
    EXPECT_EQ(label.cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(label.TooltipText(), "Click To Visit Web Site");

    Enter(&label);
    EXPECT_TRUE(label.Over());
    EXPECT_EQ(label.TextColor(), QColor(255, 0, 255));
    QTest::mouseClick(&label, Qt::LeftButton, {}, QPoint(2, 2));
    ASSERT_EQ(links.opened.size(), 1u);
    EXPECT_EQ(links.opened[0], "https://example.org/");
    EXPECT_TRUE(label.Visited());
    // Hover wins while the pointer stays; visited shows once it leaves.
    EXPECT_EQ(label.TextColor(), QColor(255, 0, 255));
    Leave(&label);
    EXPECT_EQ(label.TextColor(), QColor(85, 26, 139));
    EXPECT_EQ(label.palette().color(QPalette::WindowText), QColor(85, 26, 139));
    EXPECT_TRUE(prompt.messages.empty());
}

TEST(LinkLabelTest, FailedOpenShowsTheErrorAndStaysUnvisited)
{
    ScriptedPrompt prompt;
    ScriptedLinks links;
    links.results = {31};
    LinkLabel label;
    label.SetAddress("mailto:someone@example.org");
    EXPECT_EQ(label.text(), "mailto:someone@example.org");  // no text: the address shows
    EXPECT_EQ(label.TooltipText(), "mailto:someone@example.org");
    label.Open();
    EXPECT_FALSE(label.Visited());
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text,
              "Unable to open hyperlink:\n\nThere is no application associated\nwith the given "
              "filename extension.");
    EXPECT_EQ(prompt.messages[0].caption, "");
    EXPECT_EQ(prompt.messages[0].icon, PromptIcon::Exclamation);
}

TEST(AboutTest, ProjectLinkAndPicture)
{
    ScriptedPrompt prompt;
    AboutDlg about;
    EXPECT_EQ(about.Link()->Address(), ProjectWebSite);
    EXPECT_EQ(about.Link()->TooltipText(), "Click To Visit Web Site");
    // The picture fills its frame: at least 360 by 184.
    about.show();
    bool picture = false;
    for (QLabel* label : about.findChildren<QLabel*>())
        if (!label->pixmap().isNull()) {
            picture = true;
            EXPECT_GE(label->pixmap().width() / label->pixmap().devicePixelRatio(), 360);
            EXPECT_GE(label->pixmap().height() / label->pixmap().devicePixelRatio(), 184);
        }
    EXPECT_TRUE(picture);
}

TEST(AboutTest, SupportButtonOpensSoftwareSupportAndOkDoesNot)
{
    ScriptedPrompt prompt;
    QWidget parent;
    QString supportCaption, versionLine, mailAddress, webAddress;
    bool sawAbout = false;
    OnNextDialog([&](QWidget* dialog) {
        sawAbout = qobject_cast<AboutDlg*>(dialog) != nullptr;
        ButtonNamed(dialog, "Support")->click();
        // About has closed; the next box must be Software Support.
        OnNextDialog([&](QWidget* next) {
            auto* support = qobject_cast<SoftwareSupportDlg*>(next);
            ASSERT_NE(support, nullptr);
            supportCaption = support->windowTitle();
            versionLine = support->VersionLine()->text();
            mailAddress = support->MailLink()->Address();
            webAddress = support->WebLink()->Address();
            EXPECT_EQ(support->MailLink()->TooltipText(), "Click To Send EMail");
            EXPECT_EQ(support->WebLink()->TooltipText(), "Click To Visit Web Site");
            support->accept();
        });
    });
    ShowAbout(&parent);
    EXPECT_TRUE(sawAbout);
    EXPECT_EQ(supportCaption, "SKYLOG Solar Data Plotter v" + VersionText());
    EXPECT_EQ(versionLine, "You are currently running version " + VersionText() + " of the software.");
    EXPECT_EQ(mailAddress, ProjectSupportMail);
    EXPECT_TRUE(mailAddress.startsWith("mailto:"));
    EXPECT_EQ(webAddress, ProjectIssuesPage);

    // OK closes About and nothing else opens.
    int dialogs = 0;
    OnNextDialog([&](QWidget* dialog) {
        ++dialogs;
        ButtonNamed(dialog, "OK")->click();
    });
    ShowAbout(&parent);
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}
