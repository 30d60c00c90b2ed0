// The lenient reading of a bulletin: the wording of thirty years of real
// bulletins (letter case, "from", "10.7-centimeter", dashed ranges, ranges
// with years, values in the middle of a paragraph, news pages without a
// city line). It reads what is unambiguous and refuses the rest: it never
// guesses a day.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "bulletin/bulletin_parser.h"

struct LenientOutcome {
    // Days read (0 or more), or a negative ParseResult: ParseNoYear when
    // nothing gives the year, ParseNoValuesSection when no values sentence
    // (the phrase, a month and a day) was found, ParseError (a range that is not a run of 1 to
    // 31 days), ParseNoSunspots / ParseNoFlux (a list missing, or one whose
    // count of values does not match the range).
    int result = 0;
    std::vector<BulletinDay> days;
};

// A range longer than this is refused: a bulletin covers a week.
inline constexpr int LenientRangeLimit = 31;

// The wordings that open a values sentence: the configured phrase in upper
// case and, for one ending in "for", the same with "from".
std::vector<std::string> ValuesPhraseForms(const std::string& valuesPhrase);

// Reads the bulletin text (the whole file). valuesPhrase is the configured
// one; any letter case matches, and a phrase ending in "for" also matches
// with "from". givenYear is the year of a range's first day for a bulletin
// that prints no year; a year printed in the text wins over it.
LenientOutcome ReadLeniently(const std::string& fileText, const std::string& valuesPhrase,
                             std::optional<int> givenYear, const std::vector<std::string>& cities);
