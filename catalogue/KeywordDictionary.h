#pragma once
// The keyword map: a string-keyed map whose keys compare without regard to letter case, with
// the semantics of Toolkit::CaseInsensitiveDictionary (setting a present key replaces its value
// and keeps the key's first spelling). It folds case while hashing and comparing instead of
// storing a folded copy of every key, so loading the 10,000-line index allocates almost nothing.

#include <QString>
#include <QStringList>
#include <QStringView>

#include <cstdint>
#include <vector>

namespace ModGlobal {

class KeywordDictionary
{
public:
    void Value(const QString &key, const QString &value);
    QString Lookup(QStringView key, const QString &fallback) const;
    bool HasKey(QStringView key) const;
    qsizetype KeyCount() const { return qsizetype(m_entries.size()); }
    QStringList Keys() const;
    void reserve(qsizetype n);

    // Letter case ignored: each code point compared in its case-folded form.
    static bool KeysEqual(QStringView a, QStringView b);
    static size_t KeyHash(QStringView key);

private:
    struct Entry
    {
        QString key;
        QString value;
        size_t hash;
    };

    qsizetype findSlot(QStringView key, size_t hash) const; // slot of the key, or of the free slot
    void grow(size_t slotCount);

    std::vector<Entry> m_entries;
    std::vector<std::int32_t> m_slots; // index into m_entries, or -1; size a power of two
};

} // namespace ModGlobal
