#include "SuiteFixture.h"

#include "platform/data/Field.h"

#include <QSignalSpy>
#include <QTextBrowser>

using pxtest::SuiteTest;

namespace {

class CoreServicesTest : public SuiteTest {};

class KasiaTest : public SuiteTest {
protected:
    KasiaTest() : SuiteTest(QStringLiteral("KASIA")) {}
};

}  // namespace

TEST_F(CoreServicesTest, GeneratorHandsOutConsecutiveKeysAndRefusesToInventOne)
{
    const QString next = QStringLiteral("SELECT GEN_ID(GEN_PR_PRZELEWY_ID,1) AS ILE FROM RDB$DATABASE");
    const int first = dmMain->iPobierzGenerator(next);
    EXPECT_GT(first, 0);
    EXPECT_EQ(dmMain->iPobierzGenerator(next), first + 1);
    EXPECT_THROW(dmMain->iPobierzGenerator(QStringLiteral("SELECT GEN_ID(NO_SUCH_GEN,1) AS ILE FROM RDB$DATABASE")),
                 fb::Error);
    EXPECT_THROW(dmMain->iPobierzGenerator(QStringLiteral("SELECT 1 AS ILE FROM RDB$DATABASE WHERE 1 = 0")),
                 std::runtime_error);
}

TEST_F(CoreServicesTest, RoundingAndSessionTexts)
{
    // The rounding rules themselves are RoundingTest's; here only that the service reaches them.
    EXPECT_DOUBLE_EQ(dmMain->zaokr(-2.675, 2), -2.68);
    EXPECT_EQ(dmMain->PobierzUzytkownik(), "ADMIN");
    EXPECT_EQ(dmMain->PobierzSciezke(), QString::fromStdString(db.path()));
    // The data module compares the version as plain text.
    EXPECT_GE(dmMain->ProgramVersionInfo(), QStringLiteral("4.1.12.01"));
    dmMain->setProgramVersion(QStringLiteral("4.1.11.99"));
    EXPECT_LT(dmMain->ProgramVersionInfo(), QStringLiteral("4.1.12.01"));
}

TEST_F(CoreServicesTest, CompanyRecordIsReadByPosition)
{
    const QStringList firm = dmMain->PobierzDaneFirmowe();
    ASSERT_GE(firm.size(), 10);
    EXPECT_EQ(firm[0], QStringLiteral("Szkoła Podstawowa nr 3 im. Marii Konopnickiej w Żywcu"));
    EXPECT_GE(firm[1].size(), 10);
    EXPECT_EQ(firm[4], QStringLiteral("Żywiec"));
    EXPECT_EQ(firm[5], QStringLiteral("ul. Kościuszki"));
    EXPECT_EQ(firm[6], QStringLiteral("34-300"));
    EXPECT_EQ(firm[8], QStringLiteral("12"));
    EXPECT_EQ(firm[9], QString());

    db.exec("delete from SU_FIRMA");
    const QStringList none = dmMain->PobierzDaneFirmowe();
    ASSERT_GE(none.size(), 10);
    EXPECT_TRUE(none[0].isEmpty());
}

TEST_F(CoreServicesTest, StatementServiceGivesTheFirstRowOrNothing)
{
    auto ds = dmMain->ibStworzIBSQL(true, "SELECT KONTO_ID, NAZWA_PAR FROM FK_DZIAL_PAR_PODP(0) ORDER BY KONTO_ID", false);
    ASSERT_TRUE(ds);
    EXPECT_EQ(ds->recNo(), 0);
    EXPECT_GT(ds->fieldByName("KONTO_ID").asInteger(), 0);
    EXPECT_FALSE(dmMain->ibStworzIBSQL(true, "SELECT * FROM NO_SUCH_TABLE", false));
}

TEST_F(CoreServicesTest, DateTimesShowTheTimeOnlyWhenThereIsOne)
{
    data::Dataset ds;
    dmMain->vPrzydzielDane(ds, dmMain->database(), dmMain->transaction(), false);
    dmMain->vPodstawMaskaTime(ds);
    ds.setSql({"select cast('2026-10-05' as timestamp) as D, cast('2026-10-05 14:30:10' as timestamp) as T,",
               "cast(null as timestamp) as N from RDB$DATABASE"});
    ds.open();
    EXPECT_EQ(ds.fieldByName("D").displayText(), "2026-10-05");
    EXPECT_EQ(ds.fieldByName("T").displayText(), "2026-10-05 14:30");
    EXPECT_EQ(ds.fieldByName("N").displayText(), "");
    // A display format of the window's own stays.
    ds.close();
    ds.fieldByName("D").setDisplayFormat("dd/mm/yyyy");
    ds.open();
    EXPECT_EQ(ds.fieldByName("D").displayText(), "05-10-2026");
}

TEST_F(CoreServicesTest, HelpPagesAndWindowBar)
{
    pxtest::OwnerProbe owner;
    auto* help = qobject_cast<QTextBrowser*>(dmMain->ShowHelpWindow(owner, "HTML/Przelewy.html"));
    ASSERT_TRUE(help);
    EXPECT_TRUE(help->toPlainText().contains("Zestawy zaznaczeń"));
    // One help window, turned to the next page asked for.
    EXPECT_EQ(dmMain->ShowHelpWindow(owner, "HTML/RejestrVAT.html"), help);
    EXPECT_TRUE(help->toPlainText().contains("Parametry przelewów"));
    help->close();

    QSignalSpy added(dmMain, &TdmMain::windowTabAdded);
    QSignalSpy removed(dmMain, &TdmMain::windowTabRemoved);
    dmMain->vAddWindowTab(owner);
    dmMain->vRemoveWindowTab(owner);
    ASSERT_EQ(added.count(), 1);
    EXPECT_EQ(added[0][0].value<QWidget*>(), &owner);
    EXPECT_EQ(removed.count(), 1);
}

TEST_F(CoreServicesTest, AdministratorMayRunGuardedOperations)
{
    pxtest::OwnerProbe owner;
    EXPECT_TRUE(dmMain->bOknoAwaria(owner));
}

TEST_F(KasiaTest, UserWithoutTheRightMayNot)
{
    pxtest::OwnerProbe owner;
    EXPECT_FALSE(dmMain->bOknoAwaria(owner));
    db.exec("update SU_UPRAWNIENIA set DOZWOLONE = 1 where UZYTKOWNIK = 'KASIA' and OPERACJA = 'OKNO_AWARIA'");
    EXPECT_TRUE(dmMain->bOknoAwaria(owner));
    db.exec("update SU_UZYTKOWNICY set AKTYWNY = 0 where UZYTKOWNIK = 'KASIA'");
    EXPECT_FALSE(dmMain->bOknoAwaria(owner));
}

TEST(SuiteLifecycle, GlobalsLiveExactlyAsLongAsTheSuite)
{
    pxtest::TestDatabase db;
    {
        siblings::Suite suite(db.params(), QStringLiteral("kasia"));
        EXPECT_NE(dmMain, nullptr);
        EXPECT_EQ(dmMain->PobierzUzytkownik(), "kasia");
        // What was not committed is gone with the suite.
        dmMain->transaction().attachment().execute(dmMain->transaction(),
                                                   "update SU_FIRMA set NAZWA = 'Zmieniona' where ID = 1");
    }
    EXPECT_EQ(dmMain, nullptr);
    EXPECT_NE(db.scalarText("select NAZWA from SU_FIRMA where ID = 1"), "Zmieniona");
    fb::ConnectParams missing = db.params();
    missing.database += ".missing";
    EXPECT_THROW(siblings::Suite{missing}, fb::Error);
    EXPECT_EQ(dmMain, nullptr);
}
