#pragma once
// What the scanner found, filtered and written out: text grouped by element, compact GNU-style
// lines, JSON, SARIF 2.1.0, GitHub workflow annotations and a self-contained HTML page.

#include "scan/Project.h"
#include "scan/Scanner.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace Scan {

struct Filter
{
    std::optional<Catalogue::Release> target; // only what was withdrawn at or before it
    Confidence minConfidence = Confidence::Medium;
};

QList<Finding> Filtered(const QList<Finding> &findings, const Filter &filter);

enum class Format {
    Text,
    Compact,
    Json,
    Sarif,
    Github,
    Html
};
std::optional<Format> FormatFromText(QStringView text);

struct ReportData
{
    const Project *project = nullptr;
    QList<Finding> findings; // already filtered
    QStringList errors;      // project errors and scan errors together
    bool color = false;      // ANSI colour (text and compact only)
    QString version;         // of the tool
};

// One finding as a sentence: "ListBox.Cell is deprecated since 2019r2; use DesktopListBox.CellTextAt".
QString Message(const Finding &f);

QByteArray Render(Format format, const ReportData &data);

// "3 findings (2 high, 1 medium) in 2 of 5 items; 1 item not read" for stderr.
QString Summary(const ReportData &data);

} // namespace Scan
