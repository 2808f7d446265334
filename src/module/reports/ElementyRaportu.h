#pragma once
// Pieces every printed report of the module shares: the fonts, the company
// lines of the page header, the print-date and supplier lines of the page
// footer, money texts and the cutting of long texts into printed lines.

#include "platform/fb/Fb.h"
#include "reportengine/Report.h"

#include <QString>
#include <QStringList>

namespace data {
class Field;
}

namespace raport {

inline const QString kMaskaKwot = QStringLiteral("### ### ##0.00");
// The printable width of an A4 portrait page, in points.
inline constexpr qreal kSzerokosc = 538;
inline constexpr Qt::Alignment kDoPrawej = Qt::AlignRight | Qt::AlignVCenter;

// The narrow face keeps ten columns of a transfer list on a portrait page.
rpt::FontStyle czcionka(qreal size = 7, bool bold = false, bool italic = false);

// Lines 1 to 3 of the header: the company's name; its postcode and town; its street and premises.
QStringList sLinieFirmy();
// "Drukowano dnia: " and today's date in the suite's short date form.
QString sDrukowanoDnia();

// Money is summed in grosze, exactly: a printed total is the sum of the printed rows.
std::int64_t iGrosze(const data::Field& field);
QString sKwota(std::int64_t grosze);

// Characters `from` to `to` (counted from 1) of the text; empty when it is shorter.
QString sZnaki(const QString& text, int from, int to);

// The page header's common part: page number, bold title, the three italic
// company lines and the bold variant mark ("( P1 )"); the labels of the company lines.
struct LinieFirmy {
    rpt::Label* QRLFirma1;
    rpt::Label* QRLFirma2;
    rpt::Label* QRLFirma3;
    void vWypelnij() const;
};
LinieFirmy vNaglowekStrony(rpt::Band& band, const QString& tytul, const QString& wariant);

// The page footer: the print date line (returned, filled at each start) and the supplier's label.
rpt::Label* vStopkaStrony(rpt::Report& report);

} // namespace raport
