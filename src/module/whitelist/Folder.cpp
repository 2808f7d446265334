#include "module/whitelist/Folder.h"

#include "platform/fb/Fb.h"

#include <QDir>
#include <QStandardPaths>

namespace whitelist {

namespace {

const QString kZnacznik = QStringLiteral("{DANE}");
const QString kDomyslny = QStringLiteral("{DANE}/bialalista");

QString& danych() {
    static QString f;
    return f;
}

QString tekstDnia(const QDate& d) { return d.toString(QStringLiteral("yyyy-MM-dd")); }

ZapisanyPlik zapisany(const fb::Cursor& c) {
    const auto czas = [&](int k) {
        const fb::Timestamp t = c.asTimestamp(k);
        return QDateTime(QDate(t.year, t.month, t.day), QTime(t.hour, t.minute, t.second));
    };
    ZapisanyPlik z;
    z.data = czas(0).date();
    if (!c.isNull(1)) z.wczytal = QString::fromUtf8(c.asText(1)).trimmed();
    if (!c.isNull(2)) z.wczytano = czas(2);
    return z;
}

}  // namespace

QString folderDanych() {
    if (danych().isEmpty())
        danych() = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/dane");
    return danych();
}

void ustawFolderDanych(const QString& folder) { danych() = folder; }

QString folderZParametrow(fb::Transaction& tr) {
    const auto v = fb::selectValue(tr, "select first 1 SCIEZKA_BIALEJ_LISTY from RE_PARAMETRY order by ID");
    QString f;
    if (v)
        if (const auto* s = std::get_if<std::string>(&*v)) f = QString::fromStdString(*s).trimmed();
    if (f.isEmpty()) f = kDomyslny;
    if (f.startsWith(kZnacznik)) f = QDir::cleanPath(folderDanych()) + f.mid(kZnacznik.size());
    return QDir::cleanPath(f);
}

void uzyjFolderuZParametrow(fb::Transaction& tr) { ustawFolderMagazynu(folderZParametrow(tr)); }

std::optional<ZapisanyPlik> zapisanyPlik(fb::Transaction& tr, const QDate& dzien) {
    fb::Statement st(tr,
                     "select first 1 DATA_PLIKU, WCZYTAL, WCZYTANO from PR_BIALA_LISTA_PLIKI "
                     "order by iif(DATA_PLIKU = ?, 0, 1), DATA_PLIKU desc");
    st.setParams({fb::Timestamp{dzien.year(), dzien.month(), dzien.day()}});
    fb::Cursor c = st.open(tr);
    if (!c.fetch()) return std::nullopt;
    const ZapisanyPlik z = zapisany(c);
    c.close();
    return z;
}

WybranyMagazyn magazynDoSprawdzenia(fb::Transaction& tr, const QDate& dzien) {
    uzyjFolderuZParametrow(tr);
    WybranyMagazyn w = magazynNaDzien(dzien);
    const auto z = zapisanyPlik(tr, dzien);
    if (!z) return w;
    // Good enough: the day's own file, or one at least as new as the newest recorded.
    const QDate mam = w.magazyn ? w.magazyn->opis().data : QDate();
    if (mam.isValid() && (mam == dzien || (z->data != dzien && mam >= z->data))) return w;
    QString tekst = QStringLiteral(
                        "Plik płaski białej listy z dnia %1 wczytał %2 %3, ale na tym stanowisku nie można go "
                        "odczytać z folderu %4. Folder białej listy, wspólny dla wszystkich stanowisk, "
                        "ustawia się w parametrach przelewów.")
                        .arg(tekstDnia(z->data), z->wczytal.isEmpty() ? QStringLiteral("(nieznany)") : z->wczytal,
                             z->wczytano.toString(QStringLiteral("yyyy-MM-dd HH:mm")),
                             QDir::toNativeSeparators(folderMagazynu()));
    if (w.magazyn)
        tekst += "\n" + w.ostrzezenie;
    else
        tekst += " Rachunków na dzień " + tekstDnia(dzien) + " nie można sprawdzić.";
    w.ostrzezenie = tekst;
    return w;
}

}  // namespace whitelist
