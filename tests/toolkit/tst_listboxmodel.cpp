// The list box's model without its view: bulk load, the sorting proxy and the width list.

#include "common/TestMain.h"

#include "toolkit/ListBoxModel.h"

#include <QSignalSpy>

using Toolkit::ListBoxModel;
using Toolkit::ListBoxSortProxy;

namespace {

QList<QStringList> modelRows(const ListBoxModel &model)
{
    QList<QStringList> rows;
    for (int r = 0; r < model.rowCount(); ++r)
        rows.append(model.row(r));
    return rows;
}

// Column `column` of the rows in the order the proxy shows them.
QStringList shownColumn(const ListBoxSortProxy &proxy, int column)
{
    QStringList cells;
    for (int r = 0; r < proxy.rowCount(); ++r)
        cells.append(proxy.index(r, column).data().toString());
    return cells;
}

// One row per key: the key in column 0, its loaded position in column 1.
QString numberedLines(const QStringList &keys)
{
    QStringList lines;
    for (int i = 0; i < keys.size(); ++i)
        lines.append(keys.at(i) + QLatin1Char('\t') + QString::number(i));
    return lines.join(QLatin1Char('\n'));
}

} // namespace

class TestListBoxModel : public QObject
{
    Q_OBJECT

private slots:
    void bulkLoad_data()
    {
        QTest::addColumn<int>("columns");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<QStringList>>("rows");

        QTest::newRow("rows at LF, cells at TAB")
            << 3 << "1\tEndOfLine.OSX\tDeprec\n2\tEndOfLine.Unix\tCurrent"
            << QList<QStringList>{{"1", "EndOfLine.OSX", "Deprec"}, {"2", "EndOfLine.Unix", "Current"}};
        QTest::newRow("missing cells empty, extra cells dropped")
            << 3 << "a\nb\tc\td\te" << QList<QStringList>{{"a", "", ""}, {"b", "c", "d"}};
        QTest::newRow("empty cells between tabs kept") << 3 << "\t\tz" << QList<QStringList>{{"", "", "z"}};
        QTest::newRow("trailing tab: empty last cell") << 2 << "a\t" << QList<QStringList>{{"a", ""}};
        QTest::newRow("final LF adds no row") << 2 << "a\tb\n" << QList<QStringList>{{"a", "b"}};
        QTest::newRow("two final LFs: one empty row") << 1 << "a\n\n" << QList<QStringList>{{"a"}, {""}};
        QTest::newRow("a lone LF is one empty row") << 2 << "\n" << QList<QStringList>{{"", ""}};
        QTest::newRow("CR is cell text, not a line end")
            << 2 << "a\tb\r\nc" << QList<QStringList>{{"a", "b\r"}, {"c", ""}};
        QTest::newRow("empty text: no rows") << 2 << "" << QList<QStringList>{};
    }

    void bulkLoad()
    {
        QFETCH(int, columns);
        QFETCH(QString, text);
        QFETCH(QList<QStringList>, rows);

        ListBoxModel model(columns);
        model.load(QStringLiteral("old\trows\nreplaced"));
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        model.load(text);

        QCOMPARE(reset.size(), 1);
        QCOMPARE(inserted.size(), 0);
        QCOMPARE(model.columnCount(), columns);
        QCOMPARE(modelRows(model), rows);
    }

    void appendFitsRowsToTheColumns()
    {
        ListBoxModel model(2);
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        model.append({{"a"}, {"b", "c", "dropped"}});
        model.append({});
        QCOMPARE(inserted.size(), 1);
        QCOMPARE(modelRows(model), (QList<QStringList>{{"a", ""}, {"b", "c"}}));
    }

    void sortOrder_data()
    {
        QTest::addColumn<bool>("numeric");
        QTest::addColumn<QStringList>("ascending");

        QTest::newRow("text, letter case ignored") << false << QStringList({" 7", "1", "10", "2", "b", "C", "x"});
        QTest::newRow("whole numbers, 2 before 10, others after")
            << true << QStringList({"1", "2", " 7", "10", "b", "C", "x"});
    }

    void sortOrder()
    {
        QFETCH(bool, numeric);
        QFETCH(QStringList, ascending);
        const QStringList loaded({"10", "2", "x", " 7", "C", "1", "b"});

        ListBoxModel model(2);
        model.load(numberedLines(loaded));
        ListBoxSortProxy proxy(&model);
        if (numeric)
            proxy.setNumericColumns({0});
        proxy.sort(0, Qt::AscendingOrder);
        QCOMPARE(shownColumn(proxy, 0), ascending);
        proxy.sort(0, Qt::DescendingOrder);
        QStringList descending = ascending;
        std::reverse(descending.begin(), descending.end());
        QCOMPARE(shownColumn(proxy, 0), descending);
    }

    // A sort shows the rows in another order; the model keeps the loaded one, equal cells keep
    // it among themselves, and clearing the sort shows it again.
    void loadedOrderKeptUnderASort()
    {
        const QStringList keys({"b", "a", "b", "a", "c"});
        ListBoxModel model(2);
        model.load(numberedLines(keys));
        const QList<QStringList> loaded = modelRows(model);
        ListBoxSortProxy proxy(&model);

        proxy.sort(0, Qt::AscendingOrder);
        QCOMPARE(shownColumn(proxy, 0), QStringList({"a", "a", "b", "b", "c"}));
        QCOMPARE(shownColumn(proxy, 1), QStringList({"1", "3", "0", "2", "4"}));
        QCOMPARE(modelRows(model), loaded);

        proxy.sort(-1);
        QCOMPARE(proxy.sortColumn(), -1);
        QCOMPARE(shownColumn(proxy, 1), QStringList({"0", "1", "2", "3", "4"}));
    }

    // Numeric columns set while a sort is in force re-sort at once; without a sort they wait.
    void numericColumnsUnderASort()
    {
        ListBoxModel model(2);
        model.load(numberedLines({"10", "9", "100"}));
        ListBoxSortProxy proxy(&model);
        proxy.setNumericColumns({0});
        QCOMPARE(shownColumn(proxy, 0), QStringList({"10", "9", "100"}));
        proxy.setNumericColumns({});
        proxy.sort(0, Qt::AscendingOrder);
        QCOMPARE(shownColumn(proxy, 0), QStringList({"10", "100", "9"}));
        proxy.setNumericColumns({0});
        QCOMPARE(shownColumn(proxy, 0), QStringList({"9", "10", "100"}));
    }

    void columnWidths_data()
    {
        using Widths = QList<int>;
        using Dragged = QHash<int, int>;
        QTest::addColumn<QString>("widthList");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("total");
        QTest::addColumn<Dragged>("dragged");
        QTest::addColumn<Widths>("widths");

        QTest::newRow("two stars, remainder to the last")
            << "50,*,55,60,*" << 5 << 500 << Dragged{} << Widths{50, 167, 55, 60, 168};
        QTest::newRow("two stars, even split")
            << "50,*,55,60,*" << 5 << 501 << Dragged{} << Widths{50, 168, 55, 60, 168};
        QTest::newRow("three stars round down but the last") << "*,*,*" << 3 << 100 << Dragged{} << Widths{33, 33, 34};
        QTest::newRow("fewer columns than entries")
            << "50,*,55,60,*" << 4 << 500 << Dragged{} << Widths{50, 335, 55, 60};
        QTest::newRow("columns past the list share the rest")
            << "100" << 3 << 400 << Dragged{} << Widths{100, 150, 150};
        QTest::newRow("no star: total ignored") << "10,20" << 2 << 500 << Dragged{} << Widths{10, 20};
        QTest::newRow("blanks trimmed, non-widths share") << " 40 ,x,-3" << 3 << 100 << Dragged{} << Widths{40, 30, 30};
        QTest::newRow("too narrow: stars get nothing")
            << "50,*,55,60,*" << 5 << 100 << Dragged{} << Widths{50, 0, 55, 60, 0};
        QTest::newRow("nothing to share") << "*,*" << 2 << 0 << Dragged{} << Widths{0, 0};
        QTest::newRow("dragged star keeps its width")
            << "50,*,55,60,*" << 5 << 500 << Dragged{{1, 120}} << Widths{50, 120, 55, 60, 215};
        QTest::newRow("dragged fixed column keeps its width")
            << "50,*,55,60,*" << 5 << 500 << Dragged{{0, 80}} << Widths{80, 152, 55, 60, 153};
        QTest::newRow("every star dragged") << "*,*" << 2 << 500 << Dragged{{0, 70}, {1, 90}} << Widths{70, 90};
    }

    void columnWidths()
    {
        using Widths = QList<int>;
        using Dragged = QHash<int, int>;
        QFETCH(QString, widthList);
        QFETCH(int, columns);
        QFETCH(int, total);
        QFETCH(Dragged, dragged);
        QFETCH(Widths, widths);
        QCOMPARE(Toolkit::columnWidths(widthList, columns, total, dragged), widths);
    }
};

VANTREL_TEST_MAIN_CORE(TestListBoxModel)
#include "tst_listboxmodel.moc"
