#pragma once
// The program's writes to disk: folders and whole files. Every write goes through here, so a
// test can make any step fail as a read-only folder or a full disk would, even when it runs as
// the superuser, whom permission bits do not stop.

#include <QByteArray>
#include <QString>

#include <functional>

namespace Toolkit::Files {

enum class Step {
    MakeFolder, // creating one folder; the path is the new folder
    Open,       // opening a file for writing; the path is the file
    Write,      // writing its bytes
    Commit,     // putting the finished file in place
};

// Makes one folder inside an existing one. Raises IOException (with errno) when it cannot.
void MakeFolder(const QString &path);
// Makes the folder and every missing folder above it. Raises IOException when one cannot be
// made, or when a file stands where a folder must be.
void MakeFolders(const QString &path);
// Writes the file as a whole: the earlier file, if any, is replaced only once every byte is
// written, and a failure at any step leaves it as it was, with no partial file beside it.
// Raises IOException.
void SaveFile(const QString &path, const QByteArray &bytes);

// Test seam: answers the errno that a step on a path fails with, 0 to let it run. A failing
// Write first writes half of the bytes, as a disk that fills up part way does.
using FaultHook = std::function<int(Step step, const QString &path)>;
// Returns the hook it replaced.
FaultHook setFaultHookForTests(FaultHook hook);

} // namespace Toolkit::Files
