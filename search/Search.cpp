#include "search/Search.h"

#include "util/StringUtils.h"

namespace Search {

QString CleanSearchText(const QString &text) { return StringUtils::Remove(text, kSearchCharacters); }

QString HitCountText(qint64 n)
{
    return QString::number(n) + (n == 1 ? QStringLiteral(" hit") : QStringLiteral(" hits"));
}

} // namespace Search
