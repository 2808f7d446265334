#pragma once
// Where the loaded flat files are kept: a folder the office shares, so that a
// file loaded on one workstation is checked against on every other. The
// parameters name it (RE_PARAMETRY.SCIEZKA_BIALEJ_LISTY); {DANE} in it stands
// for the workstation's data folder.

#include "module/whitelist/Sprawdzenie.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <optional>

namespace fb {
class Transaction;
}

namespace whitelist {

// The workstation's data folder (the program's own unless set).
QString folderDanych();
void ustawFolderDanych(const QString& folder);

// The store folder the parameters name, {DANE} replaced; {DANE}/bialalista when none is set.
QString folderZParametrow(fb::Transaction& tr);
// Points the store at that folder: loading and checking use it from then on.
void uzyjFolderuZParametrow(fb::Transaction& tr);

// A day recorded as loaded (PR_BIALA_LISTA_PLIKI): who loaded it and when.
struct ZapisanyPlik {
    QDate data;
    QString wczytal;
    QDateTime wczytano;
};
// The record of that day, else of the newest day loaded; nothing when no file was ever loaded.
std::optional<ZapisanyPlik> zapisanyPlik(fb::Transaction& tr, const QDate& dzien);

// The store for the payments of that day, from the parameters' folder. When
// a file recorded as loaded cannot be read on this workstation, the warning
// says who loaded it, when, and which folder was searched.
WybranyMagazyn magazynDoSprawdzenia(fb::Transaction& tr, const QDate& dzien);

}  // namespace whitelist
