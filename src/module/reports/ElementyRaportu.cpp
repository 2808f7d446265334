#include "ElementyRaportu.h"

#include "platform/data/Field.h"
#include "platform/data/Formats.h"
#include "siblings/core/TdmMain.h"

namespace raport {

namespace {

// Who made the program that printed the page.
const QString kDostawca =
    QStringLiteral("Wydruk z programu Przelewy — moduł przelewów bankowych pakietu finansowo-księgowego");

QString sPolaczone(const QStringList& record, int a, int b)
{
    return record.value(a - 1) + QStringLiteral("  ") + record.value(b - 1);
}

} // namespace

rpt::FontStyle czcionka(qreal size, bool bold, bool italic)
{
    return {.family = QStringLiteral("DejaVu Sans Condensed"), .size = size, .bold = bold, .italic = italic};
}

QStringList sLinieFirmy()
{
    const QStringList record = dmMain->PobierzDaneFirmowe();
    return {record.value(0), sPolaczone(record, 7, 5), sPolaczone(record, 6, 10)};
}

QString sDrukowanoDnia()
{
    return QStringLiteral("Drukowano dnia: ")
           + data::formatDateTime(QDateTime::currentDateTime(), dmMain->PobierzFormatDaty());
}

std::int64_t iGrosze(const data::Field& field)
{
    return field.isNull() ? 0 : field.asDecimal().rescaled(2).units;
}

QString sKwota(std::int64_t grosze) { return data::formatNumber(fb::Decimal{grosze, 2}, kMaskaKwot); }

QString sZnaki(const QString& text, int from, int to) { return text.mid(from - 1, to - from + 1); }

void LinieFirmy::vWypelnij() const
{
    const QStringList linie = sLinieFirmy();
    QRLFirma1->setText(linie.value(0));
    QRLFirma2->setText(linie.value(1));
    QRLFirma3->setText(linie.value(2));
}

LinieFirmy vNaglowekStrony(rpt::Band& band, const QString& tytul, const QString& wariant)
{
    band.addLabel({0, 0, 300, 18}, tytul, czcionka(12, true));
    band.addSystemField({kSzerokosc - 100, 0, 100, 14}, rpt::SystemData::PageNumber, QStringLiteral("Strona: "),
                        czcionka(8), kDoPrawej);
    band.addLabel({kSzerokosc - 100, 16, 100, 14}, wariant, czcionka(9, true), kDoPrawej);
    const rpt::FontStyle kursywa = czcionka(8, false, true);
    return {&band.addLabel({0, 20, 330, 12}, {}, kursywa), &band.addLabel({0, 32, 330, 12}, {}, kursywa),
            &band.addLabel({0, 44, 330, 12}, {}, kursywa)};
}

rpt::Label* vStopkaStrony(rpt::Report& report)
{
    auto& stopka = report.band(rpt::BandKind::PageFooter, 14);
    stopka.frame().top = true;
    rpt::Label* data = &stopka.addLabel({0, 2, 160, 12}, {}, czcionka(6.5));
    stopka.addLabel({160, 2, kSzerokosc - 160, 12}, kDostawca, czcionka(6.5, false, true), kDoPrawej);
    return data;
}

} // namespace raport
