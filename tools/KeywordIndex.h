#pragma once
// Builds the keyword index (KEYWORDS_TEXT) from the current catalogue's name and replacement
// fields, then applies a short hand-edit file for the keys that the rules miss or must not give.
// Used by the vantrel_keywords tool and by the tests that keep the shipped index in step with it.

#include <QString>
#include <QStringList>
#include <QStringView>

namespace KeywordIndex {

// Longest keyword the index accepts.
inline constexpr qsizetype kMaxKeywordLength = 42;

// Cuts one identifier (letters, digits and "_", no dot) into words at changes of case: before a
// capital that follows a small letter, and before the last capital of an acronym that a
// capitalised word follows (HTMLViewer: HTML, Viewer). SQLite, FSRef, VRef and iOS stay whole;
// there is no cut after a digit or an underscore (Int16Value, Group2D, SHA2_256).
QStringList SplitWords(QStringView identifier);

// All keys of one identifier that may hold dots: every run of adjacent words; for Class.Member
// also every class tail with the dot alone and every class tail joined to every member head,
// with and without the dot. Only the last dot counts. Keys the index cannot hold are dropped.
QStringList IdentifierKeys(QStringView identifier);

// All keys of a name or replacement field: an identifier, prose (content words, capitalised),
// or "No Replacement" (the single key "NoReplacement"). Sorted as the index sorts, no repeats.
QStringList FieldKeys(QStringView field);

// Letters, digits, "." and "_" only, 1 to 42 characters.
bool IsValidKeyword(QStringView key);

// The index's line order: ignoring case, letters compared as capitals, so "_" sorts after them.
bool KeywordLess(QStringView a, QStringView b);

struct Result
{
    QString text;         // the index: lines joined by "\n", none after the last
    QStringList warnings; // hand-edit entries that name no catalogue row (skipped)
    QStringList errors;   // malformed catalogue rows or hand-edit lines; text is empty then
    bool ok() const { return errors.isEmpty(); }
};

// The hand-edit text, one directive a line ("#" starts a comment, blank lines are ignored):
//   + Keyword 021 302   add the entries to the keyword's line (created when missing; the
//                       spelling given here is the one written)
//   - Keyword           remove the keyword's line
//   - Keyword 021       remove the entries from the keyword's line
//   ! 708 885           remove the entries from every line (applied after everything else)
// Entry numbers may be written with or without leading zeros.
Result Build(QStringView catalogueText, QStringView handEditText);

} // namespace KeywordIndex
