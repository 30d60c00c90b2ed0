// One page of the "Program Configuration" sheet: moves its values between
// the sheet's copy of the settings and its controls.
#pragma once

#include <QWidget>

struct PlotSettings;

class OptionsPage : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
    virtual QString Caption() const = 0;
    // The manual's keyword for this page's Help.
    virtual QString HelpKeyword() const = 0;
    virtual void Load(const PlotSettings& settings) = 0;
    // False (after saying which range applies, focus on the field) when a
    // value is not acceptable; the settings are then left as they were.
    virtual bool Store(PlotSettings& settings) = 0;
};
