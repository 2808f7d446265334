#include "platform/text/TextLimits.h"

#include "platform/text/Cp1250.h"

namespace text {

qsizetype firstOutsideCp1250(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < 0x80)
            continue;
        // Outside the BMP, a C1 control, or without a byte of its own.
        if (QChar::isSurrogate(c) || c <= 0x9F || toCp1250(QString(QChar(c))) == "?")
            return i;
    }
    return -1;
}

QString storageRefusal(const QString& text, int maxChars, const QString& what)
{
    const QString field = what.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(what);
    const qsizetype bad = firstOutsideCp1250(text);
    if (bad >= 0) {
        const QChar c = text.at(bad);
        const QString shown = c.isHighSurrogate() && bad + 1 < text.size() ? text.mid(bad, 2) : QString(c);
        return QStringLiteral("Tekst%1 zawiera znak „%2”, którego nie można zapisać w bazie danych "
                              "(brak go w stronie kodowej Windows-1250).\nUsuń ten znak lub zastąp go innym.")
            .arg(field, shown);
    }
    if (maxChars > 0 && text.size() > maxChars)
        return QStringLiteral("Tekst%1 jest za długi: ma %2 znaków, a można zapisać najwyżej %3.\nSkróć go.")
            .arg(field)
            .arg(text.size())
            .arg(maxChars);
    return {};
}

}  // namespace text
