#include "SuiteFixture.h"

#include "platform/data/Field.h"

using pxtest::SuiteTest;

namespace {

class CoreServicesTest : public SuiteTest {};

class KasiaTest : public SuiteTest {
protected:
    KasiaTest() : SuiteTest(QStringLiteral("KASIA")) {}
};

}  // namespace

TEST_F(CoreServicesTest, GeneratorHandsOutConsecutiveKeysAndRefusesToInventOne) {
    const QString next = QStringLiteral("SELECT GEN_ID(GEN_PR_PRZELEWY_ID,1) AS ILE FROM RDB$DATABASE");
    const int first = dmMain->iPobierzGenerator(next);
    EXPECT_EQ(dmMain->iPobierzGenerator(next), first + 1);
    EXPECT_THROW(dmMain->iPobierzGenerator(QStringLiteral("SELECT 1 AS ILE FROM RDB$DATABASE WHERE 1 = 0")),
                 std::runtime_error);
}

TEST_F(CoreServicesTest, CompanyRecordIsReadByPositionOrLeftEmpty) {
    const QStringList firm = dmMain->PobierzDaneFirmowe();
    EXPECT_EQ(firm.value(6), QStringLiteral("34-300"));
    db.exec("delete from SU_FIRMA");
    EXPECT_EQ(dmMain->PobierzDaneFirmowe(), QStringList(firm.size(), QString()));
}

TEST_F(CoreServicesTest, StatementServiceGivesTheFirstRowOrNothing) {
    auto ds = dmMain->ibStworzIBSQL(true, "SELECT KONTO_ID FROM FK_DZIAL_PAR_PODP(0) ORDER BY KONTO_ID", false);
    ASSERT_TRUE(ds);
    EXPECT_TRUE(ds->recNo() == 0 && ds->fieldByName("KONTO_ID").asInteger() > 0);
    EXPECT_FALSE(dmMain->ibStworzIBSQL(true, "SELECT * FROM NO_SUCH_TABLE", false));
}

TEST_F(CoreServicesTest, DateTimesShowTheTimeOnlyWhenThereIsOne) {
    data::Dataset ds;
    dmMain->vPrzydzielDane(ds, dmMain->database(), dmMain->transaction(), false);
    dmMain->vPodstawMaskaTime(ds);
    ds.setSql({"select cast('2026-10-05' as timestamp) as D, cast('2026-10-05 14:30:10' as timestamp) as T,",
               "cast(null as timestamp) as N from RDB$DATABASE"});
    ds.open();
    EXPECT_EQ(ds["D"].displayText() + "|" + ds["T"].displayText() + "|" + ds["N"].displayText(),
              "2026-10-05|2026-10-05 14:30|");
}

TEST_F(KasiaTest, GuardedOperationsNeedTheRightOrAdministratorAndAnActiveUser) {
    EXPECT_FALSE(dmMain->bOknoAwaria(owner));
    db.exec("update SU_UPRAWNIENIA set DOZWOLONE = 1 where UZYTKOWNIK = 'KASIA' and OPERACJA = 'OKNO_AWARIA'");
    EXPECT_TRUE(dmMain->bOknoAwaria(owner));
    db.exec("update SU_UZYTKOWNICY set AKTYWNY = 0 where UZYTKOWNIK = 'KASIA'");
    EXPECT_FALSE(dmMain->bOknoAwaria(owner));
    db.exec("update SU_UZYTKOWNICY set AKTYWNY = 1, ADMINISTRATOR = 1 where UZYTKOWNIK = 'KASIA'");
    db.exec("update SU_UPRAWNIENIA set DOZWOLONE = 0 where UZYTKOWNIK = 'KASIA'");
    EXPECT_TRUE(dmMain->bOknoAwaria(owner));
}

TEST(SuiteLifecycle, GlobalsLiveExactlyAsLongAsTheSuite) {
    pxtest::TestDatabase db;
    {
        siblings::Suite suite(db.params(), QStringLiteral("kasia"));
        EXPECT_EQ(dmMain->PobierzUzytkownik(), "kasia");
        // What was not committed is gone with the suite.
        dmMain->database().execute(dmMain->transaction(), "update SU_FIRMA set NAZWA = 'Zmieniona' where ID = 1");
    }
    EXPECT_EQ(dmMain, nullptr);
    EXPECT_NE(db.scalarText("select NAZWA from SU_FIRMA where ID = 1"), "Zmieniona");
    fb::ConnectParams missing = db.params();
    missing.database += ".missing";
    EXPECT_THROW(siblings::Suite{missing}, fb::Error);
    EXPECT_EQ(dmMain, nullptr);
}
