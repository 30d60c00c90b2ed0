#include "ui/frame.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QScrollBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/about_dlg.h"
#include "ui/export_commands.h"
#include "ui/help_window.h"
#include "ui/plot_dialog_commands.h"
#include "ui/software_support_dlg.h"
#include "ui/plot_printer.h"
#include "ui/stat_bmp.h"
#include "ui/view.h"
#include "ui/window_placement.h"
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
      toolBar_(new QToolBar("Toolbar", this)), statusBar_(new StatBmp(this)),
      printer_(new PlotPrinter(this))
{
    const std::string ini = IniFilePath();

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

    RestorePosition();
    toolBar_->setVisible(IniReadInt(ini, SettingsSection, "ToolBar", 1) != 0);
    statusBar_->setVisible(IniReadInt(ini, SettingsSection, "StatBar", 1) != 0);
    SetFlatButtons(IniReadInt(ini, SettingsSection, "Buttons", 0) == 1);

    QPointer<Frame> self(this);
    DataFileNotifications().loadFinished.push_back([self](bool) {
        if (self)
            self->SetTitle();
    });
    // Unsaved changes show in the title the desktop's way; a merge on another
    // thread reaches the window through its event loop.
    Records().SetDataChangedListener([self](bool changed) {
        if (Frame* frame = self.data())
            QMetaObject::invokeMethod(
                frame, [self, changed] { if (self) self->setWindowModified(changed); },
                Qt::AutoConnection);
    });
    setWindowModified(Records().DataChanged() != 0);
    connect(view_, &View::recordCountChanged, this, &Frame::UpdateCommandStates);
    connect(view_, &View::dataFileNamed, this, &Frame::SetTitle);
    connect(view_, &View::statusText, statusBar_, [this](const QString& text) {
        statusBar_->showMessage(text);
    });
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
    open->setToolTip("Open");
    connect(open, &QAction::triggered, view_, &View::OnFileOpen);
    QAction* save = MakeAction("&Save", "Save the active Solar Data", "save");
    save->setShortcut(QKeySequence("Ctrl+S"));
    save->setToolTip("Save");
    connect(save, &QAction::triggered, view_, &View::OnFileSave);
    SetCommandState(save, EnabledWhen::HaveRecords);
    QAction* saveAs =
        MakeAction("Save &As...", "Save the current data with a different file name", "saveAs");
    connect(saveAs, &QAction::triggered, view_, &View::OnFileSaveAs);
    SetCommandState(saveAs, EnabledWhen::HaveRecords);
    QAction* print = MakeAction("&Print...", "Print the plots with the record table", "print");
    print->setShortcut(QKeySequence("Ctrl+P"));
    print->setIcon(QIcon::fromTheme("document-print"));
    print->setIconText("Print");
    print->setToolTip("Print");
    connect(print, &QAction::triggered, this, [this] { printer_->Print(this); });
    SetCommandState(print, EnabledWhen::HaveRecords);
    QAction* preview = MakeAction("Print Pre&view", "Show the printed page", "printPreview");
    preview->setIcon(QIcon::fromTheme("document-print-preview"));
    connect(preview, &QAction::triggered, this, [this] { printer_->Preview(this); });
    SetCommandState(preview, EnabledWhen::HaveRecords);
    QAction* printSetup = MakeAction("P&rint Setup...", "Change the printer and the paper", "printSetup");
    connect(printSetup, &QAction::triggered, this, [this] { printer_->Setup(this); });
    QAction* exportPlot = MakeAction("Export P&lot...", "Save the plots as a PNG, SVG or PDF file", "exportPlot");
    connect(exportPlot, &QAction::triggered, this, [this] { ExportPlotCommand(view_); });
    SetCommandState(exportPlot, EnabledWhen::HaveRecords);
    QAction* exportData = MakeAction("Export Da&ta...", "Save the days as a CSV file for spreadsheets", "exportData");
    connect(exportData, &QAction::triggered, this, [this] { ExportDataCommand(view_); });
    SetCommandState(exportData, EnabledWhen::HaveRecords);
    QAction* exit = MakeAction("E&xit", "Quit the application; prompts to save the data", "exit");
    exit->setToolTip("Exit");
    connect(exit, &QAction::triggered, this, &QWidget::close);

    // Ctrl+N starts over: the configuration and the data file are read again.
    QAction* fresh = MakeAction("New", "Read the configuration and the data file again", "new");
    fresh->setShortcut(QKeySequence("Ctrl+N"));
    connect(fresh, &QAction::triggered, view_, &View::OnFileNew);
    addAction(fresh);

    QAction* toolbar = MakeAction("&Toolbar", "Show or hide the toolbar", "toggleToolBar");
    toolbar->setCheckable(true);
    connect(toolbar, &QAction::triggered, this, [this](bool on) { toolBar_->setVisible(on); });
    SetCommandState(toolbar, EnabledWhen::Always, [this] { return toolBar_->isVisibleTo(this); });
    QAction* status = MakeAction("&Status Bar", "Show or hide the status bar", "toggleStatusBar");
    status->setCheckable(true);
    connect(status, &QAction::triggered, this, [this](bool on) { statusBar_->setVisible(on); });
    SetCommandState(status, EnabledWhen::Always, [this] { return statusBar_->isVisibleTo(this); });
    QAction* flat = MakeAction("&Flat Buttons", "Show the toolbar buttons flat", "flatButtons");
    flat->setCheckable(true);
    connect(flat, &QAction::triggered, this, [this] { SetFlatButtons(true); });
    SetCommandState(flat, EnabledWhen::Always, [this] { return flatButtons_; });
    QAction* real = MakeAction("&Real Buttons", "Show the toolbar buttons raised", "realButtons");
    real->setCheckable(true);
    connect(real, &QAction::triggered, this, [this] { SetFlatButtons(false); });
    SetCommandState(real, EnabledWhen::Always, [this] { return !flatButtons_; });

    QAction* editData = MakeAction("&Edit Data", "Edit, add, insert or delete records", "editData");
    editData->setToolTip("Edit Data");
    editData->setIconText("Edit Data");
    connect(editData, &QAction::triggered, view_, &View::OnEditData);
    SetCommandState(editData, EnabledWhen::HaveRecords);
    QAction* position = MakeAction("Pos&ition Data ON",
                                   "Turns the display of cursor position data on or off",
                                   "positionData");
    position->setToolTip("Cursor Position Data");
    position->setCheckable(true);
    connect(position, &QAction::triggered, view_, &View::OnPositionData);
    SetCommandState(position, EnabledWhen::Always, [] { return Settings().PosdataON != 0; });
    QAction* configuration =
        MakeAction("&Configuration Options...",
                   "Set General Program Configuration Options and Preferences", "configurationOptions");
    configuration->setToolTip("Configuration Options");
    connect(configuration, &QAction::triggered, view_, &View::OnConfigurationOptions);
    QAction* records = MakeAction("&Records", "Display High and Low Data Values", "records");
    connect(records, &QAction::triggered, this, [this] { RecordsCommand(this); });
    SetCommandState(records, EnabledWhen::HaveRecords);
    QAction* legend = MakeAction("Show Color &Legend", "Display A Color Legend", "colorLegend");
    legend->setToolTip("Color Legend");
    legend->setIconText("Legend");
    connect(legend, &QAction::triggered, this, [this] { ColorLegendCommand(this); });
    QAction* stagger = MakeAction("&Stagger Plot", "Plot only every Nth day of the data file", "staggerPlot");
    stagger->setCheckable(true);
    connect(stagger, &QAction::triggered, this, [this] { StaggerPlotCommand(view_); });
    SetCommandState(stagger, EnabledWhen::HaveRecords, [] { return Stagger().enabled != 0; });
    QAction* insert = MakeAction("&Insert Bulletin Into Data",
                                 "Insert Data From An ARRL PFB Into The Data", "insertBulletin");
    insert->setToolTip("Insert PFB");
    insert->setIconText("Insert PFB");
    connect(insert, &QAction::triggered, view_, &View::OnInsertBulletin);
    QAction* importIndex =
        MakeAction("Import &Daily Index File...",
                   "Import days from a daily sunspot number or solar flux file", "importIndexFile");
    connect(importIndex, &QAction::triggered, view_, &View::OnImportIndexFile);
    QAction* locate = MakeAction("&Locate New Bulletins",
                                 "Search The Internet For New ARRL PFB Files And Add Their Data",
                                 "locateBulletins");
    locate->setToolTip("Locate PFB");
    locate->setIconText("Locate PFB");
    connect(locate, &QAction::triggered, this, [this] { view_->OnLocateBulletins(flatButtons_); });
    QAction* viewBulletin =
        MakeAction("&View Bulletin", "Open A PFB With A Text Editor", "viewBulletin");
    viewBulletin->setToolTip("View PFB");
    connect(viewBulletin, &QAction::triggered, view_, &View::OnViewBulletin);

    QAction* help = MakeAction("&Help", "Open the SKYLOG manual", "help");
    help->setShortcut(QKeySequence(Qt::Key_F1));
    help->setToolTip("Help");
    connect(help, &QAction::triggered, this, [] { HelpRequest(); });
    QAction* about = MakeAction("&About SKYLOG...",
                                "Display program information, version number and copyright", "about");
    about->setToolTip("About");
    about->setIconText("About");
    connect(about, &QAction::triggered, this, [this] { ShowAbout(this); });
    QAction* support = MakeAction("Software &Support...",
                                  "How to get help with the program and report problems",
                                  "softwareSupport");
    support->setToolTip("Software Support");
    connect(support, &QAction::triggered, this, [this] {
        SoftwareSupportDlg dialog(this);
        dialog.exec();
    });

    QMenu* file = menuBar()->addMenu("&File");
    file->addActions({open, save, saveAs});
    file->addSeparator();
    file->addActions({print, preview, printSetup});
    file->addSeparator();
    file->addActions({exportPlot, exportData});
    file->addSeparator();
    file->addAction(exit);
    QMenu* viewMenu = menuBar()->addMenu("&View");
    viewMenu->addActions({toolbar, status});
    viewMenu->addSeparator();
    viewMenu->addActions({flat, real});
    viewMenu->addSeparator();
    viewMenu->addAction(editData);
    viewMenu->addActions({records, legend});
    QMenu* options = menuBar()->addMenu("&Options");
    options->addActions({stagger, position});
    options->addSeparator();
    options->addAction(configuration);
    QMenu* bulletins = menuBar()->addMenu("&Bulletins");
    bulletins->addActions({insert, importIndex, locate, viewBulletin});
    QMenu* helpMenu = menuBar()->addMenu("&Help");
    helpMenu->addAction(help);
    helpMenu->addSeparator();
    helpMenu->addActions({about, support});
    for (QMenu* menu : {file, viewMenu, options, bulletins, helpMenu})
        connect(menu, &QMenu::aboutToShow, this, &Frame::UpdateCommandStates);

    AddToolBarButton(open, ToolBarSlot::Open);
    AddToolBarButton(save, ToolBarSlot::Save);
    AddToolBarButton(print, ToolBarSlot::Print);
    AddToolBarButton(editData, ToolBarSlot::EditData);
    AddToolBarButton(insert, ToolBarSlot::InsertBulletin);
    AddToolBarButton(locate, ToolBarSlot::LocateBulletins);
    AddToolBarButton(legend, ToolBarSlot::ColorLegend);
    AddToolBarButton(about, ToolBarSlot::About);
    AddToolBarButton(help, ToolBarSlot::Help);
    AddToolBarButton(exit, ToolBarSlot::Exit);
}

QMenu* Frame::Menu(const QString& title) const
{
    for (QAction* action : menuBar()->actions())
        if (action->menu() && action->text().remove('&') == title)
            return action->menu();
    return nullptr;
}

void Frame::SetCommandState(QAction* action, EnabledWhen enabled, std::function<bool()> checked)
{
    commandStates_.push_back({action, enabled, std::move(checked)});
    // A command can change what others show (a bar hidden, records loaded).
    connect(action, &QAction::triggered, this, &Frame::UpdateCommandStates, Qt::QueuedConnection);
    UpdateCommandStates();
}

void Frame::UpdateCommandStates()
{
    const bool any = Records().RecordCount() > 0;
    for (const CommandState& state : commandStates_) {
        state.action->setEnabled(state.enabled == EnabledWhen::Always || any);
        if (state.checked)
            state.action->setChecked(state.checked());
    }
}

void Frame::AddToolBarButton(QAction* action, ToolBarSlot slot)
{
    toolBarButtons_[slot] = action;
    RebuildToolBar();
}

void Frame::RebuildToolBar()
{
    // The groups between the separators: Open Save | Print | Edit Data,
    // Insert, Locate | Legend | About Help | Exit.
    const auto group = [](ToolBarSlot slot) {
        switch (slot) {
        case ToolBarSlot::Open:
        case ToolBarSlot::Save:
            return 0;
        case ToolBarSlot::Print:
            return 1;
        case ToolBarSlot::EditData:
        case ToolBarSlot::InsertBulletin:
        case ToolBarSlot::LocateBulletins:
            return 2;
        case ToolBarSlot::ColorLegend:
            return 3;
        case ToolBarSlot::About:
        case ToolBarSlot::Help:
            return 4;
        case ToolBarSlot::Exit:
            break;
        }
        return 5;
    };
    toolBar_->clear();
    int previousGroup = -1;
    for (const auto& [slot, action] : toolBarButtons_) {
        if (previousGroup >= 0 && group(slot) != previousGroup)
            toolBar_->addSeparator();
        previousGroup = group(slot);
        toolBar_->addAction(action);
    }
    SetFlatButtons(flatButtons_);
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
    // "[*]" is where the desktop marks unsaved changes.
    setWindowTitle((DataFile().path.empty() ? title
                                         : title + " -- " + QString::fromStdString(DataFile().path)) +
                   "[*]");
    UpdateCommandStates();
}

void Frame::RestorePosition()
{
    const std::string ini = IniFilePath();
    if (!IniReadInt(ini, SettingsSection, "SavePos", 0)) {
        resize(640, 480);
        return;
    }
    const int left = IniReadInt(ini, SettingsSection, "PosLeft", 0);
    const int top = IniReadInt(ini, SettingsSection, "PosTop", 0);
    const int right = IniReadInt(ini, SettingsSection, "PosRight", 640);
    const int bottom = IniReadInt(ini, SettingsSection, "PosBottom", 480);
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens << screen->availableGeometry();
    setGeometry(PlaceOnScreens(QRect(left, top, right - left, bottom - top), screens,
                               minimumSizeHint()));
    if (IniReadInt(ini, SettingsSection, "PosMaximized", 0))
        setWindowState(windowState() | Qt::WindowMaximized);
}

void Frame::WriteFrameKeys()
{
    IniFile ini(IniFilePath());
    ini.Write(SettingsSection, "ToolBar", toolBar_->isVisibleTo(this) ? "1" : "0");
    ini.Write(SettingsSection, "StatBar", statusBar_->isVisibleTo(this) ? "1" : "0");
    ini.Write(SettingsSection, "Buttons", flatButtons_ ? "1" : "0");
    if (Settings().SavePos) {
        // A maximised window keeps the rectangle it goes back to.
        const QRect r = isMaximized() ? normalGeometry() : geometry();
        ini.Write(SettingsSection, "PosTop", std::to_string(r.top()));
        ini.Write(SettingsSection, "PosBottom", std::to_string(r.top() + r.height()));
        ini.Write(SettingsSection, "PosRight", std::to_string(r.left() + r.width()));
        ini.Write(SettingsSection, "PosLeft", std::to_string(r.left()));
        ini.Write(SettingsSection, "PosMaximized", isMaximized() ? "1" : "0");
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
