#include "Repraportzrealizowanych.h"

#include "platform/data/Dataset.h"
#include "platform/data/Field.h"
#include "platform/data/Formats.h"
#include "siblings/core/TdmMain.h"

using namespace raport;

namespace {

constexpr qreal kLinia = 10;
constexpr qreal kWysokosc = 30;        // two lines of name or title, and air
constexpr qreal kWysokoscTrzech = 40;  // a title of three lines

} // namespace

TfrmQRRaportZrealizowanych::TfrmQRRaportZrealizowanych(data::Dataset& przelewy, data::Dataset& partia)
    : rep(std::make_unique<rpt::Report>(QStringLiteral("Przelewy zrealizowane"))), m_przelewy(przelewy),
      m_partia(partia), m_wiersze(przelewy)
{
    rep->setSource(&m_wiersze);
    rep->setPrintIfEmpty(true);
    rep->setBeforePrint([this] { repBeforePrint(); });
    vNaglowki();
    vSzczegoly();
    QRLabelTytul3 = vStopkaStrony(*rep);
}

void TfrmQRRaportZrealizowanych::vNaglowki()
{
    auto& QRBand1 = rep->band(rpt::BandKind::PageHeader, 62);
    m_firma = vNaglowekStrony(QRBand1, QStringLiteral("Przelewy zrealizowane "), QStringLiteral("( P2 )"));
    QRBand1.addLabel({340, 34, 40, 12}, QStringLiteral("Kolejne:"), czcionka(8));
    QRLKolejny = &QRBand1.addLabel({380, 34, 20, 12}, {}, czcionka(8, true));
    QRBand1.addLabel({404, 34, 28, 12}, QStringLiteral("dnia:"), czcionka(8));
    QRLData = &QRBand1.addLabel({432, 34, 70, 12}, {}, czcionka(8, true));

    auto& QRBand4 = rep->band(rpt::BandKind::ColumnHeader, 14);
    QRBand4.frame().top = QRBand4.frame().bottom = true;
    const rpt::FontStyle tlusty = czcionka(7, true);
    QRBand4.addLabel({0, 1, 18, 12}, QStringLiteral("L.p"), tlusty);
    QRBand4.addLabel({20, 1, 124, 12}, QStringLiteral("Konto"), tlusty);
    QRBand4.addLabel({146, 1, 150, 12}, QStringLiteral("Kontrahent"), tlusty);
    QRBand4.addLabel({298, 1, 56, 12}, QStringLiteral("Kwota"), tlusty, kDoPrawej);
    QRBand4.addLabel({360, 1, 136, 12}, QStringLiteral("Tresc"), tlusty);
    QRBand4.addLabel({498, 1, 40, 12}, QStringLiteral("Kod FK"), tlusty);
}

void TfrmQRRaportZrealizowanych::vSzczegoly()
{
    auto& QRBandPrzelew = rep->band(rpt::BandKind::Detail, kWysokosc);
    const rpt::FontStyle tekst = czcionka(7);
    const auto pole = [&](qreal x, int linia, qreal w, Qt::Alignment a = Qt::AlignLeft) {
        return &QRBandPrzelew.addLabel({x, 2 + linia * kLinia, w, kLinia}, {}, tekst, a | Qt::AlignVCenter);
    };
    QRLLp = pole(0, 0, 18);
    QRLKonto = pole(20, 0, 124);
    QRLKonto->font().size = 6.5;
    QRLNazwa = pole(146, 0, 150);
    QRLNazwa2 = pole(146, 1, 150);
    QRLKwota = pole(298, 0, 56, Qt::AlignRight);
    QRLTresc = pole(360, 0, 136);
    QRLTresc2 = pole(360, 1, 136);
    QRLTresc3 = pole(360, 2, 136);
    QRLSymbol = pole(498, 0, 40);
    QRBandPrzelew.setBeforePrint([this](rpt::Band& band, bool& print) { QRBandPrzelewBeforePrint(band, print); });

    auto& QRBand3 = rep->band(rpt::BandKind::Summary, 34);
    QRBand3.frame().top = true;
    QRLRazemKwota = &QRBand3.addLabel({234, 3, 120, 14}, {}, czcionka(8.5, true), kDoPrawej);
    QRBand3.addLabel({146, 18, 50, 14}, QStringLiteral("Z konta : "), czcionka(8));
    QRLKontoBanku = &QRBand3.addLabel({196, 18, 200, 14}, {}, czcionka(8, true));
    QRBand3.setBeforePrint([this](rpt::Band&, bool&) {
        QRLKontoBanku->setText(m_partia.fieldByName(QStringLiteral("KONTO_BANKU_look")).asString());
        QRLRazemKwota->setText(sKwota(m_suma));
    });
}

QString TfrmQRRaportZrealizowanych::sPole(const char* name) const
{
    return m_przelewy.fieldByName(QString::fromLatin1(name)).asString();
}

void TfrmQRRaportZrealizowanych::repBeforePrint()
{
    QRLabelTytul3->setText(sDrukowanoDnia());
    m_firma.vWypelnij();
    m_lp = 1;
    m_suma = 0;
    QRLData->setText(data::formatDateTime(m_partia.fieldByName(QStringLiteral("DATA_REALIZACJI")).asDateTime(),
                                          dmMain->PobierzFormatDaty()));
    QRLKolejny->setText(m_partia.fieldByName(QStringLiteral("KOLEJNY")).asString());
}

void TfrmQRRaportZrealizowanych::QRBandPrzelewBeforePrint(rpt::Band& band, bool&)
{
    band.setHeight(kWysokosc);
    QRLLp->setText(QString::number(m_lp++) + QLatin1Char('.'));
    QRLKonto->setText(sPole("KONTRAHENT_KONTO"));
    QRLSymbol->setText(sPole("SYMBOL_NAZWA"));
    const QString nazwa = sPole("KONTRAHENT_NAZWA");
    QRLNazwa->setText(nazwa.size() < 41 ? nazwa : sZnaki(nazwa, 1, 40));
    QRLNazwa2->setText(sZnaki(nazwa, 41, 80));
    const std::int64_t kwota = iGrosze(m_przelewy.fieldByName(QStringLiteral("WARTOSC")));
    QRLKwota->setText(sKwota(kwota));
    const QString tresc = sPole("TRESC1");
    QRLTresc->setText(sZnaki(tresc, 1, 40));
    QRLTresc2->setText(sZnaki(tresc, 41, 80));
    QRLTresc3->setText(sZnaki(tresc, 81, 120));
    if (tresc.size() > 80)
        band.setHeight(kWysokoscTrzech);
    m_suma += kwota;
}
