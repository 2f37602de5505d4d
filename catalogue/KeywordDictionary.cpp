#include "catalogue/KeywordDictionary.h"

#include <QChar>
#include <QVarLengthArray>

#include <cstring>

namespace ModGlobal {

namespace {

// Walks a string code point by code point, case-folded. ASCII, which every keyword is, takes
// the short path.
class FoldedCodePoints
{
public:
    explicit FoldedCodePoints(QStringView s)
        : m_s(s)
    {}

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

namespace {

// The hash reads the key as a stream of 16-bit units in which every ASCII unit has bit 0x20 set
// (so "A" and "a" agree) and every other code point is replaced by its case-folded form. Keys
// equal ignoring case give the same stream, and an ASCII key, which every keyword is, is hashed
// four units at a time straight from its characters.
constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15ull;
constexpr std::uint64_t kAsciiMask = 0xFF80FF80FF80FF80ull;
constexpr std::uint64_t kCaseBits = 0x0020002000200020ull;

std::uint64_t mix(std::uint64_t h, std::uint64_t block)
{
    h = (h ^ block) * kMultiplier;
    return h ^ (h >> 32);
}

std::uint64_t hashUnits(const char16_t *u, qsizetype n, std::uint64_t h)
{
    qsizetype i = 0;
    for (; i + 4 <= n; i += 4) {
        std::uint64_t block;
        std::memcpy(&block, u + i, sizeof block);
        h = mix(h, block | kCaseBits);
    }
    std::uint64_t tail = 0;
    for (int shift = 0; i < n; ++i, shift += 16)
        tail |= std::uint64_t(u[i] | 0x20) << shift;
    return mix(h, tail ^ std::uint64_t(n));
}

bool isAscii(QStringView s)
{
    const char16_t *u = s.utf16();
    const qsizetype n = s.size();
    qsizetype i = 0;
    for (; i + 4 <= n; i += 4) {
        std::uint64_t block;
        std::memcpy(&block, u + i, sizeof block);
        if (block & kAsciiMask)
            return false;
    }
    for (; i < n; ++i)
        if (u[i] >= 0x80)
            return false;
    return true;
}

} // namespace

size_t KeywordDictionary::KeyHash(QStringView key)
{
    constexpr std::uint64_t seed = 0x243F6A8885A308D3ull;
    if (isAscii(key))
        return size_t(hashUnits(key.utf16(), key.size(), seed));
    // Case-fold code point by code point; a fold that lands in ASCII (KELVIN SIGN -> k) must
    // hash like the ASCII letter itself.
    QVarLengthArray<char16_t, 64> units;
    FoldedCodePoints it(key);
    while (!it.atEnd()) {
        const char32_t cp = it.next();
        if (QChar::requiresSurrogates(cp)) {
            units.append(QChar::highSurrogate(cp));
            units.append(QChar::lowSurrogate(cp));
        } else {
            units.append(char16_t(cp));
        }
    }
    return size_t(hashUnits(units.constData(), units.size(), seed));
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
