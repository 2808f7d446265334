#pragma once
// What binds a data-aware control to one field of a dataset, by name: the
// field is looked up again whenever it is needed, because an open may bind
// the name to a new Field. The link tells its control when the field must be
// shown again (the row moved, the state changed, the value was changed from
// elsewhere) and puts the dataset into edit state when the user starts typing.

#include "platform/data/Dataset.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class QFocusEvent;
class QWidget;

namespace ui {

class FieldLink : public QObject {
    Q_OBJECT
public:
    explicit FieldLink(QObject* parent);

    void bind(data::Dataset* dataset, const QString& fieldName);
    data::Dataset* dataset() const { return m_dataset; }
    const QString& fieldName() const { return m_fieldName; }
    // Null while unbound or when the dataset has no such field.
    data::Field* field() const;
    bool isActive() const { return m_dataset && m_dataset->isActive(); }
    // The user may change the field: the dataset is open and the field writable.
    bool canModify() const;
    // Puts the dataset into edit state unless it is editing already; false when
    // the field cannot be modified. The control is not told to show the field again.
    bool startEdit();
    // Runs a change of the field made by the control itself, without telling it back.
    void quietly(const std::function<void()>& change);

signals:
    // Show the field again; input not yet written is void.
    void changed();

private:
    void notify();

    QPointer<data::Dataset> m_dataset;
    QString m_fieldName;
    QList<QMetaObject::Connection> m_connections;
    bool m_quiet = false;
};

// What every data-aware control does when it is left, and what a window asks
// of all of them before it checks or saves a record.
class DataControl {
public:
    virtual ~DataControl() = default;
    // Input typed but not yet written into the field.
    virtual bool hasPendingEdit() const = 0;
    // Writes pending input as leaving the control would, then runs its exit
    // handlers. False when the field refused the text (the control said why and keeps it).
    virtual bool finishEdit() = 0;
};

// The column width of a text field in characters: 0 for any other field or
// a text without limit.
int textLimit(const data::Field* field);

// Text the field's column cannot store (a character outside Windows-1250, or
// longer than the column) is refused with the reason shown; true when it fits.
bool acceptsText(const data::Field* field, const QString& text);

// Whether losing the focus means the user left the control: a menu or
// another window taking the focus for a moment does not, nor the control's
// window closing (which checks its pending edits itself).
bool leavesControl(const QWidget& control, const QFocusEvent& event);

// The window's pending edits written into their fields as if the focus had
// left them: every data control holding typed text, and the one that has the
// focus, finishes its edit. False when a control refused its text.
bool applyEdits(QWidget& window);

}  // namespace ui
