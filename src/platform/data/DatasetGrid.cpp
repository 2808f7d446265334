#include "platform/data/DatasetGrid.h"

#include <QScopedValueRollback>
#include <QtWidgets/QHeaderView>

namespace data {

DatasetGridBinder::DatasetGridBinder(QTableView* view, DatasetModel* model)
    : QObject(view), m_view(view), m_model(model) {
    view->setModel(model);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(model->dataset(), &Dataset::afterScroll, this, &DatasetGridBinder::showCurrent);
    connect(model, &QAbstractItemModel::modelReset, this, [this] {
        applyWidths();
        showCurrent();
    });
    connect(model, &QAbstractItemModel::columnsInserted, this, &DatasetGridBinder::applyWidths);
    connect(view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { followView(current); });
    applyWidths();
    showCurrent();
}

void DatasetGridBinder::applyWidths() {
    for (int c = 0; c < m_model->columns().size(); ++c)
        if (m_model->columns()[c].width > 0) m_view->setColumnWidth(c, m_model->columns()[c].width);
}

void DatasetGridBinder::showCurrent() {
    if (m_syncing) return;
    const int row = m_model->dataset()->recNo();
    if (row < 0 || row >= m_model->rowCount()) return;
    const QModelIndex current = m_view->currentIndex();
    const QModelIndex target = m_model->index(row, current.isValid() ? current.column() : 0);
    QScopedValueRollback guard(m_syncing, true);
    m_view->selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_view->scrollTo(target);
}

void DatasetGridBinder::followView(const QModelIndex& current) {
    Dataset* dataset = m_model->dataset();
    if (m_syncing || !current.isValid() || current.row() == dataset->recNo()) return;
    QString failure;
    {
        QScopedValueRollback guard(m_syncing, true);
        try {
            dataset->setRecNo(current.row());
        } catch (const std::exception& e) {
            failure = QString::fromUtf8(e.what());
        }
    }
    if (failure.isNull()) return;
    showCurrent();
    emit moveFailed(failure);
}

}  // namespace data

// Compiled here rather than with the library's other meta-object code, so
// programs without widgets (the benchmark, tools) link the dataset alone.
#include "moc_DatasetGrid.cpp"
