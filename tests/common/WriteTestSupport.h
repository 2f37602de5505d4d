#pragma once
// Shared by the tests of what the program writes: the moment the clock is pinned to, the stamp
// it gives file names, and the alerts of the file writer.

#include "toolkit/DateTime.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QtTest>

#include <optional>

namespace WriteTest {

inline Toolkit::DateTime pinnedMoment() { return Toolkit::DateTime{2023, 4, 11, 23, 42, 36, 123456789}; }

// Style 4 of the pinned moment.
inline const QString kStamp = QStringLiteral("230411_234236");

inline const QString kTextToFileAlert =
    QStringLiteral("Oops! FileTools.TextToFile\nMODULE: FileTools\nMETHOD: TextToFile\nTYPE: IOException");
inline const QString kCreateFoldersAlert = QStringLiteral(
    "Oops! FileTools.CreateAllFoldersInPath\nMODULE: FileTools\nMETHOD: CreateAllFoldersInPath\nTYPE: IOException");

inline QByteArray contentOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

// Writes a file, making its folders first.
inline void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Points HOME (and so every special folder) somewhere else, or unsets it, while it lives.
class HomeScope
{
public:
    explicit HomeScope(std::optional<QString> value)
        : m_previous(qgetenv("HOME"))
    {
        if (value)
            qputenv("HOME", value->toLocal8Bit());
        else
            qunsetenv("HOME");
    }
    ~HomeScope() { qputenv("HOME", m_previous); }
    HomeScope(const HomeScope &) = delete;
    HomeScope &operator=(const HomeScope &) = delete;

private:
    QByteArray m_previous;
};

} // namespace WriteTest
