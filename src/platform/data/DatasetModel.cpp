#include "platform/data/DatasetModel.h"

namespace data {

DatasetModel::DatasetModel(Dataset* dataset, QObject* parent) : QAbstractTableModel(parent), m_dataset(dataset) {
    connect(dataset, &Dataset::afterOpen, this, &DatasetModel::resetAll);
    connect(dataset, &Dataset::afterClose, this, &DatasetModel::resetAll);
    connect(dataset, &Dataset::resynced, this, &DatasetModel::resetAll);
    connect(dataset, &Dataset::rowChanged, this, &DatasetModel::changeRow);
    connect(dataset, &Dataset::dataChanged, this, [this] {
        if (m_dataset->state() == Dataset::State::Edit) changeRow(m_dataset->recNo());
    });
    connect(dataset, &Dataset::aboutToInsertRow, this, [this](int row) { beginInsertRows({}, row, row); });
    connect(dataset, &Dataset::rowInserted, this, [this] {
        ++m_rows;
        endInsertRows();
    });
    connect(dataset, &Dataset::aboutToRemoveRow, this, [this](int row) { beginRemoveRows({}, row, row); });
    connect(dataset, &Dataset::rowRemoved, this, [this] {
        --m_rows;
        endRemoveRows();
    });
    m_rows = dataset->recordCount();
}

void DatasetModel::setColumns(const QList<Column>& columns) {
    beginResetModel();
    m_columns = columns;
    m_fields.clear();
    endResetModel();
}

void DatasetModel::addColumn(const QString& field, const QString& title, int width) {
    const int at = static_cast<int>(m_columns.size());
    beginInsertColumns({}, at, at);
    m_columns.append({field, title, width});
    m_fields.clear();
    endInsertColumns();
}

int DatasetModel::columnOf(const QString& field) const {
    for (int c = 0; c < m_columns.size(); ++c)
        if (m_columns[c].field.compare(field, Qt::CaseInsensitive) == 0) return c;
    return -1;
}

Field* DatasetModel::fieldAt(int column) const {
    if (!m_dataset || column < 0 || column >= m_columns.size()) return nullptr;
    if (m_fields.size() != m_columns.size()) {
        m_fields.clear();
        for (const Column& c : m_columns) m_fields.append(m_dataset->findField(c.field));
    }
    return m_fields[column];
}

void DatasetModel::resetAll() {
    beginResetModel();
    m_fields.clear();
    m_rows = m_dataset ? m_dataset->recordCount() : 0;
    endResetModel();
}

void DatasetModel::changeRow(int row) {
    if (row >= 0 && row < m_rows) emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

int DatasetModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : m_rows; }

int DatasetModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QVariant DatasetModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !m_dataset || index.row() >= m_dataset->recordCount()) return {};
    Field* field = fieldAt(index.column());
    if (!field) return {};
    switch (role) {
    case Qt::DisplayRole: {
        Dataset::RowScope scope(*m_dataset, index.row());
        return field->displayText();
    }
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignVCenter | (field->isNumeric() ? Qt::AlignRight : Qt::AlignLeft));
    default: return {};
    }
}

QVariant DatasetModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columns.size()) return {};
    const Column& c = m_columns[section];
    if (role == Qt::DisplayRole) {
        if (!c.title.isNull()) return c.title;
        const Field* f = fieldAt(section);
        return f ? f->displayLabel() : c.field;
    }
    return {};
}

Qt::ItemFlags DatasetModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled : Qt::NoItemFlags;
}

}  // namespace data
