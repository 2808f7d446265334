// The invoice module's entry points against a second user and against texts
// the register's columns cannot hold.
#include "module/ModuleFixture.h"
#include "module/frame/PrzelewSql.h"

namespace {

const QDateTime kDzien(QDate(2026, 12, 1), QTime());

class EntryPoints : public pxtest::ModuleFixture {
protected:
    int add(const QString& nr, const QString& title, const QString& wn = QStringLiteral("201-K0001")) {
        return DMP->iDodajPrzelew(77, 1, 1, nr, wn, kDzien, kDzien, 100.0f, QStringLiteral("801-80101-4210"), title);
    }
    int change(int id, float amount, const QString& title = QStringLiteral("Faktura poprawiona")) {
        return DMP->iZmienPrzelew(id, 77, 1, 1, QStringLiteral("FV/1"), QStringLiteral("201-K0001"), kDzien, kDzien,
                                  amount, QStringLiteral("801-80101-4210"), title);
    }
    std::int64_t rows() { return sharedCents("select count(*) from PR_PRZELEWY"); }
};

using TwoUsersEntryPoints = EntryPoints;

// The register read the transfer; another user issued it (paid in full)
// before the invoice module changed it. Writing back the row as read would
// make it pending and unpaid again.
TEST_F(TwoUsersEntryPoints, ChangeOfATransferIssuedMeanwhileIsRefused) {
    const int id = static_cast<int>(committedCents("select min(ID) from PR_PRZELEWY where DATA_REALIZACJI is null"));
    DMP->quePrzelewy.open();
    db.exec("update PR_PRZELEWY set DATA_REALIZACJI = '2026-12-09', KOLEJNY = 'A', WARTOSC = 0, "
            "WARTOSC_WYPLACONA = WARTOSC_CALA where ID = " + std::to_string(id));
    dialogs->expectMessage(kPrzelewZmieniony, ui::Answer::Ok);
    EXPECT_EQ(-1, change(id, 9999.99f));
    EXPECT_FALSE(DMP->quePrzelewy.locate(QStringLiteral("ID"), id)) << "the list was read again";
    EXPECT_EQ(1, committedCents("select count(*) from PR_PRZELEWY where ID = " + std::to_string(id) +
                              " and DATA_REALIZACJI is not null and WARTOSC = 0 and WARTOSC_WYPLACONA = WARTOSC_CALA"));

    // A correction another user made is not overwritten either.
    const int other = static_cast<int>(committedCents("select min(ID) from PR_PRZELEWY where DATA_REALIZACJI is null"));
    DMP->quePrzelewy.close();
    DMP->quePrzelewy.open();
    db.exec("update PR_PRZELEWY set WARTOSC = 9999.99, WARTOSC_CALA = 9999.99 where ID = " + std::to_string(other));
    dialogs->expectMessage(kPrzelewZmieniony, ui::Answer::Ok);
    EXPECT_EQ(-1, change(other, 556.63f));
    EXPECT_EQ(999999, committedCents("select cast(WARTOSC_CALA * 100 as bigint) from PR_PRZELEWY where ID = " +
                                   std::to_string(other)));
    // Once read again, the change goes through.
    EXPECT_EQ(other, change(other, 556.63f));
}

// Texts reach no statement unless the columns can hold them: the caller gets
// -1 and the user the reason; nothing is written.
TEST_F(EntryPoints, TextsTheColumnsCannotHoldAreRefusedBeforeTheStatement) {
    const std::int64_t before = rows();
    const struct {
        QString nr, title, why;
    } cases[] = {
        {QStringLiteral("FV/1"), QString(70000, u'x'), QStringLiteral("(TRESC1) jest za długi: ma 70000 znaków")},
        {QStringLiteral("FV/1"), QString(121, u'y'), QStringLiteral("(TRESC1) jest za długi: ma 121 znaków")},
        {QString(31, u'1'), QStringLiteral("Faktura"), QStringLiteral("(NR_FAKTURY) jest za długi")},
        {QStringLiteral("FV/1"), QStringLiteral("Счёт за услуги"), QStringLiteral("(TRESC1) zawiera znak „С”")},
        {QStringLiteral("FV/\U0001F600"), QStringLiteral("Faktura"), QStringLiteral("zawiera znak „\U0001F600”")},
    };
    for (const auto& c : cases) {
        dialogs->expectMessage(c.why, ui::Answer::Ok);
        EXPECT_EQ(-1, add(c.nr, c.title)) << c.why.toStdString();
    }
    EXPECT_EQ(before, rows());

    // A change is refused alike and leaves the row as it was.
    const int id = add(QStringLiteral("FV/1"), QString(120, u'ż'));
    ASSERT_GT(id, 0) << "120 Polish letters fit";
    dialogs->expectMessage(QStringLiteral("jest za długi"), ui::Answer::Ok);
    EXPECT_EQ(-1, change(id, 5.0f, QString(65536, u'a')));
    EXPECT_EQ(120, sharedCents("select char_length(TRESC1) from PR_PRZELEWY where ID = " + std::to_string(id)));
    EXPECT_EQ(10000, sharedCents("select WARTOSC from PR_PRZELEWY where ID = " + std::to_string(id)));
}

}  // namespace
