#include "search/KeywordLists.h"

#include "search/KeywordOrder.h"

#include <QHash>
#include <QList>
#include <QSet>

#include <algorithm>
#include <numeric>

namespace KeywordLists {

QString MakeKeywordList(const QString &text)
{
    const QStringList lines = text.split(QLatin1Char('\n'));
    QStringList entryNumbers;
    QStringList keywords;
    entryNumbers.reserve(lines.size());
    keywords.reserve(lines.size());
    for (const QString &line : lines) {
        entryNumbers.append(line.left(3));
        keywords.append(line.mid(4));
    }

    // The index's own order; one key serves sorting and equality, so equals end up side by side.
    QStringList keys;
    keys.reserve(keywords.size());
    for (const QString &keyword : keywords)
        keys.append(KeywordOrder::Key(keyword));

    QList<qsizetype> order(keywords.size());
    std::iota(order.begin(), order.end(), qsizetype(0));
    std::stable_sort(order.begin(), order.end(), [&keys](qsizetype a, qsizetype b) { return keys.at(a) < keys.at(b); });

    QHash<QString, QList<qsizetype>> linesOfKey;
    for (qsizetype i = 0; i < keys.size(); ++i)
        linesOfKey[keys.at(i)].append(i);

    QString output;
    QString previousKey; // the first keyword is compared with the empty one
    for (const qsizetype i : order) {
        if (keys.at(i) == previousKey)
            continue;
        previousKey = keys.at(i);
        QString line = keywords.at(i);
        for (const qsizetype j : linesOfKey.value(keys.at(i)))
            line += QLatin1Char(' ') + entryNumbers.at(j);
        output += line + QLatin1Char('\n');
    }
    return output.trimmed();
}

QStringList ArrayRemoveDuplicates(const QStringList &array)
{
    QStringList result;
    QSet<QString> seen;
    for (const QString &item : array) {
        if (!seen.contains(item.toCaseFolded())) {
            seen.insert(item.toCaseFolded());
            result.append(item);
        }
    }
    return result;
}

} // namespace KeywordLists
