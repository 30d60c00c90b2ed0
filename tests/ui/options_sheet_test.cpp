#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QCheckBox>
#include <QScrollBar>
#include <QColorDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include "config/ini_file.h"
#include "config/plot_settings.h"
#include "data/text_file.h"
#include "plot/plot_state.h"
#include "support/data_state.h"
#include "support/dialog_driver.h"
#include "support/scripted_prompt.h"
#include "support/temp_folder.h"
#include "ui/frame.h"
#include "ui/options_colors.h"
#include "ui/options_pages.h"
#include "ui/options_plots.h"
#include "ui/options_sheet.h"
#include "plot/options_apply.h"
#include "ui/view.h"

namespace {

void SetText(QLineEdit* field, const QString& text)
{
    field->setText(text);
}

}  // namespace

class OptionsTest : public ::testing::Test {
protected:
    TempFolder folder;
    ScriptedPrompt prompt;

    void SetUp() override
    {
        ResetDataState();
        Settings() = PlotSettings();
        Plot() = PlotState();
        OptionsStartPage() = 0;
    }
    void TearDown() override
    {
        Records().SetDataChanged(0);
        ResetDataState();
        OptionsStartPage() = 0;
    }
};

TEST_F(OptionsTest, SevenPagesInOrderWithTheirCaptions)
{
    Options sheet(Settings());
    EXPECT_EQ(sheet.windowTitle(), "Program Configuration");
    const char* captions[] = {"Averaging Variables",        "Closeup Screen Variables",
                              "Grid Resolution Options",    "Display Colors",
                              "Configuration File Options", "Plots to Display",
                              "Insert Bulletin Options"};
    ASSERT_EQ(sheet.Pages()->count(), 7);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(sheet.Pages()->tabText(i), captions[i]);
    EXPECT_NE(ButtonNamed(&sheet, "OK"), nullptr);
    EXPECT_NE(ButtonNamed(&sheet, "Cancel"), nullptr);
    EXPECT_EQ(sheet.HelpButton()->text(), "Help");
    EXPECT_TRUE(sheet.HelpButton()->isEnabled());
}

TEST_F(OptionsTest, NumbersAndTextsInAndOut)
{
    PlotSettings start;
    start.AvgInt = 27;
    start.LagDays = 3;
    start.CloseDays = 400;
    start.PanDays = 17;
    start.CloseScrn = 33;
    start.RBOverall = 2;
    start.RBCloseup = 1;
    start.Phrase1 = "BOSTON, MA";
    start.Phrase2 = "VALUES ARE";
    start.LenientParse = 0;
    Options sheet(start);
    auto* p1 = static_cast<Opt1*>(sheet.Page(0));
    auto* p2 = static_cast<Opt2*>(sheet.Page(1));
    auto* p3 = static_cast<Opt3*>(sheet.Page(2));
    auto* p7 = static_cast<Opt7*>(sheet.Page(6));
    EXPECT_EQ(p1->avgInt->text(), "27");
    EXPECT_EQ(p1->lagDays->text(), "3");
    EXPECT_EQ(p2->closeDays->text(), "400");
    EXPECT_EQ(p2->panDays->text(), "17");
    EXPECT_EQ(p2->closeScrn->text(), "33");
    EXPECT_EQ(p3->overall->checkedId(), 2);
    EXPECT_EQ(p3->closeup->checkedId(), 1);
    EXPECT_EQ(p7->datePhrase->text(), "BOSTON, MA");
    EXPECT_EQ(p7->valuesPhrase->text(), "VALUES ARE");
    EXPECT_EQ(p7->datePhrase->maxLength(), 63);
    EXPECT_FALSE(p7->lenientParse->isChecked());

    SetText(p1->avgInt, "999999");
    SetText(p1->lagDays, "0");
    SetText(p2->closeDays, "1");
    SetText(p2->panDays, "99999");
    SetText(p2->closeScrn, "90");
    p3->overall->button(0)->click();
    p3->closeup->button(2)->click();
    SetText(p7->valuesPhrase, QString(63, 'x'));
    p7->lenientParse->click();
    sheet.accept();
    EXPECT_EQ(sheet.result(), QDialog::Accepted);
    const PlotSettings& e = sheet.Edited();
    EXPECT_EQ(e.AvgInt, 999999);
    EXPECT_EQ(e.LagDays, 0);
    EXPECT_EQ(e.CloseDays, 1);
    EXPECT_EQ(e.PanDays, 99999);
    EXPECT_EQ(e.CloseScrn, 90);
    EXPECT_EQ(e.RBOverall, 0);
    EXPECT_EQ(e.RBCloseup, 2);
    EXPECT_EQ(e.Phrase2, std::string(63, 'x'));
    EXPECT_EQ(e.LenientParse, 1);
    EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(OptionsTest, OutOfRangeValuesAreRefusedWithTheRange)
{
    struct Case {
        int page;
        QLineEdit* (*field)(Options&);
        const char* text;
        const char* message;
    };
    const auto avgInt = [](Options& s) { return static_cast<Opt1*>(s.Page(0))->avgInt; };
    const auto lag = [](Options& s) { return static_cast<Opt1*>(s.Page(0))->lagDays; };
    const auto close = [](Options& s) { return static_cast<Opt2*>(s.Page(1))->closeDays; };
    const auto pan = [](Options& s) { return static_cast<Opt2*>(s.Page(1))->panDays; };
    const auto screen = [](Options& s) { return static_cast<Opt2*>(s.Page(1))->closeScrn; };
    const Case cases[] = {
        {0, avgInt, "1000000", "Please enter an integer between 0 and 999999."},
        {0, lag, "-1", "Please enter an integer between 0 and 999999."},
        {1, close, "0", "Please enter an integer between 1 and 99999."},
        {1, close, "100000", "Please enter an integer between 1 and 99999."},
        {1, pan, "abc", "Please enter an integer between 1 and 99999."},
        {1, screen, "5", "Please enter an integer between 10 and 90."},
        {1, screen, "91", "Please enter an integer between 10 and 90."},
    };
    for (const Case& c : cases) {
        prompt.messages.clear();
        Options sheet(Settings());
        sheet.show();
        sheet.Pages()->setCurrentIndex(c.page);
        SetText(c.field(sheet), c.text);
        sheet.accept();
        EXPECT_NE(sheet.result(), QDialog::Accepted) << c.text;
        EXPECT_TRUE(sheet.isVisible());
        ASSERT_EQ(prompt.messages.size(), 1u) << c.text;
        EXPECT_EQ(prompt.messages[0].text, c.message);
        EXPECT_EQ(sheet.Pages()->currentIndex(), c.page);
        // Leaving the page is refused the same way.
        prompt.messages.clear();
        sheet.Pages()->setCurrentIndex(6);
        EXPECT_EQ(sheet.Pages()->currentIndex(), c.page);
        EXPECT_EQ(prompt.messages.size(), 1u);
        sheet.reject();
    }
    // The bad value was never taken over.
    EXPECT_EQ(Settings().CloseScrn, 50);
}

TEST_F(OptionsTest, StartPageAndHelpKeywords)
{
    const char* keywords[] = {"Options - Averaging Variables", "Options - Closeup Screen Variables",
                              "Options - Grid Resolution",     "Options - Display Colors",
                              "Options - Configuration File",  "Options - Plots to Display",
                              "Options - Insert PFB"};
    {
        Options sheet(Settings());
        sheet.show();
        EXPECT_EQ(sheet.Pages()->currentIndex(), 0);
        for (int i = 0; i < 7; ++i) {
            sheet.Pages()->setCurrentIndex(i);
            sheet.HelpButton()->click();
            ASSERT_EQ(prompt.helpKeywords.size(), static_cast<std::size_t>(i + 1));
            EXPECT_EQ(prompt.helpKeywords.back(), keywords[i]);
        }
        // F1 while the sheet has the focus.
        sheet.Pages()->setCurrentIndex(5);
        sheet.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&sheet));
        QTest::keyClick(sheet.Pages()->currentWidget(), Qt::Key_F1);
        EXPECT_EQ(prompt.helpKeywords.back(), "Options - Plots to Display");
        sheet.Pages()->setCurrentIndex(3);
        sheet.reject();
    }
    Options again(Settings());
    EXPECT_EQ(again.Pages()->currentIndex(), 3);  // "Display Colors", where it was closed
}

TEST_F(OptionsTest, FilledBoxesFollowTheBoxAboveThem)
{
    PlotSettings start;
    start.DOverallAvspotsON = 0;
    start.DFillOverallAvSpots = 1;
    Options sheet(start);
    auto* page = static_cast<Opt6*>(sheet.Page(5));
    sheet.Pages()->setCurrentIndex(5);
    sheet.show();
    // Every display/print box governs the filled box below it.
    const std::pair<int PlotSettings::*, int PlotSettings::*> pairs[] = {
        {&PlotSettings::DOverallFluxON, &PlotSettings::DFillOverallFlux},
        {&PlotSettings::DOverallAvfluxON, &PlotSettings::DFillOverallAvFlux},
        {&PlotSettings::DOverallSpotsON, &PlotSettings::DFillOverallSpots},
        {&PlotSettings::DOverallAvspotsON, &PlotSettings::DFillOverallAvSpots},
        {&PlotSettings::DCloseupFluxON, &PlotSettings::DFillCloseupFlux},
        {&PlotSettings::DCloseupAvfluxON, &PlotSettings::DFillCloseupAvFlux},
        {&PlotSettings::DCloseupSpotsON, &PlotSettings::DFillCloseupSpots},
        {&PlotSettings::DCloseupAvspotsON, &PlotSettings::DFillCloseupAvSpots},
        {&PlotSettings::POverallFluxON, &PlotSettings::PFillOverallFlux},
        {&PlotSettings::POverallAvfluxON, &PlotSettings::PFillOverallAvFlux},
        {&PlotSettings::POverallSpotsON, &PlotSettings::PFillOverallSpots},
        {&PlotSettings::POverallAvspotsON, &PlotSettings::PFillOverallAvSpots},
        {&PlotSettings::PCloseupFluxON, &PlotSettings::PFillCloseupFlux},
        {&PlotSettings::PCloseupAvfluxON, &PlotSettings::PFillCloseupAvFlux},
        {&PlotSettings::PCloseupSpotsON, &PlotSettings::PFillCloseupSpots},
        {&PlotSettings::PCloseupAvspotsON, &PlotSettings::PFillCloseupAvSpots},
    };
    EXPECT_FALSE(page->Box(&PlotSettings::DFillOverallAvSpots)->isEnabled());
    EXPECT_TRUE(page->Box(&PlotSettings::DFillOverallAvSpots)->isChecked());
    for (const auto& [upper, filled] : pairs) {
        QCheckBox* above = page->Box(upper);
        QCheckBox* below = page->Box(filled);
        ASSERT_TRUE(above && below);
        const bool wasChecked = below->isChecked();
        if (!above->isChecked())
            above->click();
        EXPECT_TRUE(below->isEnabled());
        above->click();
        EXPECT_FALSE(below->isEnabled());
        EXPECT_EQ(below->isChecked(), wasChecked);  // a disabled box keeps its value
        above->click();
        EXPECT_TRUE(below->isEnabled());
    }
    // Every switch goes out as it was set.
    page->Box(&PlotSettings::RMLoSpots)->click();
    page->Box(&PlotSettings::AxisLabels)->click();
    page->Box(&PlotSettings::ColorPrints)->click();
    sheet.accept();
    EXPECT_EQ(sheet.Edited().RMLoSpots, 1);
    EXPECT_EQ(sheet.Edited().AxisLabels, 0);
    EXPECT_EQ(sheet.Edited().ColorPrints, 0);
    EXPECT_EQ(sheet.Edited().DFillOverallAvSpots, 1);
}

TEST_F(OptionsTest, ConfigurationFileSwitchesAndPhraseReset)
{
    PlotSettings start;
    start.SavePos = 1;
    start.Phrase1 = "A";
    start.Phrase2 = "B";
    Options sheet(start);
    auto* p5 = static_cast<Opt5*>(sheet.Page(4));
    EXPECT_FALSE(p5->autosave->isChecked());
    EXPECT_TRUE(p5->savePos->isChecked());
    EXPECT_EQ(p5->autosave->text(), "Save the configuration options when the program exits");
    p5->autosave->click();
    p5->saveOpenFile->click();
    p5->savePos->click();
    auto* p7 = static_cast<Opt7*>(sheet.Page(6));
    EXPECT_TRUE(p7->lenientParse->isChecked());
    p7->lenientParse->click();
    ButtonNamed(p7, "Reset Default Values")->click();
    EXPECT_EQ(p7->datePhrase->text(), "SEATTLE, WA");
    EXPECT_EQ(p7->valuesPhrase->text(), "SUNSPOT NUMBERS FOR");
    sheet.accept();
    EXPECT_EQ(sheet.Edited().AutosaveCfg, 1);
    EXPECT_EQ(sheet.Edited().SaveOpenFile, 1);
    EXPECT_EQ(sheet.Edited().SavePos, 0);
    EXPECT_EQ(sheet.Edited().Phrase1, "SEATTLE, WA");
    EXPECT_EQ(sheet.Edited().LenientParse, 0);
}

TEST_F(OptionsTest, ColourButtonsOpenTheChooserAtTheCurrentColour)
{
    Options sheet(Settings());
    auto* page = static_cast<Opt4*>(sheet.Page(3));
    sheet.Pages()->setCurrentIndex(3);
    sheet.show();
    const std::pair<ColorIndex, const char*> buttons[] = {
        {Background, "Background"},          {Flux, "Sun Spots Plot"},
        {AvSpots, "Average Sun Spots Plot"}, {Grid, "Grid Plot"},
        {Spots, "Solar Flux Plot"},          {AvFlux, "Average Solar Flux Plot"},
    };
    std::uint32_t chosen = 0x000010;
    for (const auto& [color, caption] : buttons) {
        EXPECT_EQ(page->Button(color)->text(), caption);
        QColor shownFirst;
        OnNextDialog([&](QWidget* dialog) {
            auto* chooser = qobject_cast<QColorDialog*>(dialog);
            ASSERT_NE(chooser, nullptr);
            shownFirst = chooser->currentColor();
            chooser->setCurrentColor(ColorFromRef(chosen));
            chooser->accept();
        });
        const std::uint32_t before = page->Colors()[color];
        page->Button(color)->click();
        EXPECT_EQ(RefFromColor(shownFirst), before) << caption;
        EXPECT_EQ(page->Colors()[color], chosen) << caption;
        chosen += 0x102030;
    }
    // Cancel in the chooser keeps the colour.
    OnNextDialog([](QWidget* dialog) { static_cast<QDialog*>(dialog)->reject(); });
    const std::uint32_t kept = page->Colors()[Grid];
    page->Button(Grid)->click();
    EXPECT_EQ(page->Colors()[Grid], kept);

    // The sample shows each colour where the page says.
    const QImage sample = page->Sample()->grab().toImage();
    const int w = sample.width(), h = sample.height();
    EXPECT_EQ(sample.pixelColor(w / 2 + 3, h - 20), ColorFromRef(page->Colors()[Flux]));
    EXPECT_EQ(sample.pixelColor(w / 2 + 3, h - 10), ColorFromRef(page->Colors()[AvSpots]));
    EXPECT_EQ(sample.pixelColor(w / 2 + 3, 10), ColorFromRef(page->Colors()[Spots]));
    EXPECT_EQ(sample.pixelColor(w / 2 + 3, 20), ColorFromRef(page->Colors()[AvFlux]));
    EXPECT_EQ(sample.pixelColor(w / 20, h / 2), ColorFromRef(page->Colors()[Grid]));
    EXPECT_EQ(sample.pixelColor(w / 20 + 2, h / 2 + 3), ColorFromRef(page->Colors()[Background]));
    sheet.accept();
    for (int i = 0; i < ColorCount; ++i)
        EXPECT_EQ(sheet.Edited().Colors[i], page->Colors()[i]);
}

class OptionsInWindowTest : public OptionsTest {
protected:
    Frame* frame = nullptr;

    void SetUp() override
    {
        OptionsTest::SetUp();
        WriteTextFile(folder.File("SKYLOG.INI"), "[SOLAR_DATA]\nVersion=x\nCloseDays=252\n");
        for (int i = 0; i < 300; ++i)
            AddRecord("01/01/2000", 50 + (i % 10) * 10, 100.0 + i % 7);
        Settings().DOverallAvspotsON = 1;
        PreparePlotData();
        frame = new Frame;
        frame->resize(900, 650);
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame));
        frame->PlotView()->CreatePlotPens();
        frame->PlotView()->repaint();
    }
    void TearDown() override
    {
        frame->hide();
        delete frame;
        OptionsTest::TearDown();
    }
};

TEST_F(OptionsInWindowTest, OkTakesEffectAndSavesNothing)
{
    const std::string iniBefore = ReadTextFile(folder.File("SKYLOG.INI"));
    const int averageBefore = Records().At(150).m_avgSunspots;
    OnNextDialog([](QWidget* dialog) {
        auto* sheet = static_cast<Options*>(dialog);
        auto* p1 = static_cast<Opt1*>(sheet->Page(0));
        p1->avgInt->setText("5");
        p1->lagDays->setText("2");
        static_cast<Opt2*>(sheet->Page(1))->closeDays->setText("500");
        static_cast<Opt6*>(sheet->Page(5))->Box(&PlotSettings::DOverallFluxON)->click();
        static_cast<Opt7*>(sheet->Page(6))->lenientParse->click();
        ButtonNamed(sheet, "OK")->click();
    });
    frame->Action("configurationOptions")->trigger();
    EXPECT_EQ(Settings().AvgInt, 5);
    EXPECT_EQ(Settings().LagDays, 2);
    EXPECT_EQ(Settings().CloseDays, 300);  // lowered to the record count
    EXPECT_EQ(Settings().DOverallFluxON, 0);
    EXPECT_EQ(Settings().LenientParse, 0);
    // The averages follow the new interval at once: day 150 averages days
    // 148 .. 152, whose sunspots are 50 + (i % 10) * 10.
    int sum = 0;
    for (int i = 148; i <= 152; ++i)
        sum += 50 + (i % 10) * 10;
    EXPECT_EQ(Records().At(150).m_avgSunspots, sum / 5);
    EXPECT_NE(Records().At(150).m_avgSunspots, averageBefore);
    EXPECT_EQ(Plot().CloseupEnd, 300);
    QApplication::processEvents();
    EXPECT_EQ(frame->ScrollBar()->maximum(), 0);
    // Nothing is written before the program ends.
    EXPECT_EQ(ReadTextFile(folder.File("SKYLOG.INI")), iniBefore);
}

TEST_F(OptionsInWindowTest, NewColoursRebuildThePens)
{
    OnNextDialog([](QWidget* dialog) {
        auto* sheet = static_cast<Options*>(dialog);
        auto* colors = static_cast<Opt4*>(sheet->Page(3));
        OnNextDialog([](QWidget* chooser) {
            static_cast<QColorDialog*>(chooser)->setCurrentColor(QColor(1, 2, 3));
            static_cast<QColorDialog*>(chooser)->accept();
            OnNextDialog([](QWidget* sheetAgain) { ButtonNamed(sheetAgain, "OK")->click(); });
        });
        colors->Button(Background)->click();
    });
    frame->Action("configurationOptions")->trigger();
    EXPECT_EQ(Settings().Colors[Background], RefFromColor(QColor(1, 2, 3)));
    View* view = frame->PlotView();
    view->repaint();
    const QImage shown = view->grab().toImage();
    const PixelRect& o = view->Geometry().layout.overall;
    EXPECT_EQ(shown.pixelColor(o.left + 2, o.top + o.Height() / 2), QColor(1, 2, 3));
}

TEST_F(OptionsInWindowTest, CancelChangesNothing)
{
    const PlotSettings before = Settings();
    OnNextDialog([](QWidget* dialog) {
        auto* sheet = static_cast<Options*>(dialog);
        static_cast<Opt1*>(sheet->Page(0))->avgInt->setText("7");
        ButtonNamed(sheet->Page(6), "Reset Default Values")->click();
        static_cast<Opt6*>(sheet->Page(5))->Box(&PlotSettings::GridON)->click();
        ButtonNamed(sheet, "Cancel")->click();
    });
    Settings().Phrase1 = "MINE";
    frame->Action("configurationOptions")->trigger();
    EXPECT_EQ(Settings().AvgInt, before.AvgInt);
    EXPECT_EQ(Settings().GridON, before.GridON);
    EXPECT_EQ(Settings().Phrase1, "MINE");
}

TEST_F(OptionsTest, LargerCloseupStaysWithinTheRecords)
{
    for (int i = 0; i < 1000; ++i)
        AddRecord("01/01/2000", 100, 150.0);
    PreparePlotData();
    Plot().CloseupEnd = 300;  // panned back
    PlotSettings edited = Settings();
    edited.CloseDays = 500;
    edited.PanDays = 100;
    const OptionsApplied applied = ApplyOptions(edited);
    EXPECT_TRUE(applied.closeupChanged);
    EXPECT_EQ(Settings().CloseDays, 500);
    EXPECT_EQ(Plot().CloseupEnd, 500);  // the closeup still starts at the first record
    // Unchanged values: nothing to recompute, and no change reported.
    const OptionsApplied again = ApplyOptions(Settings());
    EXPECT_FALSE(again.closeupChanged);
    EXPECT_FALSE(again.averagesComputed);
}
