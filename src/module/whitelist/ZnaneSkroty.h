#pragma once
// The digests of a day computed in advance for the pairs the register can
// pay, kept beside the day's store in the shared folder ("yyyymmdd.bls"), so
// that a check at issue on any workstation looks them up instead of hashing
// every pair the file's thousands of rounds. The file only spares work: one
// that is damaged, or written for another day or number of rounds, is ignored
// and written anew.

#include "module/whitelist/Sprawdzenie.h"

namespace whitelist {

// Checks the pairs as sprawdz does, taking the digests the day's file knows,
// then adds those hashed now to the file. When postep stops the hashing, what
// was hashed is kept all the same and nothing is returned.
std::optional<std::vector<Wynik>> sprawdzZeSkrotamiDnia(const Magazyn& magazyn, const std::vector<Para>& pary,
                                                        const PostepSprawdzania& postep = {});

// The digests kept for the store's day and rounds; none when the file is missing, damaged or another store's.
std::vector<ZnanySkrot> skrotyDnia(const OpisMagazynu& opis);

QString sciezkaSkrotowDnia(const QDate& dzien);

}  // namespace whitelist
