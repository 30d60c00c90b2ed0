// The plot view: both plots, the data-file commands and the start-up load.
#pragma once

#include <QImage>
#include <QTimer>
#include <QWidget>
#include <optional>
#include <string>

#include "plot/cursor_readout.h"
#include "plot/plot_renderer.h"

class QScrollBar;

class View : public QWidget {
    Q_OBJECT
public:
    explicit View(QWidget* parent = nullptr);
    ~View() override;

    // The scroll bar under the view that pans the closeup.
    void SetScrollBar(QScrollBar* bar);

    // First display: settings, pens, the data file to open (file, when given
    // on the command line, else the configured one), the start-up timer.
    void InitialUpdate(const std::string& file = {});
    // Ctrl+N: offers to save changed data, then starts over as at first display.
    void OnFileNew();
    void OnFileOpen();
    // Opens path as File Open does after its chooser (a file handed over by
    // a second start of the program).
    void OpenDataFile(const std::string& path);
    void OnFileSave();
    void OnFileSaveAs();
    // Before the window closes: offers to save changed data.
    void ClosePrompt();
    // When the window goes: asks once more if still changed, then releases the
    // records and saves the settings. False when the user's save failed, so
    // the window must stay.
    bool Shutdown();

    const PaintedGeometry& Geometry() const { return geometry_; }
    QTimer& StartupTimer() { return startupTimer_; }
    // Rebuilds the colour-dependent pens (after the colours changed).
    void CreatePlotPens();
    void UpdateScrollBar();

    // Writes the values under the point into the readout row of its pane.
    void ShowCursorValues(int x, int y);
    const std::optional<Readout>& ShownReadout(Pane pane) const;
    void OnInsertBulletin();
    void OnImportIndexFile();
    void OnViewBulletin();
    // Bulletins > Locate New Bulletins: the Internet window, modal; meanwhile
    // the plot shows only its frames, as a scan changes the records.
    void OnLocateBulletins(bool flatButtons);
    void OnEditData();
    // Reads the data file again (asking first to save changed data), as a
    // changed stagger plot needs.
    void ReloadDataFile();
    void OnPositionData();
    // Options > Configuration Options: the sheet, and on OK its values in effect.
    void OnConfigurationOptions();
    // Everything needs painting again (the data or the settings changed).
    void InvalidatePlot();
    int ValidateState() const { return validate_; }

signals:
    void recordCountChanged();
    // DataFile().path may name another file (Save As, or a save that asked).
    void dataFileNamed();
    // A message for the status bar.
    void statusText(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    PlotPens pens_;
    PaintedGeometry geometry_;
    QTimer startupTimer_;
    QScrollBar* scrollBar_ = nullptr;
    bool scrollBarReady_ = false;
    QImage plot_;  // the painted plot, reused until something in it changes
    bool plotDirty_ = true;
    std::optional<Readout> readouts_[2];
    int wheelTurn_ = 0;  // wheel movement not yet a whole notch
    int validate_ = 0;  // the insert dialog's "Validate Data", kept while the program runs
    // The last two left presses: the day under the pointer and the closeup's
    // end before the press moved it.
    struct Press {
        std::optional<DayUnderCursor> day;
        int closeupEnd;
        quint64 time;
    };
    std::optional<Press> presses_[2];

    void OnStartupTimer();
    void OnScrollAction(int action);
    // After a move of the closeup: repaint it and put the bar where it is.
    void AfterScrollMove(bool moved);
    void InvalidateCloseup();
    void AfterCloseupMove(bool moved, const QPoint& point);
    void DataReplaced();
};

// The filter of the data file choosers.
inline constexpr const char* DataFileFilter = "Data Files (*.dat *.DAT);;All Files (*)";
