// The split-payment upgrade of an existing database: its columns come, the
// grouping procedure learns them, and running the script again changes nothing.
#include "suitedb/ScriptRunner.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>
#include <QFile>

namespace {

std::string upgrade() {
    QFile file(QStringLiteral(PXFER_SOURCE_DIR "/db/upgrades/001_podzielona_platnosc.sql"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    return file.readAll().toStdString();
}

const std::string kNewColumns =
    "select count(*) from RDB$RELATION_FIELDS where (RDB$RELATION_NAME = 'PR_PRZELEWY' and RDB$FIELD_NAME in "
    "('MPP', 'KWOTA_VAT_CALA', 'KWOTA_VAT_WYPLACONA', 'KWOTA_VAT')) or (RDB$RELATION_NAME = "
    "'PR_PRZELEWY_ZREALIZOWANE' and RDB$FIELD_NAME in ('MPP', 'KWOTA_VAT')) or (RDB$RELATION_NAME = 'ET_BANKI' "
    "and RDB$FIELD_NAME = 'KOD_MPP')";

TEST(UpgradeSplitPayment, OlderDatabaseGainsTheColumnsAndAGroupingThatKeepsSplitPaymentsApart) {
    pxtest::TestDatabase db(false);
    // The database as it was before: no split-payment columns, the old procedure.
    db.exec("drop procedure PR_PRZELEWY_GRUPOWANIE");
    for (const char* drop :
         {"PR_PRZELEWY drop MPP", "PR_PRZELEWY drop KWOTA_VAT_CALA", "PR_PRZELEWY drop KWOTA_VAT_WYPLACONA",
          "PR_PRZELEWY drop KWOTA_VAT", "PR_PRZELEWY_ZREALIZOWANE drop MPP", "PR_PRZELEWY_ZREALIZOWANE drop KWOTA_VAT",
          "ET_BANKI drop KOD_MPP"})
        db.exec(std::string("alter table ") + drop);
    ASSERT_EQ(0, db.scalarCents(kNewColumns));

    db.exec("insert into ET_KONTAKT (ID, PELNA) values (1, 'Dostawca')");
    db.exec("insert into ET_BANK_KONTO (ID, ID_KONTR, KONTO) values (1, 1, '11222233334444555566667777')");
    for (int i = 1; i <= 3; ++i)
        db.exec(
            "insert into PR_PRZELEWY_ZREALIZOWANE (ID, ID_KONTRAHENTA, ID_KONTA_BANK, DATA_REALIZACJI, KOLEJNY, "
            "WARTOSC) values (" +
            std::to_string(i) + ", 1, 1, '2026-12-10', 'A', 10)");

    for (int run = 0; run < 2; ++run) {
        suitedb::runScript(db.attachment(), upgrade());
        db.transaction().commitRetaining();
        EXPECT_EQ(7, db.scalarCents(kNewColumns)) << "run " << run;
    }
    db.exec("update PR_PRZELEWY_ZREALIZOWANE set MPP = 1, KWOTA_VAT = 1.87 where ID = 3");
    EXPECT_EQ(2, db.scalarCents("select count(*) from PR_PRZELEWY_GRUPOWANIE('2026-12-10', 'A', 'Faktury')"));
    EXPECT_EQ(187, db.scalarCents("select KWOTA_VAT from PR_PRZELEWY_GRUPOWANIE('2026-12-10', 'A', 'Faktury') "
                                  "where MPP = 1"));
}

}  // namespace
