#pragma once
// The word-list logic behind the browser windows' MakeKeywordList and ArrayRemoveDuplicates.
// No catch clause here: each window wraps these in its own, under its own name.

#include <QString>
#include <QStringList>

namespace KeywordLists {

// Groups lines "NNN keyword" (three-character entry number, one separator, keyword from the
// fifth character) into keyword-index lines "keyword NNN NNN ...": keywords distinct ignoring
// case and sorted ignoring case with letters compared as capitals, entry numbers in input
// order. Lines are joined by "\n"; the result is trimmed at both ends.
QString MakeKeywordList(const QString &text);

// The first occurrence of each item, ignoring letter case, in the order they came.
QStringList ArrayRemoveDuplicates(const QStringList &array);

} // namespace KeywordLists
