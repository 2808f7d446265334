#pragma once
// Ties a QTableView to a DatasetModel the way the suite's grids behave: the
// view's current row is the dataset's current row, both ways, and windows
// may paint cells themselves (colour a mark, fill a highlighted contractor).

#include "platform/data/DatasetModel.h"

#include <QtWidgets/QStyle>
#include <QtWidgets/QStyledItemDelegate>
#include <QtWidgets/QTableView>
#include <functional>

namespace data {

// Installs the model on the view and keeps the current rows in step.
// Parented to the view.
class DatasetGridBinder : public QObject {
    Q_OBJECT
public:
    DatasetGridBinder(QTableView* view, DatasetModel* model);

signals:
    // Moving the dataset after a click failed (a pending edit did not post);
    // the view went back to the dataset's row.
    void moveFailed(const QString& message);

private:
    void showCurrent();
    void followView(const QModelIndex& current);
    void applyWidths();

    QTableView* m_view;
    DatasetModel* m_model;
    bool m_syncing = false;
};

// What a window's cell painter is given; the dataset reads the painted row
// while the painter runs, so fields of the same row can be consulted.
struct CellPaint {
    QPainter* painter;
    QRect rect;
    Field* field;
    int row;
    int column;
    QStyle::State state;
    std::function<void()> paintDefault;   // paints the cell as the view would
};

class DatasetCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    // Returns true when it painted the cell entirely, false to leave it to the view.
    using Painter = std::function<bool(const CellPaint&)>;

    DatasetCellDelegate(DatasetModel* model, Painter painter, QObject* parent = nullptr);
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    DatasetModel* m_model;
    Painter m_painter;
};

}  // namespace data
