#include "common/GuiTestMain.h"

#include "toolkit/ListBox.h"
#include "toolkit/RuntimeException.h"

#include <QHeaderView>
#include <QImage>
#include <QPainter>
#include <QScrollBar>

using Toolkit::Graphics;
using Toolkit::ListBox;

namespace {

const QColor kGreen(240, 255, 240);

QList<QStringList> shownRows(const ListBox &list)
{
    QList<QStringList> rows;
    for (int r = 0; r < list.RowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < list.ColumnCount(); ++c)
            cells.append(list.CellTextAt(r, c));
        rows.append(cells);
    }
    return rows;
}

QStringList shownColumn(const ListBox &list, int column)
{
    QStringList cells;
    for (int r = 0; r < list.RowCount(); ++r)
        cells.append(list.CellTextAt(r, column));
    return cells;
}

// A list on screen with its viewport exactly `viewportWidth` wide (no rows, no scroll bar).
void showWithViewportWidth(ListBox &list, int viewportWidth, int height = 240)
{
    list.resize(viewportWidth + 2 * list.frameWidth(), height);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    QCOMPARE(list.viewport()->width(), viewportWidth);
}

void clickHeader(ListBox &list, int column)
{
    QHeaderView *header = list.horizontalHeader();
    const QPoint pos(header->sectionViewportPosition(column) + header->sectionSize(column) / 2, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, pos);
}

QPoint cellCentre(ListBox &list, int row, int column)
{
    return list.visualRect(list.model()->index(row, column)).center();
}

// Pixel of a grabbed list image at a viewport position.
QColor viewportPixel(const QImage &image, const ListBox &list, QPoint viewportPos)
{
    return image.pixelColor(list.viewport()->mapTo(&list, viewportPos));
}

bool isDark(const QColor &c) { return c.red() + c.green() + c.blue() < 3 * 160; }

} // namespace

class TestListBox : public QObject
{
    Q_OBJECT

private slots:
    void bulkLoad_data()
    {
        QTest::addColumn<int>("columns");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<QStringList>>("rows");

        QTest::newRow("five columns, empty cells kept")
            << 5
            << "1\tDesktopListBox.CellBold\tDeprec\t2022r1\tDesktopListBox.CellBoldAt\n"
               "80\tAuto (using Variant)\tDeprec\t2019r2\t\n"
               "988\tEndOfLine.OSX\tDeprec\t\tEndOfLine.Unix"
            << QList<QStringList>{{"1", "DesktopListBox.CellBold", "Deprec", "2022r1", "DesktopListBox.CellBoldAt"},
                                  {"80", "Auto (using Variant)", "Deprec", "2019r2", ""},
                                  {"988", "EndOfLine.OSX", "Deprec", "", "EndOfLine.Unix"}};
        QTest::newRow("fewer cells than columns")
            << 5 << "7\tX\n8" << QList<QStringList>{{"7", "X", "", "", ""}, {"8", "", "", "", ""}};
        QTest::newRow("four columns, extra cells ignored")
            << 4 << "003\tShort (use Int16)\tDeprec\t2008r1\tignored\tignored too"
            << QList<QStringList>{{"003", "Short (use Int16)", "Deprec", "2008r1"}};
        QTest::newRow("final line feed adds no row") << 4 << "001\ta\tDeprec\t2008r1\n"
                                                     << QList<QStringList>{{"001", "a", "Deprec", "2008r1"}};
        QTest::newRow("empty line inside keeps its row")
            << 2 << "a\tb\n\nc\td" << QList<QStringList>{{"a", "b"}, {"", ""}, {"c", "d"}};
        QTest::newRow("empty text") << 5 << "" << QList<QStringList>{};
    }

    void bulkLoad()
    {
        QFETCH(int, columns);
        QFETCH(QString, text);
        QFETCH(QList<QStringList>, rows);

        ListBox list(columns);
        list.setContent(QStringLiteral("old\trow\nreplaced\tby the load"));
        QSignalSpy inserted(list.model(), &QAbstractItemModel::rowsInserted);
        QSignalSpy reset(list.model(), &QAbstractItemModel::modelReset);
        list.setContent(text);

        QCOMPARE(reset.size(), 1);
        QCOMPARE(inserted.size(), 0);
        QCOMPARE(list.ColumnCount(), columns);
        QCOMPARE(list.RowCount(), rows.size());
        QCOMPARE(list.sourceRowCount(), rows.size());
        QCOMPARE(shownRows(list), rows);
        for (int r = 0; r < rows.size(); ++r)
            QCOMPARE(list.sourceRow(r), rows.at(r));
    }

    void outOfBoundsReadsThrow_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::newRow("row past end") << 2 << 0;
        QTest::newRow("negative row") << -1 << 0;
        QTest::newRow("column past end") << 0 << 4;
        QTest::newRow("negative column") << 0 << -1;
    }

    void outOfBoundsReadsThrow()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        ListBox list(4);
        list.setContent(QStringLiteral("a\tb\tc\td\ne\tf\tg\th"));
        QVERIFY_THROWS_EXCEPTION(OutOfBoundsException, list.CellTextAt(row, column));
        QVERIFY_THROWS_EXCEPTION(OutOfBoundsException, list.sourceCellTextAt(row, column));
    }

    void headersAndCreationState()
    {
        ListBox list(5);
        list.setHeaders({"Chrono", "Name", "Status", "When", "Now"});
        QCOMPARE(list.Headers(), QStringList({"Chrono", "Name", "Status", "When", "Now"}));
        QCOMPARE(list.model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Name"));
        QVERIFY(!list.horizontalHeader()->isHidden());
        QVERIFY(list.verticalHeader()->isHidden());
        QCOMPARE(list.horizontalHeader()->sortIndicatorSection(), -1);
        QCOMPARE(list.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(list.verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
        QCOMPARE(list.selectionMode(), QAbstractItemView::SingleSelection);
        QCOMPARE(list.selectionBehavior(), QAbstractItemView::SelectRows);
        QVERIFY(!list.dragEnabled());
        QVERIFY(list.showGrid());
        QVERIFY(!list.testAttribute(Qt::WA_MacShowFocusRect));
        QCOMPARE(list.horizontalHeader()->sectionResizeMode(1), QHeaderView::Interactive);
        QCOMPARE(list.verticalHeader()->sectionResizeMode(0), QHeaderView::Fixed);
        QCOMPARE(list.SelectedRowIndex(), -1);
    }

    void addAndRemoveRows()
    {
        ListBox list(3);
        list.setContent(QStringLiteral("1\ta\tx"));
        QSignalSpy inserted(list.model(), &QAbstractItemModel::rowsInserted);

        list.AddRow({"2", "b"});
        list.AddRows({{"3", "c", "z", "extra"}, {"4", "d", "w"}});
        QCOMPARE(inserted.size(), 2); // one per call, not one per row
        QCOMPARE(shownRows(list),
                 (QList<QStringList>{{"1", "a", "x"}, {"2", "b", ""}, {"3", "c", "z"}, {"4", "d", "w"}}));
        list.AddRows({});
        QCOMPARE(list.RowCount(), 4);

        list.RemoveAllRows();
        QCOMPARE(list.RowCount(), 0);
        QCOMPARE(list.sourceRowCount(), 0);
        list.AddRow({"5", "e", "v"});
        QCOMPARE(shownRows(list), (QList<QStringList>{{"5", "e", "v"}}));
    }

    void selectionByProgram()
    {
        ListBox list(2);
        list.setContent(QStringLiteral("a\t1\nb\t2\nc\t3"));
        QList<int> seen;
        list.SelectionChanged = [&] { seen.append(list.SelectedRowIndex()); };

        list.setSelectedRowIndex(1);
        QCOMPARE(list.SelectedRowIndex(), 1);
        list.setSelectedRowIndex(1); // same row: no change, no call
        list.setSelectedRowIndex(2);
        list.setSelectedRowIndex(-1);
        list.setSelectedRowIndex(-1);
        QCOMPARE(seen, QList<int>({1, 2, -1}));

        QVERIFY_THROWS_EXCEPTION(OutOfBoundsException, list.setSelectedRowIndex(3));
        QVERIFY_THROWS_EXCEPTION(OutOfBoundsException, list.setSelectedRowIndex(-2));
        QCOMPARE(seen.size(), 3);
    }

    void selectionLostByReload_data()
    {
        QTest::addColumn<bool>("removeAll");
        QTest::newRow("RemoveAllRows") << true;
        QTest::newRow("setContent") << false;
    }

    void selectionLostByReload()
    {
        QFETCH(bool, removeAll);
        ListBox list(2);
        list.setContent(QStringLiteral("a\t1\nb\t2"));
        QList<int> seen;
        list.SelectionChanged = [&] { seen.append(list.SelectedRowIndex()); };
        auto reload = [&] {
            if (removeAll)
                list.RemoveAllRows();
            else
                list.setContent(QStringLiteral("c\t3\nd\t4"));
        };

        reload(); // nothing selected: nothing to report
        QCOMPARE(seen, QList<int>());

        list.setContent(QStringLiteral("a\t1\nb\t2"));
        list.setSelectedRowIndex(1);
        seen.clear();
        reload();
        QCOMPARE(seen, QList<int>({-1}));
        QCOMPARE(list.SelectedRowIndex(), -1);

        // The list keeps working: a new selection is reported again.
        list.setContent(QStringLiteral("e\t5"));
        list.setSelectedRowIndex(0);
        QCOMPARE(seen, QList<int>({-1, 0}));
    }

    void selectionByMouse()
    {
        ListBox list(2);
        list.setContent(QStringLiteral("a\t1\nb\t2\nc\t3"));
        showWithViewportWidth(list, 300);
        QList<int> seen;
        list.SelectionChanged = [&] { seen.append(list.SelectedRowIndex()); };

        QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, cellCentre(list, 1, 0));
        QCOMPARE(list.SelectedRowIndex(), 1);
        QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, cellCentre(list, 1, 1));
        QCOMPARE(seen, QList<int>({1})); // another cell of the same row changes nothing

        QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::ControlModifier, cellCentre(list, 1, 1));
        QCOMPARE(list.SelectedRowIndex(), -1);

        QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, cellCentre(list, 2, 0));
        const int below = list.visualRect(list.model()->index(2, 0)).bottom() + 20;
        QVERIFY(below < list.viewport()->height());
        QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(10, below));
        QCOMPARE(list.SelectedRowIndex(), -1);
        QCOMPARE(seen, QList<int>({1, -1, 2, -1}));
    }

    void headerSort_data()
    {
        QTest::addColumn<bool>("numeric");
        QTest::addColumn<QStringList>("ascending");

        QTest::newRow("text") << false << QStringList({"1", "10", "100", "2", "b", "C", "x"});
        QTest::newRow("whole numbers") << true << QStringList({"1", "2", "10", "100", "b", "C", "x"});
    }

    void headerSort()
    {
        QFETCH(bool, numeric);
        QFETCH(QStringList, ascending);
        const QStringList loaded({"10", "2", "x", "100", "C", "1", "b"});

        ListBox list(2);
        list.setHeaders({"Chrono", "Name"});
        if (numeric)
            list.setNumericSortColumns({0});
        QStringList lines;
        for (int i = 0; i < loaded.size(); ++i)
            lines.append(loaded.at(i) + QLatin1Char('\t') + QString::number(i));
        list.setContent(lines.join(QLatin1Char('\n')));
        showWithViewportWidth(list, 300);
        QCOMPARE(shownColumn(list, 0), loaded);

        list.setSelectedRowIndex(0); // "10"
        int calls = 0;
        list.SelectionChanged = [&] { ++calls; };

        clickHeader(list, 0);
        QCOMPARE(list.horizontalHeader()->sortIndicatorSection(), 0);
        QCOMPARE(shownColumn(list, 0), ascending);
        // Each shown row keeps its own cells; the loaded order stays readable.
        for (int r = 0; r < list.RowCount(); ++r)
            QCOMPARE(list.CellTextAt(r, 1).toInt(), int(loaded.indexOf(list.CellTextAt(r, 0))));
        for (int r = 0; r < loaded.size(); ++r)
            QCOMPARE(list.sourceCellTextAt(r, 0), loaded.at(r));
        // The selection moves with its row, which is no change of selection.
        QCOMPARE(list.CellTextAt(list.SelectedRowIndex(), 0), QStringLiteral("10"));
        QCOMPARE(calls, 0);

        clickHeader(list, 0);
        QStringList descending = ascending;
        std::reverse(descending.begin(), descending.end());
        QCOMPARE(shownColumn(list, 0), descending);

        // Rows added under a sort take their sorted place; the loaded order gets them last.
        list.AddRow({"3", "7"});
        QCOMPARE(list.sourceCellTextAt(list.sourceRowCount() - 1, 0), QStringLiteral("3"));
        QCOMPARE(list.CellTextAt(numeric ? 5 : 3, 0), QStringLiteral("3")); // descending

        list.clearSort();
        QCOMPARE(list.horizontalHeader()->sortIndicatorSection(), -1);
        QCOMPARE(shownColumn(list, 0), loaded + QStringList({"3"}));
        QCOMPARE(list.CellTextAt(list.SelectedRowIndex(), 0), QStringLiteral("10"));
        QCOMPARE(calls, 0);
    }

    void sortedListReloads()
    {
        // A sort stays in force when the rows are replaced.
        ListBox list(1);
        list.setContent(QStringLiteral("b\na\nc"));
        list.sortByColumn(0, Qt::AscendingOrder);
        list.setContent(QStringLiteral("z\ny\nx"));
        QCOMPARE(shownColumn(list, 0), QStringList({"x", "y", "z"}));
        QCOMPARE(list.sourceRow(0), QStringList({"z"}));
    }

    void columnWidths_data()
    {
        QTest::addColumn<int>("columns");
        QTest::addColumn<QString>("widthList");
        QTest::addColumn<int>("viewportWidth");
        QTest::addColumn<QList<int>>("widths");

        QTest::newRow("five columns, remainder to last star")
            << 5 << "50,*,55,60,*" << 500 << QList<int>({50, 167, 55, 60, 168});
        QTest::newRow("five columns, even split") << 5 << "50,*,55,60,*" << 501 << QList<int>({50, 168, 55, 60, 168});
        QTest::newRow("four columns, Name takes the rest")
            << 4 << "50,*,55,60,*" << 500 << QList<int>({50, 335, 55, 60});
        QTest::newRow("columns without an entry share the rest") << 3 << "100" << 400 << QList<int>({100, 150, 150});
    }

    void columnWidths()
    {
        QFETCH(int, columns);
        QFETCH(QString, widthList);
        QFETCH(int, viewportWidth);
        QFETCH(QList<int>, widths);

        ListBox list(columns);
        list.setColumnWidths(widthList);
        showWithViewportWidth(list, viewportWidth);
        QList<int> actual;
        for (int c = 0; c < columns; ++c)
            actual.append(list.columnWidth(c));
        QCOMPARE(actual, widths);
    }

    void columnWidthsFollowResize()
    {
        ListBox list(5);
        list.setColumnWidths(QStringLiteral("50,*,55,60,*"));
        showWithViewportWidth(list, 500);
        list.resize(list.width() + 100, list.height());
        QCOMPARE(list.columnWidth(1), 217);
        QCOMPARE(list.columnWidth(4), 218);

        // A vertical scroll bar narrows the viewport; the star columns give way.
        QStringList many;
        for (int i = 0; i < 200; ++i)
            many.append(QString::number(i));
        list.setContent(many.join(QLatin1Char('\n')));
        QTRY_VERIFY(list.verticalScrollBar()->isVisible());
        const int total = 50 + list.columnWidth(1) + 55 + 60 + list.columnWidth(4);
        QCOMPARE(total, list.viewport()->width());
    }

    void draggedColumnKeepsItsWidth()
    {
        ListBox list(5);
        list.setColumnWidths(QStringLiteral("50,*,55,60,*"));
        showWithViewportWidth(list, 500);
        list.horizontalHeader()->resizeSection(1, 120); // as a drag of the header edge does
        list.resize(list.width() + 100, list.height());
        QCOMPARE(list.columnWidth(1), 120);
        QCOMPARE(list.columnWidth(4), list.viewport()->width() - 50 - 120 - 55 - 60);
    }

    // The first header click sets up the sorting: the widths stay as they were, the dragged one too.
    void firstSortKeepsTheWidths()
    {
        ListBox list(5);
        list.setColumnWidths(QStringLiteral("50,*,55,60,*"));
        list.setContent(QStringLiteral("2\tb\n1\ta"));
        showWithViewportWidth(list, 500);
        list.horizontalHeader()->resizeSection(1, 120);
        QList<int> before;
        for (int c = 0; c < 5; ++c)
            before.append(list.columnWidth(c));
        clickHeader(list, 0);
        QCOMPARE(shownColumn(list, 0), QStringList({"1", "2"}));
        QList<int> after;
        for (int c = 0; c < 5; ++c)
            after.append(list.columnWidth(c));
        QCOMPARE(after, before);
        list.resize(list.width() + 100, list.height());
        QCOMPARE(list.columnWidth(1), 120);
    }

    void paintHooks_data()
    {
        QTest::addColumn<int>("rows");
        QTest::newRow("two rows") << 2;
        QTest::newRow("no rows") << 0;
    }

    void paintHooks()
    {
        QFETCH(int, rows);
        ListBox list(3);
        list.setColumnWidths(QStringLiteral("60,*,60"));
        QStringList lines;
        for (int r = 0; r < rows; ++r)
            lines.append(QStringLiteral("%1\tName%1\tx").arg(r));
        list.setContent(lines.join(QLatin1Char('\n')));
        QSet<int> rowsPainted;
        QList<QSize> cellSizes;
        list.PaintCellBackground = [&](Graphics &g, int row, int) {
            rowsPainted.insert(row);
            cellSizes.append(QSize(g.Width(), g.Height()));
            g.DrawingColor = kGreen;
            g.FillRectangle(0, 0, g.Width(), g.Height());
            return false;
        };
        showWithViewportWidth(list, 300, 200);
        const QImage image = list.grab().toImage();

        const int rowHeight = list.verticalHeader()->defaultSectionSize();
        const int rowsBottom = rows * rowHeight;
        // Past the last row the hook is asked for the following row indexes.
        QVERIFY(rowsPainted.contains(rows));
        QVERIFY(rowsPainted.contains(rows + 1));
        // ... down to the bottom of the viewport, and no further.
        const int lastRow = *std::max_element(rowsPainted.begin(), rowsPainted.end());
        QVERIFY(lastRow * rowHeight < list.viewport()->height());
        QVERIFY((lastRow + 1) * rowHeight >= list.viewport()->height());
        // The hook's graphics is the cell: row height less the grid line.
        QVERIFY(cellSizes.contains(QSize(59, rowHeight - 1)));

        if (rows > 0) {
            const QRect cell = list.visualRect(list.model()->index(0, 1));
            QCOMPARE(cellSizes.first().height(), cell.height());
            QCOMPARE(viewportPixel(image, list, QPoint(cell.right() - 3, cell.center().y())), kGreen);
        }
        // The empty area under the rows is green too, under the same grid lines.
        const int emptyY = rowsBottom + rowHeight + rowHeight / 2;
        QCOMPARE(viewportPixel(image, list, QPoint(30, emptyY)), kGreen);
        QCOMPARE(viewportPixel(image, list, QPoint(150, emptyY)), kGreen);
        const QPoint gridV(list.horizontalHeader()->sectionViewportPosition(1) - 1, emptyY);
        QVERIFY(viewportPixel(image, list, gridV) != kGreen);
        const QPoint gridH(30, rowsBottom + 2 * rowHeight - 1);
        QVERIFY(viewportPixel(image, list, gridH) != kGreen);
    }

    void selectionHighlightOverHook_data()
    {
        QTest::addColumn<bool>("handled");
        QTest::newRow("hook lets the list paint") << false;
        QTest::newRow("hook paints the background itself") << true;
    }

    // False: the list still paints its own background, so a selected row shows the highlight.
    // True: the hook's background is all there is, on the selected row too.
    void selectionHighlightOverHook()
    {
        QFETCH(bool, handled);
        ListBox list(2);
        list.setContent(QStringLiteral("a\tb\nc\td"));
        list.PaintCellBackground = [handled](Graphics &g, int, int) {
            g.DrawingColor = kGreen;
            g.FillRectangle(0, 0, g.Width(), g.Height());
            return handled;
        };
        showWithViewportWidth(list, 200);
        list.setSelectedRowIndex(1);
        const QImage image = list.grab().toImage();

        const QRect selected = list.visualRect(list.model()->index(1, 1));
        const QRect unselected = list.visualRect(list.model()->index(0, 1));
        const QColor selectedPixel = viewportPixel(image, list, QPoint(selected.right() - 3, selected.center().y()));
        if (handled) {
            QCOMPARE(selectedPixel, kGreen);
        } else {
            QVERIFY2(selectedPixel != kGreen, qPrintable(selectedPixel.name()));
            QVERIFY(selectedPixel == list.palette().color(QPalette::Active, QPalette::Highlight)
                    || selectedPixel == list.palette().color(QPalette::Inactive, QPalette::Highlight));
        }
        QCOMPARE(viewportPixel(image, list, QPoint(unselected.right() - 3, unselected.center().y())), kGreen);
    }

    void textHook_data()
    {
        QTest::addColumn<int>("hook"); // 0 none, 1 returns false, 2 returns true
        QTest::addColumn<bool>("textDrawn");
        QTest::newRow("no hook") << 0 << true;
        QTest::newRow("hook lets the list draw") << 1 << true;
        QTest::newRow("hook suppresses the text") << 2 << false;
    }

    void textHook()
    {
        QFETCH(int, hook);
        QFETCH(bool, textDrawn);
        ListBox list(2);
        list.setContent(QStringLiteral("WWWWWWWWWWWW\tMMMMMMMMMMMM"));
        int calls = 0;
        bool originsInCell = true;
        if (hook > 0) {
            list.PaintCellText = [&](Graphics &g, int row, int, int x, int y) {
                ++calls;
                // The text origin is the baseline start, inside the cell.
                originsInCell = originsInCell && row == 0 && x >= 0 && x < g.Width() && y > 0 && y <= g.Height();
                return hook == 2;
            };
        }
        showWithViewportWidth(list, 300);
        const QImage image = list.grab().toImage();
        QCOMPARE(calls > 0, hook > 0);
        QVERIFY(originsInCell);

        const QRect cell = list.visualRect(list.model()->index(0, 0));
        bool dark = false;
        for (int x = cell.left(); x < cell.right(); ++x) {
            for (int y = cell.top(); y < cell.bottom(); ++y)
                dark = dark || isDark(viewportPixel(image, list, QPoint(x, y)));
        }
        QCOMPARE(dark, textDrawn);
    }

    void graphicsFillsWithDrawingColor()
    {
        QImage image(10, 10, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            Graphics g(painter, 10, 10);
            g.DrawingColor = kGreen;
            g.FillRectangle(2, 3, 4, 5);
        }
        QCOMPARE(image.pixelColor(2, 3), kGreen);
        QCOMPARE(image.pixelColor(5, 7), kGreen);
        QCOMPARE(image.pixelColor(6, 7), QColor(Qt::white));
        QCOMPARE(image.pixelColor(5, 8), QColor(Qt::white));
    }
};

VANTREL_TEST_MAIN_GUI(TestListBox)
#include "tst_listbox.moc"
