#include "Repraportprzelewow.h"

#include "module/frame/TDMP.h"
#include "module/reports/DokumentFK.h"
#include "platform/data/Dataset.h"
#include "platform/data/Field.h"
#include "platform/data/Formats.h"
#include "siblings/core/TdmMain.h"

using namespace raport;

namespace {

constexpr qreal kLinia = 11; // one printed line of a transfer
const rpt::FontStyle kTekst = czcionka(6.5);
const rpt::FontStyle kTlusty = czcionka(6.5, true);

QString sData(const QVariant& value)
{
    return value.isValid() ? data::formatDateTime(value.toDateTime(), dmMain->PobierzFormatDaty()) : QString();
}

// Credits stay visible: a list whose total counts a row must show its amount.
QString sKwotaWiersza(std::int64_t grosze) { return grosze == 0 ? QString() : sKwota(grosze); }

} // namespace

TRaportDoOplacenia::TRaportDoOplacenia(Wariant wariant, data::Dataset& przelewy, const OpcjeZestawienia& opcje)
    : rep(std::make_unique<rpt::Report>(QStringLiteral("Przelewy do opłacenia"))), m_wariant(wariant),
      m_przelewy(przelewy), m_opcje(opcje), m_wiersze(przelewy)
{
    rep->setSource(&m_wiersze);
    rep->setPrintIfEmpty(true);
    rep->setBeforePrint([this] { repBeforePrint(); });
    vNaglowki();
    vSzczegoly();
    vSumy();
    QRLabelTytul3 = vStopkaStrony(*rep);
}

void TRaportDoOplacenia::vNaglowki()
{
    const bool p1 = m_wariant == Wariant::P1;
    auto& QRBand1 = rep->band(rpt::BandKind::PageHeader, 72);
    m_firma = vNaglowekStrony(QRBand1, QStringLiteral("Przelewy do opłacenia"),
                              p1 ? QStringLiteral("( P1 )") : QStringLiteral("( P1_2 )"));
    QRLFiltr = &QRBand1.addLabel({0, 58, kSzerokosc, 12}, {}, czcionka(7.5, true));

    auto& QRBand4 = rep->band(rpt::BandKind::ColumnHeader, 2 * kLinia + 2);
    QRBand4.frame().top = QRBand4.frame().bottom = true;
    const auto naglowek = [&](qreal x, int linia, qreal w, const QString& text, Qt::Alignment a = Qt::AlignLeft) {
        return &QRBand4.addLabel({x, 1 + linia * kLinia, w, kLinia}, text, kTlusty, a | Qt::AlignVCenter);
    };
    naglowek(0, 0, 16, QStringLiteral("L.p"));
    naglowek(18, 0, 120, QStringLiteral("Konto bankowe"));
    naglowek(18, 1, 56, QStringLiteral("Kod FK"));
    naglowek(140, 0, 48, QStringLiteral("Dt.wystaw."));
    naglowek(140, 1, 50, QStringLiteral("Termin zapłaty"))->font().size = 6;
    naglowek(190, 0, 130, QStringLiteral("Kontrahent"));
    naglowek(322, 0, 50, QStringLiteral("Kwota"), Qt::AlignRight);
    naglowek(322, 1, 50, QStringLiteral("do opłacenia"), Qt::AlignRight);
    if (p1) {
        QRLKontrolnie = naglowek(190, 1, 130, {});
        naglowek(378, 0, 120, QStringLiteral("Tresc"));
    } else {
        naglowek(374, 0, 52, QStringLiteral("Już opłacono"), Qt::AlignRight);
        naglowek(432, 0, 80, QStringLiteral("Tresc"));
    }
    QRLNagAkcept = naglowek(506, 0, 32, QStringLiteral("Akcept."), Qt::AlignRight);
}

void TRaportDoOplacenia::vSzczegoly()
{
    const bool p1 = m_wariant == Wariant::P1;
    // The group's header is never printed: its footer carries the subtotal.
    QRGroup1 = &rep->addGroup(QStringLiteral("quePrzelewy.SYMBOL_NAZWA"));
    QRGroup1->header().setBeforePrint([](rpt::Band&, bool& print) { print = false; });

    auto& QRBand2 = rep->band(rpt::BandKind::Detail, 2 * kLinia + 1);
    const auto pole = [&](qreal x, int linia, qreal w, Qt::Alignment a = Qt::AlignLeft) {
        return &QRBand2.addLabel({x, 1 + linia * kLinia, w, kLinia}, {}, kTekst, a | Qt::AlignTop);
    };
    QRLLp = pole(0, 0, 16);
    QRLKonto = pole(18, 0, 120);
    QRLKodFK = pole(18, 1, 56);
    QRLDok = pole(76, 1, 62);
    const Qt::Alignment gora = Qt::AlignLeft | Qt::AlignTop;
    QRBand2.addDataText({140, 1, 48, kLinia}, QStringLiteral("quePrzelewy.DATA_WYSTAWIENIA"), kTekst, gora)
        .setFormatter(sData);
    QRBand2.addDataText({140, 1 + kLinia, 48, kLinia}, QStringLiteral("quePrzelewy.TERMIN_ZAPLATY"), kTekst, gora)
        .setFormatter(sData);
    QRLKwota = pole(322, 0, 50, Qt::AlignRight);
    if (p1) {
        QRLNazwa = pole(190, 0, 130);
        QRLNazwa2 = pole(190, 1, 130);
        QRLTresc = pole(378, 0, 128);
        QRLTresc2 = pole(378, 1, 128);
        QRBand2.addShape({0, 2 * kLinia + 0.5, kSzerokosc, 0}, rpt::ShapeKind::HorizontalLine, 0.25);
    } else {
        QRLNazwa = &QRBand2.addLabel({190, 1, 130, 2 * kLinia}, {}, kTekst, gora);
        QRLNazwa->setWordWrap(true);
        QRLOplacono = pole(374, 0, 52, Qt::AlignRight);
        QRLTresc = &QRBand2.addLabel({432, 1, 80, 2 * kLinia}, {}, kTekst, gora);
        QRLTresc->setWordWrap(true);
    }
    QRLNieZaakceptowane = pole(514, 0, 24, Qt::AlignRight);
    QRLNieZaakceptowane->font().bold = true;
    QRLNieZaakceptowane->setText(QStringLiteral("NIE"));
    QRBand2.setBeforePrint([this](rpt::Band& band, bool& print) { QRBand2BeforePrint(band, print); });
}

void TRaportDoOplacenia::vSumy()
{
    const rpt::FontStyle tlusty = czcionka(7.5, true);
    auto& QRBandFooter = QRGroup1->footer();
    QRBandFooter.setHeight(14);
    QRBandFooter.frame().bottom = true;
    QRBandFooter.addLabel({18, 1, 200, 12}, QStringLiteral("R  A  Z  E  M      K  O  N  T  R  A  H  E  N  T :"),
                          czcionka(6.5, true));
    QRLKod = &QRBandFooter.addLabel({222, 1, 90, 12}, {}, tlusty);
    QRLRazemKontr = &QRBandFooter.addLabel({292, 1, 80, 12}, {}, tlusty, kDoPrawej);
    QRBandFooter.setBeforePrint([this](rpt::Band& band, bool& print) { QRBandFooterBeforePrint(band, print); });

    auto& QRBand3 = rep->band(rpt::BandKind::Summary, 18);
    QRBand3.frame().top = true;
    if (m_wariant == Wariant::P1_2)
        QRBand3.addLabel({190, 3, 100, 14}, QStringLiteral("R  A  Z  E  M     "), tlusty);
    QRLRazemKwota = &QRBand3.addLabel({272, 3, 100, 14}, {}, czcionka(8.5, true), kDoPrawej);
    QRBand3.setBeforePrint([this](rpt::Band&, bool&) { QRLRazemKwota->setText(sKwota(m_suma)); });
}

QString TRaportDoOplacenia::sFiltr(const OpcjeZestawienia& opcje, int zestaw)
{
    QString filtr;
    if (opcje.iCzyZaznaczone > 0)
        filtr += " - zaznaczone do wystawienia ( " + QString::number(zestaw) + " -Zestaw )";
    if (opcje.iCzyTermin == 1)
        filtr += " - z terminem płatności do :" + opcje.dtTermin.toString(QStringLiteral("dd-MM-yyyy"));
    if (opcje.iWybranyKontrahent > 0)
        filtr += QStringLiteral(" - wybrany kontrahent ");
    return filtr;
}

void TRaportDoOplacenia::repBeforePrint()
{
    QRLabelTytul3->setText(sDrukowanoDnia());
    m_firma.vWypelnij();
    if (QRLKontrolnie)
        QRLKontrolnie->setText(m_opcje.bKontrolny ? QStringLiteral("Kontrolnie konto ze zb.Kontrahentów") : QString());
    QRLFiltr->setText(sFiltr(m_opcje, DMP->iKtoryZestaw));
    QRLNagAkcept->setVisible(DMP->iCzyAkceptacjaKontaBankowego == 1);
    m_lp = 1;
    m_wGrupie = 0;
    m_sumaGrupy = 0;
    m_suma = 0;
}

const data::Field& TRaportDoOplacenia::pole(const char* name) const
{
    return m_przelewy.fieldByName(QString::fromLatin1(name));
}

bool TRaportDoOplacenia::bNaLiscie() const
{
    static const char* const znaczniki[] = {"ZAZNACZ", "ZAZNACZ2", "ZAZNACZ3"};
    if (m_opcje.iCzyZaznaczone > -1 && pole(znaczniki[qBound(1, DMP->iKtoryZestaw, 3) - 1]).asInteger() == 0)
        return false;
    // A transfer without a due date is never too late.
    const data::Field& termin = pole("TERMIN_ZAPLATY");
    if (m_opcje.iCzyTermin == 1 && !termin.isNull() && termin.asDate() > m_opcje.dtTermin)
        return false;
    return m_opcje.iWybranyKontrahent <= -1 || pole("ID_KONTRAHENTA").asInteger() == m_opcje.iWybranyKontrahent;
}

QString TRaportDoOplacenia::sKontoKontrolne() const
{
    const auto konta = dmMain->ibStworzIBSQL(true, "Select * from ET_BANK_KONTO where ID_KONTR="
                                                       + QString::number(pole("ID_KONTRAHENTA").asInteger())
                                                       + " order by DOMYSLNE DESC", false);
    return konta && !konta->isEmpty() ? konta->fieldByName(QStringLiteral("KONTO")).asString()
                                      : QString(23, QLatin1Char('*'));
}

void TRaportDoOplacenia::QRBand2BeforePrint(rpt::Band& band, bool& print)
{
    if (!bNaLiscie()) {
        print = false;
        return;
    }
    const bool p1 = m_wariant == Wariant::P1;
    QRLLp->setText(QString::number(m_lp++) + QLatin1Char('.'));
    QRLKonto->setText(pole("KONTRAHENT_KONTO").asString());
    QRLKodFK->setText(pole("SYMBOL_NAZWA").asString());
    const QString nazwa = pole("KONTRAHENT_NAZWA").asString();
    const QString tresc = pole("TRESC1").asString();
    const std::int64_t kwota = iGrosze(pole("WARTOSC"));
    QRLKwota->setText(sKwotaWiersza(kwota));
    QString drugaLinia;
    if (p1) {
        QRLNazwa->setText(sZnaki(nazwa, 1, 35));
        QRLNazwa2->setText(m_opcje.bKontrolny ? sKontoKontrolne() : sZnaki(nazwa, 36, 80));
        QRLTresc->setText(sZnaki(tresc, 1, 40));
        drugaLinia = sZnaki(tresc, 41, 70);
    } else {
        QRLNazwa->setText(nazwa);
        QRLTresc->setText(tresc);
        QRLOplacono->setText(sKwotaWiersza(iGrosze(pole("WARTOSC_WYPLACONA"))));
    }
    m_sumaGrupy += kwota;
    m_suma += kwota;

    QRLDok->setText({});
    const QString faktura = pole("NR_FAKTURY").asString();
    if (m_opcje.iDrukDok == 1 && !faktura.isEmpty()) {
        const data::Field& idFaktury = pole("ID_FAKTURY");
        if (const auto dokument = dokumentFaktury(faktura, idFaktury.isNull() ? 0 : int(idFaktury.asInteger()),
                                                  int(pole("ID_KONTRAHENTA").asInteger()), pole("WN").asString())) {
            QRLDok->setText(dokument->sNumer);
            drugaLinia = dokument->sOpis;
        }
    }
    if (p1)
        QRLTresc2->setText(drugaLinia);

    QRLNieZaakceptowane->setVisible(DMP->iCzyAkceptacjaKontaBankowego == 1
                                    && DMP->iKontoZaakceptowane(int(pole("ID_KONTA_BANK").asInteger())) == 0);
    if (!p1)
        band.frame().top = m_wGrupie == 0;
    ++m_wGrupie;
}

void TRaportDoOplacenia::QRBandFooterBeforePrint(rpt::Band&, bool& print)
{
    print = m_opcje.iUklad == 0 && m_wGrupie >= 2;
    if (print) {
        // The rows have moved on to the next contractor by now: the code is the ending group's.
        QRLKod->setText(QRGroup1->endingKey().toString());
        QRLRazemKontr->setText(sKwota(m_sumaGrupy));
    }
    m_sumaGrupy = 0;
    m_wGrupie = 0;
}
