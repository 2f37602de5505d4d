// The shipped tables themselves: every property the program and its index rely on, checked
// against the files in catalogue/ and their compiled-in copies. `figures` prints the counts
// reached next to the counts the catalogue aims for; only the hard properties are asserted.
// The tables hold only rows checked against what is known of Xojo's releases, so they have
// fewer rows than the entry numbers leave room for: an entry number without a row is a gap
// kept for a row not yet confirmed, never a row of its own.

#include "common/TestMain.h"

#include "catalogue/CatalogueText.h"
#include "catalogue/ModGlobal.h"
#include "tools/KeywordIndex.h"

#include <QFile>
#include <QRegularExpression>
#include <QUrl>

#include <map>
#include <set>

namespace {

constexpr int kRows = 980;
constexpr int kOldRows = 214;

struct Row
{
    QStringList fields;
    int entry = -1;
    QString name() const { return fields.value(1); }
    QString status() const { return fields.value(2); }
    QString version() const { return fields.value(3); }
    QString replacement() const { return fields.value(4); }
};

QList<Row> parseRows(const QString &text)
{
    QList<Row> rows;
    for (const QString &line : text.split(u'\n')) {
        Row row;
        row.fields = line.split(u'\t');
        bool ok = false;
        const int entry = row.fields.value(0).toInt(&ok);
        row.entry = ok ? entry : -1;
        rows.append(row);
    }
    return rows;
}

struct IndexLine
{
    QString keyword;
    QStringList numbers;
};

QList<IndexLine> parseIndex(const QString &text)
{
    QList<IndexLine> lines;
    for (const QString &line : text.split(u'\n')) {
        QStringList parts = line.split(u' ');
        IndexLine l;
        l.keyword = parts.takeFirst();
        l.numbers = parts;
        lines.append(l);
    }
    return lines;
}

// "2019r2" -> 201902; -1 for anything else.
int releaseKey(const QString &version)
{
    static const QRegularExpression form(QStringLiteral("^(\\d{4})r(\\d{1,2})$"));
    const auto m = form.match(version);
    return m.hasMatch() ? m.captured(1).toInt() * 100 + m.captured(2).toInt() : -1;
}

QByteArray readSource(const char *name)
{
    QFile file(QStringLiteral(VANTREL_SOURCE_DIR "/catalogue/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

bool hasOuterBlank(const QString &field)
{
    return !field.isEmpty() && (field.front().isSpace() || field.back().isSpace());
}

QString entryText(int entry) { return QString::number(entry).rightJustified(3, u'0'); }

void figure(const QString &what, const QString &reached, const QString &aim)
{
    qInfo().noquote() << QStringLiteral("figure: %1: %2 (aim %3)").arg(what, reached, aim);
}

void figure(const QString &what, qsizetype reached, const QString &aim) { figure(what, QString::number(reached), aim); }

QString countsOf(const std::map<QString, int> &counts)
{
    QStringList parts;
    for (const auto &[value, n] : counts)
        parts.append(QStringLiteral("\"%1\" %2").arg(value).arg(n));
    return parts.join(QStringLiteral(", "));
}

} // namespace

class TestCatalogueData : public QObject
{
    Q_OBJECT

private:
    QString m_current, m_old, m_index;
    QList<Row> m_rows, m_oldRows;
    QList<IndexLine> m_lines;

    std::set<int> entries() const
    {
        std::set<int> s;
        for (const Row &r : m_rows)
            s.insert(r.entry);
        return s;
    }

private slots:
    void initTestCase()
    {
        m_current = Catalogue::DEPRECATIONS_TEXT();
        m_old = Catalogue::OLD_DEPRECATIONS_TEXT();
        m_index = Catalogue::KEYWORDS_TEXT();
        m_rows = parseRows(m_current);
        m_oldRows = parseRows(m_old);
        m_lines = parseIndex(m_index);
    }

    // Printed, never asserted: how close the data come to the catalogue's figures.
    void figures()
    {
        std::map<QString, int> status, releases, oldStatus, oldReleases;
        int noReplacement = 0, emptyReplacement = 0, dotted = 0, manyDots = 0, prose = 0, emptyVersion = 0;
        qsizetype longestName = 0, longestReplacement = 0, longestOldName = 0;
        for (const Row &r : m_rows) {
            ++status[r.status()];
            if (!r.version().isEmpty())
                ++releases[r.version()];
            else
                ++emptyVersion;
            noReplacement += r.replacement() == u"No Replacement";
            emptyReplacement += r.replacement().isEmpty();
            dotted += r.name().contains(u'.');
            manyDots += r.name().count(u'.') > 1;
            prose += r.name().contains(u' ');
            longestName = std::max(longestName, r.name().size());
            longestReplacement = std::max(longestReplacement, r.replacement().size());
        }
        for (const Row &r : m_oldRows) {
            ++oldStatus[r.status()];
            ++oldReleases[r.version()];
            longestOldName = std::max(longestOldName, r.name().size());
        }
        figure(QStringLiteral("current rows"), m_rows.size(), QStringLiteral("980"));
        figure(QStringLiteral("current bytes"), m_current.toUtf8().size(), QStringLiteral("57,994"));
        figure(QStringLiteral("current characters"), m_current.size(), QStringLiteral("57,992"));
        figure(QStringLiteral("current status counts"), countsOf(status),
               QStringLiteral("Deprec 962, Removd 13, Deemph 3, \"Deemph for non-iOS projects\" 2"));
        figure(QStringLiteral("releases"), qsizetype(releases.size()), QStringLiteral("21, 2010r3 to 2022r1"));
        figure(QStringLiteral("rows per release"), countsOf(releases), QStringLiteral("2019r2 693, 2020r2 150"));
        figure(QStringLiteral("rows without a version"), emptyVersion, QStringLiteral("5"));
        figure(QStringLiteral("\"No Replacement\""), noReplacement, QStringLiteral("61"));
        figure(QStringLiteral("empty replacements"), emptyReplacement, QStringLiteral("63"));
        figure(QStringLiteral("names with a dot / more than one"), QStringLiteral("%1 / %2").arg(dotted).arg(manyDots),
               QStringLiteral("764 / 95"));
        figure(QStringLiteral("prose names"), prose, QStringLiteral("38"));
        figure(QStringLiteral("longest name / replacement"),
               QStringLiteral("%1 / %2").arg(longestName).arg(longestReplacement), QStringLiteral("163 / 167"));

        figure(QStringLiteral("old rows"), m_oldRows.size(), QStringLiteral("214"));
        figure(QStringLiteral("old bytes"), m_old.toUtf8().size(), QStringLiteral("10,450"));
        figure(QStringLiteral("old status counts"), countsOf(oldStatus),
               QStringLiteral("Removd 123, Deprec 86, Deemph 4, empty 1"));
        figure(QStringLiteral("old releases"), qsizetype(oldReleases.size()), QStringLiteral("24, 2008r1 to 2015r4"));
        figure(QStringLiteral("old rows per release"), countsOf(oldReleases), QStringLiteral("-"));
        figure(QStringLiteral("longest old name"), longestOldName, QStringLiteral("106"));

        qsizetype numbers = 0, dotEnded = 0;
        const IndexLine *longest = nullptr;
        QStringList oneCharacter, numeric;
        static const QRegularExpression digits(QStringLiteral("^\\d+$"));
        for (const IndexLine &l : m_lines) {
            numbers += l.numbers.size();
            dotEnded += l.keyword.endsWith(u'.');
            if (!longest || l.numbers.size() > longest->numbers.size())
                longest = &l;
            if (l.keyword.size() == 1)
                oneCharacter.append(l.keyword);
            if (digits.match(l.keyword).hasMatch())
                numeric.append(l.keyword);
        }
        figure(QStringLiteral("index lines"), m_lines.size(), QStringLiteral("10,782"));
        figure(QStringLiteral("index bytes"), m_index.toUtf8().size(), QStringLiteral("270,443"));
        figure(QStringLiteral("index entry numbers"), numbers, QStringLiteral("20,082"));
        figure(QStringLiteral("longest line"),
               longest ? QStringLiteral("%1, %2 numbers").arg(longest->keyword).arg(longest->numbers.size())
                       : QString(),
               QStringLiteral("Desktop, 272 numbers"));
        figure(QStringLiteral("keywords ending with a dot"), dotEnded, QStringLiteral("277"));
        figure(QStringLiteral("one-character keywords"), oneCharacter.join(u' '), QStringLiteral("B C f X"));
        figure(QStringLiteral("numeric keywords"), numeric.join(u' '), QStringLiteral("64"));
        const std::map<QString, QString> samples = {
            {QStringLiteral("Address."), QStringLiteral("247 248 249 250 251 252 253")},
            {QStringLiteral("C"), QStringLiteral("021")},
            {QStringLiteral("X"), QStringLiteral("302 602 656 863")},
            {QStringLiteral("64"), QStringLiteral("963 964 965")},
            {QStringLiteral("ListBox"), QStringLiteral("62 numbers")},
            {QStringLiteral("ListBox."), QStringLiteral("58 numbers")},
            {QStringLiteral("DesktopButton"), QStringLiteral("4 numbers")},
            {QStringLiteral("DesktopBevelButton"), QStringLiteral("17 numbers")},
        };
        for (const auto &[keyword, aim] : samples) {
            QString reached = QStringLiteral("(no line)");
            for (const IndexLine &l : m_lines) {
                if (l.keyword.compare(keyword, Qt::CaseInsensitive) == 0)
                    reached = aim.endsWith(QLatin1String("numbers"))
                        ? QStringLiteral("%1 numbers").arg(l.numbers.size())
                        : l.numbers.join(u' ');
            }
            figure(QStringLiteral("line \"%1\"").arg(keyword), reached, aim);
        }
    }

    void compiledInTablesAreTheFiles_data()
    {
        QTest::addColumn<QString>("compiled");
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("DEPRECATIONS_TEXT") << Catalogue::DEPRECATIONS_TEXT() << readSource("DEPRECATIONS_TEXT.txt");
        QTest::newRow("OLD_DEPRECATIONS_TEXT")
            << Catalogue::OLD_DEPRECATIONS_TEXT() << readSource("OLD_DEPRECATIONS_TEXT.txt");
        QTest::newRow("KEYWORDS_TEXT") << Catalogue::KEYWORDS_TEXT() << readSource("KEYWORDS_TEXT.txt");
        QTest::newRow("SOURCES_TEXT") << Catalogue::SOURCES_TEXT() << readSource("SOURCES.tsv");
    }

    void compiledInTablesAreTheFiles()
    {
        QFETCH(QString, compiled);
        QFETCH(QByteArray, file);
        QCOMPARE(compiled.toUtf8(), file);
    }

    void tablesAreLineFeedSeparated_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("DEPRECATIONS_TEXT") << Catalogue::DEPRECATIONS_TEXT();
        QTest::newRow("OLD_DEPRECATIONS_TEXT") << Catalogue::OLD_DEPRECATIONS_TEXT();
        QTest::newRow("KEYWORDS_TEXT") << Catalogue::KEYWORDS_TEXT();
    }

    void tablesAreLineFeedSeparated()
    {
        QFETCH(QString, text);
        QVERIFY(!text.isEmpty());
        QVERIFY2(!text.contains(u'\r'), "carriage return in the table");
        QVERIFY2(!text.endsWith(u'\n'), "line feed after the last row");
        QVERIFY2(!text.contains(QStringLiteral("\n\n")) && !text.startsWith(u'\n'), "empty row");
    }

    void currentCatalogueRows()
    {
        int previousEntry = 0;
        int previousRelease = 999999;
        bool versionless = false;
        static const std::set<QString> statuses = {QStringLiteral("Deprec"), QStringLiteral("Removd"),
                                                   QStringLiteral("Deemph"),
                                                   QStringLiteral("Deemph for non-iOS projects")};
        static const QRegularExpression number(QStringLiteral("^[1-9]\\d*$"));
        for (const Row &r : m_rows) {
            const QByteArray where = r.fields.join(u'\t').toUtf8();
            QVERIFY2(r.fields.size() == 5, where);
            for (const QString &field : r.fields)
                QVERIFY2(!hasOuterBlank(field), where);
            QVERIFY2(number.match(r.fields.at(0)).hasMatch(), where);
            QVERIFY2(r.entry > previousEntry, where); // unique and ascending
            previousEntry = r.entry;
            QVERIFY2(!r.name().isEmpty() && r.name().size() <= 163, where);
            QVERIFY2(r.replacement().size() <= 167, where);
            QVERIFY2(statuses.count(r.status()), where);
            if (r.version().isEmpty()) {
                versionless = true;
                continue;
            }
            QVERIFY2(!versionless, where); // rows without a version come last
            const int release = releaseKey(r.version());
            QVERIFY2(release >= 201003 && release <= 202201, where); // 2010r3 .. 2022r1
            QVERIFY2(release <= previousRelease, where);             // newest first
            previousRelease = release;
        }
        QVERIFY(m_rows.size() <= kRows);
    }

    void currentCatalogueEntryNumbers()
    {
        std::set<int> expected;
        for (int e = 1; e <= 988; ++e)
            expected.insert(e);
        for (int missing : {68, 222, 235, 356, 773, 912, 942, 984})
            expected.erase(missing);
        const std::set<int> shipped = entries();
        QStringList extra;
        for (int e : shipped)
            if (!expected.count(e))
                extra.append(QString::number(e));
        QVERIFY2(extra.isEmpty(),
                 qPrintable(QStringLiteral("entry numbers outside 1..988 or retired: ") + extra.join(u' ')));
        QVERIFY(shipped.count(1) && shipped.count(988)); // the first and the last entry
        // Rows without a version are the last ones and hold the entry numbers from 983 on.
        for (const Row &r : m_rows)
            QVERIFY2(r.version().isEmpty() == (r.entry >= 983), r.fields.join(u'\t').toUtf8());
    }

    void onlyNonAsciiCharacterIsTheQuoteOfEntry708()
    {
        QList<QPair<int, QChar>> found;
        for (const Row &r : m_rows) {
            for (const QString &field : r.fields)
                for (QChar c : field)
                    if (c.unicode() > 0x7f)
                        found.append({r.entry, c});
        }
        // At most the one left quotation mark in the name of entry 708; the rest is ASCII.
        QVERIFY(found.size() <= 1);
        for (const auto &[entry, c] : found) {
            QCOMPARE(entry, 708);
            QCOMPARE(c, QChar(0x2018));
        }
    }

    void tellingRows_data()
    {
        QTest::addColumn<QString>("row");
        QTest::newRow("1") << "1\tDesktopListBox.CellBold\tDeprec\t2022r1\tDesktopListBox.CellBoldAt";
        QTest::newRow("5") << "5\tApplication\tDeprec\t2021r3\tDesktopApplication";
        QTest::newRow("13") << "13\tCrypto.SHA256\tDeprec\t2021r3\tCrypto.SHA2_256";
        QTest::newRow("80") << "80\tAuto (using Variant)\tDeemph\t2020r2\t";
        QTest::newRow("427") << "427\tFolderItem.AbsolutePath\tRemovd\t2019r2\tFolderItem.NativePath";
        QTest::newRow("943") << "943\tAuto\tDeemph for non-iOS projects\t2018r4\t";
        QTest::newRow("969") << "969\tSystem.Gestalt\tDeprec\t2014r3\tNo Replacement";
        QTest::newRow("983") << "983\tColor.RGBA\tDeprec\t\tColor.RGB";
    }

    void tellingRows()
    {
        QFETCH(QString, row);
        const QString entry = row.section(u'\t', 0, 0);
        QString shipped = QStringLiteral("(no row)");
        for (const Row &r : m_rows)
            if (r.fields.value(0) == entry)
                shipped = r.fields.join(u'\t');
        QCOMPARE(shipped, row);
    }

    void oldCatalogueRows()
    {
        static const std::set<QString> statuses = {QStringLiteral("Removd"), QStringLiteral("Deprec"),
                                                   QStringLiteral("Deemph"), QString()};
        int previousRelease = 999999;
        QStringList emptyStatus;
        for (qsizetype i = 0; i < m_oldRows.size(); ++i) {
            const Row &r = m_oldRows.at(i);
            const QByteArray where = r.fields.join(u'\t').toUtf8();
            QVERIFY2(r.fields.size() == 4, where);
            QCOMPARE(r.fields.at(0), entryText(int(i) + 1)); // "001" .. "214", in order
            for (const QString &field : r.fields) {
                QVERIFY2(!hasOuterBlank(field), where);
                for (QChar c : field)
                    QVERIFY2(c.unicode() < 0x80, where); // ASCII text
            }
            QVERIFY2(!r.name().isEmpty() && r.name().size() <= 106, where);
            QVERIFY2(statuses.count(r.status()), where);
            if (r.status().isEmpty())
                emptyStatus.append(r.fields.at(0));
            const int release = releaseKey(r.version());
            QVERIFY2(release >= 200801 && release <= 201504, where); // 2008r1 .. 2015r4
            QVERIFY2(release <= previousRelease, where);             // newest first
            previousRelease = release;
        }
        QVERIFY(emptyStatus.isEmpty() || emptyStatus == QStringList{"111"});
        QVERIFY(m_oldRows.size() <= kOldRows);
    }

    void indexLines()
    {
        QVERIFY(!m_lines.isEmpty());
        const std::set<int> rows = entries();
        std::set<QString> seen;
        const IndexLine *previous = nullptr;
        static const QRegularExpression three(QStringLiteral("^\\d{3}$"));
        for (const IndexLine &l : m_lines) {
            const QByteArray where = (l.keyword + u' ' + l.numbers.join(u' ')).toUtf8();
            QVERIFY2(KeywordIndex::IsValidKeyword(l.keyword), where); // letters, digits, . _; 1..42
            QVERIFY2(seen.insert(l.keyword.toUpper()).second, where); // unique ignoring case
            QVERIFY2(!l.numbers.isEmpty(), where);
            int before = -1;
            for (const QString &n : l.numbers) {
                QVERIFY2(three.match(n).hasMatch(), where); // also: single blanks, none at the ends
                const int entry = n.toInt();
                QVERIFY2(entry > before, where); // ascending, unrepeated
                before = entry;
                QVERIFY2(rows.count(entry), where);
            }
            if (previous)
                QVERIFY2(KeywordIndex::KeywordLess(previous->keyword, l.keyword), where);
            previous = &l;
        }
    }

    void everyRowIsFound()
    {
        std::set<int> listed;
        for (const IndexLine &l : m_lines)
            for (const QString &n : l.numbers)
                listed.insert(n.toInt());
        QStringList unfound;
        for (const Row &r : m_rows)
            if (!listed.count(r.entry))
                unfound.append(r.fields.value(0));
        QVERIFY2(unfound.isEmpty(), qPrintable(QStringLiteral("rows no search finds: ") + unfound.join(u' ')));
    }

    void indexKeywords()
    {
        QStringList present;
        for (const IndexLine &l : m_lines)
            present.append(l.keyword);
        QStringList missing;
        for (const char *keyword : {"B", "X", "Desktop", "NoReplacement", "ListBox", "ListBox.", "DesktopButton"})
            if (!present.contains(QLatin1String(keyword))) // spelt exactly so
                missing.append(QLatin1String(keyword));
        QVERIFY2(missing.isEmpty(), qPrintable(QStringLiteral("no line for: ") + missing.join(u' ')));

        const IndexLine *desktop = nullptr;
        for (const IndexLine &l : m_lines)
            if (l.keyword == u"Desktop")
                desktop = &l;
        QVERIFY(desktop);
    }

    // Every row of both tables says where it was found, and no provenance line names a row that
    // does not exist.
    void provenanceCoversEveryRow()
    {
        const QStringList lines = Catalogue::SOURCES_TEXT().split(u'\n', Qt::SkipEmptyParts);
        QVERIFY(!lines.isEmpty());
        QCOMPARE(lines.first(), QStringLiteral("table\tentry\tsource\tconfidence\tnote"));
        std::set<QString> current, old;
        for (const Row &r : m_rows)
            current.insert(r.fields.at(0));
        for (const Row &r : m_oldRows)
            old.insert(r.fields.at(0));
        const std::set<QString> confidences{QStringLiteral("high"), QStringLiteral("medium"),
                                            QStringLiteral("recalled")};
        std::set<QString> citedCurrent, citedOld;
        std::map<QString, int> perConfidence, perSite;
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const QStringList f = lines.at(i).split(u'\t');
            const QByteArray where = lines.at(i).toUtf8();
            QVERIFY2(f.size() == 5, where);
            QVERIFY2(confidences.count(f.at(3)), where);
            QVERIFY2(!f.at(2).isEmpty(), where);
            QVERIFY2(f.at(3) != u"recalled" || f.at(2) == u"recalled" || f.at(2).startsWith(u"http"), where);
            if (f.at(0) == u"current") {
                QVERIFY2(current.count(f.at(1)), where);
                citedCurrent.insert(f.at(1));
            } else {
                QVERIFY2(f.at(0) == u"old", where);
                QVERIFY2(old.count(f.at(1)), where);
                citedOld.insert(f.at(1));
            }
            ++perConfidence[f.at(3)];
            ++perSite[f.at(2).startsWith(u"http") ? QUrl(f.at(2)).host() : f.at(2)];
        }
        QStringList uncited;
        for (const QString &e : current)
            if (!citedCurrent.count(e))
                uncited.append(e);
        for (const QString &e : old)
            if (!citedOld.count(e))
                uncited.append(QStringLiteral("old ") + e);
        QVERIFY2(uncited.isEmpty(), qPrintable(QStringLiteral("rows without a source: ") + uncited.join(u' ')));
        figure(QStringLiteral("provenance lines per confidence"), countsOf(perConfidence), QStringLiteral("-"));
        figure(QStringLiteral("provenance lines per site"), countsOf(perSite), QStringLiteral("-"));
    }

    void noReplacementListsExactlyThoseRows()
    {
        QStringList expected;
        for (const Row &r : m_rows)
            if (r.replacement() == u"No Replacement")
                expected.append(entryText(r.entry));
        QStringList listed;
        for (const IndexLine &l : m_lines)
            if (l.keyword == u"NoReplacement")
                listed = l.numbers;
        QCOMPARE(listed, expected);
    }

    void loadedMaps()
    {
        ModGlobal::resetForTests();
        ModGlobal::RunStartupLoad({});
        QCOMPARE(ModGlobal::dictKeyGlobal->KeyCount(), m_lines.size());
        QCOMPARE(ModGlobal::dictChronID_Global->size(), m_rows.size());
        QCOMPARE(ModGlobal::RowPosition(u"001"), qint64(0));
        QCOMPARE(ModGlobal::RowPosition(u"988"), qint64(m_rows.size() - 1));
        for (const char16_t *absent : {u"068", u"984", u"1"})
            QCOMPARE(ModGlobal::RowPosition(absent), qint64(-1));
        QCOMPARE(ModGlobal::KeywordEntries(u"desktop"), ModGlobal::KeywordEntries(u"Desktop"));
        // A class name followed by its dot is a keyword of its own.
        QVERIFY(!ModGlobal::KeywordEntries(u"ListBox.").isEmpty());
        QVERIFY(ModGlobal::KeywordEntries(u"ListBox.") != ModGlobal::KeywordEntries(u"listbox"));
        ModGlobal::resetForTests();
    }
};

VANTREL_TEST_MAIN_CORE(TestCatalogueData)
#include "tst_catalogue_data.moc"
