#pragma once
// The register's three marking sets: which mark column belongs to a set,
// whether a row already sits in another set, and the running count and sum
// of the rows marked in the active set.

#include <QString>

namespace data {
class Dataset;
}

// Mark column of set 1, 2 or 3: ZAZNACZ, ZAZNACZ2, ZAZNACZ3.
QString sPoleZestawu(int zestaw);

// The register's filter line that keeps only the rows of the set.
QString sWarunekZestawu(int zestaw);

// Whether the current row of the register query is marked in a set other
// than `zestaw` (a null mark counts as not marked). A row belongs to one set
// at most, so such a row may not be marked in `zestaw`.
bool bZaznaczonyWInnymZestawie(const data::Dataset& przelewy, int zestaw);

// Whether the current row carries the mark of `zestaw`.
bool bZaznaczonyWZestawie(const data::Dataset& przelewy, int zestaw);

// Count and sum of the rows marked in the active set. The sum is rounded to
// two decimals after every change, as the suite keeps money sums.
class TZestawZaznaczonych {
public:
    int iIlosc() const { return m_ilosc; }
    double dRazem() const { return m_razem; }

    void vZeruj();
    // Counts afresh the rows of `przelewy` marked in `zestaw`, walking it from
    // the first row to the end.
    void vPrzelicz(data::Dataset& przelewy, int zestaw);
    void vDodaj(double kwota);     // one more row of that amount
    void vOdejmij(double kwota);   // one row of that amount less
    // The amount of a counted row changes (a partial payment): only the sum moves.
    void vDodajKwote(double kwota);
    void vOdejmijKwote(double kwota);

    // As the register shows them: "12" and "1234,5" (no trailing zeros).
    QString sIlosc() const;
    QString sRazem() const;

private:
    int m_ilosc = 0;
    double m_razem = 0;
};
