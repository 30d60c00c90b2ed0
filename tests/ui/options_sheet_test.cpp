#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>

#include "support/dialog_driver.h"
#include "support/fresh_program.h"
#include "ui/help_window.h"
#include "ui/options_colors.h"
#include "ui/options_pages.h"
#include "ui/options_plots.h"
#include "ui/options_sheet.h"

// The sheet opens on the page last shown; each test starts on the first.
class OptionsTest : public FreshProgramTest {
protected:
    void SetUp() override { FreshProgramTest::SetUp(); OptionsStartPage() = 0; }
    void TearDown() override { OptionsStartPage() = 0; FreshProgramTest::TearDown(); }
};

// Help (also F1) opens each page's section of the manual; the sheet reopens on the last page.
TEST_F(OptionsTest, HelpForEachPageAndReopeningOnTheLastPage)
{
    const QString manual = QString::fromStdString(ReadTextFile(HelpFilePath().toStdString()));
    {
        Options sheet(Settings());
        sheet.show();
        for (int i = 0; i < sheet.Pages()->count(); ++i) {
            sheet.Pages()->setCurrentIndex(i);
            sheet.HelpButton()->click();
            EXPECT_EQ(prompt.helpKeywords.back(), sheet.Page(i)->HelpKeyword().toStdString());
            EXPECT_TRUE(manual.contains("name=\"" + HelpAnchor(sheet.Page(i)->HelpKeyword()) + "\"")) << i;
        }
        sheet.Pages()->setCurrentIndex(5);
        sheet.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&sheet));
        QTest::keyClick(sheet.Pages()->currentWidget(), Qt::Key_F1);
        EXPECT_EQ(prompt.helpKeywords.back(), sheet.Page(5)->HelpKeyword().toStdString());
        sheet.Pages()->setCurrentIndex(3);
        sheet.reject();
    }
    EXPECT_EQ(Options(Settings()).Pages()->currentIndex(), 3);
}

// Number fields take whole numbers in range; else OK and leaving the page are refused.
TEST_F(OptionsTest, NumberFieldsTakeTheirRangeAndRefuseTheRest)
{
    PlotSettings start;
    start.AvgInt = 27;
    start.LagDays = 3;
    start.CloseDays = 400;
    start.PanDays = 17;
    start.CloseScrn = 33;
    const std::pair<QLineEdit* (*)(Options&), int PlotSettings::*> fields[] = {
        {[](Options& s) { return static_cast<Opt1*>(s.Page(0))->avgInt; }, &PlotSettings::AvgInt},
        {[](Options& s) { return static_cast<Opt1*>(s.Page(0))->lagDays; }, &PlotSettings::LagDays},
        {[](Options& s) { return static_cast<Opt2*>(s.Page(1))->closeDays; }, &PlotSettings::CloseDays},
        {[](Options& s) { return static_cast<Opt2*>(s.Page(1))->panDays; }, &PlotSettings::PanDays},
        {[](Options& s) { return static_cast<Opt2*>(s.Page(1))->closeScrn; }, &PlotSettings::CloseScrn},
    };
    const char* const Averages = "Please enter an integer between 0 and 999999.";
    const char* const Days = "Please enter an integer between 1 and 99999.";
    const char* const Share = "Please enter an integer between 10 and 90.";
    const struct { int field; const char *text, *refusal; } cases[] = {  // refusal empty: taken
        {0, "999999", ""}, {0, "1000000", Averages}, {1, "0", ""},     {1, "-1", Averages},
        {2, "1", ""},      {2, "100000", Days},      {3, "99999", ""}, {3, "abc", Days},
        {4, "10", ""},     {4, "90", ""},            {4, "9", Share},  {4, "91", Share},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto& [field, setting] = fields[c.field];
        const int page = c.field < 2 ? 0 : 1;
        prompt.messages.clear();
        Options sheet(start);
        sheet.show();
        EXPECT_EQ(field(sheet)->text().toInt(), start.*setting);
        sheet.Pages()->setCurrentIndex(page);
        field(sheet)->setText(c.text);
        sheet.accept();
        sheet.Pages()->setCurrentIndex(6);  // refused the same way as OK
        EXPECT_EQ(sheet.Pages()->currentIndex(), *c.refusal ? page : 6);
        EXPECT_EQ(prompt.messages.size(), *c.refusal ? 2u : 0u);
        EXPECT_EQ(prompt.messages.empty() ? "" : prompt.messages[0].text, c.refusal);
        EXPECT_EQ(sheet.Edited().*setting, *c.refusal ? start.*setting : QString(c.text).toInt());
    }
}

// Switches go out flipped, phrases reset, colours as chosen (the chooser opens at each; Cancel keeps it).
TEST_F(OptionsTest, SwitchesPhrasesAndColoursGoOutAsSet)
{
    PlotSettings start;
    start.SavePos = 1;
    start.DOverallAvspotsON = 0;
    start.DFillOverallAvSpots = 1;
    start.RBOverall = 2;
    start.Phrase1 = "BOSTON, MA";
    Options sheet(start);
    sheet.show();
    auto* grid = static_cast<Opt3*>(sheet.Page(2));
    auto* file = static_cast<Opt5*>(sheet.Page(4));
    auto* plots = static_cast<Opt6*>(sheet.Page(5));
    auto* phrases = static_cast<Opt7*>(sheet.Page(6));
    using Member = int PlotSettings::*;
    const std::pair<QAbstractButton*, Member> boxes[] = {
        {file->autosave, &PlotSettings::AutosaveCfg},     {file->saveOpenFile, &PlotSettings::SaveOpenFile},
        {file->savePos, &PlotSettings::SavePos},          {phrases->lenientParse, &PlotSettings::LenientParse},
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
    QCheckBox* above = plots->Box(&PlotSettings::DOverallAvspotsON);  // "Filled" below follows, keeping its value
    QCheckBox* below = plots->Box(&PlotSettings::DFillOverallAvSpots);
    for (const bool on : {false, true, false, true}) {
        EXPECT_EQ(above->isChecked(), on);
        EXPECT_EQ(below->isEnabled(), on);
        EXPECT_TRUE(below->isChecked());
        above->click();
    }
    auto* colours = static_cast<Opt4*>(sheet.Page(3));
    sheet.Pages()->setCurrentIndex(3);
    for (int color = 0; color <= ColorCount; ++color) {  // the last one cancelled
        const auto index = static_cast<ColorIndex>(color % ColorCount);
        const std::uint32_t before = colours->Colors()[index], chosen = 0x010203u * (color + 1);
        QColor shownFirst;
        OnNextDialog([&](QWidget* dialog) {
            auto* chooser = static_cast<QColorDialog*>(dialog);
            shownFirst = chooser->currentColor();
            chooser->setCurrentColor(ColorFromRef(chosen));
            color < ColorCount ? chooser->accept() : chooser->reject();
        });
        colours->Button(index)->click();
        EXPECT_EQ(RefFromColor(shownFirst), before) << color;
        EXPECT_EQ(colours->Colors()[index], color < ColorCount ? chosen : before) << color;
    }

    sheet.accept();
    const PlotSettings& e = sheet.Edited();
    for (const auto& [box, member] : boxes)
        EXPECT_EQ(e.*member, start.*member ? 0 : 1) << box->text().toStdString();
    EXPECT_EQ(e.RBOverall, 0);
    EXPECT_EQ(e.RBCloseup, 2);
    EXPECT_EQ(e.Phrase1, PlotSettings().Phrase1);
    EXPECT_EQ(e.Phrase2, PlotSettings().Phrase2);
    EXPECT_EQ(e.DFillOverallAvSpots, 1);
    for (int i = 0; i < ColorCount; ++i)
        EXPECT_EQ(e.Colors[i], 0x010203u * (i + 1)) << i;
}
