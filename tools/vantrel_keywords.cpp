// vantrel_keywords: writes the keyword index from the current catalogue and the hand-edit file.
//
//   vantrel_keywords --catalogue DEPRECATIONS_TEXT.txt --hand-edit keywords-handedit.txt
//                    (--output KEYWORDS_TEXT.txt | --check KEYWORDS_TEXT.txt)
//
// --output rewrites the index; --check exits 1 when the index differs from what the data give.

#include "tools/KeywordIndex.h"

#include <QFile>
#include <QStringList>

#include <cstdio>

namespace {

void say(const QString &text) { std::fprintf(stderr, "%s\n", qPrintable(text)); }

bool readUtf8(const QString &path, QString &text)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        say(QStringLiteral("vantrel_keywords: cannot read %1: %2").arg(path, file.errorString()));
        return false;
    }
    text = QString::fromUtf8(file.readAll());
    return true;
}

int usage()
{
    say(QStringLiteral("usage: vantrel_keywords --catalogue FILE --hand-edit FILE (--output FILE | --check FILE)"));
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    QString catalogue, handEdit, output, check;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (i + 1 >= argc)
            return usage();
        const QString value = QString::fromLocal8Bit(argv[++i]);
        if (arg == QLatin1String("--catalogue"))
            catalogue = value;
        else if (arg == QLatin1String("--hand-edit"))
            handEdit = value;
        else if (arg == QLatin1String("--output"))
            output = value;
        else if (arg == QLatin1String("--check"))
            check = value;
        else
            return usage();
    }
    if (catalogue.isEmpty() || handEdit.isEmpty() || output.isEmpty() == check.isEmpty())
        return usage();

    QString catalogueText, handEditText;
    if (!readUtf8(catalogue, catalogueText) || !readUtf8(handEdit, handEditText))
        return 2;

    const KeywordIndex::Result result = KeywordIndex::Build(catalogueText, handEditText);
    for (const QString &warning : result.warnings)
        say(QStringLiteral("warning: ") + warning);
    for (const QString &error : result.errors)
        say(QStringLiteral("error: ") + error);
    if (!result.ok())
        return 2;

    const QByteArray bytes = result.text.toUtf8();
    const qsizetype lineCount = result.text.isEmpty() ? 0 : result.text.count(u'\n') + 1;
    const qsizetype numberCount = result.text.count(u' ');

    if (!check.isEmpty()) {
        QFile shipped(check);
        if (!shipped.open(QIODevice::ReadOnly)) {
            say(QStringLiteral("vantrel_keywords: cannot read %1").arg(check));
            return 2;
        }
        if (shipped.readAll() != bytes) {
            say(QStringLiteral("%1 is not the index the data give; run the regenerate-keywords target").arg(check));
            return 1;
        }
        say(QStringLiteral("%1 is up to date (%2 lines, %3 entry numbers)").arg(check).arg(lineCount).arg(numberCount));
        return 0;
    }

    QFile out(output);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(bytes) != bytes.size() || !out.flush()) {
        say(QStringLiteral("vantrel_keywords: cannot write %1: %2").arg(output, out.errorString()));
        return 2;
    }
    say(QStringLiteral("wrote %1: %2 lines, %3 entry numbers").arg(output).arg(lineCount).arg(numberCount));
    return 0;
}
