#include "module/register/Sortowanie.h"

QString sWyrazenieSortowania(const QString& pole) {
    if (pole == QLatin1String("KONTRAHENT_NAZWA")) return QStringLiteral("b.PELNA");
    if (pole == QLatin1String("SYMBOL_NAZWA")) return QStringLiteral("b.KOD_FK");
    if (pole == QLatin1String("WYROZNIONY")) return QStringLiteral("b.WYROZNIONY");
    if (pole == QLatin1String("WPROWADZONY_cal")) return QStringLiteral("a.WPROWADZONY");
    if (pole == QLatin1String("MPP_cal")) return QStringLiteral("a.MPP");
    if (pole == QLatin1String("KONTRAHENT_KONTO")) return QStringLiteral("c.KONTO");
    if (pole == QLatin1String("ZAAKCEPTOWANE")) return QStringLiteral("c.ZAAKCEPTOWANE");
    return "a." + pole;
}

QString sWyrazenieSzukania(const QString& pole) {
    if (pole == QLatin1String("KONTRAHENT_NAZWA")) return QStringLiteral("b.PELNA");
    if (pole == QLatin1String("SYMBOL_NAZWA")) return QStringLiteral("b.KOD_FK");
    return "a." + pole;
}

QString sLiniaPorzadku(const QString& wyrazenie, bool tekst, bool rosnaco) {
    const QString kierunek = rosnaco ? QStringLiteral(" ASC") : QStringLiteral(" DESC");
    const bool liczba = wyrazenie == QLatin1String("a.ZAZNACZ") || wyrazenie == QLatin1String("a.WPROWADZONY") ||
                        wyrazenie == QLatin1String("a.MPP");
    if (tekst && !liczba) return "UPPER(" + wyrazenie + ") COLLATE PXW_PLK" + kierunek;
    return wyrazenie + kierunek;
}
