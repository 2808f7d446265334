#pragma once
// What a statement left open, as a printed list: its debit entries no
// realized transfer explains and the realized transfers no statement
// confirmed in time.

#include "reportengine/Report.h"
#include "reportengine/RowSource.h"

#include <QVariantMap>

#include <memory>
#include <vector>

class TZestawienieOtwartych : public rpt::RowSource {
public:
    // One line: RODZAJ, DATA, KONTRAHENT, RACHUNEK, KWOTA (text), OPIS.
    void dodaj(const QString& rodzaj, const QDate& data, const QString& kontrahent, const QString& rachunek,
               const QString& kwota, const QString& opis);

    void first() override { m_at = 0; }
    void next() override { ++m_at; }
    bool eof() const override { return m_at >= m_wiersze.size(); }
    QVariant value(const QString& pole) const override { return eof() ? QVariant() : m_wiersze[m_at].value(pole); }
    int count() const override { return int(m_wiersze.size()); }

    // The report over these lines; it prints even when nothing is open.
    std::unique_ptr<rpt::Report> raport();

private:
    std::vector<QVariantMap> m_wiersze;
    std::size_t m_at = 0;
};
