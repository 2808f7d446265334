#pragma once
// Polish number and date texts as the suite shows them: decimal comma,
// display patterns such as "### ### ##0.00" and "yyyy-mm-dd hh:nn".

#include "platform/fb/Fb.h"

#include <QDateTime>
#include <QString>
#include <optional>

namespace data {

// Shortest text that reads back as the value (15 significant digits), with a
// decimal comma: 3 -> "3", 1234.5 -> "1234,5", 0.3 -> "0,3", 1e20 -> "1E20".
QString formatFloat(double value);

// Formats an exact decimal by a display pattern. '0' is a required digit,
// '#' an optional one, '.' the decimal point (shown as a comma); text between
// digit places (the blanks of "### ### ##0.00") shows only between digits,
// and the leading group repeats for numbers longer than the pattern; text in
// quotes is literal. Rounds half away from zero.
QString formatNumber(const fb::Decimal& value, const QString& pattern);
QString formatNumber(double value, const QString& pattern);

// Formats a date-time by a pattern of yyyy, yy, m, mm, d, dd, h, hh, n, nn,
// s, ss, zzz ("m" right after an hour means minutes); '/' is the date
// separator, text in quotes is literal.
QString formatDateTime(const QDateTime& value, const QString& pattern);

// The day of a cursor's date or timestamp column; an invalid date for NULL.
QDate dayOf(const fb::Cursor& c, int column);

// The date separator '/' stands for in date patterns.
inline constexpr QChar kDateSeparator = u'-';

// Reads "1 234,50", "-0.005", "12": blanks are ignored, comma or point is the
// decimal separator. Returns nothing for any other text.
std::optional<fb::Decimal> parseDecimal(const QString& text);

}  // namespace data
