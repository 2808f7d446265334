#include "ListaRejestru.h"

#include "module/frame/TDMP.h"
#include "module/reports/Reportviewer.h"
#include "platform/data/Dataset.h"
#include "platform/data/Field.h"
#include "platform/data/Formats.h"
#include "siblings/core/TdmMain.h"

namespace {

const QString kMoney = QStringLiteral("### ### ##0.00");
constexpr Qt::Alignment kRight = Qt::AlignRight | Qt::AlignVCenter;

} // namespace

TListaRejestru::TListaRejestru(data::Dataset& transfers)
    : rep(std::make_unique<rpt::Report>(QStringLiteral("Rejestr przelewów"))), m_transfers(transfers),
      m_rows(transfers)
{
    using rpt::BandKind;
    rep->setSource(&m_rows);
    rep->setPrintIfEmpty(true);
    rep->setBeforePrint([this] { repBeforePrint(); });

    const rpt::FontStyle bold{.bold = true};
    const rpt::FontStyle small{.size = 8};
    auto& header = rep->band(BandKind::PageHeader, 40);
    header.addLabel({0, 0, 380, 22}, QStringLiteral("Rejestr przelewów"), {.size = 13, .bold = true});
    header.addSystemField({420, 0, 118, 22}, rpt::SystemData::PageNumber, QStringLiteral("Strona: "), {}, kRight);
    header.addLabel({0, 22, 380, 16}, QStringLiteral("Przelewy oczekujące na wystawienie"), {.italic = true});

    auto& columns = rep->band(BandKind::ColumnHeader, 18);
    columns.frame().top = columns.frame().bottom = true;
    columns.addLabel({0, 0, 30, 18}, QStringLiteral("L.p"), bold);
    columns.addLabel({34, 0, 200, 18}, QStringLiteral("Kontrahent"), bold);
    columns.addLabel({238, 0, 62, 18}, QStringLiteral("Termin"), bold);
    columns.addLabel({300, 0, 80, 18}, QStringLiteral("Kwota"), bold, kRight);
    columns.addLabel({388, 0, 150, 18}, QStringLiteral("Tresc"), bold);

    auto& detail = rep->band(BandKind::Detail, 15);
    QRLLp = &detail.addLabel({0, 0, 30, 15}, {}, small);
    detail.addDataText({34, 0, 200, 15}, QStringLiteral("quePrzelewy.KONTRAHENT_NAZWA"), small);
    detail.addDataText({238, 0, 62, 15}, QStringLiteral("quePrzelewy.TERMIN_ZAPLATY"), small)
        .setFormatter([](const QVariant& due) {
            return due.isValid() ? data::formatDateTime(due.toDateTime(), dmMain->PobierzFormatDaty()) : QString();
        });
    QRLKwota = &detail.addLabel({300, 0, 80, 15}, {}, small, kRight);
    detail.addDataText({388, 0, 150, 15}, QStringLiteral("quePrzelewy.TRESC1"), small);
    detail.setBeforePrint([this](rpt::Band& band, bool& print) { QRBand2BeforePrint(band, print); });

    auto& summary = rep->band(BandKind::Summary, 22);
    summary.frame().top = true;
    summary.addLabel({34, 4, 200, 16}, QStringLiteral("R  A  Z  E  M"), bold);
    QRLRazemKwota = &summary.addLabel({280, 4, 100, 16}, {}, bold, kRight);

    auto& footer = rep->band(BandKind::PageFooter, 16);
    footer.frame().top = true;
    QRLabelTytul3 = &footer.addLabel({0, 2, 300, 14}, {}, small);
}

void TListaRejestru::repBeforePrint()
{
    QRLabelTytul3->setText(QStringLiteral("Drukowano dnia: ")
                           + data::formatDateTime(QDateTime::currentDateTime(), dmMain->PobierzFormatDaty()));
    m_lp = 1;
    m_suma = 0;
    QRLRazemKwota->setText(data::formatNumber(0.0, kMoney));
}

void TListaRejestru::QRBand2BeforePrint(rpt::Band&, bool&)
{
    QRLLp->setText(QString::number(m_lp++) + QLatin1Char('.'));
    const double amount = m_transfers.fieldByName(QStringLiteral("WARTOSC")).asVariant().toDouble();
    QRLKwota->setText(data::formatNumber(amount, kMoney));
    m_suma += amount;
    QRLRazemKwota->setText(data::formatNumber(m_suma, kMoney));
}

void vPodgladListyRejestru(QWidget* caller)
{
    if (!DMP->quePrzelewy.isActive())
        DMP->quePrzelewy.open();
    TListaRejestru lista(DMP->quePrzelewy);
    vPokazWydruk(caller, std::move(lista.rep));
}
