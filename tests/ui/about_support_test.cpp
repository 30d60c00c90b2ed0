#include <gtest/gtest.h>

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
    EXPECT_TRUE(label.font().underline());
    EXPECT_EQ(label.cursor().shape(), Qt::PointingHandCursor);

    Enter(&label);
    EXPECT_EQ(label.TextColor(), QColor(255, 0, 255));
    label.Open();
    EXPECT_FALSE(label.Visited());
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text,
              "Unable to open hyperlink:\n\nThere is no application associated\nwith the given "
              "filename extension.");
    QTest::mouseClick(&label, Qt::LeftButton, {}, QPoint(2, 2));
    ASSERT_EQ(links.opened.size(), 2u);
    EXPECT_EQ(links.opened[1], "https://example.org/");
    EXPECT_TRUE(label.Visited());
    // Hover wins while the pointer stays; visited shows once it leaves.
    EXPECT_EQ(label.TextColor(), QColor(255, 0, 255));
    Leave(&label);
    EXPECT_EQ(label.TextColor(), QColor(85, 26, 139));
    EXPECT_EQ(label.palette().color(QPalette::WindowText), QColor(85, 26, 139));
    EXPECT_EQ(prompt.messages.size(), 1u);

    LinkLabel bare;
    bare.SetAddress("mailto:someone@example.org");
    EXPECT_EQ(bare.text(), "mailto:someone@example.org");  // no text: the address shows
}

TEST(AboutTest, SupportButtonOpensSoftwareSupportAndOkDoesNot)
{
    ScriptedPrompt prompt;
    QWidget parent;
    QString supportCaption, versionLine, mailAddress, webAddress;
    bool sawAbout = false;
    OnNextDialog([&](QWidget* dialog) {
        auto* about = qobject_cast<AboutDlg*>(dialog);
        ASSERT_NE(about, nullptr);
        sawAbout = about->Link()->Address() == ProjectWebSite;
        // The picture fills its frame: at least 360 by 184.
        bool picture = false;
        for (QLabel* label : about->findChildren<QLabel*>())
            if (!label->pixmap().isNull()) {
                picture = true;
                EXPECT_GE(label->pixmap().width() / label->pixmap().devicePixelRatio(), 360);
                EXPECT_GE(label->pixmap().height() / label->pixmap().devicePixelRatio(), 184);
            }
        EXPECT_TRUE(picture);
        ButtonNamed(dialog, "Support")->click();
        // About has closed; the next box must be Software Support.
        OnNextDialog([&](QWidget* next) {
            auto* support = qobject_cast<SoftwareSupportDlg*>(next);
            ASSERT_NE(support, nullptr);
            supportCaption = support->windowTitle();
            versionLine = support->VersionLine()->text();
            mailAddress = support->MailLink()->Address();
            webAddress = support->WebLink()->Address();
            support->accept();
        });
    });
    ShowAbout(&parent);
    EXPECT_TRUE(sawAbout);
    EXPECT_EQ(supportCaption, "SKYLOG Solar Data Plotter v" + VersionText());
    EXPECT_EQ(versionLine, "You are currently running version " + VersionText() + " of the software.");
    EXPECT_EQ(mailAddress, ProjectSupportMail);
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
