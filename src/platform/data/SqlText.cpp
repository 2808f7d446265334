#include "platform/data/SqlText.h"

namespace data {

QString sqlQuote(const QString& text) {
    QString out;
    out.reserve(text.size() + 2);
    out += QLatin1Char('\'');
    for (QChar c : text) {
        if (c == QLatin1Char('\'')) out += QLatin1Char('\'');
        out += c;
    }
    out += QLatin1Char('\'');
    return out;
}

QString sqlDate(const QDate& date) {
    return sqlQuote(date.toString(QStringLiteral("yyyy-MM-dd")));
}

namespace {

bool isNameStart(QChar c) { return c.isLetter() || c == QLatin1Char('_'); }
bool isNameChar(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$'); }

// Index just past a run that starts at `i` and ends with `close` (a doubled
// `close` inside the run stands for itself).
qsizetype skipQuoted(const QString& s, qsizetype i, QChar close) {
    for (++i; i < s.size(); ++i) {
        if (s[i] != close) continue;
        if (i + 1 < s.size() && s[i + 1] == close) ++i;
        else return i + 1;
    }
    return s.size();
}

}  // namespace

ParsedSql parseNamedParams(const QString& sql) {
    static const QString kOld = QStringLiteral("OLD_");
    ParsedSql out;
    out.sql.reserve(sql.size());
    qsizetype i = 0;
    while (i < sql.size()) {
        const QChar c = sql[i];
        qsizetype next = i + 1;
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            next = skipQuoted(sql, i, c);
        } else if (c == QLatin1Char('-') && sql.mid(i, 2) == QLatin1String("--")) {
            next = sql.indexOf(QLatin1Char('\n'), i);
            if (next < 0) next = sql.size();
        } else if (c == QLatin1Char('/') && sql.mid(i, 2) == QLatin1String("/*")) {
            next = sql.indexOf(QLatin1String("*/"), i + 2);
            next = next < 0 ? sql.size() : next + 2;
        } else if (c == QLatin1Char(':') && i + 1 < sql.size() && isNameStart(sql[i + 1])) {
            next = i + 1;
            while (next < sql.size() && isNameChar(sql[next])) ++next;
            QString name = sql.mid(i + 1, next - i - 1).toUpper();
            SqlParam p;
            p.old = name.startsWith(kOld) && name.size() > kOld.size();
            p.field = p.old ? name.mid(kOld.size()) : name;
            out.params.append(p);
            out.sql += QLatin1Char('?');
            i = next;
            continue;
        }
        out.sql += QStringView(sql).mid(i, next - i);
        i = next;
    }
    return out;
}

}  // namespace data
