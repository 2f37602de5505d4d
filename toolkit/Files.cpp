#include "toolkit/Files.h"

#include "toolkit/RuntimeException.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <utility>

namespace Toolkit::Files {

namespace {

FaultHook &faultHook()
{
    static FaultHook hook;
    return hook;
}

int injectedFault(Step step, const QString &path)
{
    const FaultHook &hook = faultHook();
    return hook ? hook(step, path) : 0;
}

QString reasonOf(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

// Makes one folder; answers 0 or the errno it failed with.
int makeOneFolder(const QString &path)
{
    if (const int injected = injectedFault(Step::MakeFolder, path))
        return injected;
    errno = 0;
    // The whole path: QDir takes a bare name that starts with ':' for a resource and makes it in
    // the current folder instead of the one it belongs in.
    if (QDir().mkdir(QFileInfo(path).absoluteFilePath()))
        return 0;
    return errno != 0 ? errno : EIO;
}

} // namespace

void MakeFolder(const QString &path)
{
    if (const int error = makeOneFolder(path))
        throw IOException(QStringLiteral("Cannot create the folder %1: %2").arg(path, reasonOf(error)), error);
}

void MakeFolders(const QString &path)
{
    const QString clean = QDir::cleanPath(path);
    // The missing folders, from the first below an existing one down to the folder itself.
    QStringList missing;
    QString current = clean;
    for (;;) {
        const QFileInfo info(current); // follows symbolic links
        if (info.isDir())
            break;
        if (info.exists())
            throw IOException(
                QStringLiteral("Cannot create the folder %1: %2 exists and is not a folder").arg(clean, current),
                ENOTDIR);
        missing.prepend(current);
        const QString parent = info.path();
        if (parent == current)
            break;
        current = parent;
    }
    for (const QString &folder : std::as_const(missing)) {
        if (const int error = makeOneFolder(folder)) {
            const QString where = folder == clean ? QString() : QStringLiteral(" (at %1)").arg(folder);
            throw IOException(QStringLiteral("Cannot create the folder %1%2: %3").arg(clean, where, reasonOf(error)),
                              error);
        }
    }
}

void SaveFile(const QString &path, const QByteArray &bytes)
{
    // QSaveFile writes a new file beside the old one and renames it over the old one only on
    // commit; one that is not committed is removed when it goes out of scope.
    QSaveFile file(path);
    int error = injectedFault(Step::Open, path);
    if (error != 0)
        throw IOException(QStringLiteral("Cannot open %1 for writing: %2").arg(path, reasonOf(error)), error);
    if (!file.open(QIODevice::WriteOnly))
        throw IOException(QStringLiteral("Cannot open %1 for writing: %2").arg(path, file.errorString()), file.error());

    error = injectedFault(Step::Write, path);
    if (error != 0) {
        file.write(bytes.left(bytes.size() / 2));
        file.flush();
        file.cancelWriting();
        throw IOException(QStringLiteral("Cannot write %1: %2").arg(path, reasonOf(error)), error);
    }
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        const qint64 code = file.error();
        file.cancelWriting();
        throw IOException(QStringLiteral("Cannot write %1: %2").arg(path, reason), code);
    }

    error = injectedFault(Step::Commit, path);
    if (error != 0) {
        file.cancelWriting();
        throw IOException(QStringLiteral("Cannot save %1: %2").arg(path, reasonOf(error)), error);
    }
    if (!file.commit())
        throw IOException(QStringLiteral("Cannot save %1: %2").arg(path, file.errorString()), file.error());
}

FaultHook setFaultHookForTests(FaultHook hook) { return std::exchange(faultHook(), std::move(hook)); }

} // namespace Toolkit::Files
