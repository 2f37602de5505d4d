#include "toolkit/ListBox.h"

#include "toolkit/ListBoxModel.h"
#include "toolkit/RuntimeException.h"

#include <QApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScopedValueRollback>
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

namespace {

// Runs a paint hook on `cell`: the hook's graphics has (0, 0) at the cell's top-left corner and
// paints nothing outside the cell. Answers what the hook answered.
template<typename Hook>
bool runPaintHook(QPainter &painter, const QRect &cell, Hook &&hook)
{
    painter.save();
    painter.translate(cell.topLeft());
    painter.setClipRect(QRect(0, 0, cell.width(), cell.height()), Qt::IntersectClip);
    Graphics g(painter, cell.width(), cell.height());
    const bool handled = hook(g);
    painter.restore();
    return handled;
}

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
            backgroundHandled = runPaintHook(*painter, opt.rect,
                                             [&](Graphics &g) { return m_list->PaintCellBackground(g, row, column); });
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
            if (runPaintHook(*painter, opt.rect,
                             [&](Graphics &g) { return m_list->PaintCellText(g, row, column, x, y); }))
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
{
    // The sorting proxy comes with the first header click (ensureProxy): until then the rows
    // are shown in their loaded order straight from the model, and a list that is never
    // sorted never pays for one.
    setModel(m_model);
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
    // Connected before the view's own sorting, so the proxy is in place when that sorts.
    connect(header, &QHeaderView::sortIndicatorChanged, this, [this](int column) {
        if (column >= 0)
            ensureProxy();
    });
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
    m_numericColumns = columns;
    if (m_proxy)
        m_proxy->setNumericColumns(columns);
}

void ListBox::ensureProxy()
{
    if (m_proxy)
        return;
    m_proxy = new ListBoxSortProxy(m_model, this);
    m_proxy->setNumericColumns(m_numericColumns);
    const int selected = m_selectedSource;
    QList<int> widths;
    for (int c = 0; c < ColumnCount(); ++c)
        widths.append(columnWidth(c));
    {
        // Swapping the model resets the header's sections and the selection: neither is the
        // user's doing, so neither is recorded or reported, and both are put back as they were.
        const QScopedValueRollback<bool> applying(m_applyingWidths, true);
        const QScopedValueRollback<bool> reloading(m_reloading, true);
        setModel(m_proxy);
        connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { notifySelection(); });
        if (selected >= 0)
            selectionModel()->setCurrentIndex(m_proxy->mapFromSource(m_model->index(selected, 0)),
                                              QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        for (int c = 0; c < widths.size(); ++c)
            horizontalHeader()->resizeSection(c, widths.at(c));
    }
}

int ListBox::sourceRowOf(int shownRow) const
{
    return m_proxy ? m_proxy->mapToSource(m_proxy->index(shownRow, 0)).row() : shownRow;
}

void ListBox::setContent(const QString &text)
{
    const bool hadSelection = m_selectedSource >= 0;
    m_reloading = true;
    m_model->load(text);
    m_reloading = false;
    selectionLost(hadSelection);
}

int ListBox::RowCount() const { return m_model->rowCount(); }

void ListBox::checkCell(int row, int column, int rowCount) const
{
    if (row < 0 || row >= rowCount || column < 0 || column >= ColumnCount())
        throw OutOfBoundsException(QStringLiteral("Cell (%1, %2) is outside the list").arg(row).arg(column));
}

QString ListBox::CellTextAt(int row, int column) const
{
    checkCell(row, column, RowCount());
    return m_model->row(sourceRowOf(row)).at(column);
}

QString ListBox::sourceCellTextAt(int row, int column) const
{
    checkCell(row, column, sourceRowCount());
    return m_model->row(row).at(column);
}

QStringList ListBox::sourceRow(int row) const
{
    checkCell(row, 0, sourceRowCount());
    return m_model->row(row);
}

int ListBox::sourceRowCount() const { return m_model->rowCount(); }

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
    const QModelIndex index = model()->index(row, 0);
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
    if (m_proxy)
        m_proxy->sort(-1);
}

void ListBox::notifySelection()
{
    if (m_reloading)
        return;
    const QModelIndexList rows = selectionModel()->selectedRows();
    const int source = rows.isEmpty() ? -1 : sourceRowOf(rows.first().row());
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
            if (PaintCellBackground)
                runPaintHook(painter, cell, [&](Graphics &g) { return PaintCellBackground(g, row, column); });
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
    const QList<int> widths = columnWidths(m_widthList, ColumnCount(), viewport()->width(), m_userWidths);
    const QScopedValueRollback<bool> applying(m_applyingWidths, true);
    QHeaderView *header = horizontalHeader();
    for (int c = 0; c < widths.size(); ++c)
        header->resizeSection(c, widths.at(c));
}

} // namespace Toolkit
