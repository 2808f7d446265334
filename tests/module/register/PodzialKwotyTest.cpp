#include "RegisterWindows.h"

namespace {

// A pending transfer of 1000.00 of which 300.00 was paid; 700.00 is to pay.
class PodzialKwotyTest : public pxtest::RegisterWindows {
protected:
    void SetUp() override {
        RegisterWindows::SetUp();
        id = dmMain->iPobierzGenerator(QStringLiteral("SELECT GEN_ID(GEN_PR_PRZELEWY_ID,1) AS ILE FROM RDB$DATABASE"));
        sql("insert into PR_PRZELEWY (ID, ID_KONTRAHENTA, ID_KONTA_BANK, NR_FAKTURY, WARTOSC_CALA, WARTOSC_WYPLACONA, "
            "WARTOSC, WPROWADZONY) values (" +
            std::to_string(id) + ", 1, 1, 'FV 9/2026', 1000, 300, 700, 1)");
        dmMain->transaction().commitRetaining();
        q().open();
        naWiersz(id);
    }

    TfrmPodzialKwoty& wpiszKwote(const char* kwota) {
        auto* f = new TfrmPodzialKwoty(nullptr);
        pokaz(*f);
        f->edtWartosc->setFocus();
        f->edtWartosc->selectAll();
        QTest::keyClicks(f->edtWartosc, kwota);
        return *f;
    }
    // Types the amount and accepts it; true when the dialog closed.
    bool podziel(const char* kwota) {
        wpiszKwote(kwota).btnOK->click();
        zamknieto();
        return frmPodzialKwoty == nullptr;
    }
    std::int64_t zapisane(const char* pole = "WARTOSC") {
        return sharedCents(std::string("select ") + pole + " from PR_PRZELEWY where ID = " + std::to_string(id));
    }

    int id = 0;
};

TEST_F(PodzialKwotyTest, RefusesMoreThanIsOwedOrANegativeAmountAndKeepsWhatIsOwed) {
    for (const auto& [kwota, odmowa] : {std::pair{"700,01", "Za duza kwota "}, {"-10", "Kwota nie może być ujemna "}}) {
        dialogs->expectMessage(QString::fromUtf8(odmowa), ui::Answer::Ok);
        ASSERT_FALSE(podziel(kwota)) << kwota;
        QTest::keyClick(frmPodzialKwoty, Qt::Key_Escape);
        zamknieto();
        EXPECT_EQ(nullptr, frmPodzialKwoty);
        EXPECT_EQ(data::Dataset::State::Browse, q().state()) << "closing cancels the typed amount";
        EXPECT_EQ(70000, zapisane());
    }
    EXPECT_TRUE(podziel("700"));
    EXPECT_TRUE(podziel("250"));
    EXPECT_EQ(25000, committedCents("select WARTOSC from PR_PRZELEWY where ID = " + std::to_string(id)))
        << "a failure elsewhere must not take the accepted amount back";
}

TEST_F(PodzialKwotyTest, SplitPaymentPartProposesItsVatInProportionAndRefusesAnInconsistentOne) {
    // 230.00 of VAT, 69.00 of it paid with the 300.00: 161.00 of VAT left in the 700.00.
    sql("update PR_PRZELEWY set MPP = 1, KWOTA_VAT_CALA = 230, KWOTA_VAT_WYPLACONA = 69, KWOTA_VAT = 161 where ID = " +
        std::to_string(id));
    dmMain->transaction().commitRetaining();
    q().close();
    q().open();
    naWiersz(id);

    // Accepting a typed amount at once still proposes its VAT part.
    EXPECT_TRUE(podziel("100,01"));
    EXPECT_EQ(2300, zapisane("KWOTA_VAT")) << "161.00 * 100.01 / 700 = 23.0023";

    // A VAT part above what is left of the VAT is refused and nothing is kept.
    TfrmPodzialKwoty& g = wpiszKwote("700");
    QTest::keyClick(g.edtWartosc, Qt::Key_Return);
    g.edtKwotaVat->setFocus();
    g.edtKwotaVat->selectAll();
    QTest::keyClicks(g.edtKwotaVat, "170");
    dialogs->expectMessage(QStringLiteral("VAT w tej części 170,00 zł jest większy od VAT pozostałego do zapłaty "
                                          "161,00 zł"),
                           ui::Answer::Ok);
    g.btnOK->click();
    EXPECT_EQ(&g, frmPodzialKwoty);
    EXPECT_EQ(2300, zapisane("KWOTA_VAT"));
}

}  // namespace
