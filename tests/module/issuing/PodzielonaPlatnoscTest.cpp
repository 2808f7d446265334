// Split payments through issuing: the VAT part of each part payment, the
// realized row that keeps it, the withdrawal that gives it back, the bank
// file line, a grouping bank that leaves them alone and the banks that
// cannot take them.
#include "BatchFixture.h"
#include "module/frame/CzescVat.h"
#include "module/issuing/BatchRows.h"
#include "module/issuing/Wycofanie.h"
#include "platform/data/UnitOfWork.h"

namespace {

class PodzielonaPlatnoscTest : public pxtest::BatchFixture {
protected:
    void SetUp() override {
        BatchFixture::SetUp();
        DMP->iKsiegowacPrzelewy = 0;
        DMP->iIdKoduDokPrzelewu = 0;
        db.exec("update ET_KONTAKT set NIP = '551-239-34-71' where ID = " + std::to_string(kContractor));
    }

    // A split payment in set 2: `amount` of `full` with `vat` of `fullVat`.
    void addSplit(int id, const std::string& invoice, const std::string& full, const std::string& amount,
                  const std::string& fullVat, const std::string& vat) {
        addTransfer(id, invoice, full, amount);
        db.exec("update PR_PRZELEWY set MPP = 1, KWOTA_VAT_CALA = " + fullVat + ", KWOTA_VAT_WYPLACONA = 0, " +
                "KWOTA_VAT = " + vat + " where ID = " + std::to_string(id));
    }
    // The issuing window on that bank refuses with a message containing `text`; nothing is issued.
    void expectRefusal(const QString& text, int bank) {
        runIssuing(kDay, bank, [&](TfrmWystawPrzelewy&) { dialogs->expectMessage(text, ui::Answer::Ok); });
        EXPECT_EQ(0, count("PR_WYSTAWIONE where " + kBatch));
    }
    std::string file(int bank, const QDate& day, char letter) {
        return contents(bankFolder(bank) + "/P-" + day.toString(Qt::ISODate) + u'-' + QLatin1Char(letter) + ".PLI");
    }
    std::int64_t vat(const std::string& column, int id) {
        return grosze(column, "PR_PRZELEWY where ID = " + std::to_string(id));
    }
};

TEST_F(PodzielonaPlatnoscTest, PartPaymentsCarryTheirVatPartAndAWithdrawalGivesItBack) {
    addSplit(9301, "FV/M1", "1230", "615", "230", "115");
    const char first = issue(kDay);
    EXPECT_EQ(11500, grosze("KWOTA_VAT", "PR_PRZELEWY_ZREALIZOWANE where MPP = 1 and ID_PRZELEWU = 9301"));
    EXPECT_EQ(11500, vat("KWOTA_VAT", 9301)) << "the rest owes the rest of the VAT";
    EXPECT_NE(std::string::npos, file(1, kDay, first)
                                     .find(",0,22223333,\"/VAT/115,00/IDC/5512393471/INV/FV/M|"
                                           "1/TXT/FAKTURA FV/M1||\",\"\",\"\",\"53\"\r\n"))
        << file(1, kDay, first);

    // The rest, in two parts: the second one takes all the VAT left.
    db.exec("update PR_PRZELEWY set ZAZNACZ2 = 1, WARTOSC = 400.01, KWOTA_VAT = 74.80 where ID = 9301");
    issue(kDay.addDays(1));
    db.exec("update PR_PRZELEWY set ZAZNACZ2 = 1 where ID = 9301");
    issue(kDay.addDays(2));
    EXPECT_EQ(23000, vat("KWOTA_VAT_WYPLACONA", 9301));
    EXPECT_EQ(0, vat("KWOTA_VAT", 9301));
    EXPECT_EQ(23000, grosze("KWOTA_VAT", "PR_PRZELEWY_ZREALIZOWANE where ID_PRZELEWU = 9301"));
    EXPECT_EQ(1, count("PR_PRZELEWY where ID = 9301 and DATA_REALIZACJI is not null"));
    expectInvariants();

    // Withdrawing the middle batch: its amount and VAT part are owed again.
    DMP->vWybierzZrealizowane(sWarunekPartii(kDay.addDays(1), 'A'), QStringLiteral("b.KOD_FK"));
    {
        data::UnitOfWork uow(dmMain->transaction());
        ASSERT_EQ(WynikWycofania::Wycofano, wycofajPartie(kDay.addDays(1), false));
        uow.commit();
    }
    EXPECT_EQ(23000 - 7480, vat("KWOTA_VAT_WYPLACONA", 9301));
    EXPECT_EQ(7480, vat("KWOTA_VAT", 9301));
    EXPECT_EQ(40001, vat("WARTOSC", 9301));
}

TEST_F(PodzielonaPlatnoscTest, GroupingBankGroupsOrdinaryTransfersOnly) {
    addTransfer(9311, "FV/G1", "100", "100");
    addTransfer(9312, "FV/G2", "50", "50");
    addSplit(9313, "FV/G3", "123", "123", "23", "23");
    addSplit(9314, "FV/G4", "246", "246", "46", "46");
    db.exec("update ET_BANKI set KOD_MPP = '55' where ID = 6");  // this bank's own code
    const char letter = issue(kDay, 6);
    const std::string bytes = file(6, kDay, letter);
    EXPECT_EQ(3, QString::fromStdString(bytes).count(QStringLiteral("\r\n"))) << bytes;
    EXPECT_NE(std::string::npos, bytes.find(",20261210,15000,")) << "the ordinary ones in one payment";
    EXPECT_NE(std::string::npos,
              bytes.find("\"/VAT/23,00/IDC/5512393471/INV/FV/G3|/TXT/FAKTURA FV/G3||\",\"\",\"\",\"55\""));
}

TEST_F(PodzielonaPlatnoscTest, IssueRefusesWhatTheBankOrTheDataCannotCarry) {
    addTransfer(9321, "FV/Z1", "100", "100");
    addSplit(9322, "FV/M2", "123", "123", "23", "23");
    expectRefusal("Przelew FV/M2 dla Usługi \"Wąż\" Jan Kowalski jest w mechanizmie podzielonej płatności, a zbiór", 3);

    db.exec("update ET_KONTAKT set NIP = '551-239-34-72' where ID = " + std::to_string(kContractor));
    expectRefusal(QStringLiteral("NIP 551-239-34-72 ma błędną cyfrę kontrolną."), 1);
    db.exec("update ET_KONTAKT set NIP = '5512393471' where ID = " + std::to_string(kContractor));
    db.exec("update PR_PRZELEWY set WARTOSC = 20 where ID = 9322");
    expectRefusal(QStringLiteral("VAT w tej części 23,00 zł jest większy od kwoty do przelewu 20,00 zł"), 1);
}

TEST(CzescVat, ProportionalPartsRoundToTheGroszAndTheLastTakesTheRest) {
    EXPECT_EQ(7667, mpp::proportionalVat(100000, 23000, 33333)) << "76.6659 rounds up";
    EXPECT_EQ(1, mpp::proportionalVat(2, 1, 1)) << "half a grosz rounds away from zero";
    EXPECT_EQ(23000, mpp::proportionalVat(123000, 23000, 200000)) << "paid beyond the rest";
    EXPECT_EQ(0, mpp::proportionalVat(0, 0, 0));

    EXPECT_FALSE(mpp::vatRefusal(false, 0, 100).isEmpty()) << "a split payment without VAT";
    EXPECT_TRUE(mpp::vatPartRefusal(100000, 23000, 33333, 0).isEmpty()) << "stating no VAT in this part is allowed";
    EXPECT_FALSE(mpp::vatPartRefusal(100000, 23000, 100, 101).isEmpty()) << "more VAT than the part";
    EXPECT_FALSE(mpp::vatPartRefusal(100000, 23000, 50000, 23001).isEmpty()) << "more VAT than is left";
    EXPECT_FALSE(mpp::vatPartRefusal(100000, 23000, 100000, 22999).isEmpty()) << "the last part leaves VAT";
    EXPECT_FALSE(mpp::vatPartRefusal(100000, 23000, 90000, 0).isEmpty()) << "the rest could not carry its VAT";
}

}  // namespace
