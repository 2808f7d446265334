#pragma once
// A multi-line text bound to a field, written back when it is left (or when
// the window applies its edits); typing puts the dataset into edit state.

#include "platform/controls/FieldLink.h"

#include <QPlainTextEdit>

namespace ui {

class DBMemo : public QPlainTextEdit, public DataControl {
    Q_OBJECT
public:
    explicit DBMemo(QWidget* parent = nullptr);

    void setDataField(data::Dataset* dataset, const QString& fieldName);
    data::Field* field() const { return m_link.field(); }

    bool hasPendingEdit() const override { return m_pending; }
    bool finishEdit() override;

signals:
    void exited();

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    void showField();
    void userEdited();
    void capText();

    FieldLink m_link;
    bool m_showing = false;
    bool m_pending = false;
};

}  // namespace ui
