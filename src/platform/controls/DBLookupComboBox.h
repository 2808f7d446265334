#pragma once
// A drop-down list over the rows of a list dataset, bound to a key field:
// it shows the row whose key equals the field's value (and makes it the list
// dataset's current row), and writes the key of the row the user picks into
// the field, putting the dataset into edit state.

#include "platform/controls/FieldLink.h"
#include "platform/fb/Fb.h"

#include <QComboBox>
#include <vector>

class QStandardItemModel;

namespace ui {

class DBLookupComboBox : public QComboBox, public DataControl {
    Q_OBJECT
public:
    explicit DBLookupComboBox(QWidget* parent = nullptr);

    void setDataField(data::Dataset* dataset, const QString& fieldName);
    data::Field* field() const { return m_link.field(); }
    // The rows offered: `keyField` is written into the bound field, `listFields`
    // ("KONTO;NAZWA") are the columns of the list, the first also shown when closed.
    void setListSource(data::Dataset* list, const QString& keyField, const QString& listFields);

    // The key is written the moment it is picked: nothing is ever pending.
    bool hasPendingEdit() const override { return false; }
    bool finishEdit() override;

signals:
    // The user picked a row; its key is in the field and it is the list's current row.
    void clicked();
    void exited();

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    void fillList();
    void showField();
    void choose(int index);

    FieldLink m_link;
    QPointer<data::Dataset> m_list;
    QString m_keyField;
    QStringList m_listFields;
    QList<QMetaObject::Connection> m_listConnections;
    QStandardItemModel* m_model;
    std::vector<fb::Value> m_keys;   // by list row
};

}  // namespace ui
