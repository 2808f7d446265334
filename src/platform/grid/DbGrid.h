#pragma once
// The suite's read-only data grid: a table view over a Dataset whose current
// row is the dataset's current row, with columns set by code (field, title,
// width, visibility, order), a selected column addressed by field name, title
// clicks and keys handed to the window, and cells the window may paint itself.

#include "platform/data/DatasetModel.h"

#include <QColor>
#include <QTableView>
#include <functional>

class QPainter;

namespace ui {

class DbGrid : public QTableView {
    Q_OBJECT
public:
    struct Column {
        QString field;
        QString title;        // null: the field's display label; "": no title
        int width = 0;        // pixels; 0 leaves the default width
        bool visible = true;
    };

    // What a window's cell painter gets. The dataset reads the painted row
    // while the painter runs, so fields of the same row can be consulted.
    struct Cell {
        QPainter* painter;
        QRect rect;
        QString field;        // the column's field name
        int row;              // dataset row, 0-based
        int column;           // logical column index
        bool selected;        // the row is the current one
        bool focused;         // the cell is the current cell of a focused grid
        std::function<void()> paintDefault;   // paints the cell as the grid would
    };
    using CellPainter = std::function<void(const Cell&)>;

    explicit DbGrid(QWidget* parent = nullptr);

    // --- data
    // Columns set before the dataset are applied when it comes.
    void setDataset(data::Dataset* dataset);
    data::Dataset* dataset() const;
    data::DatasetModel* datasetModel() const { return m_model; }
    // Keeps the grid's current row on the dataset's current row (the binder
    // does this on every scroll; windows call it after bulk walks).
    void showCurrentRow();
    // Detaches the grid from the dataset's notifications for a walk over many
    // rows; attachDataset resyncs it once. Calls nest.
    void detachDataset();
    void attachDataset();

    // --- columns (logical index = the order they were set in)
    void setColumns(const QList<Column>& columns);
    void addColumn(const QString& field, const QString& title = QString(), int width = 0);
    int columnCount() const;
    int columnIndex(const QString& field) const;        // logical; -1 when absent (case-insensitive)
    QString columnField(int logicalIndex) const;
    QString columnTitle(int logicalIndex) const;
    void setColumnTitle(const QString& field, const QString& title);
    bool isColumnVisible(const QString& field) const;
    void setColumnVisible(const QString& field, bool visible);
    int columnWidthOf(const QString& field) const;
    void setColumnWidthOf(const QString& field, int width);
    // Every column in the order the user sees them, with current widths and visibility.
    QList<Column> layout() const;
    // Puts the named columns in that order (unnamed ones keep their relative
    // order after them), with those widths and visibility; unknown fields are ignored.
    void applyLayout(const QList<Column>& layout);
    // Widens the visible columns whose title or text on screen is cut off (up
    // to a limit); done once by itself when the grid first shows rows.
    void fitColumnsToContents();

    // --- the selected (current) column
    QString selectedField() const;
    void setSelectedField(const QString& field);   // no effect for an unknown or hidden field
    // Among the visible columns in visual order; -1 when there is none.
    int selectedVisibleIndex() const;
    QStringList visibleFields() const;             // visual order

    // --- painting
    // Runs for every cell; with default drawing on the grid paints first,
    // otherwise the painter alone paints (it may call paintDefault).
    void setCellPainter(CellPainter painter) { m_painter = std::move(painter); viewport()->update(); }
    void setDefaultDrawing(bool on) { m_defaultDrawing = on; viewport()->update(); }
    bool defaultDrawing() const { return m_defaultDrawing; }
    // Background of odd and even rows under default drawing.
    void setRowColors(const QColor& odd, const QColor& even);
    QColor rowColor(int row) const;
    // The cell's text as the grid shows it.
    QString cellText(int row, int logicalColumn) const;
    // The sort arrow in the title of that column (an empty field removes it):
    // pointing up for ascending order, down for descending.
    void setSortMark(const QString& field, bool ascending);
    QString sortField() const { return m_sortField; }
    bool sortAscending() const { return m_sortAscending; }

    // Typing is the window's incremental search, not the view's.
    void keyboardSearch(const QString& search) override;

signals:
    void titleClicked(const QString& field);
    // Key down, before the grid handles it; set key to 0 to swallow it.
    void keyDown(int& key, Qt::KeyboardModifiers modifiers);
    // A typed character (also Backspace '\b', Enter '\r', Escape '\x1b');
    // set it to QChar() to swallow it.
    void keyPress(QChar& key);
    // Key up; set key to 0 to swallow it.
    void keyUp(int& key, Qt::KeyboardModifiers modifiers);
    void selectedFieldChanged(const QString& field);
    // Double click on a row.
    void rowActivated(int row);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    friend class DbGridDelegate;
    void paintCell(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index,
                   const std::function<void()>& base) const;
    QList<Column> layoutInLogicalOrder() const;
    void keepSelectionOnCurrentRow();

    data::DatasetModel* m_model = nullptr;
    QObject* m_binder = nullptr;
    QList<Column> m_pendingColumns;  // set before there was a dataset
    QList<int> m_widths;             // by logical index; kept while a column is hidden
    QList<bool> m_visible;
    QList<Column> m_keptLayout;      // across a model reset
    bool m_replacingColumns = false;
    QString m_selected;              // the selected field while there is no current cell
    QString m_sortField;
    bool m_sortAscending = true;
    CellPainter m_painter;
    bool m_defaultDrawing = true;
    QColor m_odd, m_even;
    int m_detached = 0;
    bool m_reselecting = false;
    bool m_fitted = false;
};

}  // namespace ui
