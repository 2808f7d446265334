#pragma once
// The company banks register: the banks the company pays from, with what the
// bank file writer needs of each (procedure, folder, grouping, paragraph,
// the transaction code of split payments).

#include "siblings/core/ChooserWindow.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace siblings {

class BankWindow : public ChooserWindow {
    Q_OBJECT
public:
    explicit BankWindow(QWidget* owner);

    QComboBox& procedure() { return *m_procedure; }
    QLineEdit& folder() { return *m_folder; }
    QCheckBox& grouping() { return *m_grouping; }
    QCheckBox& paragraph() { return *m_paragraph; }
    QLineEdit& splitCode() { return *m_splitCode; }
    // Writes the edited settings of the current bank and commits them; false
    // (after a message) when the database refused or another user changed the
    // bank since it was read (then nothing is written and the list is read again).
    bool save();

protected:
    void onHandlerFailed(const char* operation) override;

private:
    void showCurrent();
    void chooseFolder();

    QComboBox* m_procedure;
    QLineEdit* m_folder;
    QCheckBox* m_grouping;
    QCheckBox* m_paragraph;
    QLineEdit* m_splitCode;
};

}  // namespace siblings
