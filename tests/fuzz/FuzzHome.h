#pragma once
// A temporary home for the targets that write into the user's folders. HOME points at it and the
// XDG variables are unset, so Desktop and Documents lie inside it and nothing reaches the real
// home; it is emptied before each run, so millions of runs do not fill the disk.

#include <QDir>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace FuzzHome {

namespace detail {

// The folder beside the home: a write that climbs out of home lands here, where it is seen.
inline QTemporaryDir &root()
{
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/vantrel-fuzz-XXXXXX"));
    return dir;
}

inline void emptyFolder(const QString &path)
{
    const QDir dir(path);
    for (const QFileInfo &info :
         dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        if (info.isDir() && !info.isSymLink())
            QDir(info.filePath()).removeRecursively();
        else
            QFile::remove(info.filePath());
    }
}

} // namespace detail

// The home, made on first use; its path is clean (no "." or "..", no final "/").
inline const QString &path()
{
    static const QString home = [] {
        QTemporaryDir &root = detail::root();
        const QString made = QDir::cleanPath(root.path() + QStringLiteral("/home"));
        if (!root.isValid() || !QDir().mkpath(made)) {
            std::fprintf(stderr, "cannot make a temporary home below %s\n", qPrintable(QDir::tempPath()));
            std::abort();
        }
        qputenv("HOME", made.toLocal8Bit());
        for (const char *name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_DESKTOP_DIR",
                                 "XDG_DOCUMENTS_DIR", "XDG_DATA_DIRS", "XDG_CONFIG_DIRS"})
            qunsetenv(name);
        return made;
    }();
    return home;
}

// The folder that holds the home and nothing else.
inline QString outside()
{
    path();
    return detail::root().path();
}

// Removes everything in the home, and anything that escaped it into the folder around it.
inline void empty()
{
    detail::emptyFolder(path());
    const QDir around(outside());
    for (const QFileInfo &info :
         around.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        if (info.fileName() == QLatin1String("home"))
            continue;
        if (info.isDir() && !info.isSymLink())
            QDir(info.filePath()).removeRecursively();
        else
            QFile::remove(info.filePath());
    }
}

} // namespace FuzzHome
