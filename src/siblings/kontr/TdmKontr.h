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
    // Switches ZAAKCEPTOWANE of the account (1 <-> 0) and commits retaining.
    // `query` is not used; the shared transaction is.
    void vUstawKontoZakceptowane(data::Dataset* query, int zero, int accountId, bool flag);
};

inline TdmKontr* dmKontr = nullptr;
