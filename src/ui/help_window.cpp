#include "ui/help_window.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QScreen>
#include <QAction>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>

#include "config/program_folder.h"
#include "data/prompt.h"

QString HelpFilePath()
{
    return QString::fromStdString(ManualPath());
}

QString HelpAnchor(const QString& keyword)
{
    QString anchor;
    for (QChar c : keyword.toLower())
        anchor += c.isLetterOrNumber() ? c : QChar('-');
    return anchor;
}

HelpWindow::HelpWindow(QWidget* parent) : QMainWindow(parent), browser_(new QTextBrowser(this))
{
    setWindowTitle("SKYLOG Help");
    setCentralWidget(browser_);
    browser_->setOpenExternalLinks(true);
    QToolBar* bar = addToolBar("Navigation");
    bar->setMovable(false);
    QAction* contents = bar->addAction("Contents");
    QAction* back = bar->addAction("Back");
    QAction* forward = bar->addAction("Forward");
    connect(contents, &QAction::triggered, browser_, &QTextBrowser::home);
    connect(back, &QAction::triggered, browser_, &QTextBrowser::backward);
    connect(forward, &QAction::triggered, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    back->setEnabled(false);
    forward->setEnabled(false);
    // Escape and Ctrl+W close the manual, as in other viewers.
    auto* closeWindow = new QAction(this);
    closeWindow->setShortcuts({QKeySequence(Qt::Key_Escape), QKeySequence::Close,
                               QKeySequence(Qt::CTRL | Qt::Key_W)});
    closeWindow->setShortcutContext(Qt::WindowShortcut);
    connect(closeWindow, &QAction::triggered, this, &QWidget::close);
    addAction(closeWindow);
    if (const QScreen* shown = screen())
        resize(HelpWindowSize(shown->availableGeometry().size()));
    else
        resize(HelpWindowSize(QSize(720, 640)));
}

QSize HelpWindowSize(const QSize& available)
{
    // Never larger than the screen it opens on, so its frame can be reached.
    return QSize(720, 640).boundedTo(available);
}

namespace {
QPointer<HelpWindow> helpWindow;
}

HelpWindow* HelpWindow::Instance()
{
    if (!helpWindow) {
        helpWindow = new HelpWindow;
        helpWindow->setAttribute(Qt::WA_DeleteOnClose);
    }
    return helpWindow;
}

void HelpWindow::CloseAll()
{
    if (helpWindow)
        helpWindow->close();
}

bool HelpWindow::Load(const QString& path)
{
    if (!QFileInfo(path).isFile())
        return false;
    const QUrl url = QUrl::fromLocalFile(path);
    if (browser_->source() != url)
        browser_->setSource(url);
    return true;
}

void HelpWindow::ShowSection(const QString& keyword)
{
    if (keyword.isEmpty())
        browser_->scrollToAnchor("contents");
    else
        browser_->scrollToAnchor(HelpAnchor(keyword));
}

void HelpRequest(const QString& keyword)
{
    const QString path = HelpFilePath();
    HelpWindow* window = HelpWindow::Instance();
    if (!window->Load(path)) {
        Prompt().MessageBox("Unable to open the help file\n" + path.toStdString(), "HELP",
                            PromptIcon::Exclamation, PromptButtons::Ok);
        return;
    }
    window->show();
    window->raise();
    window->activateWindow();
    window->ShowSection(keyword);
}
