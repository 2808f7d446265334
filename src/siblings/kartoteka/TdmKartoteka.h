#pragma once
// Card index of the suite: accounting periods and the company's own banks.

#include <QObject>

class QWidget;

class TdmKartoteka : public QObject {
    Q_OBJECT
public:
    explicit TdmKartoteka(QObject* parent = nullptr);

    // The company banks register (ET_BANKI), modal: list and edit of the
    // bank's procedure, folder, grouping and paragraph handling.
    void BankModalne(QWidget* owner);
    // FK_OKRESY id of that month, -1 when there is none.
    int iIDOkresu(int year, int month);
};

inline TdmKartoteka* dmKartoteka = nullptr;
