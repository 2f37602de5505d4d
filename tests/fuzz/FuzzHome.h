#pragma once
// A temporary home for the targets that write into the user's folders. HOME points at it and the
// XDG variables are unset, so Desktop and Documents lie inside it and nothing reaches the real
// home; it is emptied before each run, so millions of runs do not fill the disk.

#include "errors/ErrorHandling.h"
#include "tests/common/Folders.h"
#include "toolkit/DateTime.h"
#include "toolkit/System.h"

#include <QDir>
#include <QFileInfo>
#include <QString>
#include <QStringList>
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
    TestFolders::removeEntries(path());
    TestFolders::removeEntries(outside(), QStringLiteral("home"));
}

// What a run shows instead of blocking: message boxes and reports recorded, the clock pinned
// (its file-name stamp in style 4 is "230411_234236"), the home made.
struct Recorders
{
    Toolkit::MessageRecorder messages;
    Toolkit::PinnedClock clock{Toolkit::DateTime{2023, 4, 11, 23, 42, 36, 123456789}};
    QStringList reports;

    Recorders()
    {
        path();
        ErrorHandling::setReportOpener([this](const QString &text) { reports.append(text); });
    }

    // Forgets what earlier runs recorded.
    void clear()
    {
        messages.messages.clear();
        messages.beeps = 0;
        reports.clear();
    }
};

} // namespace FuzzHome
