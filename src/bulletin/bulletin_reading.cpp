#include "bulletin/bulletin_reading.h"

#include <fstream>
#include <iterator>

#include "bulletin/lenient_reading.h"
#include "config/plot_settings.h"
#include "data/prompt.h"

namespace {

// A bulletin is a page of text; a file far larger than that is not one,
// and is not loaded whole.
constexpr std::streamsize LenientFileLimit = 4 * 1024 * 1024;

// Answers the exact parser's two questions for one parse: the year with the
// one given (or, without one, by asking the user), the values phrase by
// asking the user only when allowed. Everything else goes to the prompt it
// stands in for.
class ParseQuestions final : public UserPrompt {
public:
    ParseQuestions(std::optional<int> year, bool askSearchText)
        : outer_(Prompt()), year_(year), askSearchText_(askSearchText)
    {
        SetPrompt(this);
    }
    ~ParseQuestions() override { SetPrompt(&outer_); }
    ParseQuestions(const ParseQuestions&) = delete;
    ParseQuestions& operator=(const ParseQuestions&) = delete;

    std::optional<int> AskBulletinYear(int initialYear) override
    {
        return year_ ? year_ : outer_.AskBulletinYear(initialYear);
    }
    std::optional<std::string> AskSearchText(const std::string& initialText) override
    {
        return askSearchText_ ? outer_.AskSearchText(initialText) : std::nullopt;
    }

    PromptAnswer MessageBox(const std::string& text, const std::string& caption, PromptIcon icon,
                            PromptButtons buttons) override
    {
        return outer_.MessageBox(text, caption, icon, buttons);
    }
    void BeginWaitCursor() override { outer_.BeginWaitCursor(); }
    void EndWaitCursor() override { outer_.EndWaitCursor(); }
    void PumpMessages() override { outer_.PumpMessages(); }
    std::optional<std::string> ChooseOpenFile(const std::string& start,
                                              const std::string& filter) override
    {
        return outer_.ChooseOpenFile(start, filter);
    }
    std::optional<std::string> ChooseSaveFile(const std::string& start,
                                              const std::string& filter) override
    {
        return outer_.ChooseSaveFile(start, filter);
    }
    std::optional<std::string> ChooseFolder(const std::string& start,
                                            const std::string& title) override
    {
        return outer_.ChooseFolder(start, title);
    }
    ConversionChoice AskConvertVersion2File() override { return outer_.AskConvertVersion2File(); }
    void ShowHelp(const std::string& keyword) override { outer_.ShowHelp(keyword); }
    void BeginProgress(const std::string& text) override { outer_.BeginProgress(text); }
    void SetProgress(int percent) override { outer_.SetProgress(percent); }
    void EndProgress() override { outer_.EndProgress(); }

private:
    UserPrompt& outer_;
    std::optional<int> year_;
    bool askSearchText_;
};

// The exact parse. Interactive: its own questions, the year answered when
// one is given. Otherwise it asks nothing; a given year stands in for the
// missing date line as the user's answer would.
int ExactParse(BulletinParser& parser, const std::string& path, std::optional<int> year,
               bool interactive)
{
    if (!interactive && !year)
        return parser.Parse(path, 0);
    ParseQuestions questions(year, interactive);
    const int result = parser.Parse(path, 1);
    // Without the search-text question a missing values phrase is what the
    // non-interactive parse makes of it: no day.
    return !interactive && result == ParseNoValuesSection ? 0 : result;
}

bool ReadWholeFile(const std::string& path, std::string* text)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return false;
    text->assign(static_cast<std::size_t>(LenientFileLimit) + 1, '\0');
    file.read(text->data(), LenientFileLimit + 1);
    if (file.bad())
        return false;
    text->resize(static_cast<std::size_t>(file.gcount()));
    return text->size() <= static_cast<std::size_t>(LenientFileLimit);
}

// The lenient reading's days held by the parser, or its refusal.
int Hold(BulletinParser& parser, const LenientOutcome& outcome)
{
    if (outcome.result <= 0)
        return outcome.result;
    if (!parser.HoldDays(outcome.days))
        return ParseError;
    return outcome.result;
}

}  // namespace

BulletinReadingOptions SettingsReadingOptions(bool interactive)
{
    BulletinReadingOptions options;
    options.interactive = interactive;
    options.lenient = Settings().LenientParse != 0;
    return options;
}

BulletinReading ReadBulletin(BulletinParser& parser, const std::string& path, const BulletinReadingOptions& options)
{
    if (!options.lenient)
        return {ExactParse(parser, path, options.year, options.interactive), ReadingKind::Exact};

    // The exact parse first, without questions: a bulletin it reads is read
    // exactly as it always was.
    const int exact = ExactParse(parser, path, options.year, false);
    if (exact > 0 || exact == ParseCannotOpen || exact == ParseNoMemory)
        return {exact, ReadingKind::Exact};

    std::string text;
    if (!ReadWholeFile(path, &text))
        return {exact < 0 ? exact : ParseError, ReadingKind::Exact};
    const std::vector<std::string> cities = BulletinCities();
    const std::string phrase = Settings().Phrase2;
    std::optional<int> year = options.year;
    LenientOutcome lenient = ReadLeniently(text, phrase, year, cities);

    // A bulletin that prints no year: the user gives it, as the exact parse
    // asks it where there is no date line.
    const bool yearMissing =
        lenient.result == ParseNoYear || (lenient.result == ParseNoValuesSection && exact == ParseNoYear);
    if (options.interactive && !year && yearMissing) {
        year = Prompt().AskBulletinYear(2001);
        if (!year)
            return {ParseNoYear, ReadingKind::Exact};
        const int withYear = ExactParse(parser, path, year, false);
        if (withYear > 0)
            return {withYear, ReadingKind::Exact};
        lenient = ReadLeniently(text, phrase, year, cities);
    }
    if (lenient.result > 0) {
        parser.Reset();
        const int held = Hold(parser, lenient);
        return {held, held > 0 ? ReadingKind::Lenient : ReadingKind::Exact};
    }
    // No values sentence in any wording: the exact parse's own way out, the
    // question for another values phrase.
    if (lenient.result == ParseNoValuesSection) {
        if (options.interactive)
            return {ExactParse(parser, path, year, true), ReadingKind::Exact};
        return {exact, ReadingKind::Exact};
    }
    parser.Reset();
    return {lenient.result, ReadingKind::Exact};
}
