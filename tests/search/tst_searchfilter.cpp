#include "common/TestMain.h"

#include "search/SearchFilter.h"

using Search::FilterStep;

Q_DECLARE_METATYPE(Search::FilterStep)

class TestSearchFilter : public QObject
{
    Q_OBJECT

private slots:
    // The filter's decision for a cleaned text against the keyword last applied, before the
    // lookup ("-" for entries) and after it.
    void decideFilterStep_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("applied");
        QTest::addColumn<QString>("entries");
        QTest::addColumn<FilterStep>("step");

        const QString before = QStringLiteral("-");
        QTest::newRow("same as applied") << "Desktop"
                                         << "Desktop" << before << FilterStep::Stop;
        QTest::newRow("same ignoring case") << "desktop"
                                            << "DESKTOP" << before << FilterStep::Stop;
        QTest::newRow("empty, none applied") << ""
                                             << "" << before << FilterStep::Stop;
        QTest::newRow("emptied") << ""
                                 << "Desktop" << before << FilterStep::ClearAndStop;
        QTest::newRow("one letter") << "B"
                                    << "Desktop" << before << FilterStep::ClearAndLookUp;
        QTest::newRow("one letter, none applied") << "X"
                                                  << "" << before << FilterStep::ClearAndLookUp;
        QTest::newRow("one emoji is one character")
            << QStringLiteral("\U0001F50D") << "" << before << FilterStep::ClearAndLookUp;
        QTest::newRow("two letters") << "De"
                                     << "" << before << FilterStep::LookUp;
        QTest::newRow("longer than applied") << "Desktopx"
                                             << "Desktop" << before << FilterStep::LookUp;
        QTest::newRow("not a keyword") << "Deskt"
                                       << "Desktop"
                                       << "" << FilterStep::Keep;
        QTest::newRow("a keyword") << "ListBox."
                                   << ""
                                   << "022 023" << FilterStep::Refill;
    }

    void decideFilterStep()
    {
        QFETCH(QString, text);
        QFETCH(QString, applied);
        QFETCH(QString, entries);
        QFETCH(FilterStep, step);
        const std::optional<QStringView> looked =
            entries == QLatin1String("-") ? std::nullopt : std::optional<QStringView>(entries);
        QCOMPARE(Search::DecideFilterStep(text, applied, looked), step);
    }

    void characterCount_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qsizetype>("count");
        QTest::newRow("empty") << QString() << qsizetype(0);
        QTest::newRow("ascii") << QStringLiteral("Desktop") << qsizetype(7);
        QTest::newRow("surrogate pair") << QStringLiteral("a\U0001F418") << qsizetype(2);
        QTest::newRow("lone low surrogate") << QString(QChar(0xDC00)) << qsizetype(1);
    }

    void characterCount()
    {
        QFETCH(QString, text);
        QFETCH(qsizetype, count);
        QCOMPARE(Search::CharacterCount(text), count);
    }

    // The caret moves left by the characters removed in front of it.
    void caretAfterCleaning_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("cleaned");
        QTest::addColumn<int>("caret");
        QTest::addColumn<int>("after");
        QTest::newRow("nothing removed") << "Desktop"
                                         << "Desktop" << 3 << 3;
        QTest::newRow("removed behind the caret") << "Desk top"
                                                  << "Desktop" << 2 << 2;
        QTest::newRow("removed in front") << "a(x) b"
                                          << "axb" << 5 << 2;
        QTest::newRow("at the start") << " Desktop"
                                      << "Desktop" << 1 << 0;
        QTest::newRow("caret past the end") << "ab,"
                                            << "ab" << 10 << 2;
        QTest::newRow("repeated letters") << "aa a"
                                          << "aaa" << 4 << 3;
    }

    void caretAfterCleaning()
    {
        QFETCH(QString, typed);
        QFETCH(QString, cleaned);
        QFETCH(int, caret);
        QFETCH(int, after);
        QCOMPARE(Search::CaretAfterCleaning(typed, cleaned, caret), after);
    }
};

VANTREL_TEST_MAIN_CORE(TestSearchFilter)
#include "tst_searchfilter.moc"
