#include "module/whitelist/Kontrola.h"

#include "module/whitelist/Folder.h"
#include "module/whitelist/Lista.h"
#include "module/whitelist/ZnaneSkroty.h"
#include "platform/data/Dataset.h"
#include "platform/data/Formats.h"
#include "platform/data/RowChanged.h"
#include "platform/data/UnitOfWork.h"
#include "platform/fb/IdSlices.h"
#include "platform/ui/Dialogs.h"
#include "siblings/core/TdmMain.h"

#include <QCoreApplication>
#include <QPointer>
#include <QProgressDialog>
#include <algorithm>
#include <functional>

namespace whitelist {

namespace {

constexpr qint64 kProgDomyslny = 1500000;
const QString kTytul = QStringLiteral("Biała lista podatników VAT");
// Fewer pairs than this are hashed in well under a second: no window for them.
constexpr std::size_t kGarsc = 8;

// The bar of a long check with its cancel button, shown only when there is real hashing to wait for.
class OknoPostepu {
public:
    explicit OknoPostepu(QWidget* rodzic) : m_rodzic(rodzic) {}
    bool operator()(std::size_t zrobione, std::size_t wszystkie) {
        if (wszystkie <= kGarsc) return true;
        if (!m_okno) {
            m_okno = std::make_unique<QProgressDialog>(QString(), QStringLiteral("Przerwij"), 0,
                                                       static_cast<int>(wszystkie), m_rodzic);
            m_okno->setObjectName(QStringLiteral("dlgPostepBialejListy"));
            m_okno->setWindowTitle(kTytul);
            m_okno->setWindowModality(Qt::WindowModal);
            m_okno->setAutoReset(false);
            m_okno->setAutoClose(false);
            m_okno->show();
        }
        m_okno->setLabelText(QStringLiteral("Sprawdzanie rachunków na białej liście podatników VAT: %1 z %2...")
                                 .arg(zrobione)
                                 .arg(wszystkie));
        m_okno->setValue(static_cast<int>(zrobione));
        QCoreApplication::processEvents();
        return !m_okno->wasCanceled();
    }

private:
    QWidget* m_rodzic;
    std::unique_ptr<QProgressDialog> m_okno;
};
const QString kGenerator = QStringLiteral("SELECT GEN_ID(GEN_PR_BIALA_LISTA_ID,1) AS ILE FROM RDB$DATABASE");

fb::Timestamp znacznik(const QDate& d) { return fb::Timestamp{d.year(), d.month(), d.day()}; }

Zapisany zapisany(const Wynik& w) {
    if (w.bledneDane) return Zapisany::BledneDane;
    switch (w.status) {
    case Status::Czynny: return Zapisany::Czynny;
    case Status::Zwolniony: return Zapisany::Zwolniony;
    case Status::Brak: break;
    }
    return Zapisany::Brak;
}

qint64 grosze(const fb::Cursor& c, int kolumna) {
    return c.isNull(kolumna) ? 0 : c.asDecimal(kolumna).rescaled(2).units;
}

QString tekst(const fb::Cursor& c, int kolumna) {
    return c.isNull(kolumna) ? QString() : QString::fromUtf8(c.asText(kolumna)).trimmed();
}

// The transfer with its contractor's name and NIP and its account; the condition on p.ID follows.
const std::string kPrzelewy =
    "select p.ID, coalesce(k.SKROT, k.PELNA), k.NIP, b.KONTO, p.WARTOSC, p.WARTOSC_CALA "
    "from PR_PRZELEWY p join ET_KONTAKT k on k.ID = p.ID_KONTRAHENTA "
    "left join ET_BANK_KONTO b on b.ID = p.ID_KONTA_BANK where p.ID ";
// Most transfers of a batch stay below the threshold; the database leaves
// them out before the payee is joined. The bound is a grosz below it, as
// an amount rounded to grosze may reach it from there; odProgu tests exactly.
const std::string kOdProgu =
    " and k.NIP is not null and (coalesce(p.WARTOSC, 0) >= ? or coalesce(p.WARTOSC_CALA, 0) >= ?) order by p.ID";

PrzelewDoSprawdzenia wczytany(const fb::Cursor& c) {
    return {static_cast<int>(c.asInt(0)), tekst(c, 1), tekst(c, 2), tekst(c, 3), grosze(c, 4)};
}

// The cursor's row, when it reaches the threshold.
void odProgu(const fb::Cursor& c, qint64 prog, std::vector<PrzelewDoSprawdzenia>& wynik) {
    const PrzelewDoSprawdzenia p = wczytany(c);
    if (!p.nip.isEmpty() && std::max(p.grosze, grosze(c, 5)) >= prog) wynik.push_back(p);
}

// "(2026-12-10): czynny podatnik VAT wg pliku z dnia 2026-12-10; zapłatę
// potwierdził ADMIN 2026-12-10" of the newest check with that key; empty when none.
QString ostatnieSprawdzenie(const char* kolumna, int id) {
    fb::Transaction& tr = dmMain->transaction();
    fb::Statement st(tr, std::string("select first 1 WYNIK, PRZEZ_MASKE, DATA_PLIKU, SPRAWDZONO, POTWIERDZIL, "
                                     "POTWIERDZONO from PR_BIALA_LISTA_SPRAWDZENIA where ") +
                             kolumna + " = ? order by ID desc");
    st.setParams({std::int64_t{id}});
    fb::Cursor c = st.open(tr);
    if (!c.fetch()) return {};
    const auto dzien = [&](int k) { return data::dayOf(c, k).toString(QStringLiteral("yyyy-MM-dd")); };
    const auto z = static_cast<Zapisany>(c.asInt(0));
    QString opis = "(" + dzien(3) + "): " + whitelist::opis(z, c.asInt(1) == 1);
    if (z != Zapisany::BezPliku) opis += " wg pliku z dnia " + dzien(2);
    if (!c.isNull(4)) opis += "; zapłatę potwierdził " + tekst(c, 4) + " " + dzien(5);
    c.close();
    return opis;
}

}  // namespace

QString opis(Zapisany wynik, bool przezMaske) {
    Wynik w;
    w.przezMaske = przezMaske;
    switch (wynik) {
    case Zapisany::BezPliku: return QStringLiteral("nie sprawdzono: brak pliku płaskiego");
    case Zapisany::BledneDane: w.bledneDane = true; break;
    case Zapisany::Czynny: w.status = Status::Czynny; break;
    case Zapisany::Zwolniony: w.status = Status::Zwolniony; break;
    case Zapisany::Brak: break;
    }
    return opis(w);
}

std::vector<Sprawdzony> WynikKontroli::pozaLista() const {
    std::vector<Sprawdzony> poza;
    for (const Sprawdzony& s : sprawdzone)
        if (!s.naLiscie()) poza.push_back(s);
    return poza;
}

qint64 progWGroszach(fb::Transaction& tr) {
    const auto prog = fb::selectValue(tr, "select first 1 PROG_BIALEJ_LISTY from RE_PARAMETRY order by ID");
    if (!prog || fb::isNull(*prog)) return kProgDomyslny;
    if (const auto* d = std::get_if<fb::Decimal>(&*prog)) return d->rescaled(2).units;
    return kProgDomyslny;
}

std::optional<PrzelewDoSprawdzenia> przelew(fb::Transaction& tr, int idPrzelewu, qint64* pelnaKwota) {
    fb::Statement st(tr, kPrzelewy + "= ?");
    st.setParams({std::int64_t{idPrzelewu}});
    fb::Cursor c = st.open(tr);
    if (!c.fetch()) return std::nullopt;
    PrzelewDoSprawdzenia p = wczytany(c);
    if (pelnaKwota) *pelnaKwota = grosze(c, 5);
    c.close();
    return p;
}

std::vector<PrzelewDoSprawdzenia> przelewyDoSprawdzenia(fb::Transaction& tr, const std::vector<int>& idPrzelewow) {
    const qint64 prog = progWGroszach(tr);
    std::vector<PrzelewDoSprawdzenia> wynik;
    const fb::Decimal dolna{prog - 1, 2};
    fb::selectByIds(tr, kPrzelewy, std::vector<std::int64_t>(idPrzelewow.begin(), idPrzelewow.end()), kOdProgu,
                    {dolna, dolna}, [&](fb::Cursor& c) { odProgu(c, prog, wynik); });
    return wynik;
}

std::vector<PrzelewDoSprawdzenia> przelewyRejestruOdProgu(fb::Transaction& tr) {
    const qint64 prog = progWGroszach(tr);
    // The register's own rows: those not issued yet.
    fb::Statement st(tr, kPrzelewy + "is not null and p.DATA_REALIZACJI is null" + kOdProgu);
    const fb::Decimal dolna{prog - 1, 2};
    st.setParams({dolna, dolna});
    fb::Cursor c = st.open(tr);
    std::vector<PrzelewDoSprawdzenia> wynik;
    while (c.fetch()) odProgu(c, prog, wynik);
    return wynik;
}

std::optional<WynikKontroli> sprawdzIZapisz(const std::vector<PrzelewDoSprawdzenia>& przelewy, const QDate& dzien,
                                            const PostepSprawdzania& postep) {
    WynikKontroli k;
    if (przelewy.empty()) return k;
    fb::Transaction& tr = dmMain->transaction();
    const WybranyMagazyn wybrany = magazynDoSprawdzenia(tr, dzien);
    k.ostrzezenie = wybrany.ostrzezenie;
    std::vector<Wynik> wyniki;
    if (wybrany.magazyn) {
        k.dataPliku = wybrany.magazyn->opis().data;
        std::vector<Para> pary;
        for (const auto& p : przelewy) pary.push_back({p.nip.toStdString(), p.konto.toStdString()});
        auto policzone = sprawdzZeSkrotamiDnia(*wybrany.magazyn, pary, postep);
        if (!policzone) return std::nullopt;
        wyniki = std::move(*policzone);
    }

    data::UnitOfWork uow(tr);
    fb::Statement zapis(tr,
                        "insert into PR_BIALA_LISTA_SPRAWDZENIA (ID, ID_PRZELEWU, NIP, KONTO, WARTOSC, DATA_PRZELEWU, "
                        "DATA_PLIKU, WYNIK, PRZEZ_MASKE, SPRAWDZIL, SPRAWDZONO) values "
                        "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, current_timestamp)");
    const std::string kto = dmMain->PobierzUzytkownik().toStdString();
    for (std::size_t i = 0; i < przelewy.size(); ++i) {
        Sprawdzony s{przelewy[i]};
        if (wybrany.magazyn) {
            s.wynik = zapisany(wyniki[i]);
            s.przezMaske = wyniki[i].przezMaske;
        }
        s.idSprawdzenia = dmMain->iPobierzGenerator(kGenerator);
        zapis.setParams({std::int64_t{s.idSprawdzenia}, std::int64_t{s.przelew.idPrzelewu},
                         s.przelew.nip.left(20).toStdString(), s.przelew.konto.toStdString(),
                         fb::Decimal{s.przelew.grosze, 2}, znacznik(dzien),
                         k.dataPliku.isValid() ? fb::Value(znacznik(k.dataPliku)) : fb::Value(),
                         std::int64_t{static_cast<int>(s.wynik)}, std::int64_t{s.przezMaske ? 1 : 0}, kto});
        zapis.execute(tr);
        k.sprawdzone.push_back(s);
    }
    uow.commit();
    return k;
}

void potwierdz(const std::vector<Sprawdzony>& sprawdzone) {
    fb::Transaction& tr = dmMain->transaction();
    data::UnitOfWork uow(tr);
    fb::Statement st(tr,
                     "update PR_BIALA_LISTA_SPRAWDZENIA set POTWIERDZIL = ?, POTWIERDZONO = current_timestamp "
                     "where ID = ? and POTWIERDZIL is null");
    const std::string kto = dmMain->PobierzUzytkownik().toStdString();
    for (const Sprawdzony& s : sprawdzone) {
        st.setParams({kto, std::int64_t{s.idSprawdzenia}});
        if (st.execute(tr) != 1)
            throw data::RowChanged("PR_BIALA_LISTA_SPRAWDZENIA",
                                   ("Rachunek " + s.przelew.konto + " kontrahenta " + s.przelew.kontrahent +
                                    " został w międzyczasie potwierdzony przez innego użytkownika.")
                                       .toStdString());
    }
    uow.commit();
}

void powiazZPartia(const std::vector<int>& idSprawdzen, const QDate& dzien, char kolejny) {
    fb::Transaction& tr = dmMain->transaction();
    fb::Statement st(tr,
                     "update PR_BIALA_LISTA_SPRAWDZENIA s set ID_ZREALIZOWANEGO = (select max(z.ID) from "
                     "PR_PRZELEWY_ZREALIZOWANE z where z.ID_PRZELEWU = s.ID_PRZELEWU and z.DATA_REALIZACJI = ? "
                     "and z.KOLEJNY = ?) where s.ID = ?");
    for (int id : idSprawdzen) {
        st.setParams({znacznik(dzien), std::string(1, kolejny), std::int64_t{id}});
        st.execute(tr);
    }
}

bool bSprawdzPrzyWystawieniu(const data::Dataset& przelewy, const QDate& dzien, QWidget* rodzic,
                             std::vector<int>& idSprawdzen) {
    idSprawdzen.clear();
    // Transfers below the threshold are left out here already: a payment
    // proves its row unchanged, so one whose amount has grown since is not paid.
    const qint64 prog = progWGroszach(dmMain->transaction());
    const data::Field& idPola = przelewy.fieldByName(QStringLiteral("ID"));
    const data::Field& wartosc = przelewy.fieldByName(QStringLiteral("WARTOSC"));
    const data::Field& cala = przelewy.fieldByName(QStringLiteral("WARTOSC_CALA"));
    std::vector<int> id;
    for (int r = 0; r < przelewy.recordCount(); ++r) {
        data::Dataset::RowScope wiersz(przelewy, r);
        if (std::max(wartosc.asDecimal().rescaled(2).units, cala.asDecimal().rescaled(2).units) >= prog)
            id.push_back(static_cast<int>(idPola.asInteger()));
    }
    OknoPostepu postep(rodzic);
    const auto wynik = sprawdzIZapisz(przelewyDoSprawdzenia(dmMain->transaction(), id), dzien, std::ref(postep));
    if (!wynik) {
        ui::dialogs().message(QStringLiteral("Przerwano sprawdzanie rachunków na białej liście podatników VAT. "
                                             "Nie wystawiono żadnego przelewu."),
                              kTytul, ui::Buttons::Ok, ui::Icon::Information);
        return false;
    }
    const WynikKontroli& k = *wynik;
    for (const Sprawdzony& s : k.sprawdzone) idSprawdzen.push_back(s.idSprawdzenia);
    if (k.pozaLista().empty()) {
        if (!k.ostrzezenie.isEmpty()) ui::dialogs().message(k.ostrzezenie, kTytul, ui::Buttons::Ok, ui::Icon::Warning);
        return true;
    }
    QPointer<TfrmBialaLista> okno = new TfrmBialaLista(rodzic, k);
    const int odpowiedz = ui::dialogs().runModal(*okno);
    delete okno.data();
    return odpowiedz == ui::mrOk;
}

QString opisDlaPrzelewu(int idPrzelewu) {
    fb::Transaction& tr = dmMain->transaction();
    const QString ostatnie = ostatnieSprawdzenie("ID_PRZELEWU", idPrzelewu);
    const QString opis = ostatnie.isEmpty() ? QString() : "Ostatnie sprawdzenie " + ostatnie + ".\n";
    const auto p = przelew(tr, idPrzelewu, nullptr);
    if (!p) return opis;
    if (p->nip.isEmpty()) return opis + "Kontrahent nie ma numeru NIP: przelewu nie sprawdza się na białej liście.";
    const WybranyMagazyn wybrany = magazynDoSprawdzenia(tr, QDate::currentDate());
    if (!wybrany.magazyn) return opis + wybrany.ostrzezenie;
    return opis + "Teraz wg pliku z dnia " + wybrany.magazyn->opis().data.toString(QStringLiteral("yyyy-MM-dd")) +
           ": " + whitelist::opis(sprawdz(*wybrany.magazyn, Para{p->nip.toStdString(), p->konto.toStdString()})) + ".";
}

QString opisDlaZrealizowanego(int idZrealizowanego) {
    const QString ostatnie = ostatnieSprawdzenie("ID_ZREALIZOWANEGO", idZrealizowanego);
    return ostatnie.isEmpty() ? QString() : "Biała lista VAT " + ostatnie + ".";
}

}  // namespace whitelist
