#pragma once
// Pending transfers of the tests' own contractors on an otherwise empty
// register, and the printed lines of a report with the database's sums to compare.

#include "PreviewFixture.h"

#include "module/frame/TDMP.h"
#include "platform/data/Dataset.h"
#include "platform/data/Formats.h"
#include "platform/data/SqlText.h"

#include <string>

namespace pxtest {

class RaportyFixture : public PreviewFixture {
protected:
    void SetUp() override {
        PreviewFixture::SetUp();
        db.exec("delete from PR_PRZELEWY");
    }

    static std::string q(const std::string& text) { return data::sqlQuote(QString::fromStdString(text)).toStdString(); }

    // A contractor whose only account (ID = contractor ID) is accepted or not.
    void kontrahent(int id, const std::string& nazwa, const std::string& skrot, const std::string& kod,
                    int zaakceptowane = 1) {
        const std::string key = std::to_string(id);
        db.exec("insert into ET_KONTAKT (ID, PELNA, SKROT, KOD_FK) values (" + key + ", " + q(nazwa) + ", " + q(skrot) +
                ", " + q(kod) + ")");
        db.exec("insert into ET_BANK_KONTO (ID, ID_KONTR, KONTO, NAZWA, DOMYSLNE, AKTYWNE, ZAAKCEPTOWANE) values (" +
                key + ", " + key + ", '11 2222 3333 4444 5555 6666 " + std::to_string(7000 + id % 1000) +
                "', 'Bank', 1, 1, " + std::to_string(zaakceptowane) + ")");
    }

    struct Przelew {
        int id;
        int kontrahent;
        std::string kwota;
        std::string termin = "2026-12-01";  // empty: none
        int zaznacz = 0;
        std::string tresc = {};  // empty: "T" and the ID
        std::string faktura = {};  // empty: "FV/" and the ID
        std::string idFaktury = "null";
        std::string wyplacono = "0";
    };
    void przelew(const Przelew& p) {
        const std::string id = std::to_string(p.id);
        db.exec(
            "insert into PR_PRZELEWY (ID, ID_KONTRAHENTA, ID_KONTA_BANK, ID_FAKTURY, NR_FAKTURY, TRESC1, WN, "
            "DATA_WYSTAWIENIA, TERMIN_ZAPLATY, WPROWADZONY, WARTOSC_CALA, WARTOSC_WYPLACONA, WARTOSC, ZAZNACZ, "
            "ZAZNACZ2, ZAZNACZ3) values (" +
            id + ", " + std::to_string(p.kontrahent) + ", " + std::to_string(p.kontrahent) + ", " + p.idFaktury + ", " +
            q(p.faktura.empty() ? "FV/" + id : p.faktura) + ", " + q(p.tresc.empty() ? "T" + id : p.tresc) +
            ", '201-1', '2026-11-01', " + (p.termin.empty() ? "null" : "'" + p.termin + "'") + ", 1, " + p.kwota +
            ", " + p.wyplacono + ", " + p.kwota + ", " + std::to_string(p.zaznacz) + ", 0, 0)");
    }

    // The register query opened again over what the test wrote.
    data::Dataset& rejestr() {
        data::Dataset& przelewy = DMP->quePrzelewy;
        przelewy.close();
        przelewy.open();
        return przelewy;
    }

    static QStringList linie(rpt::Report& report) { return rpttest::allLines(*report.prepare()); }

    // A sum of the database in the report's money text.
    QString suma(const std::string& sql) {
        return data::formatNumber(
            fb::Decimal{db.scalarCents("select cast(coalesce(sum(WARTOSC), 0) * 100 as bigint) " + sql), 2},
            "### ### ##0.00");
    }
};

}  // namespace pxtest
