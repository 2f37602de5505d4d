#pragma once
// A string-keyed map whose keys compare without regard to letter case, as the
// desktop toolkit's Dictionary does. The key's own spelling is kept for Keys().

#include <QHash>
#include <QString>
#include <QStringList>

namespace Toolkit {

template<typename V>
class CaseInsensitiveDictionary
{
public:
    void Value(const QString &key, const V &value)
    {
        const QString folded = key.toCaseFolded();
        auto it = m_map.find(folded);
        if (it == m_map.end())
            m_map.insert(folded, Entry{key, value});
        else
            it->value = value;
    }

    V Lookup(const QString &key, const V &fallback) const
    {
        const auto it = m_map.constFind(key.toCaseFolded());
        return it == m_map.cend() ? fallback : it->value;
    }

    bool HasKey(const QString &key) const { return m_map.contains(key.toCaseFolded()); }
    qsizetype KeyCount() const { return m_map.size(); }
    void reserve(qsizetype n) { m_map.reserve(n); }

    QStringList Keys() const
    {
        QStringList keys;
        keys.reserve(m_map.size());
        for (const Entry &e : m_map)
            keys.append(e.key);
        return keys;
    }

private:
    struct Entry
    {
        QString key;
        V value;
    };
    QHash<QString, Entry> m_map;
};

} // namespace Toolkit
