#include "module/ModuleFixture.h"
#include "module/register/Podzialkwoty.h"
#include "platform/controls/DBEdit.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

// A pending transfer of 1000.00 of which 300.00 was paid; 700.00 is to pay.
class PodzialKwotyTest : public pxtest::ModuleFixture {
protected:
    void SetUp() override {
        ModuleFixture::SetUp();
        id = dmMain->iPobierzGenerator(QStringLiteral("SELECT GEN_ID(GEN_PR_PRZELEWY_ID,1) AS ILE FROM RDB$DATABASE"));
        dmMain->database().execute(dmMain->transaction(),
                                   "insert into PR_PRZELEWY (ID, ID_KONTRAHENTA, ID_KONTA_BANK, NR_FAKTURY, "
                                   "WARTOSC_CALA, WARTOSC_WYPLACONA, WARTOSC, WPROWADZONY) values (" +
                                       std::to_string(id) + ", 1, 1, 'FV 9/2026', 1000, 300, 700, 1)");
        dmMain->transaction().commitRetaining();
        q().open();
        ASSERT_TRUE(q().locate(QStringLiteral("ID"), id));
    }
    void TearDown() override {
        if (frmPodzialKwoty) frmPodzialKwoty->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ModuleFixture::TearDown();
    }

    TfrmPodzialKwoty& wpisz(const char* kwota) {
        auto* f = new TfrmPodzialKwoty(nullptr);
        f->show();
        f->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(f));
        f->edtWartosc->setFocus();
        f->edtWartosc->selectAll();
        QTest::keyClicks(f->edtWartosc, kwota);
        return *f;
    }
    // Types the amount and accepts it; true when the dialog closed.
    bool podziel(const char* kwota) {
        wpisz(kwota).btnOK->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return frmPodzialKwoty == nullptr;
    }
    data::Dataset& q() { return DMP->quePrzelewy; }
    std::int64_t zapisane() { return sharedCents("select WARTOSC from PR_PRZELEWY where ID = " + std::to_string(id)); }

    int id = 0;
};

TEST_F(PodzialKwotyTest, RefusesMoreThanIsOwedOrANegativeAmountAndEscapeKeepsTheAmount) {
    for (const auto& [kwota, odmowa] : {std::pair{"700,01", "Za duza kwota "}, {"-10", "Kwota nie może być ujemna "}}) {
        dialogs->expectMessage(QString::fromUtf8(odmowa), ui::Answer::Ok);
        ASSERT_FALSE(podziel(kwota)) << kwota;
        EXPECT_EQ(data::Dataset::State::Edit, q().state());
        QTest::keyClick(frmPodzialKwoty, Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(nullptr, frmPodzialKwoty);
        EXPECT_EQ(data::Dataset::State::Browse, q().state()) << "closing cancels the typed amount";
        EXPECT_EQ(70000, q().fieldByName(QStringLiteral("WARTOSC")).asDecimal().rescaled(2).units);
        EXPECT_EQ(70000, zapisane());
    }
}

TEST_F(PodzialKwotyTest, AcceptsUpToWhatIsStillOwedAndKeepsIt) {
    EXPECT_TRUE(podziel("250"));
    EXPECT_EQ(25000, zapisane());
    EXPECT_EQ(25000, committedCents("select cast(WARTOSC * 100 as integer) from PR_PRZELEWY where ID = " +
                                  std::to_string(id)))
        << "a failure elsewhere must not take the accepted amount back";
    EXPECT_TRUE(podziel("700"));
    EXPECT_EQ(70000, zapisane());
    EXPECT_TRUE(podziel("0"));
    EXPECT_EQ(0, zapisane());
}

TEST_F(PodzialKwotyTest, RemainingIsTheFullAmountLessTheEnteredOne) {
    TfrmPodzialKwoty& f = wpisz("250,5");
    QTest::keyClick(f.edtWartosc, Qt::Key_Return);   // on to the next field
    EXPECT_EQ(QStringLiteral("749,5"), f.pnlZostaje->text()) << "what was paid is not subtracted";
}

}  // namespace
