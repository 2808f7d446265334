// Every writing handler of the register, the entry form and the amount split,
// broken by the database half-way: what the database holds and what the
// register counts must be exactly what they were before the attempt.
#include "RegisterWindows.h"
#include "support/InjectedFailure.h"

namespace {

using pxtest::InjectedFailure;

const QString kAwaria = QStringLiteral("Awaria wstrzyknięta przez test");

class FailedWritesTest : public pxtest::RegisterWindows {
protected:
    void SetUp() override {
        pxtest::installFailures(db, {"PR_PRZELEWY"});
        // Only the first set holds marks: a walk over all rows writes every pending one.
        db.exec("update PR_PRZELEWY set ZAZNACZ2 = 0, ZAZNACZ3 = 0");
        RegisterWindows::SetUp();
        okno = &rejestr();
        przed = stan();
    }

    // The table as the shared transaction sees it (what was written and not
    // undone shows), the set's count and sum, and the amount the list shows
    // for each row.
    std::string stan() {
        std::string s = pxtest::tableRows(tr(), "PR_PRZELEWY") + "\nset " + okno->pnlIlosc->text().toStdString() + " " +
                        okno->pnlRazem->text().toStdString() + "\nlist";
        const int wiersz = q().recNo();
        for (int r = 0; r < q().recordCount(); ++r) {
            data::Dataset::RowScope w(q(), r);
            s += " " + tekst("ID").toStdString() + "=" + tekst("WARTOSC").toStdString();
        }
        q().setRecNo(wiersz);
        return s;
    }
    void expectUnchanged(const char* krok) {
        EXPECT_FALSE(q().isEditing()) << krok;
        EXPECT_EQ(przed, stan()) << krok;
    }
    fb::Transaction& tr() { return dmMain->transaction(); }
    // A pending row with that mark of the first set; the last such one in the list.
    qint64 wiersz(int znak) {
        for (q().last();; q().prior()) {
            if (q()["DATA_REALIZACJI"].isNull() && q()["ZAZNACZ"].asInteger() == znak) return q()["ID"].asInteger();
            if (q().bof()) break;
        }
        ADD_FAILURE() << "no pending row with mark " << znak;
        return 0;
    }
    // Runs `act` with that write (a row of the table, or the commit) failing; nothing may change.
    void failing(const char* krok, const char* where, qint64 id, const std::function<void()>& act) {
        {
            InjectedFailure awaria(tr(), where, id);
            act();
        }
        expectUnchanged(krok);
    }
    void expectError(const char* operacja) {
        dialogs->expectShowMessage(QStringLiteral("frmPrzelewy->%1() \n\n").arg(QLatin1String(operacja)));
    }

    TfrmPrzelewy* okno = nullptr;
    std::string przed;
};

TEST_F(FailedWritesTest, DeletingARowWhoseCommitFailsKeepsItInTheListAndTheSet) {
    const qint64 id = wiersz(1);
    dialogs->expectMessage(QStringLiteral("Czy chcesz usunąć wybrany przelew?"), ui::Answer::Yes);
    expectError("btnUsunClick");
    failing("delete", InjectedFailure::kCommit, 0, [&] { okno->btnUsunClick(); });
    EXPECT_TRUE(dialogs->shown().back().text.contains(kAwaria)) << "the database's own message is shown";
    EXPECT_EQ(id, q()["ID"].asInteger()) << "the row stays current";
}

TEST_F(FailedWritesTest, UnmarkingThatFailsAtTheCommitChangesNothing) {
    const qint64 id = wiersz(1);
    dialogs->expectShowMessage(QStringLiteral("Blad"));
    failing("commit", InjectedFailure::kCommit, 0, [&] { okno->btnZaznacz->click(); });
    EXPECT_EQ(id, q()["ID"].asInteger());
}

TEST_F(FailedWritesTest, MarkingAndUnmarkingAllThatFailAtTheLastRowKeepNoRow) {
    const qint64 ostatni = wiersz(0);
    expectError("ZaznaczWszystkie");
    failing("mark all", "PR_PRZELEWY", ostatni, [&] { okno->actZaznaczWszystkie->trigger(); });

    const qint64 ostatniZaznaczony = wiersz(1);
    expectError("OdznaczWszystkie");
    failing("unmark all", "PR_PRZELEWY", ostatniZaznaczony, [&] { okno->actOdznaczWszystkie->trigger(); });
    EXPECT_EQ(q().recordCount(), okno->grdPrzelewy->model()->rowCount()) << "the grid is attached again";
}

TEST_F(FailedWritesTest, TheEntryFormGivesUpARowWhoseCommitFailed) {
    const qint64 id = wiersz(1);
    okno->btnModyfikujClick();
    ASSERT_NE(nullptr, frmPrzelewyDane);
    q()["WARTOSC_CALA"].setDouble(q()["WARTOSC_CALA"].asDouble() + 1000);
    dialogs->expectMessage(QStringLiteral("Błąd podczas zapisu"), ui::Answer::Ok);
    {
        InjectedFailure awaria(tr(), InjectedFailure::kCommit);
        frmPrzelewyDane->btnZapisz->click();
    }
    zamknieto();
    EXPECT_EQ(nullptr, frmPrzelewyDane);
    expectUnchanged("entry form");
    EXPECT_EQ(id, q()["ID"].asInteger());
}

TEST_F(FailedWritesTest, AnAmountSplitWhoseCommitFailsLeavesTheAmountAndTheSum) {
    wiersz(1);
    dialogs->expectModal([&](QWidget& w) {
        auto& podzial = static_cast<TfrmPodzialKwoty&>(w);
        q().edit();
        q()["WARTOSC"].setDouble(0.01);
        dialogs->expectShowMessage(QStringLiteral("frmPodzialKwoty->btnOKClick() \n\n"));
        InjectedFailure awaria(tr(), InjectedFailure::kCommit);
        podzial.btnOKClick();
        return podzial.modalResult();
    });
    okno->CzesciowaOplataClick();
    expectUnchanged("amount split");
}

}  // namespace
