// Issues, partial issues and withdrawals in random order on a small
// register: whatever the order, a transfer has paid exactly what its realized
// rows still in a batch say, and is pending exactly while it is not paid in full.
#include "module/issuing/Wycofanie.h"

#include "BatchFixture.h"
#include "module/issuing/BatchRows.h"
#include "platform/data/UnitOfWork.h"

#include <random>

namespace {

using pxtest::BatchFixture;

class WycofanieTest : public BatchFixture {
protected:
    void SetUp() override {
        BatchFixture::SetUp();
        DMP->iKsiegowacPrzelewy = 0;
        // Shared invoice numbers, as typed-in and payroll transfers have them.
        addTransfer(9201, "LP/12", "1000", "0");
        addTransfer(9202, "LP/12", "333.33", "0");
        addTransfer(9203, "FV/7", "250.05", "0");
        addTransfer(9204, "LP/12", "80", "0", "0", kOther);
        db.exec("update PR_PRZELEWY set ZAZNACZ2 = 0");
    }

    // Marks some pending transfers into set 2, some of them for a part of what they owe.
    bool markSome(std::mt19937& random) {
        bool any = false;
        for (int id = 9201; id <= 9204; ++id) {
            const std::string row = " where ID = " + std::to_string(id) + " and DATA_REALIZACJI is null";
            if (count("PR_PRZELEWY" + row) == 0 || random() % 3 == 0) continue;
            const std::string part = random() % 2 ? "WARTOSC_CALA - WARTOSC_WYPLACONA"
                                                  : "round((WARTOSC_CALA - WARTOSC_WYPLACONA) * 0.37, 2)";
            db.exec("update PR_PRZELEWY set ZAZNACZ2 = 1, WARTOSC = " + part + row);
            any = true;
        }
        return any;
    }

    // Withdraws one of the batches issued so far, perhaps one withdrawn already.
    void withdrawOne(std::mt19937& random) {
        if (issued.empty()) return;
        const QDate day = issued[random() % issued.size()];
        DMP->vWybierzZrealizowane(sWarunekPartii(day, 'A'), QStringLiteral("b.KOD_FK"));
        if (DMP->queZrealizowane.isEmpty()) return;
        data::UnitOfWork uow(dmMain->transaction());
        ASSERT_EQ(WynikWycofania::Wycofano, wycofajPartie(day, random() % 2 == 0));
        uow.commit();
    }

    void expectPaidMatchesTheRealizedRows(int step) {
        for (int id = 9201; id <= 9204; ++id) {
            const std::string key = std::to_string(id);
            SCOPED_TRACE("step " + std::to_string(step) + ", transfer " + key);
            EXPECT_EQ(grosze("WARTOSC", "PR_PRZELEWY_ZREALIZOWANE where KOLEJNY <> '*' and ID_PRZELEWU = " + key),
                      grosze("WARTOSC_WYPLACONA", "PR_PRZELEWY where ID = " + key));
            EXPECT_EQ(1, count("PR_PRZELEWY where ID = " + key +
                               " and (DATA_REALIZACJI is null) = "
                               "(WARTOSC_WYPLACONA < WARTOSC_CALA)"));
        }
    }

    std::vector<QDate> issued;  // the days of the batches, one batch 'A' a day
};

TEST_F(WycofanieTest, PaidAmountIsWhatTheBatchesStillHoldAfterAnySequence) {
    QDate day(2027, 1, 1);
    for (unsigned seed : {7u, 19u, 2027u}) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        for (int step = 0; step < 12; ++step) {
            if (random() % 3 != 0 && markSome(random)) {
                issue(day = day.addDays(1));
                issued.push_back(day);
            } else
                withdrawOne(random);
            expectPaidMatchesTheRealizedRows(step);
        }
    }
    EXPECT_GT(count("PR_PRZELEWY_ZREALIZOWANE where KOLEJNY = '*'"), 3) << "the sequences withdrew batches";
    EXPECT_GT(count("PR_PRZELEWY_ZREALIZOWANE where KOLEJNY = 'A' and DATA_REALIZACJI >= '2027-01-01'"), 3);
}

}  // namespace
