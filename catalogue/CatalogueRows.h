#pragma once
// The catalogue as rows (entry, name, status, release, replacement), shared by the window's
// lookups and the command-line scanner, and the order of Xojo releases ("2019r2" < "2019r2.1"
// < "2019r3" < "2020r1").

#include <QHash>
#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

namespace Catalogue {

enum class Status {
    Deemphasized, // still supported, no longer recommended
    Deprecated,   // still works, to be replaced
    Removed,      // gone: code using it no longer builds
};

// "Deprec", "Removd", "Deemph", "Deemph for non-iOS projects"; anything else counts as deprecated.
Status StatusFromText(QStringView text);
// "deprecated", "removed", "de-emphasised".
QString StatusWord(Status status);

struct Row
{
    QString entry;      // the three-digit entry number ("005", "490")
    QString name;       // "ListBox.Cell"
    QString statusText; // as written in the table
    Status status = Status::Deprecated;
    QString release;     // "2019r2"; empty when unknown
    QString replacement; // empty or "No Replacement" when there is none

    bool hasReplacement() const;
};

class Rows
{
public:
    // Parses DEPRECATIONS_TEXT rows. Empty lines are skipped; a row without an entry number
    // raises InvalidArgumentException.
    static Rows Parse(QStringView text);
    // The compiled-in current catalogue.
    static const Rows &Builtin();

    const QList<Row> &all() const { return m_rows; }
    qsizetype size() const { return m_rows.size(); }
    // The row of an entry number written with any number of leading zeros, or nullptr.
    const Row *byEntry(QStringView entry) const;

private:
    QList<Row> m_rows;
    QHash<QString, qsizetype> m_byEntry; // three-digit entry -> index in m_rows
};

// A release as a comparable key: year, release number, dot release ("2019r2.1" -> 2019, 2, 1).
struct Release
{
    int year = 0;
    int number = 0;
    int dot = 0;
    auto operator<=>(const Release &) const = default;
};

// "2019r2", "2019R2.1", "2019.02" (the XojoVersion form), "2019.021"; nullopt for anything else.
std::optional<Release> ParseRelease(QStringView text);

// Entry numbers in the canonical three-digit form ("5" -> "005"); empty for a non-number.
QString EntryKey(QStringView text);

} // namespace Catalogue
