#include "common/TestMain.h"

#include "toolkit/DateTime.h"
#include "util/RtrnDateString.h"

using Toolkit::DateTime;

namespace {

DateTime moment(int y, int mo, int d, int h, int mi, int s, qint64 ns)
{
    DateTime t;
    t.Year = y;
    t.Month = mo;
    t.Day = d;
    t.Hour = h;
    t.Minute = mi;
    t.Second = s;
    t.Nanosecond = ns;
    return t;
}

const DateTime kSample = moment(2023, 4, 11, 23, 42, 36, 123456789);

} // namespace

Q_DECLARE_METATYPE(Toolkit::DateTime)

class TestAlphaDateTime : public QObject
{
    Q_OBJECT

private slots:
    // Style 7 keeps state for the life of the process; it has its own test below, which is the
    // only caller of style 7 in this program.
    void styles_data()
    {
        QTest::addColumn<DateTime>("now");
        QTest::addColumn<qint64>("style");
        QTest::addColumn<QString>("expected");

        const struct
        {
            qint64 style;
            const char *text;
        } sample[] = {
            {1, "230411"},
            {2, "230411_23"},
            {3, "230411_2342"},
            {4, "230411_234236"},
            {5, "2304112342"},
            {6, "2023.04.11"},
            {8, "04/11/2023 23:42:36"},
            {9, "20230411_234236"},
            {10, "230411_234236_123456789"},
            {11, "230411_234236_123457"},
            {12, "230411_234236_123"},
            {13, "230411_1eth7f"},
            {14, "234236"},
            {0, "230411_234236"},
            {15, "230411_234236"},
            {-1, "230411_234236"},
            {std::numeric_limits<qint64>::max(), "230411_234236"},
            {std::numeric_limits<qint64>::min(), "230411_234236"},
        };
        for (const auto &row : sample)
            QTest::addRow("style %lld", row.style) << kSample << row.style << QString::fromLatin1(row.text);

        // Leading zeros everywhere.
        const DateTime early = moment(2009, 1, 2, 3, 4, 5, 7);
        QTest::newRow("padded style 4") << early << qint64(4) << "090102_030405";
        QTest::newRow("padded style 6") << early << qint64(6) << "2009.01.02";
        QTest::newRow("padded style 8") << early << qint64(8) << "01/02/2009 03:04:05";
        QTest::newRow("padded style 10") << early << qint64(10) << "090102_030405_000000007";
        QTest::newRow("padded style 11") << early << qint64(11) << "090102_030405_000000";
        QTest::newRow("padded style 12") << early << qint64(12) << "090102_030405_000";
        QTest::newRow("padded style 14") << early << qint64(14) << "030405";

        // Rounding grows the field past its minimum width.
        const DateTime almost = moment(2023, 4, 11, 10, 0, 0, 999999999);
        QTest::newRow("U6 rounds up to seven digits") << almost << qint64(11) << "230411_100000_1000000";
        QTest::newRow("L3 rounds up to four digits") << almost << qint64(12) << "230411_100000_1000";
        QTest::newRow("U6 rounds down") << moment(2023, 4, 11, 10, 0, 0, 499) << qint64(11) << "230411_100000_000000";
        QTest::newRow("L3 rounds down") << moment(2023, 4, 11, 10, 0, 0, 499999) << qint64(12) << "230411_100000_000";
        QTest::newRow("N9 is never rounded") << almost << qint64(10) << "230411_100000_999999999";

        // Base-36 millisecond of the day.
        QTest::newRow("13 at midnight") << moment(2023, 4, 11, 0, 0, 0, 0) << qint64(13) << "230411_000000";
        QTest::newRow("13 at the last millisecond")
            << moment(2023, 4, 11, 23, 59, 59, 999000000) << qint64(13) << "230411_1ffunz";
        QTest::newRow("13 drops the sub-millisecond")
            << moment(2023, 4, 11, 23, 59, 59, 999999999) << qint64(13) << "230411_1ffunz";
        QTest::newRow("13 just before the first digit turns")
            << moment(2023, 4, 11, 16, 47, 46, 175999999) << qint64(13) << "230411_0zzzzz";
        QTest::newRow("13 when the first digit turns")
            << moment(2023, 4, 11, 16, 47, 46, 176000000) << qint64(13) << "230411_100000";
        QTest::newRow("13 one millisecond") << moment(2023, 4, 11, 0, 0, 0, 1000000) << qint64(13) << "230411_000001";

        // YY is the last two characters of the year as written.
        QTest::newRow("three-digit year") << moment(987, 6, 5, 4, 3, 2, 0) << qint64(4) << "870605_040302";
        QTest::newRow("three-digit year, style 9") << moment(987, 6, 5, 4, 3, 2, 0) << qint64(9) << "9870605_040302";
    }

    void styles()
    {
        QFETCH(DateTime, now);
        QFETCH(qint64, style);
        QFETCH(QString, expected);
        Toolkit::PinnedClock clock(now);
        QCOMPARE(RtrnDateString::rsAlphaDateTime(style), expected);
    }

    void style7LettersCycle()
    {
        Toolkit::PinnedClock clock(kSample);
        // The time stays the same on every call; only the letters move on.
        QStringList endings;
        for (int call = 0; call < 677; ++call) {
            const QString stamp = RtrnDateString::rsAlphaDateTime(7);
            QCOMPARE(stamp.size(), 15);
            QCOMPARE(stamp.left(13), QStringLiteral("230411_234236"));
            endings.append(stamp.mid(13));
        }
        for (int i = 0; i < 676; ++i) {
            const QString expected = QString(QChar(u'A' + i / 26)) + QChar(u'a' + i % 26);
            QCOMPARE(endings.at(i), expected);
        }
        QCOMPARE(endings.at(25), QStringLiteral("Az"));
        QCOMPARE(endings.at(26), QStringLiteral("Ba"));
        QCOMPARE(endings.at(675), QStringLiteral("Zz"));
        QCOMPARE(endings.at(676), endings.at(0));

        // Another style in between leaves the counters alone.
        QCOMPARE(RtrnDateString::rsAlphaDateTime(4), QStringLiteral("230411_234236"));
        QCOMPARE(RtrnDateString::rsAlphaDateTime(7), QStringLiteral("230411_234236Ab"));
    }
};

VANTREL_TEST_MAIN_CORE(TestAlphaDateTime)
#include "tst_alphadatetime.moc"
