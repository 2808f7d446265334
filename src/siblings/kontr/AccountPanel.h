#pragma once
// Under a contractor's list of bank accounts: the current account's number,
// bank and flags, which the user corrects or types for a new account.

#include <QGroupBox>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace siblings {

class ChooserWindow;

class AccountPanel : public QGroupBox {
    Q_OBJECT
public:
    AccountPanel(ChooserWindow& window, int contractorId);

    QLineEdit& account() { return *m_account; }
    QLineEdit& bank() { return *m_bank; }
    QCheckBox& isDefault() { return *m_default; }
    QCheckBox& isActive() { return *m_active; }
    QPushButton& newButton() { return *m_newButton; }
    QPushButton& saveButton() { return *m_saveButton; }

    // Writes the typed account (a new one after "Nowe konto") and commits it.
    // False, with what was typed kept, when the user stopped at the warning
    // about the check digits, the number is empty, or the row was changed by
    // someone else meanwhile.
    bool save();

private:
    void showCurrent();
    void startNew();
    bool write(const QString& number);

    ChooserWindow& m_window;
    int m_contractor;
    bool m_new = false;
    QLineEdit* m_account;
    QLineEdit* m_bank;
    QCheckBox* m_default;
    QCheckBox* m_active;
    QPushButton* m_newButton;
    QPushButton* m_saveButton;
};

}  // namespace siblings
