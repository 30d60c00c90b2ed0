#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QTreeWidget>
#include <filesystem>

#include "ui/frame.h"
#include "ui/stat_bmp.h"
#include "ui/view.h"
#include "ui/insert_bulletin_dlg.h"
#include "ui/specify_year_dlg.h"
#include "support/dialog_driver.h"
#include "support/fresh_program.h"

namespace {

const std::string Bulletin11 = std::string(SKYLOG_SAMPLE_DIR) + "/../tests/bulletin/bulletins/arlp011.txt";

QStringList Column(QTreeWidget* list, int column)
{
    QStringList texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        texts << list->topLevelItem(i)->text(column);
    return texts;
}

}  // namespace

class InsertBulletinTest : public FreshProgramTest {
protected:
    void SetUp() override
    {
        FreshProgramTest::SetUp();
        // 03/06 and 03/07 are stored; the bulletin holds 03/07 to 03/13.
        Records().AppendRecord(SolarRecord("03/06/2002", 1, 1.0, 5, 6));
        Records().AppendRecord(SolarRecord("03/07/2002", 2, 2.0, 7, 8));
    }
};

// With Validate Data the stored days are asked about: Ignore drops them from
// the list (all of them once the bulletin is in), Replace keeps them,
// Cancel leaves only Cancel and Help.
TEST_F(InsertBulletinTest, ValidationWithIgnoreReplaceAndCancel)
{
    const struct {
        std::optional<int> policy;
        int listed;
        bool ok, select;
        int storedSpots;  // of 03/07 after OK
    } cases[] = {
        {0, 6, true, false, 2}, {0, 0, false, true, 2}, {1, 7, true, false, 232}, {std::nullopt, 0, false, false, 0},
    };
    for (const auto& c : cases) {
        InsertBulletinDlg dialog(1);
        dialog.askDuplicatePolicy = [&] { return c.policy; };
        prompt.chosenFiles = {Bulletin11};
        dialog.OnSelect();
        ASSERT_EQ(dialog.List()->topLevelItemCount(), c.listed);
        EXPECT_EQ(dialog.OkButton()->isEnabled(), c.ok);
        EXPECT_EQ(dialog.SelectButton()->isEnabled(), c.select);
        if (c.listed == 6) {
            EXPECT_EQ(Column(dialog.List(), 0).first(), "03/08/2002");  // 03/07 dropped
            EXPECT_EQ(dialog.ProgressBar()->value(), 92);  // day 7 compared with record 2 of 2
        }
        if (!c.policy) {
            EXPECT_TRUE(dialog.PathField()->text().isEmpty());
        }
        if (!c.ok)
            continue;
        Records().SetDataChanged(0);
        dialog.OkButton()->click();
        EXPECT_EQ(Records().RecordCount(), 8);
        EXPECT_EQ(Records().At(1).m_sunspots, c.storedSpots);
        EXPECT_EQ(Records().DataChanged(), 1);
    }
}

TEST_F(InsertBulletinTest, TheRealDuplicatesDialog)
{
    InsertBulletinDlg dialog(1);
    QString caption;
    bool ignoreFirst = false;
    OnNextDialog([&](QWidget* duplicates) {
        caption = duplicates->windowTitle();
        const QList<QRadioButton*> radios = duplicates->findChildren<QRadioButton*>();
        ignoreFirst = radios[0]->isChecked() && radios[0]->text() == "Ignore the data from the Bulletin File";
        radios[1]->setChecked(true);
        ButtonNamed(duplicates, "OK")->click();
    });
    prompt.chosenFiles = {Bulletin11};
    dialog.OnSelect();
    EXPECT_EQ(caption, "Duplicate Dates Detected");
    EXPECT_TRUE(ignoreFirst);
    EXPECT_EQ(dialog.List()->topLevelItemCount(), 7);  // replace keeps every row
}

// A file that cannot be read is reported (the reasons are the bulletin
// tests' business) and the dialog is ready for another file.
TEST_F(InsertBulletinTest, AFailedReadIsReportedAndSelectStaysOffered)
{
    InsertBulletinDlg dialog(0);
    prompt.chosenFiles = {folder.File("missing.txt")};
    dialog.OnSelect();
    EXPECT_EQ(prompt.Captions(), std::vector<std::string>{"FILE OPEN ERROR"});
    EXPECT_TRUE(dialog.SelectButton()->isEnabled());
    EXPECT_FALSE(dialog.OkButton()->isEnabled());
    EXPECT_EQ(dialog.List()->topLevelItemCount(), 0);
}

TEST_F(InsertBulletinTest, ChooserRemembersFolderAndTypeAndViewKeepsValidate)
{
    std::filesystem::create_directories(folder.File("archive"));
    const std::string bul = folder.File("archive/week11.BUL");
    std::filesystem::copy_file(Bulletin11, bul);
    Frame frame;
    frame.show();
    // Validate ticked, then Cancel: the view keeps its old state.
    OnNextDialog([&](QWidget* dialog) {
        dialog->findChild<QCheckBox*>()->setChecked(true);
        ButtonNamed(dialog, "Cancel")->click();
    });
    frame.Action("insertBulletin")->trigger();
    EXPECT_EQ(frame.PlotView()->ValidateState(), 0);

    prompt.chosenFiles = {bul};
    OnNextDialog([&](QWidget* dialog) {
        auto* insert = static_cast<InsertBulletinDlg*>(dialog);
        insert->ValidateBox()->setChecked(true);
        insert->askDuplicatePolicy = [] { return std::optional<int>(0); };
        insert->SelectButton()->click();
        insert->OkButton()->click();
    });
    frame.Action("insertBulletin")->trigger();
    EXPECT_EQ(frame.PlotView()->ValidateState(), 1);
    EXPECT_EQ(Records().RecordCount(), 8);
    EXPECT_EQ(Plot().CloseupEnd, 8);  // the plot was rebuilt for the new days
    EXPECT_EQ(Settings().PFBPath, folder.File("archive") + "/");
    EXPECT_EQ(Settings().PFBType, ".BUL");

    // The view command starts where the last insert chose its file.
    frame.Action("viewBulletin")->trigger();
    EXPECT_EQ(prompt.chooserStarts.back(), folder.File("archive") + "/*.BUL");
    frame.close();
}

TEST_F(InsertBulletinTest, YearDialogTakesYearsOfTheSunspotRecord)
{
    SpecifyYearDlg year(2001);
    year.show();
    year.Field()->setText("1700");
    year.accept();  // refused: the dialog stays open
    EXPECT_EQ(prompt.messages.back().text, "Please enter an integer between 1858 and 2099.");
    EXPECT_TRUE(year.isVisible());
    year.Field()->setText("1999");
    year.accept();
    EXPECT_EQ(year.result(), QDialog::Accepted);
    EXPECT_EQ(year.Year(), 1999);
}

// Without Validate Data the days are listed and merged; afterwards the status
// bar tells what the merge did, also when it only replaced stored days. A
// bulletin read leniently says so in the dialog and on the status bar.
TEST_F(InsertBulletinTest, ListedMergedAndCountedOnTheStatusBar)
{
    Frame frame;
    frame.show();
    const std::string news = std::string(SKYLOG_SAMPLE_DIR) + "/../tests/bulletin/real/029_2022_news.txt";
    const struct {
        std::string file;
        const char* firstDay;
        int count;
        const char* status;
    } inserts[] = {
        {Bulletin11, "03/07/2002", 8, "6 days added, 1 day replaced"},  // 03/06 kept, 03/07 replaced
        {Bulletin11, "03/07/2002", 8, "0 days added, 7 days replaced"},
        {news, "01/06/2022", 15, "7 days added, 0 days replaced (read leniently)"},
    };
    for (const auto& insert : inserts) {
        SCOPED_TRACE(insert.status);
        prompt.chosenFiles = {insert.file};
        OnNextDialog([&](QWidget* dialog) {
            auto* insertDialog = static_cast<InsertBulletinDlg*>(dialog);
            EXPECT_FALSE(insertDialog->OkButton()->isEnabled());
            insertDialog->SelectButton()->click();
            EXPECT_EQ(insertDialog->PathField()->text().toStdString(), insert.file);
            EXPECT_EQ(Column(insertDialog->List(), 0).first().toStdString(), insert.firstDay);
            EXPECT_FALSE(insertDialog->SelectButton()->isEnabled());  // a second Select is impossible
            EXPECT_EQ(insertDialog->StatusText()->isVisible(), insertDialog->ReadLeniently());
            EXPECT_EQ(insertDialog->StatusText()->text() == "(read leniently)", insertDialog->ReadLeniently());
            insertDialog->OkButton()->click();
        });
        frame.Action("insertBulletin")->trigger();
        EXPECT_EQ(Records().RecordCount(), insert.count);
        EXPECT_EQ(Records().At(1).m_sunspots, 232);  // the stored day was replaced
        EXPECT_EQ(Records().DataChanged(), 1);
        EXPECT_EQ(frame.StatusBar()->currentMessage(), insert.status);
    }
    EXPECT_EQ(prompt.chooserStarts.front(), "*.TXT");
    Records().SetDataChanged(0);
    frame.close();
}
