#include "platform/controls/DBCheckBox.h"

namespace ui {

DBCheckBox::DBCheckBox(const QString& text, QWidget* parent) : QCheckBox(text, parent), m_link(this)
{
    connect(&m_link, &FieldLink::changed, this, &DBCheckBox::showField);
    connect(this, &QCheckBox::clicked, this, &DBCheckBox::userToggled);
}

void DBCheckBox::setDataField(data::Dataset* dataset, const QString& fieldName) { m_link.bind(dataset, fieldName); }

void DBCheckBox::showField()
{
    const data::Field* f = m_link.isActive() ? m_link.field() : nullptr;
    QSignalBlocker quiet(this);
    setChecked(f && !f->isNull() && f->asInteger() == 1);
}

void DBCheckBox::userToggled(bool checked)
{
    if (!m_link.startEdit()) {
        showField();
        return;
    }
    m_link.quietly([&] { m_link.field()->setInteger(checked ? 1 : 0); });
}

DBComboBox::DBComboBox(QWidget* parent) : QComboBox(parent), m_link(this)
{
    connect(&m_link, &FieldLink::changed, this, &DBComboBox::showField);
    connect(this, &QComboBox::activated, this, &DBComboBox::userChose);
}

void DBComboBox::setDataField(data::Dataset* dataset, const QString& fieldName) { m_link.bind(dataset, fieldName); }

// The field's text picks the item; a text no item has shows nothing.
void DBComboBox::showField()
{
    const data::Field* f = m_link.isActive() ? m_link.field() : nullptr;
    QSignalBlocker quiet(this);
    setCurrentIndex(f ? findText(f->text()) : -1);
}

void DBComboBox::userChose(int index)
{
    if (index < 0 || !m_link.startEdit()) {
        showField();
        return;
    }
    m_link.quietly([&] { m_link.field()->setText(itemText(index)); });
}

}  // namespace ui
