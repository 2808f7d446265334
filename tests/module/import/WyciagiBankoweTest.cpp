// The bank statements window: reading statements, settling realized
// transfers by them and printing what stays open.
#include "module/ModuleFixture.h"
#include "module/import/Wyciagibankowe.h"
#include "module/register/Przelewy.h"
#include "reportengine/ReportFixture.h"
#include "support/InjectedFailure.h"

#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTemporaryDir>

namespace {

const QString kPrzyklady = QStringLiteral(PXFER_SAMPLES_DIR "/");
const QString kKonto = QStringLiteral("47105071867784864887663440");

// The test's own statement: two demo payments of 2025-12-19 confirmed, a
// debit nothing explains and a credit.
class WyciagiBankoweTest : public pxtest::ModuleFixture {
protected:
    void SetUp() override {
        pxtest::installFailures(db, {"PR_PRZELEWY_ZREALIZOWANE"});
        ModuleFixture::SetUp();
        DMP->vWczytajParametry();
        const auto konto = [&](int id) {
            const std::string sql =
                "select c.KONTO from PR_PRZELEWY_ZREALIZOWANE a join ET_BANK_KONTO c on c.ID = a.ID_KONTA_BANK "
                "where a.ID = ";
            return QString::fromStdString(db.scalarText(sql + std::to_string(id))).remove(QRegularExpression("[^0-9]"));
        };
        wiersze = QStringLiteral(
                      ":20:T1|:25:/PL61109010140000071219812874|:28C:1/1|:60F:C251219PLN20000,00|"
                      ":61:2512191219DN000000002756,27NTRFNONREF|:86:020~20Faktura E/2025/12/00353~32Pierwszy~38PL%1|"
                      ":61:2512201220DN000000013809,55NTRFNONREF|:86:020~20FV 234/12/2025~32Drugi~38PL%2|"
                      ":61:2512191219DN000000000001,00NTRFNONREF|:86:~20nic takiego|"
                      ":61:2512191219CN000000000005,00NTRFNONREF|:86:wpłata|:62F:C251220PLN3438,18|-")
                      .arg(konto(1), konto(2))
                      .split(u'|');
        QFile f(katalog.filePath(QStringLiteral("wyciag.sta")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(wiersze.join(QStringLiteral("\r\n")).toUtf8() + "\r\n");
    }
    void TearDown() override {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<TfrmWyciagiBankowe*>(w)) w->close();
        if (frmPrzelewy) frmPrzelewy->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ModuleFixture::TearDown();
    }
    TfrmWyciagiBankowe& okno() {
        module->vWyciagiBankoweMDI(qApp);
        return *frmWyciagiBankowe;
    }
    // Picks the file in the window and reads it, expecting the messages.
    TfrmWyciagiBankowe& czytaj(const QString& plik, const QStringList& komunikaty) {
        dialogs->expectOpenFile(plik);
        for (const QString& k : komunikaty) dialogs->expectShowMessage(k);
        okno().btnKsiegujClick();
        dialogs->verifyAllConsumed();
        return *frmWyciagiBankowe;
    }
    TfrmWyciagiBankowe& czytaj() {
        return czytaj(katalog.filePath(QStringLiteral("wyciag.sta")),
                      {QStringLiteral("Ilosc wierszy w zbiorze:\n%1").arg(wiersze.size()), QStringLiteral("0")});
    }
    static QStringList stany(const TfrmWyciagiBankowe& w) {
        QStringList s;
        for (int r = 0; r < w.tblPozycje->rowCount(); ++r) s << w.tblPozycje->item(r, 6)->text();
        return s;
    }

    QTemporaryDir katalog;
    QStringList wiersze;
};

}  // namespace

// A statement of one entry shows its account and its Windows-1250 text; a
// broken or missing one is told at the line where it breaks.
TEST_F(WyciagiBankoweTest, ShowsTheAccountOfAStatementOfOneEntryAndTellsWhatIsWrong) {
    czytaj(kPrzyklady + "wyciag-jedna-pozycja.sta", {"Ilosc wierszy w zbiorze:\n7", kKonto});
    EXPECT_TRUE(okno().Memo1->toPlainText().contains("Przelew wychodzący")) << "read as Windows-1250";
    czytaj(kPrzyklady + "wyciag-bez-opisu.sta",
           {"Ilosc wierszy w zbiorze:\n6", "Bledna struktura pliku-> Brak :86:", kKonto});
    // An amount that is no number ends the reading: no account follows.
    dialogs->expectMessage("'00000000150O,00' nie jest poprawną kwotą (wiersz 2)", ui::Answer::Ok);
    okno().vCzytajWyciag({":25:/PL" + kKonto, ":61:2612101210DN00000000150O,00NTRF", ":86:"});
    dialogs->verifyAllConsumed();
    czytaj(kPrzyklady + "nie-ma-takiego.sta", {"Brak"});
    EXPECT_TRUE(okno().Memo1->toPlainText().isEmpty());
}

// The menu keeps one window; the register opens a new one each time and
// stays usable, and closing that one does not wake a register an import holds.
TEST_F(WyciagiBankoweTest, OneFromTheMenuANewOneFromEveryRegisterClick) {
    TfrmWyciagiBankowe* pierwsze = &okno();
    EXPECT_EQ(pierwsze, &okno());
    module->vPrzelewyMDI(qApp);
    frmPrzelewy->runActivation();
    frmPrzelewy->spbWyciagiBankoweClick();
    EXPECT_NE(pierwsze, frmWyciagiBankowe);
    EXPECT_TRUE(frmPrzelewy->isEnabled());
    frmPrzelewy->setEnabled(false);
    frmWyciagiBankowe->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(frmPrzelewy->isEnabled());
}

TEST_F(WyciagiBankoweTest, ListsEntriesSettlesMatchedOnesOncePrintsWhatStaysOpen) {
    TfrmWyciagiBankowe& w = czytaj();
    EXPECT_EQ(stany(w), (QStringList{"do rozliczenia", "do rozliczenia", "bez pary", "uznanie"}));
    const std::int64_t starych = db.scalarCents(
        "select count(*) from PR_PRZELEWY_ZREALIZOWANE where DATA_REALIZACJI < dateadd(-5 day to current_date)");
    ASSERT_EQ(w.tblNiepotwierdzone->rowCount(), starych);

    dialogs->expectShowMessage(QStringLiteral("Rozliczono przelewów zrealizowanych: 2"));
    w.btnRozliczClick();
    dialogs->verifyAllConsumed();
    const std::string user = dmMain->PobierzUzytkownik().toStdString();
    EXPECT_EQ(db.scalarText("select list(ID || ':' || WYCIAG || ':' || WYCIAG_POZYCJA || ':' || ROZLICZYL, ' ') "
                            "from (select * from PR_PRZELEWY_ZREALIZOWANE where WYCIAG is not null order by ID)"),
              "1:T1/1/1:1:" + user + " 2:T1/1/1:2:" + user)
        << "committed";
    EXPECT_EQ(w.tblNiepotwierdzone->rowCount(), starych - 2);

    // What stays open prints: the unmatched entry and the unconfirmed transfers.
    TZestawienieOtwartych z;
    w.vZestawienie(z);
    const QString razem = rpttest::allLines(*z.raport()->prepare()).join(u'\n');
    EXPECT_TRUE(razem.contains(QStringLiteral("pozycja wyciągu;2025-12-19;1,00;nic takiego"))) << razem.toStdString();
    EXPECT_FALSE(razem.contains(QStringLiteral("2 756,27"))) << "settled";
    EXPECT_EQ(z.count(), 1 + w.tblNiepotwierdzone->rowCount());

    // The same statement again: its entries show settled and nothing more is written.
    EXPECT_EQ(stany(czytaj()), (QStringList{"rozliczona", "rozliczona", "bez pary", "uznanie"}));
    EXPECT_EQ(db.scalarCents("select count(*) from PR_PRZELEWY_ZREALIZOWANE where WYCIAG is not null"), 2);
}

TEST_F(WyciagiBankoweTest, AFailedWriteLeavesNoRowSettled) {
    TfrmWyciagiBankowe& w = czytaj();
    {
        // The second row refuses: the first one, already written, goes back too.
        pxtest::InjectedFailure awaria(dmMain->transaction(), "PR_PRZELEWY_ZREALIZOWANE", 2);
        dialogs->expectShowMessage(QStringLiteral("btnRozliczClick"));
        w.btnRozliczClick();
        dialogs->verifyAllConsumed();
    }
    EXPECT_EQ(pxtest::tableRows(dmMain->transaction(), "PR_PRZELEWY_ZREALIZOWANE").find("T1/1"), std::string::npos);
    EXPECT_EQ(stany(w).first(2), (QStringList{"do rozliczenia", "do rozliczenia"}));

    // Someone else settles row 1 meanwhile: nothing is written and the user is told.
    db.exec("update PR_PRZELEWY_ZREALIZOWANE set WYCIAG = 'INNY' where ID = 1");
    db.transaction().commitRetaining();
    dialogs->expectShowMessage(QStringLiteral("w międzyczasie rozliczony"));
    w.btnRozliczClick();
    dialogs->verifyAllConsumed();
    EXPECT_EQ(db.scalarCents("select count(*) from PR_PRZELEWY_ZREALIZOWANE where WYCIAG = 'T1/1'"), 0);
    EXPECT_EQ(stany(w).first(2), (QStringList{"bez pary", "do rozliczenia"})) << "states read again";
}
