#pragma once
// The keyword index's order, shared by the index tool and the window's word-list helper: letter
// case ignored, letters compared as capitals, so "W" (0x57) sorts before "_" (0x5F) and the
// index has DatabaseWriteAheadLogging before Database_Class.

#include <QString>
#include <QStringView>

#include <algorithm>

namespace KeywordOrder {

inline char16_t asCapital(char16_t c) { return (c >= u'a' && c <= u'z') ? char16_t(c - (u'a' - u'A')) : c; }

// The key two keywords share when they are equal in this order.
inline QString Key(QStringView keyword)
{
    QString key;
    key.reserve(keyword.size());
    for (QChar c : keyword)
        key += QChar(asCapital(c.unicode()));
    return key;
}

inline bool Less(QStringView a, QStringView b)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t x = asCapital(a[i].unicode());
        const char16_t y = asCapital(b[i].unicode());
        if (x != y)
            return x < y;
    }
    return a.size() < b.size();
}

} // namespace KeywordOrder
