#include "util/StringUtils.h"

#include "errors/CatchClause.h"

#include <QStringView>

namespace StringUtils {

bool IsPosInteger(const QString &s)
{
    static constexpr HandlerId id{"StringUtils", "", "IsPosInteger", HandlerKind::ModuleMethod};
    return Guard(id, [&] {
        if (s.isEmpty())
            return false;
        for (const QChar c : s) {
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return false;
        }
        return true;
    });
}

QString Remove(const QString &text, const QString &chars)
{
    static constexpr HandlerId id{"StringUtils", "", "Remove", HandlerKind::ModuleMethod};
    return Guard(id, [&] {
        // The threshold counts bytes of the UTF-8 form, so one non-ASCII character is already two.
        if (text.toUtf8().size() < 2)
            return text;
        QString kept;
        kept.reserve(text.size());
        const qsizetype n = text.size();
        for (qsizetype i = 0; i < n;) {
            // Walk whole characters so a surrogate pair is kept or dropped as one.
            const qsizetype len =
                (text.at(i).isHighSurrogate() && i + 1 < n && text.at(i + 1).isLowSurrogate()) ? 2 : 1;
            const QStringView piece = QStringView(text).mid(i, len);
            if (!QStringView(chars).contains(piece, Qt::CaseInsensitive))
                kept.append(piece);
            i += len;
        }
        return kept;
    });
}

} // namespace StringUtils
