// Dates typed into the record dialog: the program's own mm/dd/yyyy comes
// first, also under day-first locales; the locale's forms only for other text.
#include <gtest/gtest.h>

#include <QLocale>

#include "support/scripted_prompt.h"
#include "ui/record_dlg.h"

namespace {

// Puts the default locale back however the test ends.
struct LocaleScope {
    explicit LocaleScope(const char* name) { QLocale::setDefault(QLocale(name)); }
    ~LocaleScope() { QLocale::setDefault(QLocale::c()); }
};

// OK on an unchanged record keeps its date.
void ExpectRecordKeepsItsDate()
{
    ScriptedPrompt prompt;
    RecordDlg record(0, "01/05/2002", 100, "150.9");
    record.show();
    record.accept();
    EXPECT_EQ(record.result(), QDialog::Accepted);
    EXPECT_EQ(record.Date(), "01/05/2002");
}

}  // namespace

TEST(DateLocale, TypedFormsAndTheCenturyRule)
{
    const std::pair<const char*, const char*> cases[] = {
        {"1/5/2002", "01/05/2002"},  {"2002-01-05", "01/05/2002"}, {"1/5/49", "01/05/2049"},
        {"1/5/50", "01/05/1950"},    {"2/29/2001", ""},            {"2/29/2000", "02/29/2000"},
        {"xx/xx/xx", ""},            {"1/5", ""},                  {"", ""},
    };
    for (const auto& [typed, date] : cases)
        EXPECT_EQ(ParseUserDate(typed), date) << typed;
}

TEST(DateLocale, DayFirstLocalesNeverSwapDayAndMonth)
{
    for (const char* name : {"en_GB", "de_DE"}) {
        LocaleScope locale(name);
        ASSERT_EQ(QLocale().dateFormat(QLocale::ShortFormat).indexOf('d'), 0) << name;
        EXPECT_EQ(ParseUserDate("01/05/2002"), "01/05/2002") << name;  // the 5th of January
        EXPECT_EQ(ParseUserDate("12/11/2002"), "12/11/2002") << name;
        ExpectRecordKeepsItsDate();
    }
    // Text that is no mm/dd/yyyy date is read in the user's own form.
    LocaleScope british("en_GB");
    EXPECT_EQ(ParseUserDate("25/12/2002"), "12/25/2002");
    LocaleScope german("de_DE");
    EXPECT_EQ(ParseUserDate("25.12.02"), "12/25/2002");
    EXPECT_EQ(ParseUserDate("31.02.02"), "");
}

// Run by its own test entry with LC_ALL=en_GB.UTF-8 (see tests/CMakeLists.txt):
// the user's system locale, as a British user starts the program.
TEST(DateLocale, DISABLED_UnderTheSystemsDayFirstLocale)
{
    ASSERT_EQ(QLocale::system().name(), "en_GB");
    EXPECT_EQ(ParseUserDate("01/05/2002"), "01/05/2002");
    EXPECT_EQ(ParseUserDate("25/12/2002"), "12/25/2002");
    ExpectRecordKeepsItsDate();
}
