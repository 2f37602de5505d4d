#pragma once
// Cleaning of the typed search text and the hit-count caption.

#include <QLatin1String>
#include <QString>

namespace Search {

// Removed from the typed text before it is looked up: blank , ; : ' ] [ ( ) * &
inline constexpr QLatin1String kSearchCharacters(" ,;:'][()*&");

// Also removed: tab, line feed, vertical tab, form feed and carriage return, which a word copied
// from a list or a terminal brings along and no keyword holds.
inline constexpr QLatin1String kControlCharacters("\t\n\v\f\r");

// The text without the search characters and the control characters (a text of one byte comes
// back unchanged).
QString CleanSearchText(const QString &text);

// "1 hit", "0 hits", "4 hits".
QString HitCountText(qint64 n);

} // namespace Search
