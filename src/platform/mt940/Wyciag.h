#pragma once
// A bank statement in the SWIFT field-tag layout, as read from the bank's file.
// Amounts are whole grosze: a statement never carries more than two decimals
// and sums of many entries must not drift.

#include <QDate>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace mt940 {

struct Saldo {
    bool debet = false;   // 'D': the account is overdrawn
    QDate data;
    QString waluta;
    std::int64_t kwota = 0;   // grosze, never negative; the sign is `debet`
    bool posrednie = false;   // ":60M:"/":62M:": the statement goes on in the next message

    std::int64_t zeZnakiem() const { return debet ? -kwota : kwota; }
};

struct Pozycja {
    int wiersz = 0;               // line of the ":61:" field, from 1
    QDate dataWaluty;
    QDate dataKsiegowania;        // invalid when the bank leaves it out
    bool obciazenie = false;      // money left the account ('D' or the reversal 'RC')
    bool storno = false;          // 'RD'/'RC'
    QChar kodFunduszy;            // null when absent
    std::int64_t kwota = 0;       // grosze, never negative
    QString typ;                  // transaction type, e.g. "NTRF" or "S051"
    QString referencjaKlienta;
    QString referencjaBanku;
    QString uzupelnienie;         // the supplementary line under ":61:"
    QString opis;                 // the whole ":86:" text, its lines joined
    QString kodOperacji;          // the three digits opening a structured ":86:"
    QString kontrahent;
    QString rachunek;             // the counterparty's account, 26 digits when it is Polish
    QString tytul;

    std::int64_t zeZnakiem() const { return obciazenie ? -kwota : kwota; }
};

struct Wyciag {
    int wiersz = 0;               // line of the ":20:" field, from 1
    QString referencja;           // ":20:"
    QString rachunekPola;         // ":25:" as written
    QString rachunek;             // 26 digits when the field holds a Polish account, else as written
    QString kodBanku;             // the part before '/' in the "bank/account" form
    QString numer;                // ":28C:"
    Saldo otwarcia;
    Saldo zamkniecia;
    std::optional<Saldo> dostepne;   // ":64:"
    QString informacja;           // a ":86:" of the statement itself, after its entries
    std::vector<Pozycja> pozycje;

    // Closing balance less opening balance less the entries; 0 when they agree.
    std::int64_t roznicaSald() const;
};

struct Blad {
    int wiersz = 0;   // from 1; 0 for the file as a whole
    QString komunikat;
};

struct WynikCzytania {
    std::vector<Wyciag> wyciagi;   // every statement read completely
    std::optional<Blad> blad;      // what stopped the reading
    // A statement whose balances do not agree with its entries is still read; one line each.
    std::vector<Blad> niezgodnosciSald;

    bool ok() const { return !blad && niezgodnosciSald.empty(); }
};

// "1 234,56", as the program shows amounts in messages.
QString kwotaTekstem(std::int64_t grosze);

} // namespace mt940
