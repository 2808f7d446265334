#pragma once
// The contractor register: choosers over ET_KONTAKT and one contractor's
// bank accounts (ET_BANK_KONTO).

#include "platform/data/Dataset.h"

#include <QObject>
#include <QString>

class QWidget;

class TdmKontr : public QObject {
    Q_OBJECT
public:
    explicit TdmKontr(QObject* parent = nullptr);

    // The contractor register, modal; the chosen ID goes to the owner's tag
    // (0 when nothing was chosen) when the owner is a ui::FormBase.
    void KontrahentModalne(QWidget* owner, int currentId);
    // The same, starting from a search of the text in SKROT or KOD_FK.
    void KontrahentModalneTekst(QWidget* owner, const QString& column, const QString& text);
    // One contractor's data and accounts; the chosen account's ID goes to the owner's tag.
    void vKontrahentDane(QWidget* owner, int contractorId, int mode);
    // Switches the acceptance of the account: one that was accepted (1) is not
    // any more, any other becomes accepted by the suite user, with the time.
    // `seenState` is ZAAKCEPTOWANE as the caller read it: when the account no
    // longer has it (another user switched it meanwhile) nothing is written.
    // Runs in the caller's unit of work, or in its own. Refusals and database
    // failures throw, with a Polish text; `query` and `flag` are not used.
    void vUstawKontoZakceptowane(data::Dataset* query, int seenState, int accountId, bool flag);
    // The suite user who last typed the account's number (upper case); empty
    // when unknown or when there is no such account. That user may not accept it.
    QString sKontoWpisal(int accountId);
    // Why the suite user may not accept the account (he typed its number), or
    // an empty text when he may.
    QString sOdmowaAkceptacji(int accountId);
};

inline TdmKontr* dmKontr = nullptr;
