#pragma once
// Data-aware choice controls: a check box bound to an integer field (checked
// 1, unchecked 0) and a drop-down of fixed items bound to a field through its
// text (the field's text handlers translate between item and stored value).
// A choice by the user puts the dataset into edit state and writes at once.

#include "platform/controls/FieldLink.h"

#include <QCheckBox>
#include <QComboBox>

namespace ui {

class DBCheckBox : public QCheckBox, public DataControl {
    Q_OBJECT
public:
    explicit DBCheckBox(const QString& text, QWidget* parent = nullptr);

    void setDataField(data::Dataset* dataset, const QString& fieldName);
    data::Field* field() const { return m_link.field(); }

    bool hasPendingEdit() const override { return false; }
    bool finishEdit() override { return true; }

private:
    void showField();
    void userToggled(bool checked);

    FieldLink m_link;
};

class DBComboBox : public QComboBox, public DataControl {
    Q_OBJECT
public:
    explicit DBComboBox(QWidget* parent = nullptr);

    void setDataField(data::Dataset* dataset, const QString& fieldName);
    data::Field* field() const { return m_link.field(); }

    bool hasPendingEdit() const override { return false; }
    bool finishEdit() override { return true; }

private:
    void showField();
    void userChose(int index);

    FieldLink m_link;
};

}  // namespace ui
