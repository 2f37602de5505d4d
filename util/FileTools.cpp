#include "util/FileTools.h"

#include "errors/CatchClause.h"
#include "toolkit/Files.h"
#include "toolkit/System.h"
#include "toolkit/UserFolders.h"
#include "util/RtrnBoolean.h"
#include "util/RtrnDateString.h"
#include "util/RtrnString.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

namespace FileTools {

namespace {

constexpr qint64 kMaxFileNameLength = 50;

bool isAtOrBelow(const QString &path, const QString &folder, Qt::CaseSensitivity cs)
{
    const QString withSlash = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    return path.compare(folder, cs) == 0 || path.startsWith(withSlash, cs);
}

// Creates each missing folder of base/pieces in turn, under CreateAllFoldersInPath's name.
void createAllFolders(const QString &base, const QStringList &pieces)
{
    static constexpr HandlerId id{"FileTools", "", "CreateAllFoldersInPath", HandlerKind::ModuleMethod,
                                  ClauseForm::Alert};
    Guard(id, [&] {
        QString current = base;
        for (const QString &piece : pieces) {
            const QString child = PathFolderEndSlash(current) + piece;
            const QFileInfo info(child); // follows symbolic links
            if (!info.exists()) {
                Toolkit::Files::MakeFolder(child);
            } else if (!info.isDir()) {
                throw IOException(child + QStringLiteral(" exists and is not a folder"));
            }
            current = child;
        }
    });
}

// The pieces of a path: "." and empty pieces mean nothing, ".." is renamed so that no piece
// can climb out of the folder it is in.
QStringList pathPieces(const QString &path)
{
    QStringList pieces;
    for (const QString &piece : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (piece == QLatin1String("."))
            continue;
        pieces.append(piece == QLatin1String("..") ? QStringLiteral("_.") : piece);
    }
    return pieces;
}

// The pieces of folderPath that name folders below home. The home path itself is taken off
// whatever its depth; a path not below home counts as a path below it. "." and empty pieces
// mean nothing; ".." is renamed so that no piece can climb out of home.
QStringList piecesBelowHome(const QString &home, const QString &folderPath)
{
    const QString homeSlash = PathFolderEndSlash(home);
    QString rest = folderPath;
    if (folderPath == home)
        rest.clear();
    else if (RtrnBoolean::rbDoesStringStartWith(folderPath, homeSlash))
        rest = folderPath.mid(homeSlash.size());

    return pathPieces(rest);
}

// The folder below home, ending with "/", that CreateAllFoldersInPath makes for folderPath.
QString anchoredFolder(const QString &folderPath)
{
    const QString home = Toolkit::SpecialFolder::UserHome();
    const QStringList pieces = piecesBelowHome(home, folderPath);
    const QString homeSlash = PathFolderEndSlash(home);
    return pieces.isEmpty() ? homeSlash : homeSlash + pieces.join(QLatin1Char('/')) + QLatin1Char('/');
}

void writeTextFile(const QString &path, const QString &text)
{
    // A file the user made read-only is theirs to keep: QSaveFile would replace it all the same
    // (it renames a new file over the old one), so refuse it first. The permission bits are read
    // as well as tried, since a process of the superuser may open any file.
    const QFileInfo existing(path);
    if (existing.exists() && !existing.isDir()) {
        QFile probe(path);
        if (!(existing.permissions() & QFileDevice::WriteOwner) || !probe.open(QIODevice::ReadWrite))
            throw IOException(QStringLiteral("Cannot open %1 for writing: the file is read-only").arg(path));
    }
    Toolkit::Files::SaveFile(path, text.toUtf8());
}

} // namespace

void TextToFile(const QString &text, const QString &fileName, const QString &folder, qint64 style)
{
    static constexpr HandlerId id{"FileTools", "", "TextToFile", HandlerKind::ModuleMethod, ClauseForm::Alert};
    Guard(id, [&] {
        const QString stamp = (style >= 1 && style <= 9) ? RtrnDateString::rsAlphaDateTime(style) : QString();

        QString name = fileName;
        QString dir = folder;
        if (name.isEmpty()) {
            // The folder argument is the file's own path.
            const QString path = rsViablePath(dir);
            if (RtrnBoolean::rbDoesStringEndWith(path, QStringLiteral(".txt"))) {
                dir = RtrnString::rsParentFolderPath(path);
                name = RtrnString::rsOnlyFileName(path);
            } else {
                dir = QStringLiteral("Desktop");
                name = QStringLiteral("SavedFile");
            }
        }

        // "Desktop/" or "Documents/" followed by one folder name (with or without a final "/"),
        // or the whole words: the user's own folder, resolved by the system, is used as it is,
        // wherever it lies; only other folders are put below home.
        QString special;
        QString sub;
        const qsizetype p1 = dir.indexOf(QLatin1Char('/'));
        if (p1 >= 0) {
            const qsizetype p2 = dir.indexOf(QLatin1Char('/'), p1 + 1);
            if (p2 < 0 || p2 == dir.size() - 1) {
                if (dir.startsWith(QLatin1String("Desktop/"), Qt::CaseInsensitive)) {
                    special = Toolkit::SpecialFolder::Desktop();
                    sub = dir.mid(8);
                } else if (dir.startsWith(QLatin1String("Documents/"), Qt::CaseInsensitive)) {
                    special = Toolkit::SpecialFolder::Documents();
                    sub = dir.mid(10);
                }
            }
        }
        if (dir.compare(QLatin1String("Desktop"), Qt::CaseInsensitive) == 0)
            special = Toolkit::SpecialFolder::Desktop();
        else if (dir.compare(QLatin1String("Documents"), Qt::CaseInsensitive) == 0)
            special = Toolkit::SpecialFolder::Documents();

        QString target;
        if (!special.isEmpty()) {
            // The sub-folder name gets the same care as any piece: it cannot climb out.
            QStringList pieces = pathPieces(QDir::cleanPath(special));
            pieces += pathPieces(sub);
            target = QStringLiteral("/") + pieces.join(QLatin1Char('/'));
            target = PathFolderEndSlash(target);
            createAllFolders(QStringLiteral("/"), pieces);
        } else {
            // The file goes into exactly the folder that is created for it, below home.
            target = anchoredFolder(PathFolderEndSlash(dir));
            CreateAllFoldersInPath(target);
        }

        name = stamp + name;
        if (!rbHasExtension(name))
            name += QStringLiteral(".txt");
        name = RtrnString::rsCorrectFileName(name, kMaxFileNameLength);

        if (name.isEmpty() || !QFileInfo(target).isDir()) {
            Toolkit::Beep();
            Toolkit::MessageBox(QStringLiteral("Somehow unable to create the ") + name
                                + QStringLiteral(" file. Method: ") + QStringLiteral("TextToFile"));
            return;
        }
        writeTextFile(target + name, text);
    });
}

QString PathFolderEndSlash(const QString &path)
{
    static constexpr HandlerId id{"FileTools", "", "PathFolderEndSlash", HandlerKind::ModuleMethod, ClauseForm::Alert};
    return Guard(id, [&] { return path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/'); });
}

void CreateAllFoldersInPath(const QString &folderPath)
{
    const QString home = Toolkit::SpecialFolder::UserHome();
    createAllFolders(home, piecesBelowHome(home, folderPath));
}

QString rsViablePath(const QString &path)
{
    static constexpr HandlerId id{"FileTools", "", "rsViablePath", HandlerKind::ModuleMethod, ClauseForm::Alert};
    return Guard(id, [&] {
        QString viable = path;
        viable.replace(QStringLiteral("//"), QStringLiteral("/"));
        viable.replace(QStringLiteral("/."), QStringLiteral("/_"));
        viable.replace(QLatin1Char(':'), QLatin1Char('_'));

        if (viable.compare(QLatin1String("Desktop"), Qt::CaseInsensitive) == 0)
            return Toolkit::SpecialFolder::Desktop();
        if (viable.compare(QLatin1String("Documents"), Qt::CaseInsensitive) == 0)
            return Toolkit::SpecialFolder::Documents();

        if (!viable.startsWith(QLatin1Char('/'))) {
            viable.prepend(QLatin1Char('/'));
            // The first piece gets the same treatment as the others: ../x must not climb out.
            if (viable.startsWith(QLatin1String("/.")))
                viable[1] = QLatin1Char('_');
        }
        const QString home = Toolkit::SpecialFolder::UserHome();
        if (!isAtOrBelow(viable, home, Qt::CaseInsensitive))
            viable.prepend(home == QLatin1String("/") ? QString() : home);
        return viable;
    });
}

bool rbHasExtension(const QString &proposedFileName)
{
    static constexpr HandlerId id{"FileTools", "", "rbHasExtension", HandlerKind::ModuleMethod, ClauseForm::Alert};
    return Guard(id, [&] {
        if (proposedFileName.size() > 255) {
            Toolkit::MessageBox(QStringLiteral("rbHasExtension passed a proposed file name that is too long"));
            return false;
        }
        if (proposedFileName.contains(QLatin1Char('/')) || proposedFileName.contains(QLatin1Char('\n'))) {
            Toolkit::MessageBox(QStringLiteral("rbHasExtension passed a proposed file name that is not appropriate"));
            return false;
        }
        static const QRegularExpression extension(QStringLiteral("\\..{2,4}$"));
        return extension.match(proposedFileName).hasMatch();
    });
}

} // namespace FileTools
