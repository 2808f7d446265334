#pragma once
// A table model over a Dataset for grids: the columns a window chose, each
// cell the field's display text for that row. It follows the dataset's
// notifications (open, close, posted and deleted rows, resync after
// enableControls).

#include "platform/data/Dataset.h"

#include <QAbstractTableModel>
#include <QPointer>

namespace data {

class DatasetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Column {
        QString field;
        QString title;   // a null title shows the field's display label; "" shows nothing
        int width = 0;   // pixels, applied by DatasetGridBinder; 0 leaves it to the view
    };

    explicit DatasetModel(Dataset* dataset, QObject* parent = nullptr);

    Dataset* dataset() const { return m_dataset; }
    void setColumns(const QList<Column>& columns);
    void addColumn(const QString& field, const QString& title = QString(), int width = 0);
    const QList<Column>& columns() const { return m_columns; }
    int columnOf(const QString& field) const;   // -1 when the grid has no such column
    Field* fieldAt(int column) const;           // null when the dataset lacks the field

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    void resetAll();
    void changeRow(int row);

    QPointer<Dataset> m_dataset;
    QList<Column> m_columns;
    mutable QList<Field*> m_fields;   // resolved per reset, as opening may rebuild fields
    int m_rows = 0;                   // the count the views were last told
};

}  // namespace data
