#include "search/Lookup.h"

#include "search/Search.h"

#include <algorithm>

namespace Search {

LookupResult Lookup(const QString &typed, const ModGlobal::KeywordDictionary &index, const Catalogue::Rows &rows)
{
    LookupResult result;
    result.cleaned = CleanSearchText(typed);
    if (result.cleaned.isEmpty())
        return result;
    const QString entries = index.Lookup(result.cleaned, QString());
    if (entries.isEmpty())
        return result;
    result.found = true;
    for (QStringView number : QStringView(entries).tokenize(u' ', Qt::SkipEmptyParts)) {
        if (const Catalogue::Row *row = rows.byEntry(number))
            result.rows.append(row);
    }
    return result;
}

QStringList KeywordsStartingWith(const QString &typed, const ModGlobal::KeywordDictionary &index, qsizetype limit)
{
    const QString prefix = CleanSearchText(typed);
    QStringList hits;
    if (prefix.isEmpty())
        return hits;
    for (const QString &key : index.Keys()) {
        if (key.startsWith(prefix, Qt::CaseInsensitive))
            hits.append(key);
    }
    std::sort(hits.begin(), hits.end(),
              [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    if (hits.size() > limit)
        hits.resize(limit);
    return hits;
}

} // namespace Search
