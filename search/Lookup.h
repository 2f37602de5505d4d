#pragma once
// The window's recognition of a typed word, for callers without a window: the same cleaning
// (Search::CleanSearchText) and the same keyword lookup (ModGlobal::KeywordDictionary), then
// each entry number to its catalogue row.

#include "catalogue/CatalogueRows.h"
#include "catalogue/KeywordDictionary.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace Search {

struct LookupResult
{
    QString cleaned;                    // the text as looked up
    bool found = false;                 // the cleaned text is a keyword
    QList<const Catalogue::Row *> rows; // its rows in index order (unknown entry numbers skipped)
};

LookupResult Lookup(const QString &typed, const ModGlobal::KeywordDictionary &index, const Catalogue::Rows &rows);

// Up to limit keywords starting with the cleaned text (letter case ignored), sorted ignoring case.
QStringList KeywordsStartingWith(const QString &typed, const ModGlobal::KeywordDictionary &index, qsizetype limit = 10);

} // namespace Search
