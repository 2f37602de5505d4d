#include "search/WordCombo.h"

#include "errors/CatchClause.h"

namespace WordCombo {

QString ConcatWordsStartEnd(const QStringList &words, qint64 start, qint64 end)
{
    static constexpr HandlerId id{"WordCombo", "", "ConcatWordsStartEnd", HandlerKind::ModuleMethod};
    return Guard(id, [&] {
        qint64 first = start < 0 ? 0 : start;
        qint64 last = end < 0 ? 0 : end;
        if (last < first)
            first = last;
        const qint64 lastIndex = words.size() - 1;
        if (first > lastIndex)
            return QString();
        if (last > lastIndex)
            last = lastIndex;
        QString joined;
        for (qint64 i = first; i <= last; ++i)
            joined += words.at(i);
        return joined;
    });
}

QStringList CreateCombinations(const QStringList &words)
{
    static constexpr HandlerId id{"WordCombo", "", "CreateCombinations", HandlerKind::ModuleMethod};
    return Guard(id, [&] {
        const qint64 n = words.size();
        QStringList runs;
        runs.reserve(n * (n + 1) / 2);
        for (qint64 length = n; length >= 1; --length) {
            for (qint64 i = 0; i <= n - length; ++i)
                runs.append(ConcatWordsStartEnd(words, i, i + length - 1));
        }
        return runs;
    });
}

} // namespace WordCombo
