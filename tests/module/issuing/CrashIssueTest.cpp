// An issue killed at random moments, as a crash or a switched-off workstation
// would stop it: whatever the moment, no transfer is paid twice, each paid
// amount equals its realized rows, and a batch committed without its bank
// file or ledger document is offered at the next start and finished there.
#include "IssuingFixture.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <random>

namespace {

constexpr int kRounds = 6;
constexpr int kTransfers = 60;
constexpr unsigned kSeed = 20261207;

class CrashIssueTest : public ::testing::Test {
protected:
    void SetUp() override { db.exec("update PR_PRZELEWY set ZAZNACZ = 0, ZAZNACZ2 = 0, ZAZNACZ3 = 0"); }

    // Transfers to demo contractor 1, marked in set 2.
    void addTransfers(int round) {
        for (int i = 0; i < kTransfers; ++i) {
            const std::string id = std::to_string(9000 + round * 100 + i);
            db.exec("insert into PR_PRZELEWY (ID, ID_KONTRAHENTA, ID_KONTA_BANK, NR_FAKTURY, TRESC1, WN, "
                    "TERMIN_ZAPLATY, WPROWADZONY, WARTOSC_CALA, WARTOSC_WYPLACONA, WARTOSC, ZAZNACZ, ZAZNACZ2, "
                    "ZAZNACZ3) values (" + id + ", 1, 1, 'AW/" + id + "', 'Faktura AW/" + id + "', '201-K0001', "
                    "'2026-12-01', 1, " + std::to_string(10 + i) + ".25, 0, " + std::to_string(10 + i) +
                    ".25, 0, 1, 0)");
        }
    }

    // Runs the issuing process on the day; kills it `killAfter` ms after it
    // is ready, or lets it finish when negative, or kills it where it stops
    // at the first message holding `stopAt`. The time it ran once ready.
    qint64 runIssue(const QDate& day, qint64 killAfter, const QString& stopAt = {}) {
        db.release();
        QProcess process;
        if (!stopAt.isEmpty()) {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("PXFER_STOP_AT"), stopAt);
            process.setProcessEnvironment(env);
        }
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(QStringLiteral(PXFER_ISSUE_PROCESS),
                      {QString::fromStdString(db.params().database), day.toString(Qt::ISODate)});
        EXPECT_TRUE(process.waitForStarted(30000));
        QByteArray out;
        while (!out.contains("ready") && process.waitForReadyRead(60000)) out += process.readAllStandardOutput();
        EXPECT_TRUE(out.contains("ready")) << out.toStdString();
        QElapsedTimer ran;
        ran.start();
        if (!stopAt.isEmpty()) {
            while (!out.contains("stopped") && process.waitForReadyRead(60000)) out += process.readAllStandardOutput();
            EXPECT_TRUE(out.contains("stopped")) << out.toStdString();
            process.kill();
            process.waitForFinished(30000);
        } else if (killAfter >= 0 && !process.waitForFinished(static_cast<int>(killAfter))) {
            process.kill();
            process.waitForFinished(30000);
        } else if (killAfter < 0) {
            EXPECT_TRUE(process.waitForFinished(300000));
            out += process.readAllStandardOutput();
            EXPECT_EQ(0, process.exitCode()) << out.toStdString();
            EXPECT_TRUE(out.contains("done")) << out.toStdString();
        }
        const qint64 elapsed = ran.elapsed();
        db.reattach();
        return elapsed;
    }

    // The next start of the module: what the batches' step columns say is
    // missing is offered, accepted and made; nothing is left unfinished.
    // The number of batches that were unfinished.
    int nextStart() {
        db.transaction().commitRetaining();
        fb::Statement st(db.transaction(),
                         "select w.DATA_REALIZACJI, w.KOLEJNY, w.ZBIOR_ZAPISANY, w.DOKUMENT_ZAPISANY, (select count(*) "
                         "from PR_PRZELEWY_ZREALIZOWANE z where z.DATA_REALIZACJI = w.DATA_REALIZACJI and z.KOLEJNY = "
                         "w.KOLEJNY and z.ID_DOKUMENTU_FK is not null) from PR_WYSTAWIONE w where w.ZBIOR_ZAPISANY = 0 "
                         "or w.DOKUMENT_ZAPISANY = 0 order by w.DATA_REALIZACJI, w.KOLEJNY");
        fb::Cursor c = st.open(db.transaction());
        int unfinished = 0;
        while (c.fetch()) {
            if (unfinished++ == 0)
                dialogs->expectMessage(QStringLiteral("Nie dokończono wystawienia partii przelewów"), ui::Answer::Yes);
            if (c.asInt(2) == 0) dialogs->expectMessage(QStringLiteral("Stworzono plik do banku: "), ui::Answer::Ok);
            if (c.asInt(3) == 0 && c.asInt(4) == 0) dialogs->expectShowMessage(QStringLiteral("Dopisano dokument FK"));
        }
        {
            siblings::Suite suite(db.params());
            CPrzelew module;
            EXPECT_TRUE(unfinishedBatches().empty());
        }
        dialogs->verifyAllConsumed();
        pxtest::expectMoneyInvariants(db, {}, true);
        return unfinished;
    }

    pxtest::TestDatabase db;
    pxtest::ScopedDialogs dialogs;
};

TEST_F(CrashIssueTest, KilledIssueNeverPaysTwiceAndIsFinishedAtTheNextStart) {
    std::mt19937 random(kSeed);
    QDate day(2026, 12, 10);
    addTransfers(0);
    const qint64 whole = runIssue(day, -1);
    EXPECT_EQ(0, nextStart());

    // Killed between the bank file and the ledger document, for certain.
    addTransfers(kRounds + 1);
    day = day.addDays(1);
    runIssue(day, -1, QStringLiteral("Stworzono plik do banku"));
    // Told of the file, the user may have sent it: it must not be offered as missing again.
    EXPECT_EQ(1, db.scalarCents("select ZBIOR_ZAPISANY from PR_WYSTAWIONE where DATA_REALIZACJI = '" +
                                day.toString(Qt::ISODate).toStdString() + "' and KOLEJNY = 'A'"));
    QFile file(QString::fromStdString(db.scalarText("select SCIEZKA_PRZELEWOW from ET_BANKI where ID = 1")) + "/P-" +
               day.toString(Qt::ISODate) + "-A.PLI");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray written = file.readAll();
    file.close();
    EXPECT_EQ(1, nextStart()) << "the batch without its document";
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(written, file.readAll()) << "the file written again is the same";

    int finished = 0;
    for (int round = 1; round <= kRounds; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        addTransfers(round);
        day = day.addDays(1);
        runIssue(day, std::uniform_int_distribution<qint64>(0, whole)(random));
        finished += nextStart();
    }
    // Whatever the kills left marked goes out with one more issue; when every
    // killed issue had already committed, nothing is left and the issue would
    // rightly refuse an empty set.
    if (db.scalarCents("select count(*) from PR_PRZELEWY where ZAZNACZ2 = 1 and DATA_REALIZACJI is null") > 0) {
        runIssue(day.addDays(1), -1);
        EXPECT_EQ(0, nextStart());
    }
    EXPECT_EQ(0, db.scalarCents("select count(*) from PR_PRZELEWY where ID >= 9000 and DATA_REALIZACJI is null"));
    RecordProperty("batches_finished_at_start", finished);
}

}  // namespace
