// The issued batches window on batches issued through the issuing window:
// choosing a batch, writing its bank file again and withdrawing it.
#include "module/issuing/Wyborwystawione.h"
#include "support/InjectedFailure.h"

#include "BatchFixture.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QTest>
#include <memory>

namespace {

using pxtest::BatchFixture;

class WyborWystawioneTest : public BatchFixture {
protected:
    void SetUp() override {
        // A realized row that the database refuses to withdraw, to break a withdrawal half-way.
        db.exec(
            "alter table PR_PRZELEWY_ZREALIZOWANE add constraint CHK_TEST_ZEPSUTA check "
            "(KOLEJNY <> '*' or NR_FAKTURY <> 'ZEPSUTA')");
        BatchFixture::SetUp();
    }
    // The window over the batches, standing on batch A of kDay.
    TfrmWyborWystawione& open(char mode) {
        auto& window = *new TfrmWyborWystawione(nullptr, mode);
        window.runActivation();
        const std::int64_t id = db.scalarCents("select ID from PR_WYSTAWIONE where " + kBatch + " and KOLEJNY = 'A'");
        EXPECT_TRUE(DMP->queWystawione.locate(QStringLiteral("ID"), qint64(id)));
        return window;
    }
    // Answers the withdrawal's two questions and expects the messages that follow.
    void withdraw(TfrmWyborWystawione& window, const QStringList& messages, ui::Answer remark = ui::Answer::Yes) {
        dialogs->expectMessage(
            QStringLiteral("Zostaną WYCOFANE ze zrealizowanych przelewy z dnia :2026-12-10 - A\nCzy akepujesz?"),
            ui::Answer::Yes);
        dialogs->expectMessage(QStringLiteral("Czy wycofane przelewy zaznaczyć do realizacji?"), remark);
        for (const QString& m : messages) dialogs->expectShowMessage(m);
        window.btnWybierzClick();
    }
    std::int64_t document() {
        return committedCents("select max(ID_DOKUMENTU_FK) from PR_PRZELEWY_ZREALIZOWANE where " + kBatch);
    }
    // Two transfers of one contractor share the invoice number; the older is paid in part.
    void issueSharedInvoice() {
        addTransfer(9201, "FV/1", "500", "200.55", "99.45");
        addTransfer(9202, "FV/1", "1000", "1000");
        addTransfer(9203, "FV/2", "50.55", "50.55", "0", kOther);
        issue(kDay);
    }
};

// In the host's frame, as the realized list opens it, the window reads its
// batches and the person picks one with the arrow keys at once.
TEST_F(WyborWystawioneTest, ArrowKeysMoveTheChoiceFromTheStart) {
    QMdiArea area;
    ui::setMdiArea(&area);
    area.resize(900, 700);
    area.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&area));
    auto* window = new TfrmWyborWystawione(nullptr, 'B');
    window->showWindow();
    QCoreApplication::processEvents();
    ASSERT_TRUE(DMP->queWystawione.isActive());
    const int first = DMP->queWystawione.recNo();
    ASSERT_LT(first + 1, DMP->queWystawione.recordCount());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_EQ(first + 1, DMP->queWystawione.recNo());
    window->close();
    ui::setMdiArea(nullptr);
}

// The file written again is the file of the issue, byte for byte: a grouping
// bank's, and one whose file carries the issue date (the batch's, not today's).
TEST_F(WyborWystawioneTest, BankFileWrittenAgainIsTheFileOfTheIssue) {
    for (const auto& [bank, extension] : {std::pair{5, ".TXT"}, std::pair{6, ".PLI"}}) {
        SCOPED_TRACE(bank);
        db.exec("delete from PR_WYSTAWIONE where " + kBatch);
        db.exec("delete from PR_PRZELEWY_ZREALIZOWANE where " + kBatch);
        addTransfer(9201 + bank * 10, "FV/1", "1234.56", "1234.56");
        addTransfer(9202 + bank * 10, "FV/2", "10", "10");
        addTransfer(9203 + bank * 10, "FV/3", "7.01", "7.01", "0", kOther);
        issue(kDay, bank);
        const QString file = bankFolder(bank) + "/P-2026-12-10-A" + QLatin1String(extension);
        const std::string issued = contents(file);
        ASSERT_TRUE(QFile::remove(file));

        TfrmWyborWystawione& window = open('B');
        dialogs->expectMessage("Stworzono plik do banku: " + file, ui::Answer::Ok);
        window.btnWybierzClick();
        EXPECT_EQ(issued, contents(file));
        window.close();
    }
}

// Yes to marking the withdrawn transfers leaves one that another set holds in that set.
TEST_F(WyborWystawioneTest, WithdrawalRestoresEachTransferItPaidToTheCentAndMarksItOnce) {
    issueSharedInvoice();
    const std::int64_t doc = document();
    ASSERT_GT(doc, 0);
    db.exec("update PR_PRZELEWY set ZAZNACZ3 = 1 where ID = 9201");  // another set holds it: not marked twice
    withdraw(open('A'), {QStringLiteral("Operacja wycofania - zakończona poprawnie")});

    EXPECT_EQ(1, count("PR_PRZELEWY where ID = 9202 and DATA_REALIZACJI is null and KOLEJNY is null and "
                       "WARTOSC_WYPLACONA = 0 and WARTOSC = 1000 and ZAZNACZ = 1"));
    EXPECT_EQ(1, count("PR_PRZELEWY where ID = 9201 and DATA_REALIZACJI is null and WARTOSC_WYPLACONA = 99.45 and "
                       "WARTOSC = 400.55 and ZAZNACZ = 0 and ZAZNACZ2 = 0 and ZAZNACZ3 = 1"));
    EXPECT_EQ(3, count("PR_PRZELEWY_ZREALIZOWANE where " + kBatch +
                       " and KOLEJNY = '*' and ID_DOKUMENTU_FK = " + std::to_string(doc)));
    EXPECT_EQ(0, count("FK_DOKUMENTY where ID = " + std::to_string(doc)));
    EXPECT_EQ(0, count("FK_DEKRETY where ID_DOKUMENTU = " + std::to_string(doc)));
    EXPECT_EQ(1, count("PR_WYSTAWIONE where " + kBatch)) << "the batch row stays";

    dialogs->expectMessage(QStringLiteral("Brak przelewów z tego wystawienia  ! "), ui::Answer::Ok);
    open('A').btnWybierzClick();
}

// The ledger keeps the document (here: it knows no such document): nothing is withdrawn.
TEST_F(WyborWystawioneTest, DocumentTheLedgerDoesNotDeleteStopsTheWithdrawal) {
    issueSharedInvoice();
    db.exec("update PR_PRZELEWY_ZREALIZOWANE set ID_DOKUMENTU_FK = 999999 where " + kBatch);
    withdraw(open('A'), {QStringLiteral(" Błąd  -  Nie anulowano dekretacji")});
    EXPECT_EQ(3, count("PR_PRZELEWY_ZREALIZOWANE where " + kBatch + " and KOLEJNY = 'A'"));
    EXPECT_EQ(0, count("PR_PRZELEWY where ID between 9201 and 9203 and ZAZNACZ = 1"));
}

// Rows written before the paid transfer was recorded find it by contractor
// and invoice; a batch posted without a document needs no ledger; No to the
// second question marks nothing.
TEST_F(WyborWystawioneTest, UnlinkedRowsAndBatchesWithoutDocument) {
    DMP->iKsiegowacPrzelewy = 0;
    addTransfer(9201, "FV/1", "100", "100");
    addTransfer(9202, "FV/9", "40", "40");
    issue(kDay);
    db.exec("update PR_PRZELEWY_ZREALIZOWANE set ID_PRZELEWU = null where " + kBatch);
    db.exec("delete from PR_PRZELEWY where ID = 9202");
    const std::int64_t documents = count("FK_DOKUMENTY");
    withdraw(open('A'), {QStringLiteral("Brak faktury na zb.Przelewy FV/9"), QStringLiteral("zakończona poprawnie")},
             ui::Answer::No);
    EXPECT_EQ(1, count("PR_PRZELEWY where ID = 9201 and DATA_REALIZACJI is null and WARTOSC_WYPLACONA = 0 and "
                       "ZAZNACZ = 0 and ZAZNACZ2 = 0"));
    EXPECT_EQ(2, count("PR_PRZELEWY_ZREALIZOWANE where " + kBatch + " and KOLEJNY = '*'"));
    EXPECT_EQ(documents, count("FK_DOKUMENTY"));
}

// Another user withdrew the batch after this window read it: its rows are no
// longer what was read, so nothing is taken back a second time.
TEST_F(WyborWystawioneTest, BatchWithdrawnMeanwhileIsNotWithdrawnTwice) {
    issueSharedInvoice();
    const std::int64_t paid = grosze("WARTOSC_WYPLACONA", "PR_PRZELEWY where ID between 9201 and 9203");
    auto race = std::make_shared<QMetaObject::Connection>();
    *race = QObject::connect(&DMP->queZrealizowane, &data::Dataset::afterOpen, [this, race] {
        QObject::disconnect(*race);
        db.exec("update PR_PRZELEWY_ZREALIZOWANE set KOLEJNY = '*' where " + kBatch);
    });
    withdraw(open('A'), {QStringLiteral("został w międzyczasie zmieniony przez innego użytkownika"),
                         QStringLiteral("Błednie zakończona operacja wycofania ! ")});
    EXPECT_EQ(paid, grosze("WARTOSC_WYPLACONA", "PR_PRZELEWY where ID between 9201 and 9203"));
    EXPECT_EQ(1, count("FK_DOKUMENTY where ID = " + std::to_string(document())));
}

// A failure half-way takes back every row the walk changed and the deleted
// ledger document with them; the transaction holds nothing of it afterwards.
TEST_F(WyborWystawioneTest, FailureHalfWayLeavesEverythingAsItWas) {
    addTransfer(9204, "ZEPSUTA", "25", "25", "0", kOther);
    // The walk takes the other contractor's rows, the refused one among them, last.
    issueSharedInvoice();
    ASSERT_EQ(4, count("PR_PRZELEWY_ZREALIZOWANE where " + kBatch + " and KOLEJNY = 'A' and ID_DOKUMENTU_FK > 0"));
    const auto state = [this] {
        std::string rows;
        for (const char* table : {"PR_PRZELEWY", "PR_PRZELEWY_ZREALIZOWANE", "FK_DOKUMENTY", "FK_DEKRETY"})
            rows += pxtest::tableRows(dmMain->transaction(), table);
        return rows;
    };
    const std::string before = state();
    withdraw(open('A'), {QStringLiteral("frmWyborWystawione->btnWybierzClick() \n\n"),
                         QStringLiteral("Błednie zakończona operacja wycofania ! ")});
    EXPECT_EQ(before, state());
    EXPECT_EQ(nullptr, frmWyborWystawione);
}

}  // namespace
