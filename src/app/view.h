// The plot view: both plots, the data-file commands and the start-up load.
#pragma once

#include <QTimer>
#include <QWidget>

#include "plot/plot_renderer.h"

class QScrollBar;

class View : public QWidget {
    Q_OBJECT
public:
    explicit View(QWidget* parent = nullptr);
    ~View() override;

    // The scroll bar under the view that pans the closeup.
    void SetScrollBar(QScrollBar* bar);

    // First display: settings, pens, the data file to open, the start-up timer.
    void InitialUpdate();
    void OnFileOpen();
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

signals:
    void recordCountChanged();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    PlotPens pens_;
    PaintedGeometry geometry_;
    QTimer startupTimer_;
    QScrollBar* scrollBar_ = nullptr;
    bool scrollBarReady_ = false;

    void OnStartupTimer();
    void OnScrollAction(int action);
    void InvalidateCloseup();
};

// The filter of the data file choosers.
inline constexpr const char* DataFileFilter = "Data Files (*.dat *.DAT);;All Files (*)";
