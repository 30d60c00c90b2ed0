// The pages of the options sheet with plain fields: averaging, closeup,
// grid, configuration file and bulletin phrases.
#pragma once

#include "ui/options_page.h"

class QButtonGroup;
class QCheckBox;
class QLineEdit;

class Opt1 : public OptionsPage {
    Q_OBJECT
public:
    explicit Opt1(QWidget* parent = nullptr);
    QString Caption() const override { return "Averaging Variables"; }
    QString HelpKeyword() const override { return "Options - Averaging Variables"; }
    void Load(const PlotSettings& settings) override;
    bool Store(PlotSettings& settings) override;
    QLineEdit* avgInt;
    QLineEdit* lagDays;
};

class Opt2 : public OptionsPage {
    Q_OBJECT
public:
    explicit Opt2(QWidget* parent = nullptr);
    QString Caption() const override { return "Closeup Screen Variables"; }
    QString HelpKeyword() const override { return "Options - Closeup Screen Variables"; }
    void Load(const PlotSettings& settings) override;
    bool Store(PlotSettings& settings) override;
    QLineEdit* closeDays;
    QLineEdit* panDays;
    QLineEdit* closeScrn;
};

class Opt3 : public OptionsPage {
    Q_OBJECT
public:
    explicit Opt3(QWidget* parent = nullptr);
    QString Caption() const override { return "Grid Resolution Options"; }
    QString HelpKeyword() const override { return "Options - Grid Resolution"; }
    void Load(const PlotSettings& settings) override;
    bool Store(PlotSettings& settings) override;
    QButtonGroup* overall;
    QButtonGroup* closeup;
};

class Opt5 : public OptionsPage {
    Q_OBJECT
public:
    explicit Opt5(QWidget* parent = nullptr);
    QString Caption() const override { return "Configuration File Options"; }
    QString HelpKeyword() const override { return "Options - Configuration File"; }
    void Load(const PlotSettings& settings) override;
    bool Store(PlotSettings& settings) override;
    QCheckBox* autosave;
    QCheckBox* saveOpenFile;
    QCheckBox* savePos;
};

class Opt7 : public OptionsPage {
    Q_OBJECT
public:
    explicit Opt7(QWidget* parent = nullptr);
    QString Caption() const override { return "Insert Bulletin Options"; }
    QString HelpKeyword() const override { return "Options - Insert PFB"; }
    void Load(const PlotSettings& settings) override;
    bool Store(PlotSettings& settings) override;
    QLineEdit* datePhrase;
    QLineEdit* valuesPhrase;
    QCheckBox* lenientParse;
};
