// Options > Configuration Options: the "Program Configuration" sheet of
// seven pages over a copy of the settings.
#pragma once

#include <QDialog>
#include <vector>

#include "config/plot_settings.h"

class OptionsPage;
class QPushButton;
class QTabWidget;

class Options : public QDialog {
    Q_OBJECT
public:
    // Opens on the page shown last while the program runs, with the pages
    // filled from settings.
    explicit Options(const PlotSettings& settings, QWidget* parent = nullptr);

    // The edited copy; after OK every page has been taken over into it.
    const PlotSettings& Edited() const { return edited_; }
    QTabWidget* Pages() const { return tabs_; }
    OptionsPage* Page(int index) const { return pages_[static_cast<std::size_t>(index)]; }
    QPushButton* HelpButton() const { return help_; }

    // Opens the manual at the active page's keyword.
    void Help();
    void accept() override;

private:
    PlotSettings edited_;
    QTabWidget* tabs_;
    std::vector<OptionsPage*> pages_;
    QPushButton* help_;
    int shownPage_ = 0;

    void PageChanged(int index);
};

// The page the sheet opens on (the one last shown; 0 at start).
int& OptionsStartPage();
