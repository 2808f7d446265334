#pragma once
// Checking contractors' accounts against a loaded flat file: the pair
// NIP + account is looked up directly, then through every mask of virtual
// accounts that fits the account.

#include "module/whitelist/Magazyn.h"

#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace whitelist {

struct Para {
    std::string nip;  // as the contractor has it; normalized here
    std::string konto;  // as the contractor account has it; normalized here
};

struct Wynik {
    Status status = Status::Brak;
    bool przezMaske = false;  // found as a virtual account
    bool bledneDane = false;  // the NIP or the account is not a number the list can hold
};

Wynik sprawdz(const Magazyn& magazyn, const Para& para);
// Every pair, the same pair computed once; the hashing runs on every core.
std::vector<Wynik> sprawdz(const Magazyn& magazyn, const std::vector<Para>& pary);

// Told before each group of pairs is hashed how many of those to hash are
// done; false stops the check. Pairs hashed before in this session are not counted.
using PostepSprawdzania = std::function<bool(std::size_t zrobione, std::size_t wszystkie)>;
// As above; nothing when postep stopped it.
std::optional<std::vector<Wynik>> sprawdz(const Magazyn& magazyn, const std::vector<Para>& pary,
                                          const PostepSprawdzania& postep);

// A digest of the store's day and rounds, for a NIP and an account (or a
// virtual account), both as the list writes them.
struct ZnanySkrot {
    std::string nip;
    std::string konto;
    Digest skrot;
};
// Those digests a check of the pairs needs (each pair's own and its virtual
// accounts') that this session knows, sorted by NIP and account.
std::vector<ZnanySkrot> znaneSkroty(const Magazyn& magazyn, const std::vector<Para>& pary);
// Makes digests of that day and rounds known to the session: a check then does not hash them.
void dodajZnane(const OpisMagazynu& opis, const std::vector<ZnanySkrot>& znane);
// The session's digests forgotten, as on a workstation that starts afresh.
void zapomnijSkroty();

// The store to check a payment of that day against: that day's, else the
// newest loaded; the warning says why it is not that day's. No store when
// nothing was loaded (the warning then says so).
struct WybranyMagazyn {
    std::unique_ptr<Magazyn> magazyn;
    QString ostrzezenie;
};
WybranyMagazyn magazynNaDzien(const QDate& dzien);

// "czynny podatnik VAT", "rachunek wirtualny czynnego podatnika VAT", "brak na liście", ...
QString opis(const Wynik& w);

}  // namespace whitelist
