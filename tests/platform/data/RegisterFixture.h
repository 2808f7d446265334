#pragma once
// A suite database holding a few contractors, accounts and transfers, and a
// dataset set up over it as the transfer register is: nine statement lines
// and parameterised writes of all 23 columns.

#include "QStringPrinter.h"
#include "platform/data/Dataset.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

class RegisterFixture : public ::testing::Test {
protected:
    RegisterFixture() : db(false) {
        db.exec("insert into ET_KONTAKT (ID, PELNA, SKROT, KOD_FK, WYROZNIONY) values (1, 'Żabka sp. z o.o.', 'ŻABKA', 'K1', 1)");
        db.exec("insert into ET_KONTAKT (ID, PELNA, SKROT, KOD_FK, WYROZNIONY) values (2, 'O''Neil i syn', 'ONEIL', 'K2', 0)");
        db.exec("insert into ET_BANK_KONTO (ID, ID_KONTR, KONTO, NAZWA) values (11, 1, '11222233334444555566667777', 'Bank A')");
        db.exec("insert into ET_BANK_KONTO (ID, ID_KONTR, KONTO, NAZWA) values (12, 2, '99888877776666555544443333', 'Bank B')");
        addTransfer(1, 1, 11, "FV/1", "2024-03-10", "100.00", false);
        addTransfer(2, 2, 12, "FV/2", "2024-03-05", "250.50", false);
        addTransfer(3, 1, 11, "FV/3", "2024-03-20", "1234.5678", false);
        addTransfer(4, 2, 12, "FV/4", "2024-02-01", "75.00", true);

        const QStringList columns = {"ID", "ID_KONTRAHENTA", "ID_KONTA_BANK", "ID_FAKTURY", "NR_FAKTURY",
            "DATA_WYSTAWIENIA", "TERMIN_ZAPLATY", "TRESC1", "DODAL", "DATA_DODANIA", "ZMIENIL", "DATA_ZMIANY",
            "DATA_REALIZACJI", "KOLEJNY", "WPROWADZONY", "ZAZNACZ", "ZAZNACZ2", "ZAZNACZ3", "WN", "WARTOSC_CALA",
            "WARTOSC_WYPLACONA", "WARTOSC", "PARAGRAF"};
        QStringList assignments;
        for (const QString& c : columns) assignments << c + " = :" + c;
        const QString line1 = "select a.*,b.PELNA as KONTRAHENT_NAZWA, b.KOD_FK as SYMBOL_NAZWA,"
                              "b.SKROT as KONTRAHENT_SKROT,b.WYROZNIONY as WYROZNIONY,";
        const QString line2 = "c.KONTO as KONTRAHENT_KONTO , c.NAZWA as KONTRAHENT_NAZWABANKU";
        register_.setObjectName("quePrzelewy");
        register_.setSql({line1, line2, "from", "PR_PRZELEWY a , ET_KONTAKT b, ET_BANK_KONTO c", "where",
                          "a.ID_KONTRAHENTA=b.ID and a.ID_KONTA_BANK=c.ID", "and a.DATA_REALIZACJI Is Null",
                          "order by", "a.id  DESC"});
        register_.setInsertSql("insert into PR_PRZELEWY (" + columns.join(',') + ") values (:" + columns.join(", :") + ")");
        register_.setModifySql("update PR_PRZELEWY set " + assignments.join(", ") + " where ID = :OLD_ID");
        register_.setDeleteSql("delete from PR_PRZELEWY where ID = :OLD_ID");
        register_.setRefreshSql(line1 + "\n" + line2 + "\nfrom PR_PRZELEWY a , ET_KONTAKT b, ET_BANK_KONTO c\n"
                                "where a.ID_KONTRAHENTA=b.ID and a.ID_KONTA_BANK=c.ID and a.ID = :ID");
        register_.setTransaction(&db.transaction());
    }

    void addTransfer(int id, int contractor, int account, const std::string& number, const std::string& due,
                     const std::string& amount, bool realized) {
        db.exec("insert into PR_PRZELEWY (ID, ID_KONTRAHENTA, ID_KONTA_BANK, NR_FAKTURY, TERMIN_ZAPLATY, TRESC1,"
                " WPROWADZONY, WARTOSC, WARTOSC_CALA, DATA_REALIZACJI) values (" +
                std::to_string(id) + ", " + std::to_string(contractor) + ", " + std::to_string(account) + ", '" +
                number + "', '" + due + "', 'Zapłata " + number + "', 1, " + amount + ", " + amount + ", " +
                (realized ? "'2024-02-02'" : "null") + ")");
    }

    qint64 currentId() { return register_.fieldByName("ID").asInteger(); }

    pxtest::TestDatabase db;
    data::Dataset register_;
};
