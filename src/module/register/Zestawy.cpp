#include "module/register/Zestawy.h"

#include "platform/data/Dataset.h"
#include "platform/data/Formats.h"
#include "siblings/core/TdmMain.h"

#include <stdexcept>

QString sPoleZestawu(int zestaw) {
    switch (zestaw) {
    case 1: return QStringLiteral("ZAZNACZ");
    case 2: return QStringLiteral("ZAZNACZ2");
    case 3: return QStringLiteral("ZAZNACZ3");
    default: throw std::out_of_range("marking set " + std::to_string(zestaw));
    }
}

QString sWarunekZestawu(int zestaw) { return " and a." + sPoleZestawu(zestaw) + "= 1"; }

bool bZaznaczonyWInnymZestawie(const data::Dataset& przelewy, int zestaw) {
    for (int inny = 1; inny <= 3; ++inny)
        if (inny != zestaw && przelewy.fieldByName(sPoleZestawu(inny)).asInteger() > 0) return true;
    return false;
}

bool bZaznaczonyWZestawie(const data::Dataset& przelewy, int zestaw) {
    return przelewy.fieldByName(sPoleZestawu(zestaw)).asInteger() == 1;
}

void TZestawZaznaczonych::vZeruj() {
    m_ilosc = 0;
    m_razem = 0;
}

void TZestawZaznaczonych::vPrzelicz(data::Dataset& przelewy, int zestaw) {
    vZeruj();
    for (przelewy.first(); !przelewy.eof(); przelewy.next())
        if (bZaznaczonyWZestawie(przelewy, zestaw)) vDodaj(przelewy["WARTOSC"].asDouble());
}

void TZestawZaznaczonych::vDodaj(double kwota) {
    ++m_ilosc;
    vDodajKwote(kwota);
}

void TZestawZaznaczonych::vOdejmij(double kwota) {
    --m_ilosc;
    vOdejmijKwote(kwota);
}

void TZestawZaznaczonych::vDodajKwote(double kwota) { m_razem = dmMain->zaokr(m_razem + kwota, 2); }

void TZestawZaznaczonych::vOdejmijKwote(double kwota) { m_razem = dmMain->zaokr(m_razem - kwota, 2); }

QString TZestawZaznaczonych::sIlosc() const { return QString::number(m_ilosc); }

QString TZestawZaznaczonych::sRazem() const { return data::formatFloat(m_razem); }
