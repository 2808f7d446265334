#pragma once
// A suite database holding a few contractors, accounts and transfers, and a
// dataset over it with the data module's own register statements: nine
// statement lines and parameterised writes of all 23 columns.

#include "QStringPrinter.h"
#include "module/frame/TDMP.h"
#include "platform/data/Dataset.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

class RegisterFixture : public ::testing::Test {
protected:
    RegisterFixture() : db(false) {
        for (
            const char* sql :
            {"insert into ET_KONTAKT (ID, PELNA, SKROT, KOD_FK, WYROZNIONY) values (1, 'Żabka sp. z o.o.', 'ŻABKA', 'K1', 1)",
             "insert into ET_KONTAKT (ID, PELNA, SKROT, KOD_FK, WYROZNIONY) values (2, 'O''Neil i syn', 'ONEIL', 'K2', 0)",
             "insert into ET_BANK_KONTO (ID, ID_KONTR, KONTO, NAZWA) values (11, 1, '11222233334444555566667777', 'Bank A')",
             "insert into ET_BANK_KONTO (ID, ID_KONTR, KONTO, NAZWA) values (12, 2, '99888877776666555544443333', 'Bank B')"})
            db.exec(sql);
        for (const char* row :
             {"1, 1, 11, 'FV/1', '2024-03-10', 100.00, null", "2, 2, 12, 'FV/2', '2024-03-05', 250.50, null",
              "3, 1, 11, 'FV/3', '2024-03-20', 1234.5678, null", "4, 2, 12, 'FV/4', '2024-02-01', 75.00, '2024-02-02'"})
            db.exec(std::string("insert into PR_PRZELEWY (ID, ID_KONTRAHENTA, ID_KONTA_BANK, NR_FAKTURY, "
                                "TERMIN_ZAPLATY, WARTOSC, DATA_REALIZACJI) values (") +
                    row + ")");
        db.exec("update PR_PRZELEWY set TRESC1 = 'Zapłata ' || NR_FAKTURY, WPROWADZONY = 1, WARTOSC_CALA = WARTOSC");

        register_.setObjectName("quePrzelewy");
        TDMP::vUstawZapytaniePrzelewow(register_);
        register_.setTransaction(&db.transaction());
    }

    // Starts a new row with the columns the register cannot post without; the caller posts.
    void appendTransfer(int id) {
        register_.append();
        register_.fieldByName("ID").setInteger(id);
        register_.fieldByName("ID_KONTRAHENTA").setInteger(1);
        register_.fieldByName("ID_KONTA_BANK").setInteger(11);
    }

    qint64 currentId() { return register_.fieldByName("ID").asInteger(); }

    pxtest::TestDatabase db;
    data::Dataset register_;
};
