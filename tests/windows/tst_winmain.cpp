// The main window driven like a user: keys into the search field, clicks on lists, headers and
// buttons. Expected rows come from the compiled-in catalogue and the loaded keyword index.

#include "common/GuiTestMain.h"

#include "BrowserTestSupport.h"

#include "toolkit/DateTime.h"
#include "toolkit/UserFolders.h"

#include <QAccessible>
#include <QAction>
#include <QClipboard>
#include <QHeaderView>
#include <QImage>

#include <memory>

using namespace BrowserTest;

class TestWinMain : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Fixture> m_fx;
    BrowserWindow *m_w = nullptr;

    // Types one key the way the user would: a character, or "<BS>" for backspace.
    void type(const QString &key)
    {
        if (key == QLatin1String("<BS>"))
            QTest::keyClick(m_w->tfSearch(), Qt::Key_Backspace);
        else
            QTest::keyClicks(m_w->tfSearch(), key);
    }

    void requireKeyword(const QString &keyword)
    {
        QVERIFY2(!ModGlobal::KeywordEntries(keyword).isEmpty(),
                 qPrintable(QStringLiteral("\"%1\" is not a keyword of the index").arg(keyword)));
    }

private slots:
    void init()
    {
        m_fx = std::make_unique<Fixture>();
        m_w = winMain();
        m_w->activateWindow();
        m_w->tfSearch()->setFocus();
    }

    void cleanup()
    {
        m_w = nullptr;
        m_fx.reset();
    }

    // -----------------------------------------------------------------------------------------
    // Opening

    void opensWithBothCataloguesLoaded()
    {
        const QStringList lines = catalogueLines();
        QCOMPARE(m_w->lbRecent()->RowCount(), lines.size());
        for (int r = 0; r < lines.size(); ++r)
            QCOMPARE(shownRows(m_w->lbRecent()).at(r), cells(lines.at(r), 5));
        QCOMPARE(shownRows(m_w->lbRecent()).first(),
                 (QStringList{"1", "DesktopListBox.CellBold", "Deprec", "2022r1", "DesktopListBox.CellBoldAt"}));

        const QStringList old = Catalogue::OLD_DEPRECATIONS_TEXT().split(QLatin1Char('\n'));
        QCOMPARE(m_w->lbHistory()->RowCount(), old.size());
        for (int r = 0; r < old.size(); ++r)
            QCOMPARE(shownRows(m_w->lbHistory()).at(r), cells(old.at(r), 4));
        QCOMPARE(m_w->lbHistory()->CellTextAt(0, 0), QStringLiteral("001"));

        QCOMPARE(m_w->lbSearch()->RowCount(), 0);
        QCOMPARE(Shown::of(m_w), Shown::initial());
        QCOMPARE(m_w->tfSelectRecent()->Text(), QStringLiteral("*"));
        QCOMPARE(m_w->tfSelectedSearchLine()->Text(), QStringLiteral("*"));
        QCOMPARE(m_w->labSelectedHistoryLine()->Text(), QStringLiteral("*"));
        QCOMPARE(m_w->tfSearch()->Text(), QString());
        QVERIFY(m_w->lbRecent()->isVisible());
        QVERIFY(m_w->lbHistory()->isVisible());
        QVERIFY(m_w->pbTest()->isHidden());
    }

    void opensWithTheCarriedSearchText()
    {
        requireKeyword(QStringLiteral("DesktopButton"));
        closeAllBrowserWindows();
        ModGlobal::theFilter = QStringLiteral("DesktopButton");
        m_w = winMain();
        QCOMPARE(m_w->tfSearch()->Text(), QStringLiteral("DesktopButton"));
        QCOMPARE(Shown::of(m_w), Shown::applied(QStringLiteral("DesktopButton")));
    }

    void windowAttributes()
    {
        QCOMPARE(m_w->windowTitle(), QStringLiteral("Vantrel"));
        QCOMPARE(m_w->objectName(), QStringLiteral("winMain"));
        QCOMPARE(QSize(m_w->Width(), m_w->Height()), QSize(1000, 800));
        QVERIFY(!(m_w->windowFlags() & Qt::WindowCloseButtonHint));
        QVERIFY(m_w->windowFlags() & Qt::WindowMinimizeButtonHint);
        QVERIFY(m_w->windowFlags() & Qt::WindowMaximizeButtonHint);
        QCOMPARE(m_w->lbRecent()->Headers(), (QStringList{"Chrono", "Name", "Status", "When", "Now"}));
        QCOMPARE(m_w->lbSearch()->Headers(), (QStringList{"Chrono", "Name", "Status", "When", "Now"}));
        QCOMPARE(m_w->lbHistory()->Headers(), (QStringList{"Chrono", "Name", "Status", "When"}));
    }

    // The texts and looks a user sees, and the names a screen reader reads.
    void controlsLookAndNames_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("accessibleName");
        QTest::addColumn<QString>("toolTip");

        QTest::newRow("search") << "tfSearch"
                                << "Search"
                                << "";
        QTest::newRow("recent") << "lbRecent"
                                << "Current deprecations"
                                << "";
        QTest::newRow("filtered") << "lbSearch"
                                  << "Filtered list"
                                  << "";
        QTest::newRow("old") << "lbHistory"
                             << "Old deprecations"
                             << "";
        QTest::newRow("help 1") << "pbHelp1"
                                << "Help: Overview"
                                << "";
        QTest::newRow("help 2") << "pbHelp2"
                                << "Help: Old Deprecations"
                                << "";
        QTest::newRow("help 3") << "pbHelp3"
                                << "Help: Search Field"
                                << "";
        QTest::newRow("help 4") << "pbHelp4"
                                << "Help: Filtered List"
                                << "";
        QTest::newRow("keyword") << "labSearch"
                                 << "Current filter word: none yet"
                                 << "Current filter word";
        QTest::newRow("count") << "labSearchNum"
                               << "Number of hits: none yet"
                               << "Displays the number of entries tn the middle listbox which is displaying the "
                                  "filtered list.";
        QTest::newRow("elephant") << "pbElephant"
                                  << "Enlarge filtered list"
                                  << "Maximize Filtered (green) Listbox";
        QTest::newRow("quit") << "pbQuit"
                              << "Quit"
                              << "";
    }

    void controlsLookAndNames()
    {
        QFETCH(QString, control);
        QFETCH(QString, accessibleName);
        QFETCH(QString, toolTip);
        QWidget *w = m_w->control(control);
        QVERIFY(w);
        QCOMPARE(w->accessibleName(), accessibleName);
        QCOMPARE(w->toolTip(), toolTip);
    }

    void everyControlHasAnAccessibleName()
    {
        const QList<QWidget *> controls = m_w->content()->controls();
        QCOMPARE(controls.size(), 18);
        for (QWidget *w : controls)
            QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
    }

    // A screen reader reads a label by its accessible name alone, so the labels that carry the
    // result (keyword, hit count, selected old entry) must name what they show, not only what
    // they are; the starting markers are told apart from the cleared state.
    void screenReaderReadsTheResultLabels()
    {
        requireKeyword(QStringLiteral("Desktop"));
        auto spoken = [](QWidget *w) { return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name); };
        QCOMPARE(spoken(m_w->labSearch()), QStringLiteral("Current filter word: none yet"));
        QCOMPARE(spoken(m_w->labSearchNum()), QStringLiteral("Number of hits: none yet"));
        QCOMPARE(spoken(m_w->labSelectedHistoryLine()), QStringLiteral("Selected old deprecation: none yet"));
        QCOMPARE(spoken(m_w->tfSelectRecent()), QStringLiteral("Selected current deprecation: none yet"));
        QCOMPARE(spoken(m_w->tfSelectedSearchLine()), QStringLiteral("Selected filtered entry: none yet"));

        QTest::keyClicks(m_w->tfSearch(), QStringLiteral("Desktop"));
        QCOMPARE(spoken(m_w->labSearch()), QStringLiteral("Current filter word: Desktop"));
        QCOMPARE(spoken(m_w->labSearchNum()),
                 QStringLiteral("Number of hits: ") + Search::HitCountText(entryCount(QStringLiteral("Desktop"))));
        m_w->lbHistory()->setSelectedRowIndex(0);
        QCOMPARE(spoken(m_w->labSelectedHistoryLine()),
                 QStringLiteral("Selected old deprecation: ") + m_w->lbHistory()->CellTextAt(0, 1));
        m_w->lbSearch()->setSelectedRowIndex(0);
        QCOMPARE(spoken(m_w->tfSelectedSearchLine()), QStringLiteral("Selected filtered entry"));
        m_w->lbSearch()->setSelectedRowIndex(-1);
        QCOMPARE(spoken(m_w->tfSelectedSearchLine()), QStringLiteral("Selected filtered entry: none"));

        QTest::keyClick(m_w->tfSearch(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(m_w->tfSearch(), Qt::Key_Backspace);
        QCOMPARE(m_w->labSearch()->Text(), QString());
        QCOMPARE(spoken(m_w->labSearch()), QStringLiteral("Current filter word: none"));
        QCOMPARE(spoken(m_w->labSearchNum()), QStringLiteral("Number of hits: none"));
    }

    // Without a mouse: the window opens with the focus in the search field, Tab moves through the
    // lists, Ctrl+F comes back to the field with its text selected, ready to be typed over.
    void keyboardPath()
    {
        requireKeyword(QStringLiteral("Desktop"));
        m_w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_w));
        QCOMPARE(QApplication::focusWidget(), m_w->tfSearch());

        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Desktop"));
        QCOMPARE(Shown::of(m_w), Shown::applied(QStringLiteral("Desktop")));

        QStringList visited;
        for (int i = 0; i < 5; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited.append(QApplication::focusWidget()->objectName());
        }
        QVERIFY2(visited.contains(QStringLiteral("lbRecent")) && visited.contains(QStringLiteral("lbSearch")),
                 qPrintable(visited.join(u' ')));

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), m_w->tfSearch());
        QCOMPARE(m_w->tfSearch()->selectedText(), QStringLiteral("Desktop"));
        QTest::keyClicks(m_w->tfSearch(), QStringLiteral("ListBox"));
        QCOMPARE(m_w->tfSearch()->Text(), QStringLiteral("ListBox"));
    }

    // The cleaned write-back keeps the undo history: Ctrl+Z undoes what the user typed, and the
    // filter follows the undone text.
    void undoAfterTheWriteBack_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("blank between words") << "ListBox Cell"
                                             << "ListBoxCell";
        QTest::newRow("trailing blank") << "ListBox "
                                        << "ListBox";
    }

    void undoAfterTheWriteBack()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        Toolkit::TextField *field = m_w->tfSearch();
        QTest::keyClicks(field, typed);
        QCOMPARE(field->Text(), shown);
        QVERIFY(field->isUndoAvailable());
        QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);
        // The typing is undone as a whole, as a text field undoes typing, and the display follows.
        QCOMPARE(field->Text(), QString());
        QCOMPARE(m_w->labSearch()->Text(), QString());
        QCOMPARE(m_w->lbSearch()->RowCount(), 0);
    }

    void fontsColoursAndGlyphs()
    {
        QVERIFY(m_w->labSearch()->font().bold());
        QCOMPARE(m_w->labSearch()->palette().color(QPalette::WindowText), QColor(4, 51, 255));
        const QFont count = m_w->labSearchNum()->font();
        QVERIFY(count.bold());
        QCOMPARE(count.pixelSize(), 18);
        QCOMPARE(m_w->labSearchNum()->palette().color(QPalette::WindowText), QColor(0, 144, 20));
        QVERIFY(m_w->labSearchNum()->alignment() & Qt::AlignHCenter);
        QCOMPARE(m_w->tfSelectedSearchLine()->palette().color(QPalette::Base), QColor(236, 255, 244));
        QCOMPARE(m_w->tfSelectedSearchLine()->palette().color(QPalette::Text), QColor(1, 25, 147));
        QCOMPARE(m_w->tfSelectRecent()->palette().color(QPalette::Text), QColor(1, 25, 147));
        QCOMPARE(m_w->labSelectedHistoryLine()->palette().color(QPalette::WindowText), QColor(1, 25, 147));
        QVERIFY(!m_w->tfSearch()->font().bold());

        QCOMPARE(m_w->labMagGlass()->Text(), QString::fromUcs4(U"\U0001F50D\r"));
        QCOMPARE(m_w->pbElephant()->text(), QString::fromUcs4(U"\U0001F418"));
        QCOMPARE(m_w->pbElephant()->font().pixelSize(), 16);
        for (QWidget *w : {static_cast<QWidget *>(m_w->labMagGlass()), static_cast<QWidget *>(m_w->pbElephant())})
            QCOMPARE(w->font().families().value(0), QStringLiteral("Noto Color Emoji"));
        for (auto *b : {m_w->pbHelp1(), m_w->pbHelp2(), m_w->pbHelp3(), m_w->pbHelp4()}) {
            QCOMPARE(b->buttonStyle(), Toolkit::Button::HelpStyle);
            QVERIFY(b->text().isEmpty());
        }
    }

    // -----------------------------------------------------------------------------------------
    // Search filter, key by key

    void typing_data()
    {
        // Keys typed one by one; after each: the field's text and the display, written as the
        // keyword applied ("" cleared, "*" initial, "?" not checked because it depends on the
        // catalogue, "~K" K applied when the index holds it, else cleared).
        QTest::addColumn<QString>("before");
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QStringList>("keywords");

        QTest::newRow("Desktop, then Button")
            << "" << QStringList{"D", "e", "s", "k", "t", "o", "p", "B", "u", "t", "t", "o", "n"}
            << QStringList{"D",           "De",           "Des",          "Desk",      "Deskt",
                           "Deskto",      "Desktop",      "DesktopB",     "DesktopBu", "DesktopBut",
                           "DesktopButt", "DesktopButto", "DesktopButton"}
            << QStringList{"",
                           "",
                           "",
                           "",
                           "",
                           "",
                           "Desktop",
                           "Desktop",
                           "Desktop",
                           "Desktop",
                           "Desktop",
                           "Desktop",
                           "DesktopButton"}
            << QStringList{"Desktop", "DesktopButton"};
        QTest::newRow("deleting back")
            << "DesktopButton" << QStringList(13, "<BS>")
            << QStringList{"DesktopButto", "DesktopButt", "DesktopBut", "DesktopBu", "DesktopB", "Desktop", "Deskto",
                           "Deskt",        "Desk",        "Des",        "De",        "D",        ""}
            << QStringList{"DesktopButton",
                           "DesktopButton",
                           "DesktopButton",
                           "DesktopButton",
                           "DesktopButton",
                           "Desktop",
                           "Desktop",
                           "Desktop",
                           "Desktop",
                           "Desktop",
                           "Desktop",
                           "",
                           ""}
            << QStringList{"Desktop", "DesktopButton"};
        QTest::newRow("lone x") << "" << QStringList{"x"} << QStringList{"x"} << QStringList{"x"} << QStringList{"x"};
        // A lone C is a keyword only where the index lists one; either way one character first
        // clears the display.
        QTest::newRow("lone C") << "" << QStringList{"C"} << QStringList{"C"} << QStringList{"~C"} << QStringList{};
        QTest::newRow("lone B") << "" << QStringList{"B"} << QStringList{"B"} << QStringList{"B"} << QStringList{"B"};
        QTest::newRow("Desktop Button with a blank")
            << "Desktop" << QStringList{" ", "B", "u", "t", "t", "o", "n"}
            << QStringList{"Desktop",     "DesktopB",     "DesktopBu",    "DesktopBut",
                           "DesktopButt", "DesktopButto", "DesktopButton"}
            << QStringList{"Desktop", "Desktop", "Desktop", "Desktop", "Desktop", "Desktop", "DesktopButton"}
            << QStringList{"Desktop", "DesktopButton"};
        QTest::newRow("Cell,Bold") << "Cell" << QStringList{",", "B", "o", "l", "d"}
                                   << QStringList{"Cell", "CellB", "CellBo", "CellBol", "CellBold"}
                                   << QStringList{"?", "?", "?", "?", "CellBold"} << QStringList{"CellBold"};
        QTest::newRow("(ListBox)") << "" << QStringList{"(", "L", "i", "s", "t", "B", "o", "x", ")"}
                                   << QStringList{"(",     "L",      "Li",      "Lis",    "List",
                                                  "ListB", "ListBo", "ListBox", "ListBox"}
                                   << QStringList{"", "?", "?", "?", "?", "?", "?", "ListBox", "ListBox"}
                                   << QStringList{"ListBox"};
        QTest::newRow("ListBox.") << "ListBox" << QStringList{"."} << QStringList{"ListBox."} << QStringList{"ListBox."}
                                  << QStringList{"ListBox."};
        QTest::newRow("lone ( stays, a letter after it removes it")
            << "" << QStringList{"(", "D"} << QStringList{"(", "D"} << QStringList{"", ""} << QStringList{};
        QTest::newRow("NoReplacement") << "NoReplacemen" << QStringList{"t"} << QStringList{"NoReplacement"}
                                       << QStringList{"NoReplacement"} << QStringList{"NoReplacement"};
        QTest::newRow("No Replacement") << "No"
                                        << QStringList{" ", "R", "e", "p", "l", "a", "c", "e", "m", "e", "n", "t"}
                                        << QStringList{"No",         "NoR",         "NoRe",         "NoRep",
                                                       "NoRepl",     "NoRepla",     "NoReplac",     "NoReplace",
                                                       "NoReplacem", "NoReplaceme", "NoReplacemen", "NoReplacement"}
                                        << QStringList{"?", "?", "?", "?", "?", "?",
                                                       "?", "?", "?", "?", "?", "NoReplacement"}
                                        << QStringList{"NoReplacement"};
    }

    void typing()
    {
        QFETCH(QString, before);
        QFETCH(QStringList, keys);
        QFETCH(QStringList, fields);
        QFETCH(QStringList, shown);
        QFETCH(QStringList, keywords);
        for (const QString &k : keywords)
            requireKeyword(k);

        QTest::keyClicks(m_w->tfSearch(), before);
        QCOMPARE(m_w->tfSearch()->Text(), before);
        for (int i = 0; i < keys.size(); ++i) {
            type(keys.at(i));
            const QByteArray step = QStringLiteral("after key %1 (\"%2\")").arg(i + 1).arg(keys.at(i)).toUtf8();
            QVERIFY2(m_w->tfSearch()->Text() == fields.at(i), step.constData());
            QString s = shown.at(i);
            if (s == QLatin1String("?"))
                continue;
            if (s.startsWith(QLatin1Char('~')))
                s = ModGlobal::KeywordEntries(s.mid(1)).isEmpty() ? QString() : s.mid(1);
            const Shown expected = s.isEmpty() ? Shown::cleared()
                : s == QLatin1String("*")      ? Shown::initial()
                                               : Shown::applied(s);
            const Shown actual = Shown::of(m_w);
            if (!(actual == expected))
                QFAIL(qPrintable(QStringLiteral("%1: shows %2, expected %3")
                                     .arg(QString::fromUtf8(step), QString::fromUtf8(describe(actual)),
                                          QString::fromUtf8(describe(expected)))));
        }
    }

    void sameKeywordInOtherCaseChangesNothing()
    {
        requireKeyword(QStringLiteral("Desktop"));
        QTest::keyClicks(m_w->tfSearch(), QStringLiteral("Desktop"));
        QGuiApplication::clipboard()->setText(QStringLiteral("DESKTOP"));
        m_w->tfSearch()->selectAll();
        m_w->tfSearch()->paste();
        QCOMPARE(m_w->tfSearch()->Text(), QStringLiteral("DESKTOP"));
        QCOMPARE(Shown::of(m_w), Shown::applied(QStringLiteral("Desktop")));
    }

    void filteredRowsAreInAscendingEntryOrder()
    {
        requireKeyword(QStringLiteral("Desktop"));
        QTest::keyClicks(m_w->tfSearch(), QStringLiteral("Desktop"));
        const Toolkit::ListBox *list = m_w->lbSearch();
        QVERIFY(list->RowCount() > 1);
        for (int r = 1; r < list->RowCount(); ++r)
            QVERIFY(list->CellTextAt(r - 1, 0).toInt() < list->CellTextAt(r, 0).toInt());
    }

    // The largest count must be readable in full, not clipped by its 70-point label.
    void hitCountFitsItsLabel()
    {
        requireKeyword(QStringLiteral("Desktop"));
        QTest::keyClicks(m_w->tfSearch(), QStringLiteral("Desktop"));
        const Toolkit::Label *count = m_w->labSearchNum();
        QCOMPARE(count->Text(), Search::HitCountText(entryCount(QStringLiteral("Desktop"))));
        QVERIFY(QFontMetrics(count->font()).horizontalAdvance(count->text()) <= count->contentsRect().width());
        QVERIFY(count->font().bold());
        QVERIFY(count->font().pixelSize() >= 12);
    }

    void noReplacementRowsAllSayNoReplacement()
    {
        requireKeyword(QStringLiteral("NoReplacement"));
        QTest::keyClicks(m_w->tfSearch(), QStringLiteral("NoReplacement"));
        const Toolkit::ListBox *list = m_w->lbSearch();
        QCOMPARE(list->RowCount(), int(entryCount(QStringLiteral("NoReplacement"))));
        for (int r = 0; r < list->RowCount(); ++r)
            QCOMPARE(list->CellTextAt(r, 4), QStringLiteral("No Replacement"));
    }

    // The caret stays where the user was typing when the cleaned text is written back.
    void caretAfterCleaning_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("caretAfter");

        QTest::newRow("comma at the end") << "Desktop" << 7 << ","
                                          << "Desktop" << 7;
        QTest::newRow("blank in the middle") << "Desktop" << 3 << " "
                                             << "Desktop" << 3;
        QTest::newRow("three removed before the caret") << "ab" << 1 << "(x) "
                                                        << "axb" << 2;
        QTest::newRow("blanks around a pasted letter") << "ab" << 1 << " x "
                                                       << "axb" << 2;
        QTest::newRow("blank at the start") << "Desktop" << 0 << " "
                                            << "Desktop" << 0;
    }

    void caretAfterCleaning()
    {
        QFETCH(QString, start);
        QFETCH(int, caret);
        QFETCH(QString, pasted);
        QFETCH(QString, field);
        QFETCH(int, caretAfter);

        Toolkit::TextField *tf = m_w->tfSearch();
        tf->setTextValue(start);
        tf->setCursorPosition(caret);
        if (pasted.size() == 1) {
            QTest::keyClicks(tf, pasted);
        } else {
            QGuiApplication::clipboard()->setText(pasted);
            tf->paste();
        }
        QCOMPARE(tf->Text(), field);
        QCOMPARE(tf->cursorPosition(), caretAfter);
    }

    // With the maps absent every run that reaches the lookup opens one report, so the
    // reports count the runs: one per typed letter, two for a character that is removed.
    void failingFilterReportsOncePerRun_data()
    {
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QList<int>>("reportsAfterEachKey");

        QTest::newRow("letters") << QStringList{"a", "b", "c"} << QList<int>{1, 2, 3};
        QTest::newRow("removed blank") << QStringList{"a", "b", " "} << QList<int>{1, 2, 4};
        QTest::newRow("removed comma then letter") << QStringList{"D", ",", "e"} << QList<int>{1, 3, 4};
    }

    void failingFilterReportsOncePerRun()
    {
        QFETCH(QStringList, keys);
        QFETCH(QList<int>, reportsAfterEachKey);
        ModGlobal::resetForTests();
        for (int i = 0; i < keys.size(); ++i) {
            type(keys.at(i));
            QCOMPARE(m_fx->reports.size(), reportsAfterEachKey.at(i));
        }
        for (const QString &report : std::as_const(m_fx->reports)) {
            QVERIFY2(report.startsWith(QStringLiteral("NilObjectException in winMain.DoSearchFilter\n\n"
                                                      "WINDOW: winMain\nMETHOD: DoSearchFilter\n")),
                     qPrintable(report));
        }
    }

    // -----------------------------------------------------------------------------------------
    // Selection lines

    void selectionLines_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("entry"); // column 0 of the row; "NR" = first "No Replacement" row
        QTest::addColumn<QString>("line");

        QTest::newRow("entry 1") << "lbRecent"
                                 << "1"
                                 << "DesktopListBox.CellBold   *   DesktopListBox.CellBoldAt";
        QTest::newRow("entry 80, no replacement cell") << "lbRecent"
                                                       << "80"
                                                       << "Auto (using Variant)";
        QTest::newRow("No Replacement") << "lbRecent"
                                        << "NR"
                                        << "";
        // The old catalogue's own name for 003 (the line is its name cell alone).
        QTest::newRow("old entry 003") << "lbHistory"
                                       << "003"
                                       << "";
    }

    void selectionLines()
    {
        QFETCH(QString, list);
        QFETCH(QString, entry);
        QFETCH(QString, line);
        auto *lb = qobject_cast<Toolkit::ListBox *>(m_w->control(list));
        int row = -1;
        if (entry == QLatin1String("NR")) {
            row = findRow(lb, 4, QStringLiteral("No Replacement"));
            QVERIFY(row >= 0);
            line = lb->CellTextAt(row, 1) + QStringLiteral("   *   No Replacement");
        } else {
            row = findRow(lb, 0, entry);
            QVERIFY2(row >= 0, qPrintable(entry));
        }
        if (list == QLatin1String("lbHistory")) {
            for (const QString &old : Catalogue::OLD_DEPRECATIONS_TEXT().split(QLatin1Char('\n'))) {
                if (old.startsWith(entry + QLatin1Char('\t')))
                    line = cells(old, 4).at(1);
            }
            QVERIFY(!line.isEmpty());
        }
        auto shownLine = [&] {
            return list == QLatin1String("lbHistory") ? m_w->labSelectedHistoryLine()->Text()
                                                      : m_w->tfSelectRecent()->Text();
        };

        // A click on the row, as the user selects it.
        lb->scrollTo(lb->model()->index(row, 1));
        const QRect cell = lb->visualRect(lb->model()->index(row, 1));
        QTest::mouseClick(lb->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(lb->SelectedRowIndex(), row);
        QCOMPARE(shownLine(), line);

        // Deselecting empties the line.
        lb->setSelectedRowIndex(-1);
        QCOMPARE(shownLine(), QString());
    }

    void filteredListSelectionLine()
    {
        requireKeyword(QStringLiteral("Desktop"));
        QTest::keyClicks(m_w->tfSearch(), QStringLiteral("Desktop"));
        const QStringList first = expectedRows(QStringLiteral("Desktop")).first();
        m_w->lbSearch()->setSelectedRowIndex(0);
        QCOMPARE(m_w->tfSelectedSearchLine()->Text(),
                 first.at(4).isEmpty() ? first.at(1) : first.at(1) + QStringLiteral("   *   ") + first.at(4));
        QCOMPARE(m_w->tfSelectRecent()->Text(), QStringLiteral("*"));
        m_w->lbSearch()->setSelectedRowIndex(-1);
        QCOMPARE(m_w->tfSelectedSearchLine()->Text(), QString());
    }

    // -----------------------------------------------------------------------------------------
    // Header sorting

    void sortingTheTopListKeepsTheFilterRight_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("clicks");
        QTest::newRow("Name") << 1 << 1;
        QTest::newRow("Name, descending") << 1 << 2;
        QTest::newRow("Chrono, descending") << 0 << 2;
        QTest::newRow("Now") << 4 << 1;
    }

    void sortingTheTopListKeepsTheFilterRight()
    {
        QFETCH(int, column);
        QFETCH(int, clicks);
        requireKeyword(QStringLiteral("Desktop"));
        Toolkit::ListBox *recent = m_w->lbRecent();
        QHeaderView *header = recent->horizontalHeader();
        const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                        header->height() / 2);
        for (int i = 0; i < clicks; ++i)
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(header->sortIndicatorSection(), column);

        QTest::keyClicks(m_w->tfSearch(), QStringLiteral("Desktop"));
        QCOMPARE(Shown::of(m_w), Shown::applied(QStringLiteral("Desktop")));
    }

    // A refill shows the new keyword's rows in entry order whatever header the user sorted the
    // filtered list by, and the header no longer claims a sort.
    void refillAfterSortingTheFilteredListIsInEntryOrder()
    {
        requireKeyword(QStringLiteral("Desktop"));
        requireKeyword(QStringLiteral("ListBox"));
        QTest::keyClicks(m_w->tfSearch(), QStringLiteral("Desktop"));
        Toolkit::ListBox *list = m_w->lbSearch();
        QHeaderView *header = list->horizontalHeader();
        const QPoint name(header->sectionViewportPosition(1) + header->sectionSize(1) / 2, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, name);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, name);
        QCOMPARE(header->sortIndicatorSection(), 1);

        m_w->tfSearch()->setTextValue(QString());
        QTest::keyClicks(m_w->tfSearch(), QStringLiteral("ListBox"));
        QCOMPARE(Shown::of(m_w), Shown::applied(QStringLiteral("ListBox")));
        QCOMPARE(header->sortIndicatorSection(), -1);
    }

    void chronoSortsNumerically_data()
    {
        QTest::addColumn<QString>("list");
        QTest::newRow("current") << "lbRecent";
        QTest::newRow("old") << "lbHistory";
        QTest::newRow("filtered") << "lbSearch";
    }

    void chronoSortsNumerically()
    {
        QFETCH(QString, list);
        requireKeyword(QStringLiteral("Desktop"));
        QTest::keyClicks(m_w->tfSearch(), QStringLiteral("Desktop"));
        auto *lb = qobject_cast<Toolkit::ListBox *>(m_w->control(list));
        QHeaderView *header = lb->horizontalHeader();
        const QPoint at(header->sectionSize(0) / 2, header->height() / 2);
        for (Qt::SortOrder order : {Qt::AscendingOrder, Qt::DescendingOrder}) {
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
            QCOMPARE(header->sortIndicatorOrder(), order);
            for (int r = 1; r < lb->RowCount(); ++r) {
                const int a = lb->CellTextAt(r - 1, 0).toInt();
                const int b = lb->CellTextAt(r, 0).toInt();
                QVERIFY2(order == Qt::AscendingOrder ? a <= b : a >= b,
                         qPrintable(QStringLiteral("%1 before %2").arg(a).arg(b)));
            }
        }
    }

    // -----------------------------------------------------------------------------------------
    // Painting: the filtered list is pale green wherever it paints, the selection still shows.

    void filteredListPaintsGreen()
    {
        const QColor green(240, 255, 240);
        Toolkit::ListBox *list = m_w->lbSearch();
        auto pixel = [list](QPoint p) {
            return list->viewport()->grab().toImage().pixelColor(p * list->devicePixelRatioF());
        };

        // Empty: the whole area below the (absent) rows.
        QCOMPARE(pixel(QPoint(list->viewport()->width() / 2, list->viewport()->height() / 2)), green);

        requireKeyword(QStringLiteral("Desktop"));
        QTest::keyClicks(m_w->tfSearch(), QStringLiteral("Desktop"));
        const QRect cell = list->visualRect(list->model()->index(0, 0));
        const QPoint blank(cell.right() - 4, cell.center().y()); // right of the short entry number
        QCOMPARE(pixel(blank), green);

        list->setSelectedRowIndex(0);
        QVERIFY(pixel(blank) != green);
        if (list->RowCount() > 1) {
            const QRect next = list->visualRect(list->model()->index(1, 0));
            QCOMPARE(pixel(QPoint(next.right() - 4, next.center().y())), green);
        }
    }

    // -----------------------------------------------------------------------------------------
    // Size

    void resizing_data()
    {
        QTest::addColumn<int>("dw");
        QTest::addColumn<int>("dh");
        QTest::newRow("100 taller") << 0 << 100;
        QTest::newRow("100 wider") << 100 << 0;
    }

    void resizing()
    {
        QFETCH(int, dw);
        QFETCH(int, dh);
        QHash<QString, QRect> before;
        for (QWidget *w : m_w->content()->controls())
            before.insert(w->objectName(), w->geometry());
        m_w->setWidth(m_w->Width() + dw);
        m_w->setHeight(m_w->Height() + dh);
        QCOMPARE(QSize(m_w->Width(), m_w->Height()), QSize(1000 + dw, 800 + dh));

        auto moved = [&](const char *name) {
            const QRect b = before.value(QLatin1String(name));
            const QRect a = m_w->control(QLatin1String(name))->geometry();
            return QRect(a.x() - b.x(), a.y() - b.y(), a.width() - b.width(), a.height() - b.height());
        };
        // Along the top edge nothing moves.
        for (const char *top : {"pbHelp1", "pbHelp3", "labMagGlass", "tfSearch", "labSearch", "labSearchNum"})
            QCOMPARE(moved(top), QRect());
        if (dh) {
            QCOMPARE(moved("lbRecent"), QRect(0, 0, 0, dh));
            for (const char *below :
                 {"tfSelectRecent", "lbSearch", "tfSelectedSearchLine", "rectDivideLine", "lbHistory",
                  "labSelectedHistoryLine", "pbHelp2", "pbHelp4", "pbElephant", "pbQuit", "pbTest"})
                QCOMPARE(moved(below), QRect(0, dh, 0, 0));
        } else {
            for (const char *wide : {"lbRecent", "lbSearch", "lbHistory", "tfSelectRecent", "tfSelectedSearchLine",
                                     "labSelectedHistoryLine", "rectDivideLine"})
                QCOMPARE(moved(wide), QRect(0, 0, dw, 0));
            for (const char *right : {"pbQuit", "pbHelp4", "pbElephant", "pbTest"})
                QCOMPARE(moved(right), QRect(dw, 0, 0, 0));
            QCOMPARE(moved("pbHelp2"), QRect());
        }
    }

    void sizeLimits_data()
    {
        QTest::addColumn<QSize>("asked");
        QTest::addColumn<QSize>("got");
        QTest::newRow("too small") << QSize(500, 400) << QSize(800, 600);
        QTest::newRow("too large") << QSize(4000, 4000) << QSize(2500, 3000);
        QTest::newRow("within") << QSize(1400, 900) << QSize(1400, 900);
    }

    void sizeLimits()
    {
        QFETCH(QSize, asked);
        QFETCH(QSize, got);
        m_w->setWidth(asked.width());
        m_w->setHeight(asked.height());
        QCOMPARE(QSize(m_w->Width(), m_w->Height()), got);
    }

    // -----------------------------------------------------------------------------------------
    // Commands

    void helpButtons_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("title");
        QTest::newRow("1") << "pbHelp1"
                           << "Overview";
        QTest::newRow("2") << "pbHelp2"
                           << "Old Deprecations";
        QTest::newRow("3") << "pbHelp3"
                           << "Search Field";
        QTest::newRow("4") << "pbHelp4"
                           << "Filtered List";
    }

    void helpButtons()
    {
        QFETCH(QString, button);
        QFETCH(QString, title);
        QTest::mouseClick(m_w->control(button), Qt::LeftButton);
        QCOMPARE(m_fx->helpRequests.size(), 1);
        QCOMPARE(m_fx->helpRequests.first().title, title);
        QVERIFY(!m_fx->helpRequests.first().content.isEmpty());
    }

    void quitButtonQuitsWithZero()
    {
        QTest::mouseClick(m_w->pbQuit(), Qt::LeftButton);
        QCOMPARE(m_fx->quitRequests, QList<int>{0});
        QVERIFY(m_fx->messages.messages.isEmpty());
    }

    void hiddenTestButton()
    {
        QVERIFY(m_w->pbTest()->isHidden());
        m_w->pbTest()->click();
        QCOMPARE(m_fx->messages.messages, (QStringList{"abcde", "Task Complete"}));
    }

    void sampleMenuItems_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("message");
        QTest::newRow("Sample One: the window's") << "SampleSampleOne"
                                                  << "SampleOne: winMain Override";
        QTest::newRow("Sample Two: the application's") << "SampleSampleTwo"
                                                       << "SampleTwo: App";
    }

    void sampleMenuItems()
    {
        QFETCH(QString, item);
        QFETCH(QString, message);
        QAction *action = m_w->menuItem(item);
        QVERIFY(action);
        action->trigger();
        QCOMPARE(m_fx->messages.messages, QStringList{message});
    }

    void failingSampleOneFallsThroughToTheApplication()
    {
        int shown = 0;
        m_fx->messages.onMessage = [&shown](const QString &) {
            if (shown++ == 0)
                throw NilObjectException(QStringLiteral("no message box"), 3);
        };
        m_w->menuItem(QStringLiteral("SampleSampleOne"))->trigger();
        QCOMPARE(m_fx->messages.messages, (QStringList{"SampleOne: winMain Override", "SampleOne: App"}));
        QCOMPARE(m_fx->reports.size(), 1);
        QVERIFY(m_fx->reports.first().startsWith(
            QStringLiteral("NilObjectException in winMain.SampleSampleOne\n\nAPP:  SampleSampleOne\n")));
    }

    void menuItemAccessors()
    {
        for (const char *name : {"HelpMenu", "miAbout", "SampleMenu", "SampleSampleTwo", "SampleSampleOne", "EditMenu",
                                 "EditSelectAll", "EditSeparator2", "EditClear", "EditPaste", "EditCopy", "EditCut",
                                 "EditSeparator1", "EditUndo", "FileMenu", "FileQuit"})
            QVERIFY2(m_w->menuItem(QLatin1String(name)), name);
        QCOMPARE(m_w->menuItem(QStringLiteral("FileQuit"))->objectName(), QStringLiteral("FileQuit"));
        QCOMPARE(m_w->menuItem(QStringLiteral("miAbout"))->text(), QStringLiteral("About Vantrel"));
        QVERIFY(!m_w->menuItem(QStringLiteral("NoSuchItem")));
    }

    void printWritesTheTextToTheDesktop()
    {
        Toolkit::PinnedClock clock(Toolkit::DateTime{2023, 4, 11, 23, 42, 36, 0});
        QStringList order;
        m_fx->messages.onMessage = [&order](const QString &) {
            order << QStringLiteral("message");
            QVERIFY(!QDir(Toolkit::SpecialFolder::Desktop()).exists(QStringLiteral("230411_234236PrintWinMain.txt")));
        };
        m_w->Print(QStringLiteral("abc"));
        QCOMPARE(m_fx->messages.messages, QStringList{"Asked to print something"});
        QFile file(Toolkit::SpecialFolder::Desktop() + QStringLiteral("/230411_234236PrintWinMain.txt"));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        QCOMPARE(file.readAll(), QByteArray("abc"));
        QCOMPARE(order, QStringList{"message"});
    }

    void wordListMethods()
    {
        QCOMPARE(m_w->ArrayRemoveDuplicates({"b", "a", "B", "c", "a"}), (QStringList{"b", "a", "c"}));
        QCOMPARE(m_w->MakeKeywordList(QStringLiteral("247 Address.\n248 Address.\n249 Zip")),
                 QStringLiteral("Address. 247 248\nZip 249"));
    }

    // -----------------------------------------------------------------------------------------
    // Closing

    void windowManagerCloseEndsTheProgram()
    {
        QPointer<BrowserWindow> w = m_w;
        QVERIFY(m_w->close());
        QCOMPARE(m_fx->quitRequests, QList<int>{0});
        QVERIFY(!BrowserWindow::existing(BrowserWindow::Layout::Main));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(w.isNull());
        m_w = nullptr;
    }
};

VANTREL_TEST_MAIN_GUI(TestWinMain)
#include "tst_winmain.moc"
