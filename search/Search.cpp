#include "search/Search.h"

#include "util/StringUtils.h"

namespace Search {

QString CleanSearchText(const QString &text)
{
    static const QString removed = QString(kSearchCharacters) + QString(kControlCharacters);
    return StringUtils::Remove(text, removed);
}

QString HitCountText(qint64 n)
{
    return QString::number(n) + (n == 1 ? QStringLiteral(" hit") : QStringLiteral(" hits"));
}

} // namespace Search
