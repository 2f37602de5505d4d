#include "toolkit/ListBoxModel.h"

#include <utility>

namespace Toolkit {

// ---------------------------------------------------------------------------------------------
// ListBoxModel

ListBoxModel::ListBoxModel(int columnCount, QObject *parent)
    : QAbstractTableModel(parent)
    , m_columnCount(columnCount)
{}

int ListBoxModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(m_rows.size()); }

int ListBoxModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : m_columnCount; }

QVariant ListBoxModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    return m_rows.at(index.row()).at(index.column());
}

QVariant ListBoxModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= m_headers.size())
        return {};
    return m_headers.at(section);
}

Qt::ItemFlags ListBoxModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren : Qt::NoItemFlags;
}

void ListBoxModel::setHeaders(const QStringList &headers)
{
    m_headers = headers.mid(0, m_columnCount);
    emit headerDataChanged(Qt::Horizontal, 0, m_columnCount - 1);
}

QStringList ListBoxModel::fitted(QStringList cells) const
{
    if (cells.size() > m_columnCount)
        cells.resize(m_columnCount);
    while (cells.size() < m_columnCount)
        cells.append(QString());
    return cells;
}

void ListBoxModel::load(const QString &text)
{
    QList<QStringList> rows;
    if (!text.isEmpty()) {
        // A final line feed ends the last row; it does not start an empty one.
        const qsizetype end = text.endsWith(QLatin1Char('\n')) ? text.size() - 1 : text.size();
        rows.reserve(text.count(QLatin1Char('\n')) + 1);
        qsizetype lineStart = 0;
        while (lineStart <= end) {
            qsizetype lineEnd = text.indexOf(QLatin1Char('\n'), lineStart);
            if (lineEnd < 0 || lineEnd > end)
                lineEnd = end;
            QStringList cells;
            cells.reserve(m_columnCount);
            qsizetype cellStart = lineStart;
            while (cells.size() < m_columnCount) {
                qsizetype cellEnd = text.indexOf(QLatin1Char('\t'), cellStart);
                if (cellEnd < 0 || cellEnd > lineEnd)
                    cellEnd = lineEnd;
                cells.append(text.mid(cellStart, cellEnd - cellStart));
                if (cellEnd == lineEnd)
                    break;
                cellStart = cellEnd + 1;
            }
            while (cells.size() < m_columnCount)
                cells.append(QString());
            rows.append(std::move(cells));
            lineStart = lineEnd + 1;
        }
    }
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

void ListBoxModel::clear()
{
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

void ListBoxModel::append(const QList<QStringList> &rows)
{
    if (rows.isEmpty())
        return;
    const int first = int(m_rows.size());
    beginInsertRows(QModelIndex(), first, first + int(rows.size()) - 1);
    m_rows.reserve(m_rows.size() + rows.size());
    for (const QStringList &cells : rows)
        m_rows.append(fitted(cells));
    endInsertRows();
}

// ---------------------------------------------------------------------------------------------
// ListBoxSortProxy

ListBoxSortProxy::ListBoxSortProxy(ListBoxModel *source, QObject *parent)
    : QSortFilterProxyModel(parent)
    , m_source(source)
{
    setSourceModel(source);
}

void ListBoxSortProxy::setNumericColumns(const QList<int> &columns)
{
    m_numericColumns = columns;
    if (sortColumn() >= 0)
        invalidate();
}

bool ListBoxSortProxy::lessThan(const QModelIndex &left, const QModelIndex &right) const
{
    const int column = left.column();
    const QString &a = m_source->row(left.row()).at(column);
    const QString &b = m_source->row(right.row()).at(column);
    if (m_numericColumns.contains(column)) {
        bool aOk = false;
        bool bOk = false;
        const qlonglong an = a.trimmed().toLongLong(&aOk);
        const qlonglong bn = b.trimmed().toLongLong(&bOk);
        if (aOk && bOk)
            return an < bn;
        if (aOk != bOk)
            return aOk;
    }
    return QString::compare(a, b, Qt::CaseInsensitive) < 0;
}

// ---------------------------------------------------------------------------------------------
// Column widths

QList<int> columnWidths(const QString &widthList, int columnCount, int total, const QHash<int, int> &userWidths)
{
    const QStringList entries = widthList.split(QLatin1Char(','));
    // -1 marks a column that shares the rest; columns without an entry share it as well.
    QList<int> widths(columnCount, -1);
    int used = 0;
    int stars = 0;
    for (int c = 0; c < columnCount; ++c) {
        bool ok = userWidths.contains(c);
        const int w = ok ? userWidths.value(c) : c < entries.size() ? entries.at(c).trimmed().toInt(&ok) : 0;
        if (ok && w >= 0) {
            widths[c] = w;
            used += w;
        } else {
            ++stars;
        }
    }
    const int rest = qMax(0, total - used);
    const int share = stars > 0 ? rest / stars : 0;
    int starsLeft = stars;
    for (int &w : widths) {
        if (w < 0) {
            --starsLeft;
            w = starsLeft == 0 ? rest - share * (stars - 1) : share;
        }
    }
    return widths;
}

} // namespace Toolkit
