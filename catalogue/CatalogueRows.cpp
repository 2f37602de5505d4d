#include "catalogue/CatalogueRows.h"

#include "catalogue/CatalogueText.h"
#include "toolkit/RuntimeException.h"

namespace Catalogue {

Status StatusFromText(QStringView text)
{
    if (text.startsWith(u"Removd", Qt::CaseInsensitive) || text.startsWith(u"Removed", Qt::CaseInsensitive))
        return Status::Removed;
    if (text.startsWith(u"Deemph", Qt::CaseInsensitive))
        return Status::Deemphasized;
    return Status::Deprecated;
}

QString StatusWord(Status status)
{
    switch (status) {
    case Status::Removed:
        return QStringLiteral("removed");
    case Status::Deemphasized:
        return QStringLiteral("de-emphasised");
    case Status::Deprecated:
        break;
    }
    return QStringLiteral("deprecated");
}

bool Row::hasReplacement() const
{
    return !replacement.isEmpty() && replacement.compare(u"No Replacement", Qt::CaseInsensitive) != 0;
}

QString EntryKey(QStringView text)
{
    if (text.isEmpty() || text.size() > 18)
        return QString();
    qint64 value = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return QString();
        value = value * 10 + (c.unicode() - u'0');
    }
    return QString::number(value).rightJustified(3, u'0');
}

Rows Rows::Parse(QStringView text)
{
    Rows rows;
    qsizetype lineNumber = 0;
    for (QStringView line : text.tokenize(u'\n')) {
        ++lineNumber;
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        Row row;
        int field = 0;
        for (QStringView part : line.tokenize(u'\t')) {
            switch (field++) {
            case 0:
                row.entry = EntryKey(part.trimmed());
                break;
            case 1:
                row.name = part.trimmed().toString();
                break;
            case 2:
                row.statusText = part.trimmed().toString();
                break;
            case 3:
                row.release = part.trimmed().toString();
                break;
            case 4:
                row.replacement = part.trimmed().toString();
                break;
            default:
                break;
            }
        }
        if (row.entry.isEmpty())
            throw InvalidArgumentException(
                QStringLiteral("Catalogue line %1 has no entry number: %2").arg(lineNumber).arg(line.toString()));
        row.status = StatusFromText(row.statusText);
        rows.m_byEntry.insert(row.entry, rows.m_rows.size());
        rows.m_rows.append(std::move(row));
    }
    return rows;
}

const Rows &Rows::Builtin()
{
    static const Rows rows = Parse(DEPRECATIONS_TEXT_View());
    return rows;
}

const Row *Rows::byEntry(QStringView entry) const
{
    const auto it = m_byEntry.constFind(EntryKey(entry));
    return it == m_byEntry.cend() ? nullptr : &m_rows[it.value()];
}

std::optional<Release> ParseRelease(QStringView text)
{
    text = text.trimmed();
    auto digits = [&](qsizetype &pos, int &out, qsizetype maxDigits) {
        const qsizetype start = pos;
        out = 0;
        while (pos < text.size() && pos - start < maxDigits && text[pos].isDigit())
            out = out * 10 + (text[pos++].unicode() - u'0');
        return pos > start;
    };
    Release r;
    qsizetype pos = 0;
    if (!digits(pos, r.year, 4) || pos != 4)
        return std::nullopt;
    if (pos < text.size() && (text[pos] == u'r' || text[pos] == u'R')) {
        ++pos;
        if (!digits(pos, r.number, 2))
            return std::nullopt;
        if (pos < text.size() && text[pos] == u'.') {
            ++pos;
            if (!digits(pos, r.dot, 2))
                return std::nullopt;
        }
    } else if (pos < text.size() && text[pos] == u'.') {
        // XojoVersion form: 2019.02 is 2019r2, 2019.021 is 2019r2.1.
        ++pos;
        const qsizetype start = pos;
        if (!digits(pos, r.number, 2) || pos - start != 2)
            return std::nullopt;
        digits(pos, r.dot, 2);
    } else {
        return std::nullopt;
    }
    if (pos != text.size())
        return std::nullopt;
    return r;
}

} // namespace Catalogue
