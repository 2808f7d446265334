#pragma once
// The white-list check at issue: every transfer of at least the threshold
// amount (RE_PARAMETRY.PROG_BIALEJ_LISTY) to a contractor with a NIP is
// checked against the flat file of the issue day, or the newest loaded one.
// Every check is recorded (PR_BIALA_LISTA_SPRAWDZENIA) before the user
// decides, the user's confirmation of paying an account not on the list is
// recorded with who and when, and the issued batch links each check to the
// realized row the payment became.

#include "module/whitelist/Sprawdzenie.h"

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

class QWidget;

namespace data {
class Dataset;
}
namespace fb {
class Transaction;
}

namespace whitelist {

// What PR_BIALA_LISTA_SPRAWDZENIA.WYNIK holds.
enum class Zapisany { Brak = 0, Czynny = 1, Zwolniony = 2, BledneDane = 3, BezPliku = 4 };

// "czynny podatnik VAT", "rachunku nie ma na białej liście", "nie sprawdzono: brak pliku płaskiego", ...
QString opis(Zapisany wynik, bool przezMaske);

struct PrzelewDoSprawdzenia {
    int idPrzelewu = 0;
    QString kontrahent;
    QString nip;
    QString konto;
    qint64 grosze = 0;  // the amount paid now
};

struct Sprawdzony {
    PrzelewDoSprawdzenia przelew;
    Zapisany wynik = Zapisany::BezPliku;
    bool przezMaske = false;
    int idSprawdzenia = 0;
    bool naLiscie() const { return wynik == Zapisany::Czynny || wynik == Zapisany::Zwolniony; }
};

struct WynikKontroli {
    QDate dataPliku;  // invalid when no file was loaded
    QString ostrzezenie;  // why the file is not the issue day's
    std::vector<Sprawdzony> sprawdzone;
    std::vector<Sprawdzony> pozaLista() const;
};

// 15 000 zł unless the parameters say otherwise, in grosze.
qint64 progWGroszach(fb::Transaction& tr);

// One transfer with its contractor's NIP and account; the full amount of its
// invoice in pelnaKwota when asked for.
std::optional<PrzelewDoSprawdzenia> przelew(fb::Transaction& tr, int idPrzelewu, qint64* pelnaKwota);

// The transfers among those IDs the check applies to. A part payment of an
// invoice above the threshold is checked too: the duty follows the invoice.
std::vector<PrzelewDoSprawdzenia> przelewyDoSprawdzenia(fb::Transaction& tr, const std::vector<int>& idPrzelewow);

// Every transfer of the register not issued yet that the check will apply
// to when it is paid: the pairs worth hashing in advance when a file is loaded.
std::vector<PrzelewDoSprawdzenia> przelewyRejestruOdProgu(fb::Transaction& tr);

// Checks them against the store for that day and records every check in one
// unit of work; nothing is recorded, and nothing returned, when postep stops the hashing.
std::optional<WynikKontroli> sprawdzIZapisz(const std::vector<PrzelewDoSprawdzenia>& przelewy, const QDate& dzien,
                                            const PostepSprawdzania& postep = {});

// Records who confirmed paying those accounts and when; throws when another
// user confirmed one of them meanwhile (nothing is then recorded).
void potwierdz(const std::vector<Sprawdzony>& sprawdzone);

// Inside the unit of work: each check points at the realized row of its transfer in that batch.
void powiazZPartia(const std::vector<int>& idSprawdzen, const QDate& dzien, char kolejny);

// The whole step at issue for the transfers of the hand-off: checks, warns
// about a file of another day, lists what is not on the list for the user to
// confirm. A long hashing shows its progress and can be stopped. False when
// the user goes back to the register or stops the check: nothing is issued.
bool bSprawdzPrzyWystawieniu(const data::Dataset& przelewy, const QDate& dzien, QWidget* rodzic,
                             std::vector<int>& idSprawdzen);

// The register's on-demand answer for one transfer: its last recorded check
// and a check now against the newest file.
QString opisDlaPrzelewu(int idPrzelewu);
// The check the payment of a realized row went through, for its details; empty when there was none.
QString opisDlaZrealizowanego(int idZrealizowanego);

}  // namespace whitelist
