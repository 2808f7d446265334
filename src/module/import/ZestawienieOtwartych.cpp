#include "module/import/ZestawienieOtwartych.h"

#include "reportengine/Band.h"

void TZestawienieOtwartych::dodaj(const QString& rodzaj, const QDate& data, const QString& kontrahent,
                                  const QString& rachunek, const QString& kwota, const QString& opis) {
    m_wiersze.push_back({{"RODZAJ", rodzaj},
                         {"DATA", data.toString(QStringLiteral("yyyy-MM-dd"))},
                         {"KONTRAHENT", kontrahent},
                         {"RACHUNEK", rachunek},
                         {"KWOTA", kwota},
                         {"OPIS", opis}});
}

std::unique_ptr<rpt::Report> TZestawienieOtwartych::raport() {
    auto r = std::make_unique<rpt::Report>(QStringLiteral("Nierozliczone"));
    r->setSource(this);
    r->setOrientation(rpt::Orientation::Landscape);
    r->setPrintIfEmpty(true);
    auto& naglowek = r->band(rpt::BandKind::PageHeader, 30);
    naglowek.addLabel({0, 0, 500, 20}, QStringLiteral("Wyciągi bankowe: pozycje i przelewy nierozliczone"),
                      {.size = 12, .bold = true});
    naglowek.addSystemField({600, 0, 150, 20}, rpt::SystemData::PageNumber, QStringLiteral("Strona: "));
    struct Kolumna {
        qreal x, w;
        const char* pole;
        const char* tytul;
    };
    const Kolumna kolumny[] = {{0, 110, "RODZAJ", "Rodzaj"},         {115, 70, "DATA", "Data"},
                               {190, 150, "KONTRAHENT", "Kontrahent"}, {345, 175, "RACHUNEK", "Rachunek"},
                               {525, 80, "KWOTA", "Kwota"},          {610, 170, "OPIS", "Tytuł / faktura"}};
    auto& tytuly = r->band(rpt::BandKind::ColumnHeader, 18);
    auto& wiersz = r->band(rpt::BandKind::Detail, 16);
    for (const Kolumna& k : kolumny) {
        const bool kwota = QLatin1String(k.pole) == QLatin1String("KWOTA");
        const Qt::Alignment wyrownanie = (kwota ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
        tytuly.addLabel({k.x, 0, k.w, 18}, QString::fromUtf8(k.tytul), {.bold = true}, wyrownanie);
        wiersz.addDataText({k.x, 0, k.w, 16}, QLatin1String(k.pole), {}, wyrownanie);
    }
    r->band(rpt::BandKind::Summary, 20)
        .addLabel({0, 0, 400, 20}, m_wiersze.empty() ? QStringLiteral("Nic nie pozostało otwarte.")
                                                     : QStringLiteral("Pozycji: %1").arg(m_wiersze.size()));
    return r;
}
