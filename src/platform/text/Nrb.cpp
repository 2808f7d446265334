#include "platform/text/Nrb.h"

namespace text {

NrbCheck checkNrb(const QString& account)
{
    QString digits;
    for (const QChar ch : account) {
        if (ch.isSpace() || ch == u'-')
            continue;
        if (ch < u'0' || ch > u'9')
            return NrbCheck::NotNrb;
        digits += ch;
    }
    if (digits.size() != 26)
        return NrbCheck::NotNrb;
    // The number as an IBAN moved for the check: the 24 digits after the check
    // digits, "PL" as 25 21, then the check digits; the remainder must be 1.
    const QString moved = digits.mid(2) + QStringLiteral("2521") + digits.left(2);
    int remainder = 0;
    for (const QChar ch : moved)
        remainder = (remainder * 10 + (ch.unicode() - u'0')) % 97;
    return remainder == 1 ? NrbCheck::Valid : NrbCheck::WrongChecksum;
}

QString nrbWarning(const QString& account)
{
    if (checkNrb(account) != NrbCheck::WrongChecksum)
        return {};
    return QStringLiteral("Numer konta %1 ma błędne cyfry kontrolne.\n"
                          "Sprawdź, czy nie ma w nim pomyłki, zanim pójdą na nie pieniądze.")
        .arg(account.trimmed());
}

} // namespace text
