#pragma once
// The list box's data apart from its view: the table of cell texts, the sorting proxy a header
// click drives, and the arithmetic of the width list. Qt Core only, so all of it can be
// checked without a display.

#include <QAbstractTableModel>
#include <QHash>
#include <QList>
#include <QSortFilterProxyModel>
#include <QStringList>

namespace Toolkit {

// Rows of cell texts, every row padded to the column count so that reads never need a bounds
// check per cell.
class ListBoxModel : public QAbstractTableModel
{
public:
    ListBoxModel(int columnCount, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    void setHeaders(const QStringList &headers);
    const QStringList &headers() const { return m_headers; }

    // Bulk load: one row per line (LF), cells split at tabs; replaces all rows in one reset.
    void load(const QString &text);
    void clear();
    // Appends the rows in one insertion; cells past the column count are dropped, missing
    // cells stay empty.
    void append(const QList<QStringList> &rows);

    const QStringList &row(int r) const { return m_rows.at(r); }

private:
    QStringList fitted(QStringList cells) const;

    int m_columnCount;
    QStringList m_headers;
    QList<QStringList> m_rows;
};

// Sort proxy: text columns compare ignoring letter case; numeric columns compare as whole
// numbers, with cells that are not numbers after all numbers (as text among themselves).
// The proxy's sort is stable, so equal cells keep their loaded order; sort(-1) shows the
// loaded order again.
class ListBoxSortProxy : public QSortFilterProxyModel
{
public:
    explicit ListBoxSortProxy(ListBoxModel *source, QObject *parent = nullptr);

    // Columns that sort as whole numbers; a sort in force is redone with them.
    void setNumericColumns(const QList<int> &columns);
    const QList<int> &numericColumns() const { return m_numericColumns; }

protected:
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;

private:
    ListBoxModel *m_source;
    QList<int> m_numericColumns;
};

// Column widths from a width list such as "50,*,55,60,*" for a list `total` points wide:
// numbers are fixed widths, "*" (and anything that is not a width, and columns past the list)
// share what is left evenly, the last of them taking the remainder. A column in `userWidths`
// (dragged by the user) keeps that width. When the fixed widths already fill `total`, the
// sharing columns get 0.
QList<int> columnWidths(const QString &widthList, int columnCount, int total, const QHash<int, int> &userWidths = {});

} // namespace Toolkit
