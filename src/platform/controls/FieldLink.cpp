#include "platform/controls/FieldLink.h"

#include "platform/text/TextLimits.h"
#include "platform/ui/Dialogs.h"

#include <QFocusEvent>
#include <QWidget>
#include <algorithm>

namespace ui {

int textLimit(const data::Field* field)
{
    return field && field->type() == data::FieldType::String ? std::max(field->size(), 0) : 0;
}

bool acceptsText(const data::Field* field, const QString& text)
{
    if (!field || !field->isString())
        return true;
    const QString refusal = text::storageRefusal(text, textLimit(field));
    if (refusal.isEmpty())
        return true;
    dialogs().message(refusal, QStringLiteral("Niepoprawny tekst"), Buttons::Ok, Icon::Warning);
    return false;
}

FieldLink::FieldLink(QObject* parent) : QObject(parent) {}

void FieldLink::bind(data::Dataset* dataset, const QString& fieldName)
{
    for (const auto& c : m_connections)
        disconnect(c);
    m_connections.clear();
    m_dataset = dataset;
    m_fieldName = fieldName;
    if (dataset) {
        using D = data::Dataset;
        for (auto signal : {&D::afterOpen, &D::afterClose, &D::afterScroll, &D::resynced})
            m_connections << connect(dataset, signal, this, &FieldLink::notify);
        m_connections << connect(dataset, &D::stateChanged, this, &FieldLink::notify);
        m_connections << connect(dataset, &D::rowChanged, this, &FieldLink::notify);
        m_connections << connect(dataset, &D::dataChanged, this, [this](data::Field* f) {
            if (!f || f->name().compare(m_fieldName, Qt::CaseInsensitive) == 0)
                notify();
        });
    }
    emit changed();
}

data::Field* FieldLink::field() const { return m_dataset ? m_dataset->findField(m_fieldName) : nullptr; }

bool FieldLink::canModify() const
{
    const data::Field* f = field();
    return isActive() && f && !f->isReadOnly();
}

bool FieldLink::startEdit()
{
    if (!canModify())
        return false;
    if (!m_dataset->isEditing())
        quietly([this] { m_dataset->edit(); });
    return true;
}

void FieldLink::quietly(const std::function<void()>& change)
{
    const bool was = m_quiet;
    m_quiet = true;
    try {
        change();
    } catch (...) {
        m_quiet = was;
        throw;
    }
    m_quiet = was;
}

void FieldLink::notify()
{
    if (!m_quiet)
        emit changed();
}

bool leavesControl(const QWidget& control, const QFocusEvent& event)
{
    return control.isVisible() && event.reason() != Qt::PopupFocusReason &&
           event.reason() != Qt::ActiveWindowFocusReason;
}

bool applyEdits(QWidget& window)
{
    bool ok = true;
    for (QWidget* w : window.findChildren<QWidget*>()) {
        auto* control = dynamic_cast<DataControl*>(w);
        if (control && (control->hasPendingEdit() || w->hasFocus()))
            ok = control->finishEdit() && ok;
    }
    return ok;
}

}  // namespace ui
