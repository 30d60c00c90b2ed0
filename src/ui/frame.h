// The main window: menus, toolbar, the plot view with its scroll bar, and
// the status bar with the logo.
#pragma once

#include <QMainWindow>

class QAction;
class QScrollBar;
class QToolBar;
class StatBmp;
class View;

class Frame : public QMainWindow {
    Q_OBJECT
public:
    explicit Frame(QWidget* parent = nullptr);

    View* PlotView() const { return view_; }
    QToolBar* ToolBar() const { return toolBar_; }
    StatBmp* StatusBar() const { return statusBar_; }
    QScrollBar* ScrollBar() const { return scrollBar_; }
    QAction* Action(const QString& name) const;

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
    bool flatButtons_ = false;
    QList<QAction*> actions_;

    QAction* MakeAction(const QString& text, const QString& prompt, const QString& name);
    void CreateMenusAndToolBar();
    void UpdateCommandStates();
};

// The program title with its version.
QString ProgramTitleWithVersion();
// "major.minor" of the program's version.
QString VersionText();
