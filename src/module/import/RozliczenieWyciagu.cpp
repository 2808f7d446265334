#include "module/import/RozliczenieWyciagu.h"

#include "module/import/DopasowanieWyciagu.h"
#include "platform/data/Formats.h"

#include <QSet>

#include <stdexcept>

namespace {

QString tekst(const fb::Cursor& c, int i) {
    const std::string_view t = c.asText(i);
    return QString::fromUtf8(t.data(), static_cast<qsizetype>(t.size())).trimmed();
}

} // namespace

std::vector<TNiepotwierdzony> niepotwierdzone(fb::Transaction& tr, const QDate& dzis, int dni) {
    fb::Statement st(tr, "select a.ID, a.DATA_REALIZACJI, a.KOLEJNY, b.SKROT, c.KONTO, a.WARTOSC, a.NR_FAKTURY "
                         "from PR_PRZELEWY_ZREALIZOWANE a "
                         "left join ET_KONTAKT b on b.ID = a.ID_KONTRAHENTA "
                         "left join ET_BANK_KONTO c on c.ID = a.ID_KONTA_BANK "
                         "where a.WYCIAG is null and a.DATA_REALIZACJI < ? order by a.DATA_REALIZACJI, a.ID");
    const QDate granica = dzis.addDays(-dni);
    st.setParam(0, fb::Timestamp{granica.year(), granica.month(), granica.day()});
    std::vector<TNiepotwierdzony> w;
    for (fb::Cursor c = st.open(tr); c.fetch();)
        w.push_back({static_cast<int>(c.asInt(0)), data::dayOf(c, 1), tekst(c, 2), tekst(c, 3), tekst(c, 4),
                     c.isNull(5) ? 0 : c.asDecimal(5).rescaled(2).units, tekst(c, 6)});
    return w;
}

QString tekstStanu(TStanPozycji stan) {
    switch (stan) {
    case TStanPozycji::Uznanie: return QStringLiteral("uznanie");
    case TStanPozycji::DoRozliczenia: return QStringLiteral("do rozliczenia");
    case TStanPozycji::Rozliczona: return QStringLiteral("rozliczona");
    case TStanPozycji::BezPary: return QStringLiteral("bez pary");
    }
    return {};
}

QString TRozliczenieWyciagu::znak(const mt940::Wyciag& wyciag) {
    return (wyciag.referencja + u'/' + wyciag.numer).left(60);
}

TRozliczenieWyciagu::TRozliczenieWyciagu(fb::Transaction& tr, const mt940::Wyciag& wyciag, int dniOdstepu)
    : tr_(tr), znak_(znak(wyciag)), stany_(wyciag.pozycje.size(), TStanPozycji::Uznanie),
      doZapisu_(wyciag.pozycje.size()) {
    fb::Statement st(tr, "select a.ID, c.KONTO, a.WARTOSC, a.DATA_REALIZACJI, a.KOLEJNY, a.NR_FAKTURY, "
                         "a.WYCIAG, a.WYCIAG_POZYCJA from PR_PRZELEWY_ZREALIZOWANE a "
                         "left join ET_BANK_KONTO c on c.ID = a.ID_KONTA_BANK "
                         "where a.WYCIAG is null or a.WYCIAG = ?");
    st.setParam(0, znak_.toStdString());
    std::vector<TZrealizowanyDoDopasowania> wolne;
    QSet<int> rozliczone;   // entries (from 1) this statement already confirmed
    for (fb::Cursor c = st.open(tr); c.fetch();) {
        if (!c.isNull(6)) {
            rozliczone.insert(static_cast<int>(c.asInt(7)));
            continue;
        }
        if (c.isNull(2) || c.isNull(3)) continue;
        wolne.push_back({static_cast<int>(c.asInt(0)), cyfryRachunku(tekst(c, 1)), c.asDecimal(2).rescaled(2).units,
                         data::dayOf(c, 3), tekst(c, 4), tekst(c, 5)});
    }
    std::vector<TPozycjaDoDopasowania> pozycje;
    std::vector<std::size_t> numery;
    for (std::size_t n = 0; n < wyciag.pozycje.size(); ++n) {
        const mt940::Pozycja& p = wyciag.pozycje[n];
        if (!p.obciazenie) continue;
        if (rozliczone.contains(static_cast<int>(n) + 1)) {
            stany_[n] = TStanPozycji::Rozliczona;
            continue;
        }
        stany_[n] = TStanPozycji::BezPary;
        pozycje.push_back({cyfryRachunku(p.rachunek), p.kwota,
                           p.dataKsiegowania.isValid() ? p.dataKsiegowania : p.dataWaluty, p.tytul});
        numery.push_back(n);
    }
    for (const TDopasowanie& d : dopasujWyciag(pozycje, wolne, dniOdstepu).pary) {
        const std::size_t n = numery[d.pozycja];
        stany_[n] = TStanPozycji::DoRozliczenia;
        for (int z : d.zrealizowane) doZapisu_[n].push_back(wolne[z].id);
    }
}

int TRozliczenieWyciagu::rozlicz(const QString& uzytkownik, const QDateTime& kiedy) {
    // Only a row nobody confirmed in between: the old, empty mark is the proof.
    fb::Statement st(tr_, "update PR_PRZELEWY_ZREALIZOWANE set WYCIAG = ?, WYCIAG_POZYCJA = ?, ROZLICZYL = ?, "
                          "ROZLICZONO = ? where ID = ? and WYCIAG is null");
    const QDate d = kiedy.date();
    const QTime t = kiedy.time();
    const fb::Timestamp ts{d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second(), t.msec() * 10};
    int wierszy = 0;
    for (std::size_t n = 0; n < stany_.size(); ++n) {
        if (stany_[n] != TStanPozycji::DoRozliczenia) continue;
        for (int id : doZapisu_[n]) {
            st.setParams({znak_.toStdString(), std::int64_t(n + 1), uzytkownik.left(10).toStdString(), ts,
                          std::int64_t(id)});
            if (st.execute(tr_) != 1)
                throw std::runtime_error(QStringLiteral("Przelew zrealizowany %1 został w międzyczasie rozliczony "
                                                        "lub usunięty. Nic nie zapisano.")
                                             .arg(id)
                                             .toStdString());
            ++wierszy;
        }
    }
    for (std::size_t n = 0; n < stany_.size(); ++n)
        if (stany_[n] == TStanPozycji::DoRozliczenia) {
            stany_[n] = TStanPozycji::Rozliczona;
            doZapisu_[n].clear();
        }
    return wierszy;
}
