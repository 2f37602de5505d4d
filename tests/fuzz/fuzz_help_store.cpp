// The help store on any help text: the text is refused with one message and leaves no topic,
// or every topic it gives keeps the record rules; the cleaned text is its own cleaning.

#include "errors/ErrorHandling.h"
#include "help/Help.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/fuzz/FuzzHome.h"
#include "toolkit/DateTime.h"
#include "toolkit/System.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace {

// Stamp of the pinned moment (FuzzHome::Recorders), as style 4 writes it in front of a file name.
const QString kStamp = QStringLiteral("230411_234236");
const QString kTerminator = QStringLiteral("<#CR>");

FuzzHome::Recorders &recorders()
{
    static FuzzHome::Recorders r;
    return r;
}

QString desktop() { return FuzzHome::path() + QStringLiteral("/Desktop"); }

QStringList desktopFiles() { return QDir(desktop()).entryList(QDir::Files | QDir::Hidden, QDir::Name); }

QByteArray desktopFile(const QString &name)
{
    QFile file(desktop() + QLatin1Char('/') + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool isDigits(const QString &text)
{
    if (text.isEmpty())
        return false;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

// A side as the window takes it: digits that fit the number type.
bool readSide(const QString &text, qint64 &side)
{
    bool ok = false;
    side = text.toLongLong(&ok);
    return isDigits(text) && ok;
}

// The record numbers of the cleaned text with their leading zeros off, as the store's keys read.
QSet<QString> recordNumbers(const QString &cleaned)
{
    QSet<QString> numbers;
    for (const QString &record : cleaned.split(kTerminator, Qt::SkipEmptyParts, Qt::CaseInsensitive)) {
        QString number = record.trimmed().section(u'\t', 0, 0);
        while (number.size() > 1 && number.front() == u'0')
            number.remove(0, 1);
        numbers.insert(number);
    }
    return numbers;
}

void checkTopic(qint64 key, const QString &value, const QString &source, const QSet<QString> &numbers)
{
    FUZZ_CHECK(key >= 0);
    FUZZ_CHECK(numbers.contains(QString::number(key)));
    const QStringList fields = value.split(u'\t');
    if (fields.size() != 4) {
        std::fprintf(stderr, "topic %lld: %lld fields\n", static_cast<long long>(key),
                     static_cast<long long>(fields.size()));
        FUZZ_CHECK(fields.size() == 4);
    }
    const QString &title = fields.at(0);
    const QString &content = fields.at(1);
    FUZZ_CHECK(!content.isEmpty());
    FUZZ_CHECK(!isDigits(content));
    FUZZ_CHECK(!content.contains(kTerminator, Qt::CaseInsensitive));
    FUZZ_CHECK(!title.contains(kTerminator, Qt::CaseInsensitive));
    // Cleaning moves and fills fields; it never makes up text.
    FUZZ_CHECK(source.contains(content));
    FUZZ_CHECK(source.contains(title));

    qint64 width = -1;
    qint64 height = -1;
    FUZZ_CHECK(readSide(fields.at(2), width));
    FUZZ_CHECK(readSide(fields.at(3), height));
    FUZZ_CHECK((width == 0 && height == 0) || (width >= 100 && height >= 100));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzHome::Recorders &rec = recorders();
    const QString source = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));

    FuzzHome::empty();
    rec.clear();
    Help::setHelpSourceForTests(source);
    Help::FillDictionaryFromHELP_TEXT();
    FUZZ_CHECK(rec.reports.isEmpty());
    FUZZ_CHECK(Help::helpDict.has_value());
    const QStringList written = desktopFiles();

    if (!rec.messages.messages.isEmpty()) {
        // Refused: one message, nothing kept, the text kept on the Desktop for the author.
        FUZZ_CHECK(rec.messages.messages.size() == 1);
        FUZZ_CHECK(Help::sHelpText.isEmpty());
        FUZZ_CHECK(Help::helpDict->isEmpty());
        FUZZ_CHECK(written == QStringList{kStamp + QStringLiteral("BadOriginal.txt")});
        FUZZ_CHECK(desktopFile(written.first()) == source.toUtf8());
        return 0;
    }

    const QString cleaned = Help::sHelpText;
    FUZZ_CHECK(!cleaned.isEmpty());
    FUZZ_CHECK(!Help::helpDict->isEmpty());
    const QSet<QString> numbers = recordNumbers(cleaned);
    FUZZ_CHECK(Help::helpDict->size() == numbers.size());
    for (auto it = Help::helpDict->cbegin(); it != Help::helpDict->cend(); ++it)
        checkTopic(it.key(), it.value(), source, numbers);

    // A changed text is written beside its cleaned form; an unchanged one leaves no file.
    if (written.isEmpty()) {
        FUZZ_CHECK(cleaned.compare(source, Qt::CaseInsensitive) == 0);
    } else {
        FUZZ_CHECK(written
                   == (QStringList{kStamp + QStringLiteral("Cleaned.txt"), kStamp + QStringLiteral("Original.txt")}));
        FUZZ_CHECK(desktopFile(written.at(0)) == cleaned.toUtf8());
        FUZZ_CHECK(desktopFile(written.at(1)) == source.toUtf8());
    }

    // The cleaned text is already clean: loading it again changes nothing and writes nothing.
    const QMap<qint64, QString> store = *Help::helpDict;
    FuzzHome::empty();
    Help::setHelpSourceForTests(cleaned);
    Help::FillDictionaryFromHELP_TEXT();
    FUZZ_CHECK(rec.messages.messages.isEmpty());
    FUZZ_CHECK(rec.reports.isEmpty());
    FUZZ_CHECK(Help::sHelpText == cleaned);
    FUZZ_CHECK(Help::helpDict.has_value() && *Help::helpDict == store);
    FUZZ_CHECK(desktopFiles().isEmpty());
    return 0;
}
