#include "toolkit/ListBox.h"

#include "toolkit/RuntimeException.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QSortFilterProxyModel>
#include <QStyledItemDelegate>

namespace Toolkit {

// ---------------------------------------------------------------------------------------------
// Graphics

Graphics::Graphics(QPainter &painter, int width, int height)
    : DrawingColor(Qt::black)
    , m_painter(painter)
    , m_width(width)
    , m_height(height)
{}

void Graphics::FillRectangle(int x, int y, int width, int height)
{
    m_painter.fillRect(QRect(x, y, width, height), DrawingColor);
}

// ---------------------------------------------------------------------------------------------
// ListBoxModel: rows of cell texts, every row padded to the column count so that reads never
// need a bounds check per cell.

class ListBoxModel : public QAbstractTableModel
{
public:
    ListBoxModel(int columnCount, QObject *parent)
        : QAbstractTableModel(parent)
        , m_columnCount(columnCount)
    {}

    int rowCount(const QModelIndex &parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : int(m_rows.size());
    }
    int columnCount(const QModelIndex &parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : m_columnCount;
    }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role != Qt::DisplayRole || !index.isValid())
            return {};
        return m_rows.at(index.row()).at(index.column());
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= m_headers.size())
            return {};
        return m_headers.at(section);
    }

    Qt::ItemFlags flags(const QModelIndex &index) const override
    {
        return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren : Qt::NoItemFlags;
    }

    void setHeaders(const QStringList &headers)
    {
        m_headers = headers.mid(0, m_columnCount);
        emit headerDataChanged(Qt::Horizontal, 0, m_columnCount - 1);
    }
    const QStringList &headers() const { return m_headers; }

    // Cells past the column count are dropped; missing cells stay empty.
    QStringList fitted(QStringList cells) const
    {
        if (cells.size() > m_columnCount)
            cells.resize(m_columnCount);
        while (cells.size() < m_columnCount)
            cells.append(QString());
        return cells;
    }

    void load(const QString &text)
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

    void clear()
    {
        beginResetModel();
        m_rows.clear();
        endResetModel();
    }

    void append(const QList<QStringList> &rows)
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

    const QStringList &row(int r) const { return m_rows.at(r); }

private:
    int m_columnCount;
    QStringList m_headers;
    QList<QStringList> m_rows;
};

// ---------------------------------------------------------------------------------------------
// Sort proxy: text columns compare ignoring letter case; numeric columns compare as whole
// numbers, with cells that are not numbers after all numbers (as text among themselves).
// The proxy's sort is stable, so equal cells keep their loaded order.

namespace {

class ListBoxProxy : public QSortFilterProxyModel
{
public:
    ListBoxProxy(ListBoxModel *source, QObject *parent)
        : QSortFilterProxyModel(parent)
        , m_source(source)
    {
        setSourceModel(source);
    }

    QList<int> numericColumns;

protected:
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override
    {
        const int column = left.column();
        const QString &a = m_source->row(left.row()).at(column);
        const QString &b = m_source->row(right.row()).at(column);
        if (numericColumns.contains(column)) {
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

private:
    ListBoxModel *m_source;
};

// Cell painting with the list's hooks: background hook, then the list's own background
// (selection highlight on top), then the text hook or the list's own text.
class ListBoxDelegate : public QStyledItemDelegate
{
public:
    explicit ListBoxDelegate(ListBox *list)
        : QStyledItemDelegate(list)
        , m_list(list)
    {}

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        // The list shows no per-cell focus frame; the whole row is the selection.
        opt.state &= ~QStyle::State_HasFocus;
        const QWidget *widget = option.widget;
        QStyle *style = widget ? widget->style() : QApplication::style();
        const int row = index.row();
        const int column = index.column();

        // A hook that answers true has painted the background itself: the list adds nothing,
        // not even its selection highlight.
        bool backgroundHandled = false;
        if (m_list->PaintCellBackground) {
            painter->save();
            painter->translate(opt.rect.topLeft());
            painter->setClipRect(QRect(0, 0, opt.rect.width(), opt.rect.height()), Qt::IntersectClip);
            Graphics g(*painter, opt.rect.width(), opt.rect.height());
            backgroundHandled = m_list->PaintCellBackground(g, row, column);
            painter->restore();
        }

        // The list's own background: with no text it draws only the panel (selection, brush).
        if (!backgroundHandled) {
            QStyleOptionViewItem back = opt;
            back.text.clear();
            back.features &= ~QStyleOptionViewItem::HasDisplay;
            style->drawControl(QStyle::CE_ItemViewItem, &back, painter, widget);
        }

        if (m_list->PaintCellText) {
            const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, widget);
            const QFontMetrics fm(opt.font);
            const int textMargin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
            const int x = textRect.left() + textMargin - opt.rect.left();
            const int y = textRect.top() + (textRect.height() - fm.height()) / 2 + fm.ascent() - opt.rect.top();
            painter->save();
            painter->translate(opt.rect.topLeft());
            painter->setClipRect(QRect(0, 0, opt.rect.width(), opt.rect.height()), Qt::IntersectClip);
            Graphics g(*painter, opt.rect.width(), opt.rect.height());
            const bool handled = m_list->PaintCellText(g, row, column, x, y);
            painter->restore();
            if (handled)
                return;
        }

        // The list's own text, drawn over the background already painted: the panel is not
        // drawn again, and a selected row keeps its highlighted text colour.
        QStyleOptionViewItem text = opt;
        // Highlighted text only on the list's own highlight; on the hook's background the text
        // keeps its ordinary colour.
        const bool selected = (opt.state & QStyle::State_Selected) && !backgroundHandled;
        if (selected) {
            const QPalette::ColorGroup cg = !(opt.state & QStyle::State_Enabled) ? QPalette::Disabled
                : (opt.state & QStyle::State_Active)                             ? QPalette::Normal
                                                                                 : QPalette::Inactive;
            text.palette.setColor(QPalette::Text, opt.palette.color(cg, QPalette::HighlightedText));
        }
        text.state &= ~QStyle::State_Selected;
        text.backgroundBrush = Qt::NoBrush;
        style->drawControl(QStyle::CE_ItemViewItem, &text, painter, widget);
    }

private:
    ListBox *m_list;
};

} // namespace

// ---------------------------------------------------------------------------------------------
// ListBox

ListBox::ListBox(int columnCount, QWidget *parent)
    : QTableView(parent)
    , m_model(new ListBoxModel(qMax(columnCount, 1), this))
    , m_proxy(new ListBoxProxy(m_model, this))
{
    setModel(m_proxy);
    setItemDelegate(new ListBoxDelegate(this));

    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(false);
    setDragDropMode(QAbstractItemView::NoDragDrop);
    setDropIndicatorShown(false);
    setWordWrap(false);
    setTextElideMode(Qt::ElideRight);
    setShowGrid(true);
    setCornerButtonEnabled(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setAttribute(Qt::WA_MacShowFocusRect, false);

    // Fixed row heights: Qt never has to measure a row, which keeps bulk loads cheap.
    QHeaderView *rows = verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    const int rowHeight = fontMetrics().height() + 4;
    rows->setMinimumSectionSize(qMin(rows->minimumSectionSize(), rowHeight));
    rows->setDefaultSectionSize(rowHeight);

    QHeaderView *header = horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setSectionsMovable(false);
    header->setStretchLastSection(false);
    header->setHighlightSections(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setSortIndicatorShown(true);
    // No sort column at creation: the loaded order is shown until a header is clicked.
    header->setSortIndicator(-1, Qt::AscendingOrder);
    setSortingEnabled(true);

    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { notifySelection(); });
    // A column the user dragged keeps its width; only the "*" columns follow the list's size.
    connect(header, &QHeaderView::sectionResized, this, [this](int column, int, int width) {
        if (!m_applyingWidths)
            m_userWidths.insert(column, width);
    });
}

ListBox::~ListBox() = default;

int ListBox::ColumnCount() const { return m_model->columnCount(); }

void ListBox::setHeaders(const QStringList &headers) { m_model->setHeaders(headers); }

QStringList ListBox::Headers() const
{
    QStringList headers = m_model->headers();
    while (headers.size() < ColumnCount())
        headers.append(QString());
    return headers;
}

void ListBox::setColumnWidths(const QString &widthList)
{
    m_widthList = widthList;
    m_userWidths.clear();
    applyColumnWidths();
}

void ListBox::setNumericSortColumns(const QList<int> &columns)
{
    static_cast<ListBoxProxy *>(m_proxy)->numericColumns = columns;
    if (m_proxy->sortColumn() >= 0)
        m_proxy->invalidate();
}

void ListBox::setContent(const QString &text)
{
    const bool hadSelection = m_selectedSource >= 0;
    m_reloading = true;
    m_model->load(text);
    m_reloading = false;
    selectionLost(hadSelection);
}

int ListBox::RowCount() const { return m_proxy->rowCount(); }

void ListBox::checkCell(int row, int column, int rowCount) const
{
    if (row < 0 || row >= rowCount || column < 0 || column >= ColumnCount())
        throw OutOfBoundsException(QStringLiteral("Cell (%1, %2) is outside the list").arg(row).arg(column));
}

QString ListBox::CellTextAt(int row, int column) const
{
    checkCell(row, column, RowCount());
    return m_model->row(m_proxy->mapToSource(m_proxy->index(row, 0)).row()).at(column);
}

QString ListBox::SourceCellTextAt(int sourceRow, int column) const
{
    checkCell(sourceRow, column, SourceRowCount());
    return m_model->row(sourceRow).at(column);
}

QStringList ListBox::SourceRow(int sourceRow) const
{
    checkCell(sourceRow, 0, SourceRowCount());
    return m_model->row(sourceRow);
}

int ListBox::SourceRowCount() const { return m_model->rowCount(); }

int ListBox::SelectedRowIndex() const
{
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void ListBox::setSelectedRowIndex(int row)
{
    if (row < -1 || row >= RowCount())
        throw OutOfBoundsException(QStringLiteral("Row %1 is outside the list").arg(row));
    if (row == -1) {
        selectionModel()->clearSelection();
        return;
    }
    const QModelIndex index = m_proxy->index(row, 0);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void ListBox::RemoveAllRows()
{
    const bool hadSelection = m_selectedSource >= 0;
    m_reloading = true;
    m_model->clear();
    m_reloading = false;
    selectionLost(hadSelection);
}

void ListBox::AddRow(const QStringList &cells) { m_model->append({cells}); }

void ListBox::AddRows(const QList<QStringList> &rows) { m_model->append(rows); }

void ListBox::clearSort()
{
    horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    m_proxy->sort(-1);
}

void ListBox::notifySelection()
{
    if (m_reloading)
        return;
    const QModelIndexList rows = selectionModel()->selectedRows();
    const int source = rows.isEmpty() ? -1 : m_proxy->mapToSource(rows.first()).row();
    if (source == m_selectedSource)
        return;
    m_selectedSource = source;
    if (SelectionChanged)
        SelectionChanged();
}

void ListBox::selectionLost(bool hadSelection)
{
    // Whether or not the reset reported the dropped selection, the loss is reported once.
    m_selectedSource = -1;
    if (hadSelection && SelectionChanged)
        SelectionChanged();
}

void ListBox::mousePressEvent(QMouseEvent *event)
{
    // A click below the rows removes the selection (a selection is not required).
    if (event->button() == Qt::LeftButton && !indexAt(event->position().toPoint()).isValid() && m_selectedSource >= 0) {
        selectionModel()->clearSelection();
    }
    QTableView::mousePressEvent(event);
}

void ListBox::paintEvent(QPaintEvent *event)
{
    QTableView::paintEvent(event);

    // The rows past the last row: the hook paints them at the default row height, under the
    // same grid, so a coloured list is coloured to the bottom of its viewport.
    const int viewportHeight = viewport()->height();
    const QHeaderView *rowsHeader = verticalHeader();
    int y = rowsHeader->length() - rowsHeader->offset();
    if (y >= viewportHeight)
        return;
    const int rowHeight = rowsHeader->defaultSectionSize();
    if (rowHeight <= 0)
        return;
    const QHeaderView *header = horizontalHeader();
    const int columns = header->count();
    const QRect dirty = event->rect();

    QPainter painter(viewport());
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const QColor gridColor =
        QColor::fromRgba(static_cast<QRgb>(style()->styleHint(QStyle::SH_Table_GridLineColor, &option, this)));
    const QPen gridPen(gridColor, 1, gridStyle());
    const int grid = showGrid() ? 1 : 0;

    for (int row = RowCount(); y < viewportHeight; ++row, y += rowHeight) {
        if (y + rowHeight <= dirty.top())
            continue;
        if (y > dirty.bottom())
            break;
        for (int column = 0; column < columns; ++column) {
            if (header->isSectionHidden(column))
                continue;
            const int x = header->sectionViewportPosition(column);
            const int width = header->sectionSize(column);
            if (!QRect(x, y, width, rowHeight).intersects(dirty))
                continue;
            const QRect cell(x, y, width - grid, rowHeight - grid);
            if (PaintCellBackground) {
                painter.save();
                painter.translate(cell.topLeft());
                painter.setClipRect(QRect(0, 0, cell.width(), cell.height()), Qt::IntersectClip);
                Graphics g(painter, cell.width(), cell.height());
                PaintCellBackground(g, row, column);
                painter.restore();
            }
            if (grid) {
                painter.save();
                painter.setPen(gridPen);
                painter.drawLine(x + width - 1, y, x + width - 1, y + rowHeight - 1);
                painter.drawLine(x, y + rowHeight - 1, x + width - 1, y + rowHeight - 1);
                painter.restore();
            }
        }
    }
}

void ListBox::resizeEvent(QResizeEvent *event)
{
    // Also called for resizes of the viewport (the vertical scroll bar coming and going).
    QTableView::resizeEvent(event);
    applyColumnWidths();
}

void ListBox::applyColumnWidths()
{
    if (m_widthList.isEmpty())
        return;
    const int columns = ColumnCount();
    const QStringList entries = m_widthList.split(QLatin1Char(','));
    const QScopedValueRollback<bool> applying(m_applyingWidths, true);
    // -1 marks a column that shares the rest; columns without an entry share it as well.
    QList<int> fixed(columns, -1);
    int used = 0;
    int stars = 0;
    for (int c = 0; c < columns; ++c) {
        bool ok = m_userWidths.contains(c);
        const int w = ok ? m_userWidths.value(c) : c < entries.size() ? entries.at(c).trimmed().toInt(&ok) : 0;
        if (ok && w >= 0) {
            fixed[c] = w;
            used += w;
        } else {
            ++stars;
        }
    }
    const int rest = qMax(0, viewport()->width() - used);
    const int share = stars > 0 ? rest / stars : 0;
    int starsLeft = stars;
    QHeaderView *header = horizontalHeader();
    for (int c = 0; c < columns; ++c) {
        int w = fixed.at(c);
        if (w < 0) {
            --starsLeft;
            w = starsLeft == 0 ? rest - share * (stars - 1) : share;
        }
        header->resizeSection(c, w);
    }
}

} // namespace Toolkit
