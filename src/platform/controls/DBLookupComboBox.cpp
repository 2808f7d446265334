#include "platform/controls/DBLookupComboBox.h"

#include <QFocusEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTableView>

namespace ui {

DBLookupComboBox::DBLookupComboBox(QWidget* parent)
    : QComboBox(parent), m_link(this), m_model(new QStandardItemModel(this))
{
    setModel(m_model);
    auto* view = new QTableView(this);
    view->horizontalHeader()->hide();
    view->verticalHeader()->hide();
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setShowGrid(false);
    setView(view);
    connect(&m_link, &FieldLink::changed, this, &DBLookupComboBox::showField);
    connect(this, &QComboBox::activated, this, &DBLookupComboBox::choose);
}

void DBLookupComboBox::setDataField(data::Dataset* dataset, const QString& fieldName)
{
    m_link.bind(dataset, fieldName);
}

void DBLookupComboBox::setListSource(data::Dataset* list, const QString& keyField, const QString& listFields)
{
    for (const auto& c : m_listConnections)
        disconnect(c);
    m_listConnections.clear();
    m_list = list;
    m_keyField = keyField;
    m_listFields = listFields.split(u';', Qt::SkipEmptyParts);
    if (list) {
        using D = data::Dataset;
        for (auto signal : {&D::afterOpen, &D::afterClose, &D::afterPost, &D::afterDelete, &D::resynced})
            m_listConnections << connect(list, signal, this, &DBLookupComboBox::fillList);
    }
    fillList();
}

void DBLookupComboBox::fillList()
{
    m_model->clear();
    m_keys.clear();
    if (m_list && m_list->isActive()) {
        const data::Field& key = m_list->fieldByName(m_keyField);
        for (int row = 0; row < m_list->recordCount(); ++row) {
            data::Dataset::RowScope scope(*m_list, row);
            QList<QStandardItem*> items;
            for (const QString& name : m_listFields)
                items << new QStandardItem(m_list->fieldByName(name).displayText());
            m_model->appendRow(items);
            m_keys.push_back(key.value());
        }
    }
    if (auto* table = qobject_cast<QTableView*>(view())) {
        table->resizeColumnsToContents();
        // The open list is as wide as its columns, even where the box is narrower.
        table->setMinimumWidth(table->horizontalHeader()->length() + table->verticalScrollBar()->sizeHint().width() +
                               2 * table->frameWidth());
    }
    showField();
}

void DBLookupComboBox::showField()
{
    const data::Field* f = field();
    int index = -1;
    if (f && m_link.isActive() && !f->isNull()) {
        const fb::Value key = f->value();
        for (int row = 0; row < int(m_keys.size()) && index < 0; ++row)
            if (data::sameValue(m_keys[row], key))
                index = row;
    }
    setCurrentIndex(index);
    if (index >= 0 && m_list->recNo() != index)
        m_list->setRecNo(index);
}

void DBLookupComboBox::choose(int index)
{
    if (index < 0 || index >= int(m_keys.size()) || !m_link.startEdit()) {
        showField();
        return;
    }
    m_list->setRecNo(index);
    data::Field* f = field();
    m_link.quietly([&] { f->setValue(m_keys[index]); });
    emit clicked();
}

bool DBLookupComboBox::finishEdit()
{
    emit exited();
    return true;
}

void DBLookupComboBox::focusOutEvent(QFocusEvent* event)
{
    QComboBox::focusOutEvent(event);
    if (leavesControl(*this, *event))
        finishEdit();
}

}  // namespace ui
