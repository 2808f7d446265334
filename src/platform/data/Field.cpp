#include "platform/data/Field.h"

#include "platform/data/Dataset.h"
#include "platform/data/Formats.h"

#include <QDate>
#include <QTime>
#include <cmath>
#include <stdexcept>

namespace data {

namespace {

QString g_shortDateFormat = QStringLiteral("yyyy-mm-dd");

// Date-times without a date (TIME columns) sit on the legacy zero day.
QDate toQDate(const fb::Timestamp& t) { return t.year == 0 ? QDate(1899, 12, 30) : QDate(t.year, t.month, t.day); }

QDateTime toQDateTime(const fb::Timestamp& t) {
    return QDateTime(toQDate(t), QTime(t.hour, t.minute, t.second, t.fraction / 10));
}

fb::Timestamp toTimestamp(const QDateTime& dt) {
    const QDate d = dt.date();
    const QTime t = dt.time();
    return fb::Timestamp{d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second(), t.msec() * 10};
}

[[noreturn]] void badText(const char* what, const QString& text) {
    throw std::invalid_argument(QStringLiteral("„%1” nie jest poprawną %2").arg(text, QString::fromUtf8(what)).toStdString());
}

fb::Decimal decimalOfText(const QString& text) {
    auto d = parseDecimal(text);
    if (!d) badText("liczbą", text);
    return *d;
}

fb::Timestamp timestampOfText(const QString& text) {
    static const char* const formats[] = {"yyyy-MM-dd HH:mm:ss.zzz", "yyyy-MM-dd HH:mm:ss", "yyyy-MM-dd HH:mm",
                                          "yyyy-MM-dd"};
    const QString t = text.trimmed();
    for (const char* f : formats) {
        const QDateTime dt = QDateTime::fromString(t, QString::fromLatin1(f));
        if (dt.isValid()) return toTimestamp(dt);
    }
    badText("datą", text);
}

QString decimalText(const fb::Decimal& d) {
    QString s = QString::fromStdString(d.toString());
    if (s.contains(QLatin1Char('.'))) {
        while (s.endsWith(QLatin1Char('0'))) s.chop(1);
        if (s.endsWith(QLatin1Char('.'))) s.chop(1);
    }
    s.replace(QLatin1Char('.'), QLatin1Char(','));
    return s;
}

fb::Decimal toDecimal(const fb::Value& v) {
    if (auto i = std::get_if<std::int64_t>(&v)) return fb::Decimal{*i, 0};
    if (auto d = std::get_if<fb::Decimal>(&v)) return *d;
    if (auto d = std::get_if<double>(&v)) return fb::Decimal::fromDouble(*d, 4);
    if (auto s = std::get_if<std::string>(&v)) return decimalOfText(QString::fromStdString(*s));
    if (fb::isNull(v)) return fb::Decimal{0, 0};
    throw std::invalid_argument("A date is not a number");
}

}  // namespace

bool sameValue(const fb::Value& a, const fb::Value& b) {
    const bool aNum = !std::holds_alternative<std::string>(a) && !std::holds_alternative<fb::Timestamp>(a);
    const bool bNum = !std::holds_alternative<std::string>(b) && !std::holds_alternative<fb::Timestamp>(b);
    if (fb::isNull(a) || fb::isNull(b) || !aNum || !bNum) return a == b;
    if (std::holds_alternative<double>(a) || std::holds_alternative<double>(b))
        return toDecimal(a).toDouble() == toDecimal(b).toDouble();
    const fb::Decimal x = toDecimal(a), y = toDecimal(b);
    const int scale = std::max(x.scale, y.scale);
    return x.rescaled(scale).units == y.rescaled(scale).units;
}

Field::Field(Dataset* dataset, QString name, FieldKind kind, FieldType type, int size)
    : m_dataset(dataset), m_name(std::move(name)), m_kind(kind), m_type(type) {
    if (type == FieldType::Decimal) m_scale = size;
    else m_size = size;
}

bool Field::isNumeric() const {
    return m_type == FieldType::Integer || m_type == FieldType::Decimal || m_type == FieldType::Double;
}

void Field::setShortDateFormat(const QString& format) { g_shortDateFormat = format; }
QString Field::shortDateFormat() { return g_shortDateFormat; }

// ---------------------------------------------------------------- reading

fb::Value Field::value() const { return m_dataset->fieldValue(*this); }
bool Field::isNull() const { return fb::isNull(value()); }

qint64 Field::asInteger() const {
    const fb::Value v = value();
    if (auto i = std::get_if<std::int64_t>(&v)) return *i;
    if (auto d = std::get_if<double>(&v)) return static_cast<qint64>(std::llround(*d));
    if (auto s = std::get_if<std::string>(&v)) {
        bool ok = false;
        const QString text = QString::fromStdString(*s).trimmed();
        const qint64 n = text.toLongLong(&ok);
        if (!ok && !text.isEmpty()) badText("liczbą całkowitą", text);
        return n;
    }
    return toDecimal(v).rescaled(0).units;
}

double Field::asDouble() const {
    const fb::Value v = value();
    if (auto d = std::get_if<double>(&v)) return *d;
    return toDecimal(v).toDouble();
}

fb::Decimal Field::asDecimal() const { return toDecimal(value()); }

QString Field::asString() const {
    const fb::Value v = value();
    return std::visit(
        [](const auto& x) -> QString {
            using T = std::decay_t<decltype(x)>;
            if constexpr (std::is_same_v<T, std::monostate>) return {};
            else if constexpr (std::is_same_v<T, std::int64_t>) return QString::number(x);
            else if constexpr (std::is_same_v<T, double>) return formatFloat(x);
            else if constexpr (std::is_same_v<T, fb::Decimal>) return decimalText(x);
            else if constexpr (std::is_same_v<T, std::string>) return QString::fromUtf8(x.data(), qsizetype(x.size()));
            else {
                const bool midnight = x.hour == 0 && x.minute == 0 && x.second == 0 && x.fraction == 0;
                return formatDateTime(toQDateTime(x), midnight ? g_shortDateFormat : g_shortDateFormat + " hh:nn:ss");
            }
        },
        v);
}

std::optional<fb::Timestamp> Field::asTimestamp() const {
    const fb::Value v = value();
    if (auto t = std::get_if<fb::Timestamp>(&v)) return *t;
    if (auto s = std::get_if<std::string>(&v)) return timestampOfText(QString::fromStdString(*s));
    if (fb::isNull(v)) return std::nullopt;
    throw std::invalid_argument("A number is not a date");
}

QDateTime Field::asDateTime() const {
    const auto t = asTimestamp();
    return t ? toQDateTime(*t) : QDateTime();
}

QDate Field::asDate() const {
    const auto t = asTimestamp();
    return t ? toQDate(*t) : QDate();
}

QVariant Field::asVariant() const {
    const fb::Value v = value();
    if (fb::isNull(v)) return {};
    switch (m_type) {
    case FieldType::Integer: return QVariant::fromValue<qlonglong>(asInteger());
    case FieldType::Decimal:
    case FieldType::Double: return asDouble();
    case FieldType::DateTime: return asDateTime();
    case FieldType::String:
    case FieldType::BlobText: return asString();
    }
    return {};
}

// ---------------------------------------------------------------- writing

fb::Value Field::converted(const fb::Value& v) const {
    if (fb::isNull(v)) return v;
    const auto* text = std::get_if<std::string>(&v);
    switch (m_type) {
    case FieldType::Integer:
        if (text) {
            const QString t = QString::fromStdString(*text).trimmed();
            if (t.isEmpty()) return {};
            bool ok = false;
            const qint64 n = t.toLongLong(&ok);
            if (!ok) badText("liczbą całkowitą", t);
            return std::int64_t{n};
        }
        if (auto d = std::get_if<double>(&v)) return std::int64_t{std::llround(*d)};
        return toDecimal(v).rescaled(0).units;
    case FieldType::Decimal:
        if (text && QString::fromStdString(*text).trimmed().isEmpty()) return {};
        if (auto d = std::get_if<double>(&v)) return fb::Decimal::fromDouble(*d, m_scale);
        return toDecimal(v).rescaled(m_scale);
    case FieldType::Double:
        if (text && QString::fromStdString(*text).trimmed().isEmpty()) return {};
        if (auto d = std::get_if<double>(&v)) return *d;
        return toDecimal(v).toDouble();
    case FieldType::DateTime:
        if (std::holds_alternative<fb::Timestamp>(v)) return v;
        if (text) {
            if (QString::fromStdString(*text).trimmed().isEmpty()) return {};
            return timestampOfText(QString::fromStdString(*text));
        }
        throw std::invalid_argument("A number is not a date");
    case FieldType::String:
    case FieldType::BlobText:
        if (text) return v;
        return std::visit(
            [](const auto& x) -> fb::Value {
                using T = std::decay_t<decltype(x)>;
                if constexpr (std::is_same_v<T, std::int64_t>) return std::to_string(x);
                else if constexpr (std::is_same_v<T, double>) return formatFloat(x).toStdString();
                else if constexpr (std::is_same_v<T, fb::Decimal>) return decimalText(x).toStdString();
                else if constexpr (std::is_same_v<T, fb::Timestamp>)
                    return formatDateTime(toQDateTime(x), g_shortDateFormat + " hh:nn:ss").toStdString();
                else return fb::Value{};
            },
            v);
    }
    return v;
}

void Field::setValue(const fb::Value& value) { m_dataset->setFieldValue(*this, converted(value)); }
void Field::clear() { setValue(fb::Value{}); }
void Field::setInteger(qint64 value) { setValue(std::int64_t{value}); }
void Field::setDouble(double value) { setValue(value); }
void Field::setDecimal(const fb::Decimal& value) { setValue(value); }
void Field::setString(const QString& value) { setValue(value.toStdString()); }
void Field::setDateTime(const QDateTime& value) {
    setValue(value.isValid() ? fb::Value{toTimestamp(value)} : fb::Value{});
}

void Field::setDate(const QDate& value) {
    setValue(value.isValid() ? fb::Value{fb::Timestamp{value.year(), value.month(), value.day()}} : fb::Value{});
}

void Field::setVariant(const QVariant& value) { setValue(valueOf(value)); }

fb::Value valueOf(const QVariant& value) {
    if (!value.isValid() || value.isNull()) return {};
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Bool: return std::int64_t{value.toLongLong()};
    case QMetaType::Double:
    case QMetaType::Float: return value.toDouble();
    case QMetaType::QDateTime: return toTimestamp(value.toDateTime());
    case QMetaType::QDate: return toTimestamp(value.toDate().startOfDay());
    default: return value.toString().toStdString();
    }
}

// ---------------------------------------------------------------- texts

QString Field::defaultText() const {
    if (m_displayFormat.isEmpty() || isNull()) return asString();
    switch (m_type) {
    case FieldType::Integer:
    case FieldType::Decimal: return formatNumber(asDecimal(), m_displayFormat);
    case FieldType::Double: return formatNumber(asDouble(), m_displayFormat);
    case FieldType::DateTime: return formatDateTime(asDateTime(), m_displayFormat);
    case FieldType::String:
    case FieldType::BlobText: break;
    }
    return asString();
}

QString Field::displayText() const { return m_getText ? m_getText(*this, true) : defaultText(); }

QString Field::text() const { return m_getText ? m_getText(*this, false) : asString(); }

void Field::setText(const QString& text) {
    if (m_setText) m_setText(*this, text);
    else setString(text);
}

}  // namespace data
