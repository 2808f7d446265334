#pragma once
// Building SQL text. Literal values spliced into statements go through
// sqlQuote / sqlDate; statements with named parameters (":NAME") are turned
// into positional ones for the Firebird layer.

#include <QDate>
#include <QString>
#include <QStringList>

namespace data {

// 'text' with every inner apostrophe doubled: the one way a text value enters
// a statement, so a name like O'Brien can never end the literal early.
QString sqlQuote(const QString& text);

// 'yyyy-mm-dd', quoted.
QString sqlDate(const QDate& date);

// A named parameter of a statement. OLD_NAME asks for the value the row had
// before the edit; `field` is then NAME.
struct SqlParam {
    QString field;
    bool old = false;
};

struct ParsedSql {
    QString sql;                  // with each :NAME replaced by '?'
    QList<SqlParam> params;       // in order of appearance
};

// Replaces :NAME parameters by '?'. Colons inside string literals, quoted
// identifiers and comments are left alone.
ParsedSql parseNamedParams(const QString& sql);

}  // namespace data
