#include "catalogue/KeywordDictionary.h"

#include <QChar>

namespace ModGlobal {

namespace {

// Walks a string code point by code point, case-folded. ASCII, which every keyword is, takes
// the short path.
class FoldedCodePoints
{
public:
    explicit FoldedCodePoints(QStringView s) : m_s(s) {}

    bool atEnd() const { return m_i >= m_s.size(); }

    char32_t next()
    {
        const char16_t c = m_s[m_i++].unicode();
        if (c < 0x80)
            return (c >= u'A' && c <= u'Z') ? char32_t(c + 32) : char32_t(c);
        char32_t cp = c;
        if (QChar::isHighSurrogate(c) && m_i < m_s.size() && QChar::isLowSurrogate(m_s[m_i].unicode()))
            cp = QChar::surrogateToUcs4(c, m_s[m_i++].unicode());
        return QChar::toCaseFolded(cp);
    }

private:
    QStringView m_s;
    qsizetype m_i = 0;
};

} // namespace

bool KeywordDictionary::KeysEqual(QStringView a, QStringView b)
{
    FoldedCodePoints x(a), y(b);
    while (!x.atEnd() && !y.atEnd()) {
        if (x.next() != y.next())
            return false;
    }
    return x.atEnd() && y.atEnd();
}

size_t KeywordDictionary::KeyHash(QStringView key)
{
    // FNV-1a over the folded code points.
    std::uint64_t h = 14695981039346656037ull;
    FoldedCodePoints it(key);
    while (!it.atEnd()) {
        h ^= it.next();
        h *= 1099511628211ull;
    }
    return size_t(h ^ (h >> 29));
}

qsizetype KeywordDictionary::findSlot(QStringView key, size_t hash) const
{
    const size_t mask = m_slots.size() - 1;
    for (size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const std::int32_t index = m_slots[slot];
        if (index < 0)
            return qsizetype(slot);
        const Entry &e = m_entries[size_t(index)];
        if (e.hash == hash && KeysEqual(e.key, key))
            return qsizetype(slot);
    }
}

void KeywordDictionary::grow(size_t slotCount)
{
    size_t size = 16;
    while (size < slotCount)
        size *= 2;
    if (size <= m_slots.size())
        return;
    m_slots.assign(size, -1);
    const size_t mask = size - 1;
    for (size_t i = 0; i < m_entries.size(); ++i) {
        size_t slot = m_entries[i].hash & mask;
        while (m_slots[slot] >= 0)
            slot = (slot + 1) & mask;
        m_slots[slot] = std::int32_t(i);
    }
}

void KeywordDictionary::reserve(qsizetype n)
{
    if (n <= 0)
        return;
    m_entries.reserve(size_t(n));
    grow(size_t(n) * 2); // at most half full: short probe runs
}

void KeywordDictionary::Value(const QString &key, const QString &value)
{
    if ((m_entries.size() + 1) * 2 > m_slots.size())
        grow((m_entries.size() + 1) * 2);
    const size_t hash = KeyHash(key);
    const qsizetype slot = findSlot(key, hash);
    std::int32_t &index = m_slots[size_t(slot)];
    if (index >= 0) {
        m_entries[size_t(index)].value = value;
        return;
    }
    index = std::int32_t(m_entries.size());
    m_entries.push_back(Entry{key, value, hash});
}

QString KeywordDictionary::Lookup(QStringView key, const QString &fallback) const
{
    if (m_entries.empty())
        return fallback;
    const std::int32_t index = m_slots[size_t(findSlot(key, KeyHash(key)))];
    return index < 0 ? fallback : m_entries[size_t(index)].value;
}

bool KeywordDictionary::HasKey(QStringView key) const
{
    return !m_entries.empty() && m_slots[size_t(findSlot(key, KeyHash(key)))] >= 0;
}

QStringList KeywordDictionary::Keys() const
{
    QStringList keys;
    keys.reserve(qsizetype(m_entries.size()));
    for (const Entry &e : m_entries)
        keys.append(e.key);
    return keys;
}

} // namespace ModGlobal
