#include "platform/text/Nip.h"

#include <array>

namespace text {

QString nipDigits(const QString& nip) {
    QString written = nip.trimmed();
    if (written.startsWith(QStringLiteral("PL"), Qt::CaseInsensitive)) written = written.mid(2);
    QString digits;
    for (const QChar ch : written) {
        if (ch.isSpace() || ch == u'-') continue;
        if (ch < u'0' || ch > u'9') return {};
        digits += ch;
    }
    return digits.size() == 10 ? digits : QString();
}

bool isValidNip(const QString& nip) {
    static constexpr std::array<int, 9> kWeights{6, 5, 7, 2, 3, 4, 5, 6, 7};
    const QString digits = nipDigits(nip);
    if (digits.isEmpty() || digits == QStringLiteral("0000000000")) return false;
    int sum = 0;
    for (int i = 0; i < 9; ++i) sum += kWeights[i] * (digits[i].unicode() - u'0');
    const int check = sum % 11;
    return check != 10 && check == digits[9].unicode() - u'0';
}

QString nipError(const QString& nip) {
    if (isValidNip(nip)) return {};
    if (nip.trimmed().isEmpty()) return QStringLiteral("Brak numeru NIP.");
    if (nipDigits(nip).isEmpty()) return QStringLiteral("NIP %1 nie składa się z 10 cyfr.").arg(nip.trimmed());
    return QStringLiteral("NIP %1 ma błędną cyfrę kontrolną.").arg(nip.trimmed());
}

}  // namespace text
