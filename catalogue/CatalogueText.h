#pragma once
// The compiled-in tables, exactly as the data files in catalogue/ hold them: rows
// separated by one line feed, none after the last row.
//
// The texts live in static storage for the whole run. The QString accessors wrap that storage
// without copying; the views are the same characters for code that only reads.

#include <QString>
#include <QStringView>

namespace Catalogue {

// Current catalogue: entry number, name, status, version, replacement (tab-separated).
QString DEPRECATIONS_TEXT();
QStringView DEPRECATIONS_TEXT_View();

// Old catalogue: three-digit entry number, name, status, version (tab-separated).
QString OLD_DEPRECATIONS_TEXT();
QStringView OLD_DEPRECATIONS_TEXT_View();

// Keyword index: a keyword, one blank, then three-digit entry numbers separated by blanks.
QString KEYWORDS_TEXT();
QStringView KEYWORDS_TEXT_View();

// Provenance of both catalogues (SOURCES.tsv): a header line "table entry source confidence
// note", then one line or more per row, tab-separated; it ends with a line feed.
QString SOURCES_TEXT();
QStringView SOURCES_TEXT_View();

} // namespace Catalogue
