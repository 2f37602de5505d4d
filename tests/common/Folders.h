#pragma once
// Emptying a scratch folder between tests or fuzz runs (Qt Core only, so fuzz targets use it too).

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

namespace TestFolders {

// Removes every entry of the folder, hidden ones too, except those named in keep. A link is
// removed, never followed.
inline void removeEntries(const QString &path, const QString &keep = QString())
{
    const QDir dir(path);
    for (const QFileInfo &info :
         dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        if (!keep.isEmpty() && info.fileName() == keep)
            continue;
        if (info.isDir() && !info.isSymLink())
            QDir(info.filePath()).removeRecursively();
        else
            QFile::remove(info.filePath());
    }
}

} // namespace TestFolders
