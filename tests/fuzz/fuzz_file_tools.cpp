// Writing a text file and the path helpers, on any name, folder and style: nothing is written
// outside the home folder, the name is safe and short, the text arrives unchanged.
//
// Input: one byte for the style (as a signed number), then the file name, the folder argument and
// the text, separated by 0xFF bytes (never part of UTF-8, so no text is lost to the split).
// "<home>" in the name or the folder stands for the home path, so absolute paths inside it and
// beside it are reached.

#include "errors/ErrorHandling.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/fuzz/FuzzHome.h"
#include "toolkit/DateTime.h"
#include "toolkit/System.h"
#include "util/FileTools.h"
#include "util/RtrnString.h"

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace {

constexpr qint64 kMaxNameLength = 50;
const QString kNotAppropriate = QStringLiteral("rbHasExtension passed a proposed file name that is not appropriate");
const QString kTooLong = QStringLiteral("rbHasExtension passed a proposed file name that is too long");

FuzzHome::Recorders &recorders()
{
    static FuzzHome::Recorders r;
    return r;
}

qsizetype codePoints(const QString &text)
{
    qsizetype n = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        ++n;
    }
    return n;
}

bool holdsLoneSurrogate(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        else if (text.at(i).isSurrogate())
            return true;
    }
    return false;
}

bool isAtOrBelow(const QString &path, const QString &folder)
{
    return path == folder || path.startsWith(folder + QLatin1Char('/'));
}

bool climbs(const QString &path) { return path.split(u'/').contains(QStringLiteral("..")); }

// Every file below the folder, hidden ones too, as absolute paths.
QStringList filesBelow(const QString &folder)
{
    QStringList found;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        found.append(it.next());
    return found;
}

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Folders the system cannot make: a piece longer than a file name may be, one holding a NUL, or
// a path longer than the system takes.
bool cannotBeMade(const QString &folder)
{
    if ((FuzzHome::path() + folder).toUtf8().size() >= 4000)
        return true;
    for (const QString &piece : folder.split(u'/')) {
        if (piece.toUtf8().size() > 250 || piece.contains(QChar(0)))
            return true;
    }
    return false;
}

void checkViablePath(const QString &path)
{
    const QString home = FuzzHome::path();
    const QString viable = FileTools::rsViablePath(path);
    FUZZ_CHECK(viable.startsWith(u'/'));
    if (!isAtOrBelow(viable, home)) {
        std::fprintf(stderr, "rsViablePath(%s) = %s\n", qPrintable(path), qPrintable(viable));
        FUZZ_CHECK(isAtOrBelow(viable, home));
    }
    FUZZ_CHECK(!climbs(viable));
    FUZZ_CHECK(!viable.contains(u':'));
    if (path.compare(QLatin1String("Desktop"), Qt::CaseInsensitive) == 0)
        FUZZ_CHECK(viable == home + QStringLiteral("/Desktop"));
}

void checkPathHelpers(const QString &path)
{
    const QString parent = RtrnString::rsParentFolderPath(path);
    FUZZ_CHECK(parent.startsWith(u'/') && parent.endsWith(u'/'));
    FUZZ_CHECK(!parent.contains(QStringLiteral("//")));
    FUZZ_CHECK(parent.size() <= path.size() + 2);
    // A folder path is its own parent's folder once a name is put in it.
    FUZZ_CHECK(RtrnString::rsParentFolderPath(parent + QStringLiteral("f")) == parent);

    const QString name = RtrnString::rsCorrectFileName(path, kMaxNameLength);
    FUZZ_CHECK(codePoints(name) <= kMaxNameLength);
    FUZZ_CHECK(!holdsLoneSurrogate(name));
    FUZZ_CHECK(name != QLatin1String(".") && name != QLatin1String(".."));
    for (QChar c : name)
        FUZZ_CHECK(c != u'/' && c != u':' && c != u' ' && c.unicode() >= 0x20 && c.unicode() != 0x7f);
    if (codePoints(path) <= kMaxNameLength)
        FUZZ_CHECK(name.size() == path.size());
}

void checkTextToFile(const QString &text, const QString &name, const QString &folder, qint64 style)
{
    FuzzHome::Recorders &rec = recorders();
    const QString home = FuzzHome::path();
    rec.clear();

    FileTools::TextToFile(text, name, folder, style);

    FUZZ_CHECK(rec.reports.isEmpty());
    // Only the home lies in the folder around it: nothing climbed out.
    FUZZ_CHECK(
        QDir(FuzzHome::outside()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)
        == QStringList{QStringLiteral("home")});

    bool failed = false;
    for (const QString &message : std::as_const(rec.messages.messages)) {
        if (message == kNotAppropriate || message == kTooLong)
            continue;
        const bool known = message.startsWith(QLatin1String("Oops! FileTools."))
            || message.startsWith(QLatin1String("Somehow unable to create the "));
        if (!known)
            std::fprintf(stderr, "message: %s\n", qPrintable(message));
        FUZZ_CHECK(known);
        failed = true;
    }

    const QStringList files = filesBelow(home);
    if (failed) {
        if (!cannotBeMade(folder))
            std::fprintf(stderr, "failed: %s\n", qPrintable(rec.messages.messages.join(u'\n')));
        FUZZ_CHECK(cannotBeMade(folder));
        FUZZ_CHECK(files.isEmpty());
        return;
    }
    FUZZ_CHECK(rec.messages.beeps == 0);
    if (files.size() != 1) {
        std::fprintf(stderr, "files: %s\n", qPrintable(files.join(u'\n')));
        FUZZ_CHECK(files.size() == 1);
    }
    const QString &file = files.first();
    FUZZ_CHECK(isAtOrBelow(file, home) && !climbs(file));
    const QString fileName = file.section(u'/', -1);
    FUZZ_CHECK(!fileName.isEmpty() && codePoints(fileName) <= kMaxNameLength);
    FUZZ_CHECK(contentOf(file) == text.toUtf8());

    // The folder words name the user's own folders, whatever the letter case.
    for (const QLatin1String word : {QLatin1String("Desktop"), QLatin1String("Documents")}) {
        if (!name.isEmpty() && folder.compare(word, Qt::CaseInsensitive) == 0)
            FUZZ_CHECK(file == home + u'/' + word + u'/' + fileName);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString home = FuzzHome::path();
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const qint64 style = size > 0 ? qint64(static_cast<int8_t>(data[0])) : 0;
    const QList<QByteArray> parts = bytes.mid(1).split('\xff');
    auto part = [&](qsizetype i) {
        QString s = i < parts.size() ? QString::fromUtf8(parts.at(i)) : QString();
        return s.replace(QLatin1String("<home>"), home);
    };
    const QString name = part(0);
    const QString folder = part(1);
    // The text is everything after the second separator, separators and all.
    const qsizetype textStart = parts.size() > 2 ? parts.at(0).size() + parts.at(1).size() + 3 : bytes.size();
    const QString text = QString::fromUtf8(bytes.mid(textStart));

    FuzzHome::Recorders &rec = recorders();
    rec.messages.messages.clear();
    for (const QString &path : {folder, name}) {
        checkViablePath(path);
        checkPathHelpers(path);
    }
    FUZZ_CHECK(rec.messages.messages.isEmpty());

    FuzzHome::empty();
    checkTextToFile(text, name, folder, style);
    return 0;
}
