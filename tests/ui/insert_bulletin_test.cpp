#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QTreeWidget>
#include <filesystem>

#include "support/dialog_driver.h"
#include "support/fresh_program.h"
#include "ui/frame.h"
#include "ui/insert_bulletin_dlg.h"
#include "ui/stat_bmp.h"
#include "ui/view.h"

const std::string Bulletins = std::string(SKYLOG_SAMPLE_DIR) + "/../tests/bulletin/";
const std::string Bulletin11 = Bulletins + "bulletins/arlp011.txt";  // 03/07 to 03/13/2002

class InsertBulletinTest : public FreshProgramTest {
protected:
    void SetUp() override
    {
        FreshProgramTest::SetUp();
        Records().AppendRecord(SolarRecord("03/06/2002", 1, 1.0, 5, 6));
        Records().AppendRecord(SolarRecord("03/07/2002", 2, 2.0, 7, 8));
    }
};

// Validate Data asks about stored days: Ignore drops them from the list, Replace
// keeps them, Cancel clears; a file that cannot be read is reported.
TEST_F(InsertBulletinTest, ValidationWithIgnoreReplaceAndCancel)
{
    const struct {
        std::string file;
        std::optional<int> policy;
        int listed;
        int storedSpots;  // of 03/07 after OK; 0: OK is not offered
    } cases[] = {{folder.File("missing.txt"), 0, 0, 0}, {Bulletin11, 0, 6, 2}, {Bulletin11, 0, 0, 0},
                 {Bulletin11, 1, 7, 232}, {Bulletin11, std::nullopt, 0, 0}};
    for (const auto& c : cases) {
        InsertBulletinDlg dialog(1);
        dialog.askDuplicatePolicy = [&] { return c.policy; };
        prompt.chosenFiles = {c.file};
        dialog.OnSelect();
        ASSERT_EQ(dialog.List()->topLevelItemCount(), c.listed);
        EXPECT_EQ(dialog.OkButton()->isEnabled(), c.storedSpots != 0);
        EXPECT_EQ(dialog.SelectButton()->isEnabled(), c.listed == 0 && c.policy);
        EXPECT_EQ(dialog.PathField()->text().isEmpty(), !c.policy);
        if (c.listed == 6) {
            EXPECT_EQ(dialog.List()->topLevelItem(0)->text(0), "03/08/2002");
            EXPECT_EQ(dialog.ProgressBar()->value(), 92);  // day 7 compared with record 2 of 2
        }
        if (c.storedSpots == 0)
            continue;
        dialog.OkButton()->click();
        EXPECT_EQ(Records().RecordCount(), 8);
        EXPECT_EQ(Records().At(1).m_sunspots, c.storedSpots);
    }
    EXPECT_EQ(prompt.Captions(), std::vector<std::string>{"FILE OPEN ERROR"});
}

// From the main window: the days are merged, plotted and unsaved, the status
// bar tells what the merge did; Validate and the chooser's folder and type are
// remembered and the view command starts there.
TEST_F(InsertBulletinTest, MainWindowInsertsMergeAndCountOnTheStatusBar)
{
    std::filesystem::create_directories(folder.File("archive"));
    const std::string bul = folder.File("archive/week11.BUL");
    std::filesystem::copy_file(Bulletin11, bul);
    Frame frame;
    frame.show();

    const struct {
        std::string file;
        bool validate;
        int count;
        const char* status;
    } inserts[] = {
        {Bulletin11, false, 8, "6 days added, 1 day replaced"},  // 03/06 kept, 03/07 replaced
        {Bulletins + "real/029_2022_news.txt", false, 15, "7 days added, 0 days replaced (read leniently)"},
        {bul, true, 15, "0 days added, 7 days replaced"},  // Replace chosen in the real question
    };
    for (const auto& insert : inserts) {
        prompt.chosenFiles = {insert.file};
        bool ignoreFirst = false;
        OnNextDialog([&](QWidget* dialog) {
            auto* insertDialog = static_cast<InsertBulletinDlg*>(dialog);
            insertDialog->ValidateBox()->setChecked(insert.validate);
            if (insert.validate)
                OnNextDialog([&](QWidget* duplicates) {
                    const QList<QRadioButton*> radios = duplicates->findChildren<QRadioButton*>();
                    ignoreFirst = radios[0]->isChecked();
                    radios[1]->setChecked(true);
                    ButtonNamed(duplicates, "OK")->click();
                });
            insertDialog->SelectButton()->click();
            EXPECT_EQ(insertDialog->StatusText()->isVisible() ? insertDialog->StatusText()->text() : "",
                      QString(insert.status).endsWith("leniently)") ? "(read leniently)" : "");
            insertDialog->OkButton()->click();
        });
        frame.Action("insertBulletin")->trigger();
        EXPECT_EQ(ignoreFirst, insert.validate);
        EXPECT_EQ(Records().RecordCount(), insert.count);
        EXPECT_EQ(Plot().CloseupEnd, insert.count);
        EXPECT_EQ(Records().At(1).m_sunspots, 232);  // the stored day was replaced
        EXPECT_EQ(Records().DataChanged(), 1);
        EXPECT_EQ(frame.StatusBar()->currentMessage(), insert.status);
    }
    EXPECT_EQ(prompt.chooserStarts.front(), "*.TXT");
    EXPECT_EQ(frame.PlotView()->ValidateState(), 1);
    frame.Action("viewBulletin")->trigger();
    EXPECT_EQ(prompt.chooserStarts.back(), folder.File("archive") + "/*.BUL");
    Records().SetDataChanged(0);
    frame.close();
}
