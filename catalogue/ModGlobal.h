#pragma once
// The program's global state: the keyword index and the catalogue's row positions, built once by
// the start-up load, and the search text carried between the two window layouts.

#include "catalogue/KeywordDictionary.h"

#include <QHash>
#include <QString>
#include <QStringView>

#include <functional>
#include <optional>

namespace ModGlobal {

// KeywordDictionary (catalogue/KeywordDictionary.h): keyword, letter case ignored ->
// entry-number list ("247 248 249").
// Entry number written with at least three digits ("001", "988") -> zero-based row position.
using ChronDictionary = QHash<QString, qint64>;

// Both maps are absent until the start-up load builds them; nothing changes them afterwards.
// Read them through the lookups below, which raise NilObjectException while a map is absent.
extern std::optional<KeywordDictionary> dictKeyGlobal;
extern std::optional<ChronDictionary> dictChronID_Global;

// The search text carried from one window layout to the other; empty at start.
extern QString theFilter;

// The application's own folder in the user's application-data folder; empty until the start-up
// load has made sure it exists.
extern QString appSupportFolder;

// Reverse-DNS bundle identifier, the name of the application's folder.
inline constexpr char kBundleIdentifier[] = "app.vantrel.Vantrel";

// The keyword's entry-number list, or "" when it is no keyword. Raises NilObjectException
// while dictKeyGlobal is absent.
QString KeywordEntries(QStringView keyword);

// The row position of a three-digit entry number, or -1 when no row has it. Raises
// NilObjectException while dictChronID_Global is absent.
qint64 RowPosition(QStringView entryText);

// The maps themselves; raise NilObjectException while absent.
const KeywordDictionary &KeyGlobal();
const ChronDictionary &ChronIDGlobal();

// Parsers behind the start-up load. Keyword-index lines without a blank, with an empty keyword
// or with nothing after the blank are skipped. An empty catalogue row is skipped but keeps its
// position; a row whose first field is not a decimal number raises InvalidArgumentException.
enum class TextStorage {
    Copy,   // keys and values are copied out of the text
    Static, // the text outlives the map and never changes (a compiled-in table): referenced in place
};
KeywordDictionary ParseKeywordIndex(QStringView text, TextStorage storage = TextStorage::Copy);
ChronDictionary ParseCatalogue(QStringView text, TextStorage storage = TextStorage::Copy);

// The application's folder, created when missing and left untouched when present. Raises
// IOException when it cannot be created (or a file stands in its way).
QString EnsureAppSupportFolder();

// The start-up load, in order: the application's folder, the help-topic store (fillHelp, which
// may be empty), the keyword index, the catalogue. A failure raises and skips the rest; a map
// whose step failed is absent.
void RunStartupLoad(const std::function<void()> &fillHelp);

// The application's Opening event: the start-up load inside the App.Opening alert clause, so a
// failure is shown ("Oops! App.Opening"), logged, and the program carries on.
void AppOpening(const std::function<void()> &fillHelp);

// Tests only: back to the state before start-up (maps absent, filter and folder empty).
void resetForTests();

} // namespace ModGlobal
