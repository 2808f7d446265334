#pragma once
// Settling realized transfers against one bank statement: which of its debit
// entries confirm which realized rows, and recording that on the rows. A row
// is confirmed once: settling the same statement again finds its entries
// already settled and writes nothing.

#include "platform/fb/Fb.h"
#include "platform/mt940/Wyciag.h"

#include <QDateTime>
#include <QString>

#include <vector>

enum class TStanPozycji {
    Uznanie,        // money in: nothing of the module to confirm
    DoRozliczenia,  // matched, not yet recorded
    Rozliczona,     // recorded on its realized rows
    BezPary,        // a debit no realized transfer explains
};

QString tekstStanu(TStanPozycji stan);

// A realized transfer no statement has confirmed yet.
struct TNiepotwierdzony {
    int id = 0;
    QDate dataRealizacji;
    QString kolejny;
    QString kontrahent;
    QString rachunek;
    std::int64_t kwota = 0;   // grosze
    QString nrFaktury;
};

// Those realized before `dzis` less `dni` days, oldest first: by then their
// statement should have come.
std::vector<TNiepotwierdzony> niepotwierdzone(fb::Transaction& tr, const QDate& dzis, int dni);

class TRozliczenieWyciagu {
public:
    // Reads the realized rows still unconfirmed and those this statement already confirmed.
    TRozliczenieWyciagu(fb::Transaction& tr, const mt940::Wyciag& wyciag, int dniOdstepu = 5);

    const std::vector<TStanPozycji>& stany() const { return stany_; }
    // The realized rows matched to entry n (from 0), not yet recorded.
    const std::vector<int>& doZapisu(std::size_t n) const { return doZapisu_[n]; }

    // Records the matched entries on their rows; returns how many rows. Inside
    // the caller's unit of work; a row settled meanwhile by someone else throws
    // and the caller's rollback drops the rest.
    int rozlicz(const QString& uzytkownik, const QDateTime& kiedy);

    // How the statement is named on the rows: its reference and number.
    static QString znak(const mt940::Wyciag& wyciag);

private:
    fb::Transaction& tr_;
    QString znak_;
    std::vector<TStanPozycji> stany_;
    std::vector<std::vector<int>> doZapisu_;   // realized row IDs per entry
};
