#pragma once
// The list box of the windows: a table view over a plain table model, loaded in one bulk
// operation. Header clicks sort through a proxy, so the rows' own (catalogue) order stays
// available through the source* accessors. Paint hooks mirror the toolkit's cell events:
// a hook that returns false lets the list paint that part by itself.

#include <QHash>
#include <QStringList>
#include <QTableView>

#include <functional>

class QPainter;

namespace Toolkit {

class ListBoxModel;
class ListBoxSortProxy;

// The drawing context handed to a cell paint hook: (0, 0) is the cell's top-left corner.
class Graphics
{
public:
    Graphics(QPainter &painter, int width, int height);

    QColor DrawingColor;
    void FillRectangle(int x, int y, int width, int height);
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    QPainter &painter() { return m_painter; }

private:
    QPainter &m_painter;
    int m_width;
    int m_height;
};

class ListBox : public QTableView
{
    Q_OBJECT

public:
    explicit ListBox(int columnCount, QWidget *parent = nullptr);
    ~ListBox() override;

    int ColumnCount() const;
    void setHeaders(const QStringList &headers);
    QStringList Headers() const;
    // Width list such as "50,*,55,60,*": fixed widths, "*" columns share what is left.
    void setColumnWidths(const QString &widthList);
    // Columns that sort as whole numbers on a header click; the others sort as text.
    void setNumericSortColumns(const QList<int> &columns);

    // Bulk load: one row per line (LF), cells split at tabs; replaces all rows.
    void setContent(const QString &text);

    int RowCount() const;
    // Row as the list shows it (after any header sort).
    QString CellTextAt(int row, int column) const;
    // Row in the order the rows were loaded or added, whatever the sort.
    QString sourceCellTextAt(int row, int column) const;
    QStringList sourceRow(int row) const;
    int sourceRowCount() const;

    // Shown row of the selection, -1 for none; setting -1 clears it.
    int SelectedRowIndex() const;
    void setSelectedRowIndex(int row);

    void RemoveAllRows();
    void AddRow(const QStringList &cells);
    // Appends many rows in one model operation (one repaint).
    void AddRows(const QList<QStringList> &rows);

    // Restores the loaded order (no sort column).
    void clearSort();

    std::function<void()> SelectionChanged;
    std::function<bool(Graphics &g, int row, int column)> PaintCellBackground;
    std::function<bool(Graphics &g, int row, int column, int x, int y)> PaintCellText;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void applyColumnWidths();
    void ensureProxy();
    int sourceRowOf(int shownRow) const;
    void checkCell(int row, int column, int rowCount) const;
    void notifySelection();
    void selectionLost(bool hadSelection);

    ListBoxModel *m_model;
    ListBoxSortProxy *m_proxy = nullptr; // made by the first sort
    QList<int> m_numericColumns;
    QString m_widthList;
    // Widths the user dragged, by column: kept when the list is resized again.
    QHash<int, int> m_userWidths;
    bool m_applyingWidths = false;
    // Loaded-order row of the selection (-1 for none): a header sort moves the selected row
    // without changing which row is selected.
    int m_selectedSource = -1;
    bool m_reloading = false;
};

} // namespace Toolkit
