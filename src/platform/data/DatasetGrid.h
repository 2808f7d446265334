#pragma once
// Ties a QTableView to a DatasetModel the way the suite's grids behave: the
// view's current row is the dataset's current row, both ways.

#include "platform/data/DatasetModel.h"

#include <QtWidgets/QTableView>

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

}  // namespace data
