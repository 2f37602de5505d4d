#pragma once
// Joining runs of adjacent words, as the keyword index lists them for each name.

#include <QString>
#include <QStringList>

namespace WordCombo {

// Words start..end (zero-based, inclusive) joined without separator. Negative indexes count
// as 0, an end before the start joins the one word at end, an end past the list is clamped,
// and a start past the list gives the empty string.
QString ConcatWordsStartEnd(const QStringList &words, qint64 start, qint64 end);

// Every run of adjacent words, joined: longest runs first, left to right within one length.
// a, b, c gives abc, ab, bc, a, b, c.
QStringList CreateCombinations(const QStringList &words);

} // namespace WordCombo
