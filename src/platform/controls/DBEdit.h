#pragma once
// A line edit bound to a field: shows the field's display text, its editor
// text while it has the focus, and writes what the user typed back when it
// is left (or when the window applies its edits). Typing puts the dataset
// into edit state.

#include "platform/controls/FieldLink.h"

#include <QLineEdit>

namespace ui {

// The suite's edit masks ("9999-99-99;1;_": mask, keep literals, blank
// character) in Qt's input-mask notation. Digits typed into a mask keep its
// literals in the field's text, which is what date fields need; the middle
// section is therefore not used.
QString qtInputMask(const QString& suiteMask);

class DBEdit : public QLineEdit, public DataControl {
    Q_OBJECT
public:
    explicit DBEdit(QWidget* parent = nullptr);

    void setDataField(data::Dataset* dataset, const QString& fieldName);
    data::Field* field() const { return m_link.field(); }

    // An edit mask in the suite's notation; without one the field's own applies.
    void setEditMask(const QString& suiteMask);
    // Whatever is typed becomes upper case.
    void setUpperCase(bool on);
    // Shown only: read-only, in the info colour, passed over by Tab and Enter.
    void setInfo(bool on);
    bool isInfo() const { return m_info; }

    // The user typed into the edit since it was last entered or left, or since
    // the field was last shown afresh.
    bool modified() const { return m_typed; }

    bool hasPendingEdit() const override { return m_pending; }
    bool finishEdit() override;

signals:
    // The edit was left and what was typed is in the field.
    void exited();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void showField();
    void userEdited();
    bool applyEdit();
    QString activeMask() const;
    bool isBlank() const;

    FieldLink m_link;
    QString m_mask;
    bool m_info = false;
    bool m_pending = false;
    bool m_typed = false;
};

}  // namespace ui
