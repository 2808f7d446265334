#include "module/frame/PrzelewSql.h"

#include <QStringList>

const QString kPrzelewZmieniony = QStringLiteral(
    "Przelew został w międzyczasie zmieniony, wystawiony lub usunięty przez innego użytkownika.\n"
    "Lista przelewów zostanie odczytana ponownie.");

const QString kKolumnyPrzelewu = QStringLiteral(
    "ID, ID_KONTRAHENTA, ID_KONTA_BANK, ID_FAKTURY, NR_FAKTURY, DATA_WYSTAWIENIA, TERMIN_ZAPLATY, TRESC1, DODAL, "
    "DATA_DODANIA, ZMIENIL, DATA_ZMIANY, DATA_REALIZACJI, KOLEJNY, WPROWADZONY, ZAZNACZ, ZAZNACZ2, ZAZNACZ3, WN, "
    "WARTOSC_CALA, WARTOSC_WYPLACONA, WARTOSC, PARAGRAF, MPP, KWOTA_VAT_CALA, KWOTA_VAT_WYPLACONA, KWOTA_VAT");

QString sWarunekPrzelewu() {
    QStringList warunki{QStringLiteral("ID = :OLD_ID")};
    // NULL equals NULL here: a transfer not yet paid has no realization date.
    for (const QString& c : kKolumnyPrzelewu.split(QStringLiteral(", ")))
        if (c != QLatin1String("ID")) warunki << c + " is not distinct from :OLD_" + c;
    return " where " + warunki.join(QStringLiteral(" and "));
}

QString sZmianaPrzelewu(const QString& kolumny) {
    QStringList zmiany;
    for (const QString& c : kolumny.split(QStringLiteral(", "))) zmiany << c + " = :" + c;
    return "update PR_PRZELEWY set " + zmiany.join(QStringLiteral(", ")) + sWarunekPrzelewu();
}
