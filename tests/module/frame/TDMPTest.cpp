// The data module's entry points for the invoice module, also against a
// second user and against texts the register's columns cannot hold.
#include "module/ModuleFixture.h"
#include "module/frame/PrzelewSql.h"

namespace {

class TDMPTest : public pxtest::ModuleFixture {
protected:
    // Contractor 1 with its first bank account (ID 1).
    int add(float amount, const QString& title = QStringLiteral("Faktura FV/1/2026"),
            const QString& nr = QStringLiteral("FV/1/2026")) {
        return DMP->iDodajPrzelew(77, 1, 1, nr, QStringLiteral("201-K0001"), QDateTime(QDate(2026, 12, 1), QTime()),
                                  QDateTime(QDate(2026, 12, 15), QTime()), amount, QStringLiteral("801-80101-4210"),
                                  title);
    }
    int change(int id, float amount, const QString& title = QStringLiteral("Faktura poprawiona")) {
        const QDateTime day(QDate(2026, 12, 1), QTime());
        return DMP->iZmienPrzelew(id, 77, 1, 1, QStringLiteral("FV/1"), QStringLiteral("201-K0001"), day, day, amount,
                                  QStringLiteral("801-80101-4210"), title);
    }
    int first(const std::string& where) {
        return static_cast<int>(sharedCents("select first 1 ID from PR_PRZELEWY where " + where));
    }
};

TEST_F(TDMPTest, AddingStoresRoundedAmountsInsideTheSharedTransaction) {
    const int id = add(1234.565f, QStringLiteral("Bar O'Neill – obiady"));
    ASSERT_GT(id, 0);
    const std::string where = " from PR_PRZELEWY where ID = " + std::to_string(id);
    EXPECT_EQ(123456, sharedCents("select WARTOSC" + where)) << "single precision 1234.565 is 1234.5649...";
    EXPECT_EQ(1, sharedCents("select count(*)" + where +
                             " and TRESC1 = 'Bar O''Neill – obiady' "
                             "and WARTOSC_CALA = 1234.56 and WPROWADZONY = 0 "
                             "and ID_FAKTURY = 77 and DODAL = 'ADMIN' and DATA_DODANIA = current_date and ZAZNACZ "
                             "is null and KOLEJNY is null and WARTOSC_WYPLACONA is null and DATA_REALIZACJI is null"));
    EXPECT_EQ(0, committedCents("select count(*)" + where)) << "committing is the caller's task";
    EXPECT_EQ(0, DMP->iKontoZaakceptowane(999999)) << "a missing account is not accepted";
}

TEST_F(TDMPTest, ChangingFindsOnlyRowsOfTheCurrentResultAndKeepsPaymentState) {
    const int realized = first("DATA_REALIZACJI is not null");
    const int partly = first("DATA_REALIZACJI is null and WARTOSC_WYPLACONA > 0");
    DMP->quePrzelewy.open();
    EXPECT_EQ(-1, DMP->iZmienPrzelew(realized, 0, 1, 1, "X", "201-X", QDateTime(), QDateTime(), 5.0f, "", "x"));
    EXPECT_EQ(0, sharedCents("select count(*) from PR_PRZELEWY where NR_FAKTURY = 'X'"));

    // The invoice id argument is not used; what was paid stays.
    const std::string where = " from PR_PRZELEWY where ID = " + std::to_string(partly);
    const std::string kept = " and coalesce(ID_FAKTURY, -5) = " +
                             db.scalarText("select coalesce(ID_FAKTURY, -5)" + where) +
                             " and WARTOSC_WYPLACONA = " + db.scalarText("select WARTOSC_WYPLACONA" + where);
    EXPECT_EQ(partly, DMP->iZmienPrzelew(partly, 999, 2, 2, "FV/9", "201-K0002", QDateTime(QDate(2026, 1, 2), QTime()),
                                         QDateTime(QDate(2026, 2, 3), QTime()), 2.675f, "", "Zmieniony"));
    EXPECT_EQ(1, sharedCents("select count(*)" + where + kept +
                             " and WARTOSC_CALA = WARTOSC and ID_KONTRAHENTA = 2 and TRESC1 = 'Zmieniony' "
                             "and WPROWADZONY = 0 and DODAL = 'ADMIN'"));
}

TEST_F(TDMPTest, RefusesWhileTheRegisterRowIsBeingEditedAndWarnsAfterTheYearEndBlock) {
    DMP->quePrzelewy.open();
    DMP->quePrzelewy.edit();
    const auto count = sharedCents("select count(*) from PR_PRZELEWY");
    dialogs->expectMessage(QStringLiteral("Otwarty zbior PR_PRZELEWY"), ui::Answer::Ok);
    EXPECT_EQ(-1, add(10.0f));
    EXPECT_EQ(count, sharedCents("select count(*) from PR_PRZELEWY"));

    DMP->quePrzelewy.cancel();
    dmMain->cBlokadaPrzelewow = 1;
    dialogs->expectMessage(QStringLiteral("Przelew dopisany jeszcze w Starym Roku po blokadzie przelewów"),
                           ui::Answer::Ok);
    EXPECT_GT(add(5.0f), 0);
}

TEST_F(TDMPTest, ParametersComeFromTheTableTheVersionTextPicks) {
    DMP->vWczytajParametry();
    EXPECT_EQ(QStringLiteral("201"), DMP->sSyntetykaPrzelewow);

    // FK_PARAMETRY says 1, ET_PARAMETRY says 0 in the demo data.
    // Plain text comparison: 4.1.9 is above 4.1.12.01.
    for (const auto& [version, shown] : {std::pair{"4.1.12.01", 1}, {"4.1.11.99", 0}, {"4.1.9", 1}}) {
        dmMain->setProgramVersion(QString::fromLatin1(version));
        DMP->vWczytajParametry();
        EXPECT_EQ(shown, DMP->iPokazParagraf) << version;
    }
}

using EntryPoints = TDMPTest;
using TwoUsersEntryPoints = TDMPTest;

// The register read the transfer; another user issued it (paid in full)
// before the invoice module changed it. Writing back the row as read would
// make it pending and unpaid again.
TEST_F(TwoUsersEntryPoints, ChangeOfATransferIssuedMeanwhileIsRefused) {
    const int id = static_cast<int>(committedCents("select min(ID) from PR_PRZELEWY where DATA_REALIZACJI is null"));
    DMP->quePrzelewy.open();
    db.exec(
        "update PR_PRZELEWY set DATA_REALIZACJI = '2026-12-09', KOLEJNY = 'A', WARTOSC = 0, "
        "WARTOSC_WYPLACONA = WARTOSC_CALA where ID = " +
        std::to_string(id));
    dialogs->expectMessage(kPrzelewZmieniony, ui::Answer::Ok);
    EXPECT_EQ(-1, change(id, 9999.99f));
    EXPECT_FALSE(DMP->quePrzelewy.locate(QStringLiteral("ID"), id)) << "the list was read again";
    EXPECT_EQ(1,
              committedCents("select count(*) from PR_PRZELEWY where ID = " + std::to_string(id) +
                             " and DATA_REALIZACJI is not null and WARTOSC = 0 and WARTOSC_WYPLACONA = WARTOSC_CALA"));

    // A correction another user made is not overwritten; once read again, the change goes through.
    const int other = static_cast<int>(committedCents("select min(ID) from PR_PRZELEWY where DATA_REALIZACJI is null"));
    db.exec("update PR_PRZELEWY set WARTOSC = 9999.99, WARTOSC_CALA = 9999.99 where ID = " + std::to_string(other));
    dialogs->expectMessage(kPrzelewZmieniony, ui::Answer::Ok);
    EXPECT_EQ(-1, change(other, 556.63f));
    EXPECT_EQ(999999, committedCents("select WARTOSC_CALA from PR_PRZELEWY where ID = " + std::to_string(other)));
    EXPECT_EQ(other, change(other, 556.63f));
}

// Texts reach no statement unless the columns can hold them: the caller gets
// -1 and the user the reason; nothing is written.
TEST_F(EntryPoints, TextsTheColumnsCannotHoldAreRefusedBeforeTheStatement) {
    const std::int64_t before = sharedCents("select count(*) from PR_PRZELEWY");
    const struct {
        QString nr, title, why;
    } cases[] = {
        {QStringLiteral("FV/1"), QString(70000, u'x'), QStringLiteral("(TRESC1) jest za długi: ma 70000 znaków")},
        {QStringLiteral("FV/1"), QString(121, u'y'), QStringLiteral("(TRESC1) jest za długi: ma 121 znaków")},
        {QString(31, u'1'), QStringLiteral("Faktura"), QStringLiteral("(NR_FAKTURY) jest za długi")},
        {QStringLiteral("FV/1"), QStringLiteral("Счёт за услуги"), QStringLiteral("(TRESC1) zawiera znak „С”")},
    };
    for (const auto& c : cases) {
        dialogs->expectMessage(c.why, ui::Answer::Ok);
        EXPECT_EQ(-1, add(100.0f, c.title, c.nr)) << c.why.toStdString();
    }
    EXPECT_EQ(before, sharedCents("select count(*) from PR_PRZELEWY"));

    EXPECT_GT(add(100.0f, QString(120, u'ż')), 0) << "120 Polish letters fit";
}

}  // namespace
