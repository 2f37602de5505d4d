#include "util/RtrnString.h"

#include "errors/CatchClause.h"

#include <QStringList>

namespace RtrnString {

QString rsCorrectFileName(const QString &name, qint64 maxLength)
{
    static constexpr HandlerId id{"RtrnString", "", "rsCorrectFileName", HandlerKind::ModuleMethod, ClauseForm::Alert};
    return Guard(id, [&] {
        QString safe = name;
        safe.replace(QLatin1Char(':'), QLatin1Char('_'));
        safe.replace(QLatin1Char('/'), QLatin1Char('_'));
        safe.replace(QLatin1Char(' '), QLatin1Char('_'));
        // A line feed or other control character would make a name that tools and people
        // cannot handle safely; a NUL would even cut the name short.
        for (QChar &c : safe) {
            if (c.unicode() < 0x20 || c.unicode() == 0x7f)
                c = QLatin1Char('_');
        }

        // Keep the first maxLength characters without cutting a surrogate pair in half.
        qsizetype end = 0;
        for (qint64 count = 0; count < maxLength && end < safe.size(); ++count) {
            const bool pair =
                safe.at(end).isHighSurrogate() && end + 1 < safe.size() && safe.at(end + 1).isLowSurrogate();
            end += pair ? 2 : 1;
        }
        safe.truncate(end);

        // These two names are the folder itself and its parent, never a file of their own.
        if (safe == QLatin1String(".") || safe == QLatin1String(".."))
            safe.fill(QLatin1Char('_'));
        return safe;
    });
}

QString rsOnlyFileName(const QString &path)
{
    static constexpr HandlerId id{"RtrnString", "", "rsOnlyFileName", HandlerKind::ModuleMethod};
    return Guard(id, [&] { return path.split(QLatin1Char('/')).constLast(); });
}

QString rsParentFolderPath(const QString &path)
{
    static constexpr HandlerId id{"RtrnString", "", "rsParentFolderPath", HandlerKind::ModuleMethod};
    return Guard(id, [&] {
        const QStringList pieces = path.split(QLatin1Char('/'));
        QString folder;
        for (qsizetype i = 0; i + 1 < pieces.size(); ++i) {
            if (!pieces.at(i).isEmpty())
                folder += QLatin1Char('/') + pieces.at(i);
        }
        return folder + QLatin1Char('/');
    });
}

} // namespace RtrnString
