// The main window: menus, toolbar, the plot view with its scroll bar, and
// the status bar with the logo.
#pragma once

#include <QMainWindow>
#include <functional>
#include <map>
#include <vector>

class QAction;
class QMenu;
class QScrollBar;
class QToolBar;
class PlotPrinter;
class StatBmp;
class View;

// When a command of the main window is enabled.
enum class EnabledWhen { Always, HaveRecords };

// The toolbar's places, left to right; a separator follows Save, Print,
// Locate New Bulletins, Show Color Legend and Help.
enum class ToolBarSlot {
    Open = 1,
    Save,
    Print,
    EditData,
    InsertBulletin,
    LocateBulletins,
    ColorLegend,
    About,
    Help,
    Exit
};

class Frame : public QMainWindow {
    Q_OBJECT
public:
    explicit Frame(QWidget* parent = nullptr);

    View* PlotView() const { return view_; }
    QToolBar* ToolBar() const { return toolBar_; }
    StatBmp* StatusBar() const { return statusBar_; }
    QScrollBar* ScrollBar() const { return scrollBar_; }
    PlotPrinter* Printer() const { return printer_; }
    QAction* Action(const QString& name) const;
    // The menus by their title without the "&": "File", "View", "Options", "Bulletins", "Help".
    QMenu* Menu(const QString& title) const;

    // A new command: its menu text, status-bar prompt and object name.
    QAction* MakeAction(const QString& text, const QString& prompt, const QString& name);
    // When the command is enabled and (for a checkable command) when it shows
    // its check mark; refreshed whenever a menu opens, a command ran or the
    // records changed.
    void SetCommandState(QAction* action, EnabledWhen enabled,
                         std::function<bool()> checked = {});
    void UpdateCommandStates();
    // Puts the command's button at its place on the toolbar.
    void AddToolBarButton(QAction* action, ToolBarSlot slot);

    // "SKYLOG Solar Data Plotter v3.13", followed by " -- " and the data file's path.
    void SetTitle();
    void SetFlatButtons(bool flat);
    // Writes the bar and position keys (done when the window goes).
    void WriteFrameKeys();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    View* view_;
    QScrollBar* scrollBar_;
    QToolBar* toolBar_;
    StatBmp* statusBar_;
    PlotPrinter* printer_;
    bool flatButtons_ = false;
    QList<QAction*> actions_;
    struct CommandState {
        QAction* action;
        EnabledWhen enabled;
        std::function<bool()> checked;
    };
    std::vector<CommandState> commandStates_;
    std::map<ToolBarSlot, QAction*> toolBarButtons_;

    void CreateMenusAndToolBar();
    // The saved rectangle and maximised state when SavePos is on.
    void RestorePosition();
    void RebuildToolBar();
};

// The program title with its version.
QString ProgramTitleWithVersion();
// "major.minor" of the program's version.
QString VersionText();
