#pragma once
// The menu command that loads a downloaded flat file: the user picks the
// file, a progress bar follows the reading, and the loaded day is recorded
// in PR_BIALA_LISTA_PLIKI.

class QWidget;

namespace whitelist {

struct OpisMagazynu;

// Records the loaded file's day (again, when it is loaded anew) in one unit of work.
void zapiszWczytanie(const OpisMagazynu& opis);

void vWczytajPlikPlaskiZMenu(QWidget* rodzic);

}  // namespace whitelist
