#include "module/issuing/LedgerPosting.h"

#include "IssuingFixture.h"
#include "support/InjectedFailure.h"

namespace {

using pxtest::IssuingFixture;

class LedgerPostingTest : public IssuingFixture {
protected:
    void SetUp() override {
        pxtest::installFailures(db, {"PR_PRZELEWY_ZREALIZOWANE"});
        // 9101 taken out of its batch while the entries are written.
        db.exec(
            "create trigger TEST_WYCOFANIE for FK_DEKRETY active after insert as begin "
            "if (rdb$get_context('USER_SESSION', 'TEST_WYCOFANIE') is not null) then "
            "update PR_PRZELEWY_ZREALIZOWANE set KOLEJNY = '*' where ID = 9101; end");
        IssuingFixture::SetUp();
        // 801-80101-4210 has its own account at bank 1; the other paragraph has none.
        addRealized(9101, "2026-12-10", 'A', "1234.5", "Faktura FV/1", "801-80101-4210");
        addRealized(9102, "2026-12-10", 'A', "10", "Faktura FV/2", "9999'X");
        db.exec(
            "insert into PR_WYSTAWIONE (ID, DATA_REALIZACJI, KOLEJNY, ID_BANKU, ZBIOR_ZAPISANY, "
            "DOKUMENT_ZAPISANY) values (9100, '2026-12-10', 'A', 1, 1, 0)");
        DMP->quePrzelewy.close();
    }

    std::int64_t stampedWith(std::int64_t document) {
        return count("PR_PRZELEWY_ZREALIZOWANE where ID in (9101, 9102) and ID_DOKUMENTU_FK = " +
                     std::to_string(document));
    }
    std::int64_t entries(std::int64_t document, const std::string& condition) {
        return count("FK_DEKRETY where ID_DOKUMENTU = " + std::to_string(document) + " and " + condition);
    }
    std::int64_t post() {
        dialogs->expectShowMessage(QStringLiteral("Dopisano dokument FK"));
        EXPECT_TRUE(bKsiegujPrzelewy(context, kDay, 'A', 1));
        return committedCents("select max(ID) from FK_DOKUMENTY");
    }
};

TEST_F(LedgerPostingTest, EntriesCreditTheParagraphsAccountOrTheBanksOrCloseWithOneCreditOfTheTotal) {
    const std::int64_t document = post();
    EXPECT_EQ(2, stampedWith(document));
    EXPECT_EQ(1, count("PR_WYSTAWIONE where ID = 9100 and DOKUMENT_ZAPISANY = 1")) << "the step is recorded";
    EXPECT_EQ(1, count("FK_DOKUMENTY where ID = " + std::to_string(document) +
                       " and ID_OKRESU = 12 and ID_KODU = 3 and KOD_DOK = 'PRZ' and ID_ZRODLA = 9102"
                       " and DATA_DOK = '2026-12-10' and OPIS is null"));
    EXPECT_EQ(2, entries(document, "1 = 1"));
    EXPECT_EQ(1, entries(document,
                         "KONTO_WN = '201-K9001' and KONTO_MA = '130-1-80101-4210' and KWOTA = 1234.5"
                         " and PARAGRAF = '801-80101-4210' and NAZWA_MA = 'FV/9101'"
                         " and OPIS = 'Faktura FV/1'"));
    // The paragraph with an apostrophe looked its account up in SQL text.
    EXPECT_EQ(1, entries(document,
                         "KONTO_WN = '201-K9001' and KONTO_MA = '130-1' and KWOTA = 10"
                         " and PARAGRAF = '9999''X'"));
    EXPECT_DOUBLE_EQ(1244.5, context.dSuma);

    // Posted again without paragraphs (a batch finished after a crash): a
    // second document of debit-only entries and one closing credit of the
    // total, and the rows follow it.
    DMP->iPokazParagraf = 0;
    const std::int64_t second = post();
    EXPECT_EQ(2, stampedWith(second));
    EXPECT_EQ(2, entries(document, "1 = 1")) << "the first document stays as it was";
    EXPECT_EQ(3, entries(second, "1 = 1"));
    EXPECT_EQ(2, entries(second, "KONTO_WN = '201-K9001' and KONTO_MA is null"));
    // The rows come newest first, so the last one is 9101 with its paragraph's account.
    EXPECT_EQ(1, entries(second,
                         "KONTO_WN is null and KONTO_MA = '130-1-80101-4210' and KWOTA = 1244.5"
                         " and OPIS = 'Przelewy z dnia:10-12-2026' and PARAGRAF = '801-80101-4210'"
                         " and NAZWA_MA is null"));
}

// Posting refused or broken anywhere: a day without transfers, a ledger that
// refuses an entry half-way, a commit refused at the end, or a row that left the batch
// while the entries were written (so one stamp would be missing). The shared
// transaction holds no trace of the document, nor is its step recorded.
TEST_F(LedgerPostingTest, PostingRefusedOrBrokenAnywhereLeavesNoTrace) {
    addRealized(9104, "2026-12-10", 'B', "7", "Faktura FV/4", "");
    addRealized(9105, "2026-12-10", 'B', "8", "Faktura FV/5", "");  // posted before 9104
    db.exec("alter table FK_DEKRETY add constraint CHK_TEST_KWOTA check (KWOTA <> 7)");
    fb::Transaction& tr = dmMain->transaction();
    const auto stan = [&] {
        return pxtest::tableRows(tr, "FK_DOKUMENTY") + pxtest::tableRows(tr, "FK_DEKRETY") +
               pxtest::tableRows(tr, "PR_PRZELEWY_ZREALIZOWANE") + pxtest::tableRows(tr, "PR_WYSTAWIONE");
    };
    const std::string przed = stan();
    for (const auto& [text, letter] :
         {std::pair{"Brak przelewów z danego dnia! ", 'Z'}, std::pair{"Nie utworzono dokumentu w FK", 'B'}}) {
        dialogs->expectMessage(QString::fromUtf8(text), ui::Answer::Ok);
        EXPECT_FALSE(bKsiegujPrzelewy(context, kDay, letter, 1));
        EXPECT_EQ(przed, stan()) << letter;
    }
    const auto broken = [&](const char* what) {
        dialogs->expectShowMessage(QStringLiteral("Błąd zapisu Dokumentu do FK "));
        EXPECT_FALSE(bKsiegujPrzelewy(context, kDay, 'A', 1));
        EXPECT_EQ(przed, stan()) << what;
        EXPECT_FALSE(DMP->queZrealizowane.isEditing());
    };
    {
        pxtest::InjectedFailure awaria(tr, pxtest::InjectedFailure::kCommit);
        broken("commit");
    }
    fb::selectValue(tr, "select rdb$set_context('USER_SESSION', 'TEST_WYCOFANIE', 1) from rdb$database");
    broken("a row left the batch");
}

}  // namespace
