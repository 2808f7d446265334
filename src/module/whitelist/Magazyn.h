#pragma once
// The loaded flat files, one compact file per day in the store folder
// ("yyyymmdd.bl"): a fixed header, the sorted digests of active taxpayers,
// those of exempt taxpayers, then the masks. A check maps the file and
// searches it by halves, so it costs microseconds whatever the file's size.

#include "module/whitelist/PlikPlaski.h"

#include <QDate>
#include <QFile>
#include <QString>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace whitelist {

enum class Status { Brak = 0, Czynny = 1, Zwolniony = 2 };

struct OpisMagazynu {
    QDate data;
    int rundy = 0;
    quint64 czynnych = 0;
    quint64 zwolnionych = 0;
    quint64 masek = 0;
};

// The folder the loaded files are kept in (the program's data folder unless set).
QString folderMagazynu();
void ustawFolderMagazynu(const QString& folder);

// Reads a downloaded flat file and writes the store of its day, replacing one
// loaded before only when the new one is complete. postep as for the reader.
OpisMagazynu wczytajPlikPlaski(QIODevice& plik, const std::function<bool(qint64)>& postep = {});

// Days whose store is present, oldest first.
std::vector<QDate> wczytaneDni();

class Magazyn {
public:
    // Nothing when that day has no store or its file is damaged.
    static std::unique_ptr<Magazyn> otworz(const QDate& dzien);

    const OpisMagazynu& opis() const { return m_opis; }
    Status szukaj(const Digest& d) const;
    // The masks that may fit the account: those of its bank (the digits after
    // the check digits) and those that leave the bank open.
    std::vector<const std::string*> maskiDla(std::string_view konto) const;

private:
    Magazyn() = default;
    bool mapuj(const QString& sciezka);

    OpisMagazynu m_opis;
    QFile m_plik;
    const unsigned char* m_czynni = nullptr;
    const unsigned char* m_zwolnieni = nullptr;
    std::vector<std::string> m_maski;
    std::unordered_map<std::string, std::vector<std::size_t>> m_maskiBanku;
    std::vector<std::size_t> m_maskiOtwarte;
};

}  // namespace whitelist
