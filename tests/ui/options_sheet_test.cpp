#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

#include "data/text_file.h"
#include "support/dialog_driver.h"
#include "support/fresh_program.h"
#include "ui/frame.h"
#include "ui/options_colors.h"
#include "ui/options_pages.h"
#include "ui/options_plots.h"
#include "ui/options_sheet.h"
#include "ui/view.h"

class OptionsTest : public FreshProgramTest {
protected:
    void SetUp() override
    {
        FreshProgramTest::SetUp();
        OptionsStartPage() = 0;
    }
    void TearDown() override
    {
        OptionsStartPage() = 0;
        FreshProgramTest::TearDown();
    }
};

// Help opens each page's own section, also by F1; the sheet reopens on the
// page it was closed on.
TEST_F(OptionsTest, HelpForEachPageAndReopeningOnTheLastPage)
{
    const char* const sections[] = {
        "Options - Averaging Variables", "Options - Closeup Screen Variables", "Options - Grid Resolution",
        "Options - Display Colors",      "Options - Configuration File",      "Options - Plots to Display",
        "Options - Insert PFB",
    };
    {
        Options sheet(Settings());
        sheet.show();
        ASSERT_EQ(sheet.Pages()->count(), 7);
        for (int i = 0; i < 7; ++i) {
            sheet.Pages()->setCurrentIndex(i);
            sheet.HelpButton()->click();
            EXPECT_EQ(prompt.helpKeywords.back(), sections[i]);
        }
        sheet.Pages()->setCurrentIndex(5);
        sheet.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&sheet));
        QTest::keyClick(sheet.Pages()->currentWidget(), Qt::Key_F1);
        EXPECT_EQ(prompt.helpKeywords.size(), 8u);
        EXPECT_EQ(prompt.helpKeywords.back(), sections[5]);
        sheet.Pages()->setCurrentIndex(3);
        sheet.reject();
    }
    Options again(Settings());
    EXPECT_EQ(again.Pages()->currentIndex(), 3);
}

// Each number field shows its setting and takes whole numbers in its range;
// anything else is refused with the range, keeping the sheet on the page.
TEST_F(OptionsTest, NumberFieldsTakeTheirRangeAndRefuseTheRest)
{
    PlotSettings start;
    start.AvgInt = 27;
    start.LagDays = 3;
    start.CloseDays = 400;
    start.PanDays = 17;
    start.CloseScrn = 33;
    using Field = QLineEdit* (*)(Options&);
    const Field avgInt = [](Options& s) { return static_cast<Opt1*>(s.Page(0))->avgInt; };
    const Field lag = [](Options& s) { return static_cast<Opt1*>(s.Page(0))->lagDays; };
    const Field close = [](Options& s) { return static_cast<Opt2*>(s.Page(1))->closeDays; };
    const Field pan = [](Options& s) { return static_cast<Opt2*>(s.Page(1))->panDays; };
    const Field share = [](Options& s) { return static_cast<Opt2*>(s.Page(1))->closeScrn; };
    const char* const Averages = "Please enter an integer between 0 and 999999.";
    const char* const Days = "Please enter an integer between 1 and 99999.";
    const char* const Share = "Please enter an integer between 10 and 90.";
    const struct {
        int page;
        Field field;
        int PlotSettings::*setting;
        const char* text;
        const char* refusal;  // empty: taken
    } cases[] = {
        {0, avgInt, &PlotSettings::AvgInt, "999999", ""},  {0, avgInt, &PlotSettings::AvgInt, "0", ""},
        {0, avgInt, &PlotSettings::AvgInt, "1000000", Averages},
        {0, lag, &PlotSettings::LagDays, "0", ""},         {0, lag, &PlotSettings::LagDays, "-1", Averages},
        {1, close, &PlotSettings::CloseDays, "1", ""},     {1, close, &PlotSettings::CloseDays, "0", Days},
        {1, close, &PlotSettings::CloseDays, "100000", Days},
        {1, pan, &PlotSettings::PanDays, "99999", ""},     {1, pan, &PlotSettings::PanDays, "abc", Days},
        {1, share, &PlotSettings::CloseScrn, "10", ""},    {1, share, &PlotSettings::CloseScrn, "90", ""},
        {1, share, &PlotSettings::CloseScrn, "9", Share},  {1, share, &PlotSettings::CloseScrn, "91", Share},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        prompt.messages.clear();
        Options sheet(start);
        sheet.show();
        EXPECT_EQ(c.field(sheet)->text().toInt(), start.*c.setting);
        sheet.Pages()->setCurrentIndex(c.page);
        c.field(sheet)->setText(c.text);
        sheet.accept();
        if (*c.refusal == '\0') {
            EXPECT_EQ(sheet.result(), QDialog::Accepted);
            EXPECT_EQ(sheet.Edited().*c.setting, QString(c.text).toInt());
            EXPECT_TRUE(prompt.messages.empty());
            continue;
        }
        EXPECT_TRUE(sheet.isVisible());
        ASSERT_EQ(prompt.messages.size(), 1u);
        EXPECT_EQ(prompt.messages[0].text, c.refusal);
        // Leaving the page is refused the same way.
        sheet.Pages()->setCurrentIndex(6);
        EXPECT_EQ(sheet.Pages()->currentIndex(), c.page);
        EXPECT_EQ(prompt.messages.size(), 2u);
        sheet.reject();
    }
}

// Each switch shows its setting and goes out flipped once clicked; the
// phrases go out reset; a "Filled" box follows the box above it, keeping its
// value while disabled.
TEST_F(OptionsTest, SwitchesAndPhrasesGoOutAsSet)
{
    PlotSettings start;
    start.RBOverall = 2;
    start.SavePos = 1;
    start.Phrase1 = "BOSTON, MA";
    start.DOverallAvspotsON = 0;
    start.DFillOverallAvSpots = 1;
    Options sheet(start);
    sheet.show();
    auto* grid = static_cast<Opt3*>(sheet.Page(2));
    auto* file = static_cast<Opt5*>(sheet.Page(4));
    auto* plots = static_cast<Opt6*>(sheet.Page(5));
    auto* phrases = static_cast<Opt7*>(sheet.Page(6));
    using Member = int PlotSettings::*;
    const std::pair<QAbstractButton*, Member> boxes[] = {
        {file->autosave, &PlotSettings::AutosaveCfg},
        {file->saveOpenFile, &PlotSettings::SaveOpenFile},
        {file->savePos, &PlotSettings::SavePos},
        {phrases->lenientParse, &PlotSettings::LenientParse},
        {plots->Box(&PlotSettings::RMLoSpots), &PlotSettings::RMLoSpots},
        {plots->Box(&PlotSettings::AxisLabels), &PlotSettings::AxisLabels},
        {plots->Box(&PlotSettings::ColorPrints), &PlotSettings::ColorPrints},
    };
    for (const auto& [box, member] : boxes) {
        EXPECT_EQ(box->isChecked(), start.*member != 0) << box->text().toStdString();
        box->click();
    }
    EXPECT_EQ(grid->overall->checkedId(), 2);
    grid->overall->button(0)->click();
    grid->closeup->button(2)->click();
    EXPECT_EQ(phrases->datePhrase->text(), "BOSTON, MA");
    ButtonNamed(phrases, "Reset Default Values")->click();

    sheet.Pages()->setCurrentIndex(5);
    const std::pair<Member, Member> pairs[] = {
        {&PlotSettings::DOverallFluxON, &PlotSettings::DFillOverallFlux},
        {&PlotSettings::DOverallAvspotsON, &PlotSettings::DFillOverallAvSpots},
        {&PlotSettings::PCloseupAvspotsON, &PlotSettings::PFillCloseupAvSpots},
    };
    for (const auto& [upper, filled] : pairs) {
        QCheckBox* above = plots->Box(upper);
        QCheckBox* below = plots->Box(filled);
        ASSERT_TRUE(above && below);
        EXPECT_EQ(below->isEnabled(), above->isChecked());
        const bool wasChecked = below->isChecked();
        if (!above->isChecked())
            above->click();
        EXPECT_TRUE(below->isEnabled());
        above->click();
        EXPECT_FALSE(below->isEnabled());
        EXPECT_EQ(below->isChecked(), wasChecked);
        above->click();
        EXPECT_TRUE(below->isEnabled());
    }
    sheet.accept();
    const PlotSettings& e = sheet.Edited();
    for (const auto& [box, member] : boxes)
        EXPECT_EQ(e.*member, start.*member ? 0 : 1) << box->text().toStdString();
    EXPECT_EQ(e.RBOverall, 0);
    EXPECT_EQ(e.RBCloseup, 2);
    EXPECT_EQ(e.Phrase1, "SEATTLE, WA");
    EXPECT_EQ(e.Phrase2, "SUNSPOT NUMBERS FOR");
    EXPECT_EQ(e.DFillOverallAvSpots, 1);
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

    // The sample shows the colours where the page says.
    const QImage sample = page->Sample()->grab().toImage();
    const int w = sample.width(), h = sample.height();
    EXPECT_EQ(sample.pixelColor(w / 2 + 3, h - 20), ColorFromRef(page->Colors()[Flux]));
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

// Cancel changes nothing; OK takes effect at once, new colours with new pens,
// and writes nothing.
TEST_F(OptionsInWindowTest, OkTakesEffectAndCancelDoesNot)
{
    const std::string iniBefore = ReadTextFile(folder.File("SKYLOG.INI"));
    const int averageBefore = Records().At(150).m_avgSunspots;
    for (const char* button : {"Cancel", "OK"}) {
        OnNextDialog([button](QWidget* dialog) {
            auto* sheet = static_cast<Options*>(dialog);
            auto* p1 = static_cast<Opt1*>(sheet->Page(0));
            p1->avgInt->setText("5");
            p1->lagDays->setText("2");
            static_cast<Opt2*>(sheet->Page(1))->closeDays->setText("500");
            static_cast<Opt6*>(sheet->Page(5))->Box(&PlotSettings::DOverallFluxON)->click();
            static_cast<Opt7*>(sheet->Page(6))->lenientParse->click();
            OnNextDialog([](QWidget* chooser) {
                static_cast<QColorDialog*>(chooser)->setCurrentColor(QColor(1, 2, 3));
                static_cast<QColorDialog*>(chooser)->accept();
            });
            static_cast<Opt4*>(sheet->Page(3))->Button(Background)->click();
            ButtonNamed(sheet, button)->click();
        });
        frame->Action("configurationOptions")->trigger();
        if (std::string(button) == "Cancel") {
            EXPECT_EQ(Settings().AvgInt, PlotSettings().AvgInt);
            EXPECT_EQ(Settings().DOverallFluxON, 1);
            EXPECT_EQ(Settings().LenientParse, 1);
            EXPECT_EQ(Records().At(150).m_avgSunspots, averageBefore);
            EXPECT_EQ(Settings().Colors[Background], PlotSettings().Colors[Background]);
        }
    }
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
    EXPECT_EQ(Plot().CloseupEnd, 300);
    QApplication::processEvents();
    EXPECT_EQ(frame->ScrollBar()->maximum(), 0);
    EXPECT_EQ(ReadTextFile(folder.File("SKYLOG.INI")), iniBefore);
    View* view = frame->PlotView();
    view->repaint();
    const PixelRect& o = view->Geometry().layout.overall;
    EXPECT_EQ(view->grab().toImage().pixelColor(o.left + 2, o.top + o.Height() / 2), QColor(1, 2, 3));
}
