// Issuing the marked set through the window, on transfers of the tests' own
// contractors; the demo's marks are cleared so that only they are issued.
#include "BatchFixture.h"
#include "module/register/Przelewy.h"
#include "support/InjectedFailure.h"

#include <QButtonGroup>
#include <QDir>
#include <QFile>
#include <QTest>
#include <functional>
#include <memory>

namespace {

class WystawPrzelewyTest : public pxtest::BatchFixture {
protected:
    void SetUp() override {
        pxtest::installFailures(db, {"PR_PRZELEWY"});
        BatchFixture::SetUp();
        folder = bankFolder(1);
    }

    // Runs the window on kDay over that set and bank (0: none to pick) with what `script` queues.
    void press(const std::function<void()>& script, int bank = 1, int set = 2) {
        runIssuing(
            kDay, bank, [&](TfrmWystawPrzelewy&) { script(); }, set);
    }
    // Answers Yes to the question, then expects what `after` queues.
    void issue(const std::function<void()>& after) {
        press([&] {
            dialogs->expectMessage(QStringLiteral("Czy akceptujesz ?"), ui::Answer::Yes);
            after();
        });
    }
    void expectMessage(const QString& text) { dialogs->expectMessage(text, ui::Answer::Ok); }
    // A refusal before the question: nothing written.
    void expectRefusal(const QString& text, int bank = 1, int set = 2) {
        press([&] { expectMessage(text); }, bank, set);
        expectNothingWritten();
    }
    void expectFileMessage(char letter = 'A') {
        expectMessage("Stworzono plik do banku: " + folder + "/P-2026-12-10-" + QLatin1Char(letter) + ".PLI");
    }
    void expectNothingWritten() {
        EXPECT_EQ(0, count("PR_WYSTAWIONE where " + kBatch));
        EXPECT_EQ(0, count("PR_PRZELEWY_ZREALIZOWANE where " + kBatch));
        EXPECT_EQ(marked, count("PR_PRZELEWY where ZAZNACZ2 = 1 and DATA_REALIZACJI is null"));
        EXPECT_TRUE(QDir(folder).entryList(QDir::Files).isEmpty());
    }
    int fileLines() { return QString::fromStdString(contents(folder + "/P-2026-12-10-A.PLI")).count(u"\r\n"); }
    // Three transfers in set 2, one of them paid in part.
    void addThree() {
        addTransfer(9201, "FV/1", "1000", "1000");
        addTransfer(9202, "FV/2", "1000", "200", "300");
        db.exec(
            "insert into PR_PRZELEWY_ZREALIZOWANE (ID, ID_KONTRAHENTA, ID_KONTA_BANK, ID_KONTA_FIRMY, "
            "DATA_REALIZACJI, KOLEJNY, NR_FAKTURY, WARTOSC) values (9299, 9001, 9001, 1, '2026-11-02', 'A', "
            "'FV/2', 300)");  // what was paid of FV/2 before
        addTransfer(9203, "FV/3", "50.5", "50.5", "0", kOther);
        marked = 3;
    }
    // Without posting no document code is needed.
    void postingOff() {
        DMP->iKsiegowacPrzelewy = 0;
        DMP->iIdKoduDokPrzelewu = 0;
    }

    QString folder;
    std::int64_t marked = 0;
};

// The batch takes the first free letter of the day, up to S; it pays each
// transfer in full or in part and clears only the active set's mark.
TEST_F(WystawPrzelewyTest, FirstFreeLetterPaysInFullOrInPartAndClearsOnlyTheActiveMark) {
    postingOff();
    for (char letter = 'A'; letter <= 'S'; ++letter)
        db.exec("insert into PR_WYSTAWIONE (ID, DATA_REALIZACJI, KOLEJNY, ID_BANKU) values (" +
                std::to_string(900 + letter) + ", '2026-12-10', '" + letter + "', 2)");
    addTransfer(9201, "FV/1", "1000", "1000");
    addTransfer(9202, "FV/2", "1000", "200", "300");
    addTransfer(9203, "FV/3", "100", "80", "50");  // more than is owed
    addTransfer(9204, "FV/4", "10", "10");  // in two sets, as a foreign writer may leave it
    addTransfer(9205, "FV/5", "10", "10");
    db.exec("update PR_PRZELEWY set ZAZNACZ = 1, ZAZNACZ2 = iif(ID = 9204, 1, 0) where ID in (9204, 9205)");
    press([this] { expectMessage(QStringLiteral("Za duzo przelewów jednego dnia")); });
    db.exec("delete from PR_WYSTAWIONE where KOLEJNY not in ('A', 'C')");
    issue([this] { expectFileMessage('B'); });

    EXPECT_EQ(1, count("PR_WYSTAWIONE where " + kBatch + " and KOLEJNY = 'B' and ID_BANKU = 1"));
    EXPECT_EQ(3,
              count("PR_PRZELEWY where ID in (9201, 9203, 9204) and " + kBatch + " and KOLEJNY = 'B' and WARTOSC = 0"));
    EXPECT_EQ(1, count("PR_PRZELEWY where ID = 9203 and WARTOSC_WYPLACONA = 130"));
    EXPECT_EQ(1, count("PR_PRZELEWY where ID = 9202 and DATA_REALIZACJI is null and KOLEJNY is null and "
                       "WARTOSC = 500 and WARTOSC_WYPLACONA = 500"));
    EXPECT_EQ(0, count("PR_PRZELEWY where ZAZNACZ2 = 1"));
    EXPECT_EQ(2, count("PR_PRZELEWY where ID in (9204, 9205) and ZAZNACZ = 1"));

    EXPECT_EQ(4, count("PR_PRZELEWY_ZREALIZOWANE where " + kBatch +
                       " and KOLEJNY = 'B' and ID_KONTA_FIRMY = 1 and "
                       "ID_KONTRAHENTA = 9001 and ID_KONTA_BANK = 9001 and ID_DOKUMENTU_FK is null"));
    EXPECT_EQ(129000, grosze("WARTOSC", "PR_PRZELEWY_ZREALIZOWANE where " + kBatch));
}

TEST_F(WystawPrzelewyTest, RefusalsAndNoWriteNothing) {
    addThree();
    press([this] { dialogs->expectMessage(QStringLiteral("Czy akceptujesz ?"), ui::Answer::No); });
    expectNothingWritten();

    expectRefusal(QStringLiteral("Nie zaznaczono faktur !"), 1, 3);
    dmMain->cBlokadaPrzelewow = 1;
    expectRefusal(QStringLiteral("Wystawianie przelewów na bazie tego roku zablokowane !"));
    dmMain->cBlokadaPrzelewow = 0;
    DMP->iIdKoduDokPrzelewu = 0;
    expectRefusal(QStringLiteral("Nie określono w parametrach Kodu dokumentu w F-K  dla przelewów"));
    DMP->queBanki.setSql({QStringLiteral("select * from ET_BANKI where id > 100")});
    expectRefusal(QStringLiteral("Brak  konta bankowego - firmy"), 0);
}

// Another user committed the same letter while the question was open, or
// holds it or a transfer of the set uncommitted; the batch goes back whole.
TEST_F(WystawPrzelewyTest, LetterTakenOrRowHeldByAnotherUserRollsBack) {
    addThree();
    const QString taken = QStringLiteral(
        "Partia przelewów z tego dnia o literze A została właśnie wystawiona przez "
        "innego użytkownika. Wystaw przelewy ponownie.");
    // Right after the lookup found 'A' free, the other user commits it.
    auto race = std::make_shared<QMetaObject::Connection>();
    *race = QObject::connect(&DMP->queWystawione, &data::Dataset::afterOpen, [this, race] {
        if (!DMP->queWystawione.sql().join(' ').contains(QStringLiteral("KOLEJNY = 'A'"))) return;
        QObject::disconnect(*race);
        db.exec(
            "insert into PR_WYSTAWIONE (ID, DATA_REALIZACJI, KOLEJNY, ID_BANKU) values (990, '2026-12-10', 'A', 2)");
    });
    issue([&] { expectMessage(taken); });
    EXPECT_EQ(1, count("PR_WYSTAWIONE where " + kBatch + " and ID_BANKU = 2"));
    db.exec("delete from PR_WYSTAWIONE");
    expectNothingWritten();

    // A transfer of the set held uncommitted by the other user.
    fb::Transaction other(db.attachment());
    db.attachment().execute(other, "update PR_PRZELEWY set TRESC1 = 'zmiana' where ID = 9203");
    issue([&] { expectMessage(QStringLiteral("Przelew FV/3 dla Firma Testowa jest właśnie zmieniany")); });
    other.rollback();
    expectNothingWritten();
    EXPECT_EQ(1, count("PR_PRZELEWY where ID = 9201 and WARTOSC_WYPLACONA = 0")) << "paid before the held one";
}

// The last payment of the walk broken, then the commit: the batch stops
// there with one message (a second failing row would show another), what the
// shared transaction holds afterwards is what it held before, an amount split
// committed before issuing included, and no file is made.
TEST_F(WystawPrzelewyTest, ABatchBrokenAnywhereLeavesTheDatabaseAsItWas) {
    addThree();
    postingOff();
    prepareSet(2);
    ASSERT_TRUE(DMP->quePrzelewy.locate(QStringLiteral("ID"), 9201));
    DMP->quePrzelewy.edit();
    DMP->quePrzelewy.fieldByName(QStringLiteral("WARTOSC")).setDouble(600);
    DMP->quePrzelewy.post();
    fb::Transaction& tr = dmMain->transaction();
    tr.commitRetaining();  // as the split does
    const auto stan = [&] {
        return pxtest::tableRows(tr, "PR_WYSTAWIONE") + pxtest::tableRows(tr, "PR_PRZELEWY") +
               pxtest::tableRows(tr, "PR_PRZELEWY_ZREALIZOWANE");
    };
    const std::string przed = stan();
    const std::pair<const char*, int> awarie[] = {{"PR_PRZELEWY", 9203},  // the last of the walk
                                                  {pxtest::InjectedFailure::kCommit, 0}};
    for (const auto& [tabela, id] : awarie) {
        pxtest::InjectedFailure awaria(tr, tabela, id);
        issue([&] { dialogs->expectShowMessage(QStringLiteral("Błąd ")); });
        EXPECT_EQ(przed, stan()) << tabela;
        EXPECT_TRUE(QDir(folder).entryList(QDir::Files).isEmpty()) << tabela;
    }
}

// The batch is committed before its file and document are made: their
// failures are reported, the batch stays with both steps recorded as missing,
// and it is offered when the register is opened, then finished. (Finishing
// after a crash is the crash test's.)
TEST_F(WystawPrzelewyTest, FailingFileAndDocumentKeepTheCommittedBatch) {
    db.exec("update ET_BANKI set SCIEZKA_PRZELEWOW = '/brak/folderu' where ID = 1");
    db.exec("update FK_PLANKONT set BANK_ID = 99 where BANK_ID = 1");
    addThree();
    issue([this] {
        expectMessage(QStringLiteral("Brak folderu do tworzenia zbioru dla danego banku:\n /brak/folderu"));
        expectMessage(QStringLiteral("Nie stworzono zbioru bankowego "));
        expectMessage(QStringLiteral("Brak w Planie Kont dla banku firmy analityki"));
        expectMessage(QStringLiteral("Nie stworzono dokumentu w FK lub błędny zapis dokumentu\nSprawdź !!! "));
    });
    EXPECT_EQ(1, count("PR_WYSTAWIONE where " + kBatch + " and ZBIOR_ZAPISANY = 0 and DOKUMENT_ZAPISANY = 0"));
    expectInvariants();

    // Declined when the register opens, it is offered again next time.
    const QString offer = QStringLiteral(
        "Nie dokończono wystawienia partii przelewów:\n2026-12-10 A: brak zbioru "
        "bankowego, brak dokumentu FK");
    dialogs->expectMessage(offer, ui::Answer::No);
    module->vPrzelewyMDI(qApp);
    frmPrzelewy->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    db.exec("update ET_BANKI set SCIEZKA_PRZELEWOW = '" + folder.toStdString() + "' where ID = 1");
    db.exec("update FK_PLANKONT set BANK_ID = 1 where BANK_ID = 99");
    dialogs->expectMessage(offer, ui::Answer::Yes);
    expectFileMessage();
    dialogs->expectShowMessage(QStringLiteral("Dopisano dokument FK"));
    vZaproponujDokonczeniePartii();
    EXPECT_TRUE(unfinishedBatches().empty());
    EXPECT_EQ(3, fileLines());
    expectInvariants();  // every row posted
}

// The file and the document of an issue are made from the rows the walk has
// just paid, those of a batch finished later from its stored rows: both give
// the same bytes and the same entries, newest first, a part payment and a
// split payment's VAT part included.
TEST_F(WystawPrzelewyTest, AnIssuesFileAndDocumentAreThoseOfItsStoredRows) {
    addThree();
    db.exec("update ET_KONTAKT set NIP = '551-239-34-71' where ID = " + std::to_string(kContractor));
    db.exec(
        "update PR_PRZELEWY set MPP = 1, KWOTA_VAT_CALA = 187, KWOTA_VAT_WYPLACONA = 0, KWOTA_VAT = 93.5, "
        "WARTOSC = 500.25, TRESC1 = 'Zapłata „pilna”', PARAGRAF = '4210' where ID = 9201");
    const auto entries = [this] {
        return db.scalarText(
            "select list(LP || ' ' || coalesce(KONTO_WN, '-') || ' ' || coalesce(KONTO_MA, '-') || ' ' || KWOTA || "
            "' ' || coalesce(OPIS, '-') || ' ' || coalesce(NR_RACH, '-') || ' ' || coalesce(PARAGRAF, '-'), '; ') "
            "from (select * from FK_DEKRETY where ID_DOKUMENTU = (select max(ID_DOKUMENTU_FK) from "
            "PR_PRZELEWY_ZREALIZOWANE where " +
            kBatch + ") order by LP)");
    };
    const QString file = folder + "/P-2026-12-10-A.PLI";
    issue([this] {
        expectFileMessage();
        dialogs->expectShowMessage(QStringLiteral("Dopisano dokument FK"));
    });
    const std::string issuedFile = contents(file);
    const std::string issuedEntries = entries();
    ASSERT_EQ(3, fileLines());
    ASSERT_NE(std::string::npos, issuedFile.find("/VAT/93,50/")) << issuedFile;

    // Both steps undone and recorded as missing, then finished from the stored rows.
    ASSERT_TRUE(QFile::remove(file));
    db.exec(
        "delete from FK_DEKRETY where ID_DOKUMENTU in (select ID_DOKUMENTU_FK from PR_PRZELEWY_ZREALIZOWANE where " +
        kBatch + ")");
    db.exec("update PR_PRZELEWY_ZREALIZOWANE set ID_DOKUMENTU_FK = null where " + kBatch);
    db.exec("update PR_WYSTAWIONE set ZBIOR_ZAPISANY = 0, DOKUMENT_ZAPISANY = 0 where " + kBatch);
    expectFileMessage();
    dialogs->expectShowMessage(QStringLiteral("Dopisano dokument FK"));
    ASSERT_EQ(1u, unfinishedBatches().size());
    EXPECT_TRUE(bDokonczPartie(unfinishedBatches().front()));
    EXPECT_EQ(issuedFile, contents(file));
    EXPECT_EQ(issuedEntries, entries());
}

// Two users on one database: another user issues the rest of the set while
// the batch is being paid; nothing of the batch is kept and the other user's
// payment stands.
using TwoUsersIssue = WystawPrzelewyTest;

TEST_F(TwoUsersIssue, AnIssueCommittedDuringTheWalkRollsBackTheBatch) {
    postingOff();
    for (int id = 9301; id <= 9303; ++id) addTransfer(id, "FW/" + std::to_string(id), "556.63", "556.63");
    const std::string theSet = "PR_PRZELEWY where ID between 9301 and 9303";
    // Right after the first payment is written, the other user commits the rest.
    auto once = std::make_shared<QMetaObject::Connection>();
    *once = QObject::connect(&DMP->quePrzelewy, &data::Dataset::afterPost, [&, once] {
        QObject::disconnect(*once);
        const std::string rest = " where ID between 9301 and 9303 and ID <> " +
                                 std::to_string(DMP->quePrzelewy.fieldByName(QStringLiteral("ID")).asInteger());
        db.exec(
            "insert into PR_PRZELEWY_ZREALIZOWANE (ID, ID_KONTRAHENTA, ID_KONTA_BANK, ID_KONTA_FIRMY, "
            "DATA_REALIZACJI, KOLEJNY, NR_FAKTURY, WARTOSC) select ID + 100000, ID_KONTRAHENTA, "
            "ID_KONTA_BANK, 2, '2026-12-09', 'A', NR_FAKTURY, WARTOSC from PR_PRZELEWY" +
            rest);
        db.exec(
            "update PR_PRZELEWY set DATA_REALIZACJI = '2026-12-09', KOLEJNY = 'A', WARTOSC = 0, "
            "WARTOSC_WYPLACONA = WARTOSC_CALA" +
            rest);
    });
    issue([this] { expectMessage(QStringLiteral("został w międzyczasie wystawiony lub zmieniony przez innego")); });
    QObject::disconnect(*once);

    EXPECT_EQ(0, count("PR_WYSTAWIONE where " + kBatch));
    EXPECT_EQ(1, count(theSet + " and DATA_REALIZACJI is null and WARTOSC = 556.63 and WARTOSC_WYPLACONA = 0"))
        << "the first payment went back with the batch";
    EXPECT_EQ(2, count(theSet + " and WARTOSC_WYPLACONA = 556.63 and KOLEJNY = 'A'")) << "the other user's stands";
    EXPECT_TRUE(QDir(folder).entryList(QDir::Files).isEmpty());
    expectInvariants();
}

// The road of one issue from the register: set 2, two rows marked with F3,
// F5, bank 1, Yes.
TEST_F(WystawPrzelewyTest, RoadOfOneIssueFromTheRegister) {
    db.exec(
        "update PR_PRZELEWY set ZAZNACZ2 = 1 where ID in (select first 3 ID from PR_PRZELEWY "
        "where DATA_REALIZACJI is null and ID_KONTRAHENTA <= 20 order by ID)");
    addTransfer(9201, "FV/1", "1000", "200", "300");
    addTransfer(9202, "FV/2", "1234.5", "1234.5", "0", kOther);
    db.exec("update PR_PRZELEWY set ZAZNACZ2 = 0 where ID in (9201, 9202)");
    const auto paid = grosze("WARTOSC", "PR_PRZELEWY where ZAZNACZ2 = 1") + 20000 + 123450;

    module->vPrzelewyMDI(qApp);
    TfrmPrzelewy& okno = *frmPrzelewy;
    okno.runActivation();
    okno.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&okno));
    okno.grpZestawy->button(1)->click();
    for (int id : {9201, 9202}) {
        ASSERT_TRUE(DMP->quePrzelewy.locate(QStringLiteral("ID"), id));
        QTest::keyClick(okno.grdPrzelewy, Qt::Key_F3);
    }
    dialogs->expectModal(issuing(kDay, 1, [this](TfrmWystawPrzelewy&) { expectIssued(); }));
    QTest::keyClick(okno.grdPrzelewy, Qt::Key_F5);

    // The register starts over from its pending list, its grid attached again.
    EXPECT_TRUE(DMP->quePrzelewy.locate(QStringLiteral("ID"), 9201)) << "paid in part, still pending";
    EXPECT_FALSE(DMP->quePrzelewy.locate(QStringLiteral("ID"), 9202));
    EXPECT_EQ(DMP->quePrzelewy.recordCount(), okno.grdPrzelewy->model()->rowCount());

    EXPECT_EQ(paid, grosze("WARTOSC", "PR_PRZELEWY_ZREALIZOWANE where " + kBatch + " and KOLEJNY = 'A'"));
    EXPECT_EQ(5, fileLines());
    EXPECT_EQ(0, count("PR_PRZELEWY_ZREALIZOWANE where " + kBatch + " and ID_DOKUMENTU_FK is null")) << "posted";
}

}  // namespace
