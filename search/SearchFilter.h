#pragma once
// The search filter's decisions, apart from the window that carries them out: what a change of
// the search field leads to, and where the caret belongs after the typed text was cleaned.

#include <QString>
#include <QStringView>

#include <optional>

namespace Search {

enum class FilterStep {
    Stop,           // the keyword already applied (letter case ignored): nothing to do
    ClearAndStop,   // the field is empty: clear the display
    ClearAndLookUp, // one character: clear the display, then look the text up (it may be a keyword)
    LookUp,         // look the text up
    Keep,           // after the lookup: no keyword, the last keyword stays in force
    Refill,         // after the lookup: a keyword, refill the filtered list
};

// Before the lookup (`entries` absent): Stop, ClearAndStop, ClearAndLookUp or LookUp for the
// cleaned text against the keyword last applied. After it (`entries` the keyword's entry-number
// list, empty for no keyword): Keep or Refill.
FilterStep DecideFilterStep(QStringView text, QStringView applied, std::optional<QStringView> entries = std::nullopt);

// Number of characters (code points), as the program counts the length of a text.
qsizetype CharacterCount(QStringView text);

// Where the caret belongs after `typed` was cleaned to `cleaned`: behind the same kept character
// as before, i.e. moved left by the characters removed in front of it.
int CaretAfterCleaning(QStringView typed, QStringView cleaned, int caret);

} // namespace Search
