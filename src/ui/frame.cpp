#include "ui/frame.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <QPointer>
#include <QScrollBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/help_window.h"
#include "ui/stat_bmp.h"
#include "ui/view.h"
#include "config/ini_file.h"
#include "config/plot_settings.h"
#include "config/program_folder.h"
#include "data/data_file.h"
#include "data/record_array.h"

QString VersionText()
{
    return QString("%1.%2").arg(SKYLOG_VERSION_MAJOR).arg(SKYLOG_VERSION_MINOR);
}

QString ProgramTitleWithVersion()
{
    return "SKYLOG Solar Data Plotter v" + VersionText();
}

Frame::Frame(QWidget* parent)
    : QMainWindow(parent), view_(new View), scrollBar_(new QScrollBar(Qt::Horizontal)),
      toolBar_(new QToolBar("Toolbar", this)), statusBar_(new StatBmp(this))
{
    const std::string ini = IniFilePath();
    if (IniReadInt(ini, SettingsSection, "SavePos", 0)) {
        const int left = IniReadInt(ini, SettingsSection, "PosLeft", 0);
        const int top = IniReadInt(ini, SettingsSection, "PosTop", 0);
        const int right = IniReadInt(ini, SettingsSection, "PosRight", 640);
        const int bottom = IniReadInt(ini, SettingsSection, "PosBottom", 480);
        setGeometry(left, top, right - left, bottom - top);
    } else {
        resize(640, 480);
    }

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(view_, 1);
    layout->addWidget(scrollBar_);
    setCentralWidget(central);
    view_->SetScrollBar(scrollBar_);

    toolBar_->setObjectName("MainToolBar");
    toolBar_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    addToolBar(Qt::TopToolBarArea, toolBar_);
    setStatusBar(statusBar_);
    CreateMenusAndToolBar();

    toolBar_->setVisible(IniReadInt(ini, SettingsSection, "ToolBar", 1) != 0);
    statusBar_->setVisible(IniReadInt(ini, SettingsSection, "StatBar", 1) != 0);
    SetFlatButtons(IniReadInt(ini, SettingsSection, "Buttons", 0) == 1);

    QPointer<Frame> self(this);
    DataFileNotifications().loadFinished.push_back([self](bool) {
        if (self)
            self->SetTitle();
    });
    connect(view_, &View::recordCountChanged, this, &Frame::UpdateCommandStates);
    SetTitle();
    UpdateCommandStates();
}

QAction* Frame::MakeAction(const QString& text, const QString& prompt, const QString& name)
{
    auto* action = new QAction(text, this);
    action->setObjectName(name);
    action->setStatusTip(prompt);
    actions_ << action;
    return action;
}

QAction* Frame::Action(const QString& name) const
{
    for (QAction* action : actions_)
        if (action->objectName() == name)
            return action;
    return nullptr;
}

void Frame::CreateMenusAndToolBar()
{
    QAction* open = MakeAction("&Open...", "Open a different Solar Data File", "open");
    open->setShortcut(QKeySequence("Ctrl+O"));
    connect(open, &QAction::triggered, view_, &View::OnFileOpen);
    QAction* save = MakeAction("&Save", "Save the active Solar Data", "save");
    save->setShortcut(QKeySequence("Ctrl+S"));
    connect(save, &QAction::triggered, view_, &View::OnFileSave);
    QAction* saveAs =
        MakeAction("Save &As...", "Save the current data with a different file name", "saveAs");
    connect(saveAs, &QAction::triggered, view_, &View::OnFileSaveAs);
    QAction* exit = MakeAction("E&xit", "Quit the application; prompts to save the data", "exit");
    connect(exit, &QAction::triggered, this, &QWidget::close);

    // Ctrl+N starts over: the configuration and the data file are read again.
    QAction* fresh = MakeAction("New", "Read the configuration and the data file again", "new");
    fresh->setShortcut(QKeySequence("Ctrl+N"));
    connect(fresh, &QAction::triggered, view_, [this] { view_->InitialUpdate(); });
    addAction(fresh);

    QAction* toolbar = MakeAction("&Toolbar", "Show or hide the toolbar", "toggleToolBar");
    toolbar->setCheckable(true);
    connect(toolbar, &QAction::triggered, this, [this](bool on) { toolBar_->setVisible(on); });
    connect(toolBar_, &QToolBar::visibilityChanged, toolbar, &QAction::setChecked);
    QAction* status = MakeAction("&Status Bar", "Show or hide the status bar", "toggleStatusBar");
    status->setCheckable(true);
    connect(status, &QAction::triggered, this, [this](bool on) { statusBar_->setVisible(on); });
    QAction* flat = MakeAction("&Flat Buttons", "Show the toolbar buttons flat", "flatButtons");
    flat->setCheckable(true);
    connect(flat, &QAction::triggered, this, [this] { SetFlatButtons(true); });
    QAction* real = MakeAction("&Real Buttons", "Show the toolbar buttons raised", "realButtons");
    real->setCheckable(true);
    connect(real, &QAction::triggered, this, [this] { SetFlatButtons(false); });

    QAction* editData = MakeAction("&Edit Data", "Edit, add, insert or delete records", "editData");
    editData->setToolTip("Edit Data");
    editData->setIconText("Edit Data");
    connect(editData, &QAction::triggered, view_, &View::OnEditData);
    QAction* position = MakeAction("Pos&ition Data ON",
                                   "Turns the display of cursor position data on or off",
                                   "positionData");
    position->setToolTip("Cursor Position Data");
    position->setCheckable(true);
    connect(position, &QAction::triggered, view_, &View::OnPositionData);
    QAction* insert = MakeAction("&Insert Bulletin Into Data",
                                 "Insert Data From An ARRL PFB Into The Data", "insertBulletin");
    insert->setToolTip("Insert PFB");
    insert->setIconText("Insert PFB");
    connect(insert, &QAction::triggered, view_, &View::OnInsertBulletin);
    QAction* importIndex =
        MakeAction("Import &Daily Index File...",
                   "Import days from a daily sunspot number or solar flux file", "importIndexFile");
    connect(importIndex, &QAction::triggered, view_, &View::OnImportIndexFile);
    QAction* viewBulletin =
        MakeAction("&View Bulletin", "Open A PFB With A Text Editor", "viewBulletin");
    viewBulletin->setToolTip("View PFB");
    connect(viewBulletin, &QAction::triggered, view_, &View::OnViewBulletin);

    QAction* help = MakeAction("&Help", "Open the SKYLOG manual", "help");
    help->setShortcut(QKeySequence(Qt::Key_F1));
    connect(help, &QAction::triggered, this, [] { HelpRequest(); });

    QMenu* file = menuBar()->addMenu("&File");
    file->addActions({open, save, saveAs});
    file->addSeparator();
    file->addAction(exit);
    QMenu* viewMenu = menuBar()->addMenu("&View");
    viewMenu->addActions({toolbar, status});
    viewMenu->addSeparator();
    viewMenu->addActions({flat, real});
    viewMenu->addSeparator();
    viewMenu->addAction(editData);
    connect(viewMenu, &QMenu::aboutToShow, this, [=, this] {
        toolbar->setChecked(toolBar_->isVisible());
        status->setChecked(statusBar_->isVisible());
        flat->setChecked(flatButtons_);
        real->setChecked(!flatButtons_);
    });
    QMenu* options = menuBar()->addMenu("&Options");
    options->addAction(position);
    connect(options, &QMenu::aboutToShow, this,
            [position] { position->setChecked(Settings().PosdataON != 0); });
    QMenu* bulletins = menuBar()->addMenu("&Bulletins");
    bulletins->addActions({insert, importIndex, viewBulletin});
    QMenu* helpMenu = menuBar()->addMenu("&Help");
    helpMenu->addAction(help);

    toolBar_->addAction(open);
    toolBar_->addAction(save);
    toolBar_->addSeparator();
    toolBar_->addAction(editData);
    toolBar_->addAction(insert);
    toolBar_->addSeparator();
    toolBar_->addAction(help);
    toolBar_->addSeparator();
    toolBar_->addAction(exit);
}

void Frame::UpdateCommandStates()
{
    const bool any = Records().RecordCount() > 0;
    Action("save")->setEnabled(any);
    Action("saveAs")->setEnabled(any);
    Action("editData")->setEnabled(any);
    Action("positionData")->setChecked(Settings().PosdataON != 0);
}

void Frame::SetFlatButtons(bool flat)
{
    flatButtons_ = flat;
    for (QToolButton* button : toolBar_->findChildren<QToolButton*>())
        button->setAutoRaise(flat);
    toolBar_->update();
}

void Frame::SetTitle()
{
    const QString title = ProgramTitleWithVersion();
    setWindowTitle(DataFilePath.empty() ? title
                                        : title + " -- " + QString::fromStdString(DataFilePath));
    UpdateCommandStates();
}

void Frame::WriteFrameKeys()
{
    IniFile ini(IniFilePath());
    ini.Write(SettingsSection, "ToolBar", toolBar_->isVisibleTo(this) ? "1" : "0");
    ini.Write(SettingsSection, "StatBar", statusBar_->isVisibleTo(this) ? "1" : "0");
    ini.Write(SettingsSection, "Buttons", flatButtons_ ? "1" : "0");
    if (Settings().SavePos) {
        const QRect r = geometry();
        ini.Write(SettingsSection, "PosTop", std::to_string(r.top()));
        ini.Write(SettingsSection, "PosBottom", std::to_string(r.top() + r.height()));
        ini.Write(SettingsSection, "PosRight", std::to_string(r.left() + r.width()));
        ini.Write(SettingsSection, "PosLeft", std::to_string(r.left()));
    }
    ini.Save();
}

void Frame::closeEvent(QCloseEvent* event)
{
    view_->ClosePrompt();
    if (!view_->Shutdown()) {
        event->ignore();
        return;
    }
    WriteFrameKeys();
    HelpWindow::CloseAll();  // the manual does not outlive the program
    event->accept();
}
