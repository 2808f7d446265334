#include "platform/data/Formats.h"

#include <algorithm>
#include <cmath>

namespace data {

QString formatFloat(double value) {
    if (std::isnan(value)) return QStringLiteral("NAN");
    if (std::isinf(value)) return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    QString s = QString::number(value, 'g', 15);
    const qsizetype e = s.indexOf(QLatin1Char('e'));
    if (e >= 0) {
        // "1e+20" -> "1E20", "1.5e-07" -> "1,5E-7"
        QString mantissa = s.left(e);
        const int exponent = s.mid(e + 1).toInt();
        s = mantissa + QLatin1Char('E') + QString::number(exponent);
    }
    s.replace(QLatin1Char('.'), QLatin1Char(','));
    return s;
}

namespace {

bool isDigitPlace(QChar c) { return c == QLatin1Char('0') || c == QLatin1Char('#'); }

// One element of a pattern: a digit place or a piece of literal text.
struct PatternItem {
    bool digit = false;
    QChar place;       // '0' or '#'
    QString text;
};

QList<PatternItem> tokenize(const QString& pattern) {
    QList<PatternItem> items;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (isDigitPlace(c)) {
            items.append({true, c, {}});
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            const qsizetype end = pattern.indexOf(c, i + 1);
            const qsizetype stop = end < 0 ? pattern.size() : end;
            items.append({false, {}, pattern.mid(i + 1, stop - i - 1)});
            i = stop;
        } else {
            items.append({false, {}, QString(c)});
        }
    }
    return items;
}

// Lays the integer digits into the places of the integer part, right to left.
// Extra digits go to the leftmost place; literal text between places shows
// only when digits stand on both sides; text before the first place always.
QString layIntegerDigits(QList<PatternItem> items, QString digits) {
    while (digits.startsWith(QLatin1Char('0'))) digits.remove(0, 1);
    // More digits than places: the pattern's leading group repeats, so the
    // blanks of "### ### ##0" keep grouping a billion.
    const auto isPlace = [](const PatternItem& item) { return item.digit; };
    const qsizetype first = std::find_if(items.begin(), items.end(), isPlace) - items.begin();
    const auto gap = std::find_if_not(items.begin() + std::min(first, items.size()), items.end(), isPlace);
    const auto groupEnd = std::find_if(gap, items.end(), isPlace);
    if (gap != items.end() && groupEnd != items.end()) {
        const QList<PatternItem> group(items.begin() + first, groupEnd);
        const qsizetype groupPlaces = gap - (items.begin() + first);
        for (qsizetype have = std::count_if(items.begin(), items.end(), isPlace); have < digits.size();
             have += groupPlaces)
            for (qsizetype k = group.size() - 1; k >= 0; --k) items.insert(first, group[k]);
    }
    qsizetype firstPlace = -1, places = 0, required = 0;
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (!items[i].digit) continue;
        if (firstPlace < 0) firstPlace = i;
        ++places;
        if (items[i].place == QLatin1Char('0') || required > 0) ++required;
    }
    if (digits.size() < required) digits = QString(required - digits.size(), QLatin1Char('0')) + digits;

    QString out;
    qsizetype left = digits.size();
    for (qsizetype i = items.size() - 1; i >= 0; --i) {
        const PatternItem& item = items[i];
        if (item.digit) {
            if (i == firstPlace) {
                out.prepend(digits.left(left));
                left = 0;
            } else if (left > 0) {
                out.prepend(digits[--left]);
            }
        } else if (i < firstPlace || left > 0) {
            out.prepend(item.text);
        }
    }
    if (firstPlace < 0) out.prepend(digits);
    return out;
}

}  // namespace

namespace {

struct NumberPattern {
    QList<PatternItem> intItems, fracItems;
    int decimals = 0, minDecimals = 0;
};

// Only the first ';' section counts: the suite's patterns have no others.
NumberPattern parsePattern(const QString& pattern) {
    const QString section = pattern.section(QLatin1Char(';'), 0, 0);
    const qsizetype point = section.indexOf(QLatin1Char('.'));
    NumberPattern p;
    p.intItems = tokenize(point < 0 ? section : section.left(point));
    if (point >= 0) p.fracItems = tokenize(section.mid(point + 1));
    for (const PatternItem& item : p.fracItems) {
        if (!item.digit) continue;
        ++p.decimals;
        if (item.place == QLatin1Char('0')) p.minDecimals = p.decimals;
    }
    return p;
}

}  // namespace

QString formatNumber(const fb::Decimal& value, const QString& pattern) {
    const NumberPattern p = parsePattern(pattern);
    const fb::Decimal rounded = value.rescaled(p.decimals);
    const bool negative = rounded.units < 0;
    std::string all = rounded.toString();
    if (negative) all.erase(0, 1);
    const QString text = QString::fromStdString(all);
    const qsizetype dot = text.indexOf(QLatin1Char('.'));
    QString fracDigits = dot < 0 ? QString() : text.mid(dot + 1);
    while (fracDigits.size() > p.minDecimals && fracDigits.endsWith(QLatin1Char('0'))) fracDigits.chop(1);

    QString out = layIntegerDigits(p.intItems, dot < 0 ? text : text.left(dot));
    if (!fracDigits.isEmpty()) {
        out += QLatin1Char(',');
        qsizetype next = 0;
        for (const PatternItem& item : p.fracItems) {
            if (!item.digit) out += item.text;
            else if (next < fracDigits.size()) out += fracDigits[next++];
        }
    }
    return negative ? QLatin1Char('-') + out : out;
}

QString formatNumber(double value, const QString& pattern) {
    // Beyond what a 64-bit decimal holds the plain form is the honest one.
    if (!(std::fabs(value) < 1e15)) return formatFloat(value);
    return formatNumber(fb::Decimal::fromDouble(value, parsePattern(pattern).decimals), pattern);
}

QString formatDateTime(const QDateTime& value, const QString& pattern) {
    if (!value.isValid()) return {};
    const QDate d = value.date();
    const QTime t = value.time();
    auto two = [](int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); };
    QString out;
    bool afterHour = false;
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar c = pattern[i].toLower();
        qsizetype run = 1;
        while (i + run < pattern.size() && pattern[i + run].toLower() == c) ++run;
        bool hour = false;
        switch (c.unicode()) {
        case 'y':
            out += run >= 3 ? QStringLiteral("%1").arg(d.year(), 4, 10, QLatin1Char('0')) : two(d.year() % 100);
            break;
        case 'm': {
            const int v = afterHour ? t.minute() : d.month();
            out += run >= 2 ? two(v) : QString::number(v);
            break;
        }
        case 'd': out += run >= 2 ? two(d.day()) : QString::number(d.day()); break;
        case 'h': out += run >= 2 ? two(t.hour()) : QString::number(t.hour()); hour = true; break;
        case 'n': out += run >= 2 ? two(t.minute()) : QString::number(t.minute()); break;
        case 's': out += run >= 2 ? two(t.second()) : QString::number(t.second()); break;
        case 'z':
            out += run >= 3 ? QStringLiteral("%1").arg(t.msec(), 3, 10, QLatin1Char('0')) : QString::number(t.msec());
            break;
        case '/': out += QString(run, kDateSeparator); break;
        case '\'':
        case '"': {
            const qsizetype end = pattern.indexOf(pattern[i], i + 1);
            const qsizetype stop = end < 0 ? pattern.size() : end;
            out += pattern.mid(i + 1, stop - i - 1);
            run = stop + 1 - i;
            break;
        }
        default: out += pattern.mid(i, run); break;
        }
        // Only separators may stand between an hour and the minutes it announces.
        if (hour) afterHour = true;
        else if (c.isLetter()) afterHour = false;
        i += run;
    }
    return out;
}

std::optional<fb::Decimal> parseDecimal(const QString& text) {
    std::int64_t units = 0;
    int scale = 0, significant = 0;
    bool negative = false, sign = false, point = false, anyDigit = false;
    for (QChar c : text) {
        if (c.isSpace()) continue;
        if ((c == QLatin1Char('-') || c == QLatin1Char('+')) && !anyDigit && !point && !sign) {
            sign = true;
            negative = c == QLatin1Char('-');
        } else if ((c == QLatin1Char(',') || c == QLatin1Char('.')) && !point) {
            point = true;
        } else if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            anyDigit = true;
            units = units * 10 + (c.unicode() - '0');
            if (units != 0 && ++significant > 18) return std::nullopt;
            if (point) ++scale;
        } else {
            return std::nullopt;
        }
    }
    if (!anyDigit) return std::nullopt;
    return fb::Decimal{negative ? -units : units, scale};
}

QDate dayOf(const fb::Cursor& c, int column) {
    if (c.isNull(column)) return {};
    const fb::Timestamp t = c.asTimestamp(column);
    return QDate(t.year, t.month, t.day);
}

}  // namespace data
