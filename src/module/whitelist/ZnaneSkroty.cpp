#include "module/whitelist/ZnaneSkroty.h"

#include <QCryptographicHash>
#include <QFile>
#include <QList>
#include <QSaveFile>
#include <algorithm>
#include <cstring>
#include <map>

namespace whitelist {

namespace {

// "PXBS1 <day> <rounds> <count>", a line "NIP account digest" a pair sorted,
// then the SHA-256 of all that: a file cut short or altered fails it.
const QByteArray kZnak = QByteArrayLiteral("PXBS1");
constexpr int kNip = 10;
constexpr int kKonto = 26;

QByteArray naglowek(const OpisMagazynu& o, std::size_t ile) {
    return kZnak + ' ' + o.data.toString(QStringLiteral("yyyyMMdd")).toLatin1() + ' ' + QByteArray::number(o.rundy) +
           ' ' + QByteArray::number(static_cast<qulonglong>(ile)) + '\n';
}

QByteArray suma(const QByteArray& tresc) { return QCryptographicHash::hash(tresc, QCryptographicHash::Sha256).toHex(); }

bool tylko(const QByteArray& tekst, int dlugosc, const char* znaki) {
    return tekst.size() == dlugosc &&
           std::all_of(tekst.begin(), tekst.end(), [&](char c) { return c && std::strchr(znaki, c); });
}

std::optional<ZnanySkrot> wiersz(const QByteArray& linia) {
    const QList<QByteArray> pola = linia.split(' ');
    ZnanySkrot z;
    if (pola.size() != 3 || !tylko(pola[0], kNip, "0123456789") || !tylko(pola[1], kKonto, "0123456789X") ||
        !fromHex(pola[2].toStdString(), z.skrot))
        return std::nullopt;
    z.nip = pola[0].toStdString();
    z.konto = pola[1].toStdString();
    return z;
}

// Written whole under a temporary name, then renamed: a workstation reading
// meanwhile finds the old file or the new one. A folder that cannot be written
// leaves the work to the check, as without the file.
void zapisz(const OpisMagazynu& o, const std::vector<ZnanySkrot>& znane) {
    QByteArray tresc = naglowek(o, znane.size());
    for (const ZnanySkrot& z : znane)
        tresc += QByteArray::fromStdString(z.nip + ' ' + z.konto + ' ' + toHex(z.skrot)) + '\n';
    tresc += suma(tresc) + '\n';
    QSaveFile plik(sciezkaSkrotowDnia(o.data));
    if (plik.open(QIODevice::WriteOnly) && plik.write(tresc) == tresc.size()) plik.commit();
}

}  // namespace

QString sciezkaSkrotowDnia(const QDate& dzien) {
    return folderMagazynu() + "/" + dzien.toString(QStringLiteral("yyyyMMdd")) + ".bls";
}

std::vector<ZnanySkrot> skrotyDnia(const OpisMagazynu& opis) {
    QFile plik(sciezkaSkrotowDnia(opis.data));
    if (!plik.open(QIODevice::ReadOnly)) return {};
    QByteArray tresc = plik.readAll();
    if (!tresc.endsWith('\n')) return {};
    tresc.chop(1);
    const qsizetype koniecTresci = tresc.lastIndexOf('\n') + 1;
    if (koniecTresci <= 0 || tresc.mid(koniecTresci) != suma(tresc.left(koniecTresci))) return {};
    QList<QByteArray> linie = tresc.left(koniecTresci).split('\n');
    linie.removeLast();
    if (linie.isEmpty() || linie.front() + '\n' != naglowek(opis, static_cast<std::size_t>(linie.size() - 1)))
        return {};
    std::vector<ZnanySkrot> znane;
    for (qsizetype i = 1; i < linie.size(); ++i) {
        auto z = wiersz(linie[i]);
        if (!z) return {};
        znane.push_back(std::move(*z));
    }
    return znane;
}

std::optional<std::vector<Wynik>> sprawdzZeSkrotamiDnia(const Magazyn& magazyn, const std::vector<Para>& pary,
                                                        const PostepSprawdzania& postep) {
    const OpisMagazynu& opis = magazyn.opis();
    const std::vector<ZnanySkrot> zPliku = skrotyDnia(opis);
    dodajZnane(opis, zPliku);
    auto wyniki = sprawdz(magazyn, pary, postep);
    std::map<std::pair<std::string, std::string>, Digest> wszystkie;
    for (const ZnanySkrot& z : zPliku) wszystkie.emplace(std::pair(z.nip, z.konto), z.skrot);
    for (const ZnanySkrot& z : znaneSkroty(magazyn, pary)) wszystkie.emplace(std::pair(z.nip, z.konto), z.skrot);
    if (wszystkie.size() > zPliku.size()) {
        std::vector<ZnanySkrot> znane;
        for (const auto& [klucz, skrot] : wszystkie) znane.push_back({klucz.first, klucz.second, skrot});
        zapisz(opis, znane);
    }
    return wyniki;
}

}  // namespace whitelist
