#include "module/whitelist/Magazyn.h"

#include "module/whitelist/SortowaneSkroty.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QtEndian>
#include <algorithm>
#include <cstring>

namespace whitelist {

namespace {

constexpr char kZnak[8] = {'P', 'X', 'B', 'L', '1', 0, 0, 0};
constexpr qint64 kNaglowek = 64;
constexpr qint64 kSkrot = 64;
constexpr qint64 kMaska = 26;
// Where an account's bank number stands: after the two check digits, eight digits.
constexpr std::size_t kBank = 2;
constexpr std::size_t kDlugoscBanku = 8;

QString& folder() {
    static QString f;
    return f;
}

QString sciezka(const QDate& dzien) {
    return folderMagazynu() + "/" + dzien.toString(QStringLiteral("yyyyMMdd")) + ".bl";
}

QByteArray naglowek(const OpisMagazynu& o) {
    QByteArray n(kNaglowek, '\0');
    std::memcpy(n.data(), kZnak, sizeof kZnak);
    std::memcpy(n.data() + 8, o.data.toString(QStringLiteral("yyyyMMdd")).toLatin1().constData(), 8);
    qToLittleEndian<quint32>(static_cast<quint32>(o.rundy), n.data() + 16);
    qToLittleEndian<quint64>(o.czynnych, n.data() + 24);
    qToLittleEndian<quint64>(o.zwolnionych, n.data() + 32);
    qToLittleEndian<quint64>(o.masek, n.data() + 40);
    return n;
}

std::optional<OpisMagazynu> odczytajNaglowek(const uchar* n) {
    if (std::memcmp(n, kZnak, sizeof kZnak) != 0) return std::nullopt;
    OpisMagazynu o;
    o.data = QDate::fromString(QString::fromLatin1(reinterpret_cast<const char*>(n) + 8, 8),
                               QStringLiteral("yyyyMMdd"));
    o.rundy = static_cast<int>(qFromLittleEndian<quint32>(n + 16));
    o.czynnych = qFromLittleEndian<quint64>(n + 24);
    o.zwolnionych = qFromLittleEndian<quint64>(n + 32);
    o.masek = qFromLittleEndian<quint64>(n + 40);
    if (!o.data.isValid() || o.rundy < 1) return std::nullopt;
    return o;
}

void wymagaj(bool ok, const QString& co) {
    if (!ok)
        throw std::runtime_error(("Nie można zapisać białej listy w " + folderMagazynu() + ": " + co).toStdString());
}

bool zawiera(const unsigned char* skroty, quint64 ile, const Digest& d) {
    quint64 od = 0, do_ = ile;
    while (od < do_) {
        const quint64 srodek = od + (do_ - od) / 2;
        const int r = std::memcmp(skroty + srodek * kSkrot, d.data(), kSkrot);
        if (r == 0) return true;
        if (r < 0)
            od = srodek + 1;
        else
            do_ = srodek;
    }
    return false;
}

}  // namespace

QString folderMagazynu() {
    if (folder().isEmpty())
        folder() = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) + "/biala-lista";
    return folder();
}

void ustawFolderMagazynu(const QString& f) { folder() = f; }

OpisMagazynu wczytajPlikPlaski(QIODevice& plik, const std::function<bool(qint64)>& postep) {
    wymagaj(QDir().mkpath(folderMagazynu()), QStringLiteral("brak folderu"));
    SortowaneSkroty czynni, zwolnieni;
    QTemporaryFile maski;
    wymagaj(maski.open(), QStringLiteral("plik tymczasowy"));
    quint64 ileMasek = 0;
    {
        ZapisSkrotow zapisMasek(maski);
        ZdarzeniaPliku zdarzenia;
        zdarzenia.skrot = [&](Lista l, const Digest& d) { (l == Lista::Czynni ? czynni : zwolnieni).dodaj(d); };
        zdarzenia.maska = [&](const std::string& m) {
            zapisMasek.zapisz(m.data(), m.size());
            ++ileMasek;
        };
        zdarzenia.postep = postep;
        const NaglowekPliku n = czytajPlikPlaski(plik, zdarzenia);
        zapisMasek.oproznij();
        OpisMagazynu o;
        o.data = n.data;
        o.rundy = n.rundy;
        o.masek = ileMasek;

        QTemporaryFile wynik(folderMagazynu() + "/wczytywanie-XXXXXX.tmp");
        wymagaj(wynik.open(), QStringLiteral("plik tymczasowy"));
        wymagaj(wynik.write(naglowek(o)) == kNaglowek, QStringLiteral("zapis"));
        o.czynnych = czynni.zapisz(wynik);
        o.zwolnionych = zwolnieni.zapisz(wynik);
        wymagaj(maski.seek(0), QStringLiteral("plik tymczasowy"));
        ZapisSkrotow zapis(wynik);
        for (QByteArray kawalek = maski.read(1 << 16); !kawalek.isEmpty(); kawalek = maski.read(1 << 16))
            zapis.zapisz(kawalek.constData(), static_cast<std::size_t>(kawalek.size()));
        zapis.oproznij();
        wymagaj(wynik.seek(0) && wynik.write(naglowek(o)) == kNaglowek && wynik.flush(), QStringLiteral("zapis"));
        const QString cel = sciezka(o.data);
        QFile::remove(cel);
        wymagaj(wynik.rename(cel), QStringLiteral("zapis ") + cel);
        wynik.setAutoRemove(false);
        // A temporary file is its owner's alone; the other workstations of the
        // office read the store under their own users.
        QFile::setPermissions(cel, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser |
                                       QFile::ReadGroup | QFile::ReadOther);
        return o;
    }
}

std::vector<QDate> wczytaneDni() {
    std::vector<QDate> dni;
    const QStringList pliki = QDir(folderMagazynu()).entryList({QStringLiteral("*.bl")}, QDir::Files, QDir::Name);
    for (const QString& p : pliki) {
        const QDate d = QDate::fromString(p.left(8), QStringLiteral("yyyyMMdd"));
        if (d.isValid() && p.size() == 11) dni.push_back(d);
    }
    std::sort(dni.begin(), dni.end());
    return dni;
}

std::unique_ptr<Magazyn> Magazyn::otworz(const QDate& dzien) {
    std::unique_ptr<Magazyn> m(new Magazyn);
    if (!m->mapuj(sciezka(dzien))) return nullptr;
    return m;
}

bool Magazyn::mapuj(const QString& s) {
    m_plik.setFileName(s);
    if (!m_plik.open(QIODevice::ReadOnly) || m_plik.size() < kNaglowek) return false;
    const uchar* p = m_plik.map(0, m_plik.size());
    if (!p) return false;
    const auto o = odczytajNaglowek(p);
    if (!o) return false;
    const quint64 skroty = o->czynnych + o->zwolnionych;
    // A file cut short (a full disk) must not be read past its end.
    if (skroty > quint64(m_plik.size()) / kSkrot || o->masek > quint64(m_plik.size()) / kMaska ||
        kNaglowek + qint64(skroty) * kSkrot + qint64(o->masek) * kMaska != m_plik.size())
        return false;
    m_opis = *o;
    m_czynni = p + kNaglowek;
    m_zwolnieni = m_czynni + o->czynnych * kSkrot;
    const char* maski = reinterpret_cast<const char*>(m_zwolnieni + o->zwolnionych * kSkrot);
    m_maski.reserve(o->masek);
    for (quint64 i = 0; i < o->masek; ++i) {
        m_maski.emplace_back(maski + i * kMaska, kMaska);
        const std::string bank = m_maski.back().substr(kBank, kDlugoscBanku);
        if (bank.find_first_not_of("0123456789") == std::string::npos)
            m_maskiBanku[bank].push_back(m_maski.size() - 1);
        else
            m_maskiOtwarte.push_back(m_maski.size() - 1);
    }
    return true;
}

std::vector<const std::string*> Magazyn::maskiDla(std::string_view konto) const {
    std::vector<const std::string*> maski;
    if (konto.size() >= kBank + kDlugoscBanku) {
        const auto it = m_maskiBanku.find(std::string(konto.substr(kBank, kDlugoscBanku)));
        if (it != m_maskiBanku.end())
            for (std::size_t i : it->second) maski.push_back(&m_maski[i]);
    }
    for (std::size_t i : m_maskiOtwarte) maski.push_back(&m_maski[i]);
    return maski;
}

Status Magazyn::szukaj(const Digest& d) const {
    if (zawiera(m_czynni, m_opis.czynnych, d)) return Status::Czynny;
    if (zawiera(m_zwolnieni, m_opis.zwolnionych, d)) return Status::Zwolniony;
    return Status::Brak;
}

}  // namespace whitelist
