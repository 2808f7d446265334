#pragma once
// Which realized transfers a bank statement confirms. A debit entry confirms
// one realized transfer of the same amount to the same account, booked within
// a few days of the realization day; when several fit, the one whose invoice
// number appears in the entry's title wins, then the nearest day. A bank
// that groups a batch's transfers to one account books them as one entry of
// their sum: such an entry confirms the whole group.
//
// Hashing on account and amount keeps the work proportional to the number of
// entries and transfers, not their product.

#include <QDate>
#include <QString>

#include <cstdint>
#include <vector>

struct TPozycjaDoDopasowania {
    QString rachunek;        // 26 digits
    std::int64_t kwota = 0;  // grosze, a debit only
    QDate data;              // booking day, else value day
    QString tytul;
};

struct TZrealizowanyDoDopasowania {
    int id = 0;
    QString rachunek;        // digits only
    std::int64_t kwota = 0;  // grosze
    QDate dataRealizacji;
    QString kolejny;         // the batch letter of the day
    QString nrFaktury;
};

struct TDopasowanie {
    int pozycja = 0;                 // index into the entries
    std::vector<int> zrealizowane;   // indexes into the realized transfers; more than one for a group
};

struct TWynikDopasowania {
    std::vector<TDopasowanie> pary;
    std::vector<int> pozycjeBezPary;
    std::vector<int> zrealizowaneBezPary;
};

TWynikDopasowania dopasujWyciag(const std::vector<TPozycjaDoDopasowania>& pozycje,
                                const std::vector<TZrealizowanyDoDopasowania>& zrealizowane, int dniOdstepu = 5);

// The digits of an account as written anywhere ("PL61 1090 ...", "/PL61...").
QString cyfryRachunku(const QString& rachunek);
