// The invoice module's split-payment entry points: the flag and the VAT land
// on the register row with it, a bad VAT or NIP writes nothing.
#include "module/ModuleFixture.h"
#include "module/frame/PrzelewyMpp.h"

namespace {

class PrzelewyMppTest : public pxtest::ModuleFixture {
protected:
    void SetUp() override {
        // A database that refuses to flag invoice FV/M/AWARIA, the way another module's trigger may.
        db.exec("create exception TEST_MPP 'Awaria wstrzyknięta przez test'");
        db.exec(
            "create trigger TEST_MPP for PR_PRZELEWY before update as begin if (new.MPP = 1 and "
            "new.NR_FAKTURY = 'FV/M/AWARIA') then exception TEST_MPP; end");
        ModuleFixture::SetUp();
    }
    int add(const QString& nr, float amount, bool mpp, float vat) {
        const QDateTime day(QDate(2026, 12, 1), QTime());
        return iDodajPrzelewMpp(77, 1, 1, nr, QStringLiteral("201-K0001"), day, day, amount,
                                QStringLiteral("801-80101-4210"), "Faktura " + nr, mpp, vat);
    }
    std::int64_t rows() { return sharedCents("select count(*) from PR_PRZELEWY"); }
};

TEST_F(PrzelewyMppTest, FlagAndVatAreWrittenWithTheTransferAndChangedWithIt) {
    const int id = add(QStringLiteral("FV/M/1"), 1230.0f, true, 230.0f);
    ASSERT_GT(id, 0);
    const std::string row = " from PR_PRZELEWY where ID = " + std::to_string(id);
    EXPECT_EQ(1, sharedCents("select count(*)" + row +
                             " and MPP = 1 and KWOTA_VAT_CALA = 230 and KWOTA_VAT = 230 and KWOTA_VAT_WYPLACONA = 0 "
                             "and WARTOSC = 1230"));
    const QDateTime day(QDate(2026, 12, 1), QTime());
    EXPECT_EQ(id, iZmienPrzelewMpp(id, 77, 1, 1, QStringLiteral("FV/M/1"), QStringLiteral("201-K0001"), day, day,
                                   615.0f, QString(), QStringLiteral("Faktura"), true, 115.0f));
    EXPECT_EQ(1, sharedCents("select count(*)" + row + " and KWOTA_VAT = 115 and WARTOSC_CALA = 615"));
}

TEST_F(PrzelewyMppTest, BadVatOrNipWritesNothing) {
    const std::int64_t before = rows();
    for (const auto& [vat, text] :
         {std::pair{1230.01f, "Kwota VAT 1230,01 zł jest większa od kwoty przelewu 1230,00 zł"},
          {-1.0f, "Kwota VAT nie może być ujemna"}}) {
        dialogs->expectMessage(QString::fromUtf8(text), ui::Answer::Ok);
        EXPECT_EQ(-1, add(QStringLiteral("FV/M/2"), 1230.0f, true, vat));
    }
    dmMain->database().execute(dmMain->transaction(), "update ET_KONTAKT set NIP = '123' where ID = 1");
    dialogs->expectMessage(QStringLiteral("NIP 123 nie składa się z 10 cyfr."), ui::Answer::Ok);
    EXPECT_EQ(-1, add(QStringLiteral("FV/M/3"), 1230.0f, true, 230.0f));
    EXPECT_EQ(before, rows());
    const int ordinary = add(QStringLiteral("FV/Z/3"), 1230.0f, false, 0.0f);
    EXPECT_EQ(1, sharedCents("select count(*) from PR_PRZELEWY where ID = " + std::to_string(ordinary) +
                             " and MPP = 0 and KWOTA_VAT_CALA is null"))
        << "an ordinary transfer needs no NIP";
}

TEST_F(PrzelewyMppTest, TransferWhoseFlagCannotBeWrittenIsNotLeftForTheCallerToCommit) {
    const std::int64_t before = rows();
    EXPECT_EQ(-1, add(QStringLiteral("FV/M/AWARIA"), 1230.0f, true, 230.0f));
    EXPECT_EQ(before, rows()) << "an ordinary transfer in the caller's transaction would be paid without its VAT split";
    EXPECT_FALSE(DMP->quePrzelewy.locate(QStringLiteral("NR_FAKTURY"), QStringLiteral("FV/M/AWARIA")));
    EXPECT_GT(add(QStringLiteral("FV/M/4"), 1230.0f, true, 230.0f), 0) << "the transaction goes on";
}

}  // namespace
