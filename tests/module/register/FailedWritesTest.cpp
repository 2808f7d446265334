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
    struct Stan {
        std::string tabela;
        QString ilosc, razem;
        std::vector<std::pair<qint64, qint64>> lista;
        bool operator==(const Stan&) const = default;
    };
    Stan stan() {
        Stan s{pxtest::tableRows(dmMain->transaction(), "PR_PRZELEWY"),
               okno->pnlIlosc->text(),
               okno->pnlRazem->text(),
               {}};
        const int wiersz = q().recNo();
        for (int r = 0; r < q().recordCount(); ++r) {
            data::Dataset::RowScope w(q(), r);
            s.lista.emplace_back(q()["ID"].asInteger(), q()["WARTOSC"].asDecimal().rescaled(2).units);
        }
        q().setRecNo(wiersz);
        return s;
    }
    void expectUnchanged(const char* krok) {
        EXPECT_FALSE(q().isEditing()) << krok;
        const Stan po = stan();
        EXPECT_EQ(przed.tabela, po.tabela) << krok;
        EXPECT_EQ(przed.ilosc.toStdString(), po.ilosc.toStdString()) << krok;
        EXPECT_EQ(przed.razem.toStdString(), po.razem.toStdString()) << krok;
        EXPECT_TRUE(przed.lista == po.lista) << krok << ": the list shows what the database holds";
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
    void expectError(const char* operacja) {
        dialogs->expectShowMessage(QStringLiteral("frmPrzelewy->%1() \n\n").arg(QLatin1String(operacja)));
    }

    TfrmPrzelewy* okno = nullptr;
    Stan przed;
};

TEST_F(FailedWritesTest, DeletingARowWhoseCommitFailsKeepsItInTheListAndTheSet) {
    const qint64 id = wiersz(1);
    dialogs->expectMessage(QStringLiteral("Czy chcesz usunąć wybrany przelew?"), ui::Answer::Yes);
    expectError("btnUsunClick");
    {
        InjectedFailure awaria(tr(), InjectedFailure::kCommit);
        okno->btnUsunClick();
    }
    expectUnchanged("delete");
    EXPECT_TRUE(dialogs->shown().back().text.contains(kAwaria)) << "the database's own message is shown";
    EXPECT_EQ(id, q()["ID"].asInteger()) << "the row stays current";
}

// Marking a row fails at the write, unmarking one at the commit.
TEST_F(FailedWritesTest, MarkingThatFailsAtThePostOrAtTheCommitChangesNothing) {
    for (const bool przyZapisie : {true, false}) {
        const qint64 id = wiersz(przyZapisie ? 0 : 1);
        naWiersz(id);
        dialogs->expectShowMessage(QStringLiteral("Blad"));
        {
            InjectedFailure awaria(tr(), przyZapisie ? "PR_PRZELEWY" : InjectedFailure::kCommit, id);
            okno->btnZaznacz->click();
        }
        expectUnchanged(przyZapisie ? "post" : "commit");
        EXPECT_EQ(id, q()["ID"].asInteger());
    }
}

TEST_F(FailedWritesTest, MarkingAndUnmarkingAllThatFailAtTheLastRowKeepNoRow) {
    const qint64 ostatni = wiersz(0);
    expectError("ZaznaczWszystkie");
    {
        InjectedFailure awaria(tr(), "PR_PRZELEWY", ostatni);
        okno->actZaznaczWszystkie->trigger();
    }
    expectUnchanged("mark all");

    const qint64 ostatniZaznaczony = wiersz(1);
    expectError("OdznaczWszystkie");
    {
        InjectedFailure awaria(tr(), "PR_PRZELEWY", ostatniZaznaczony);
        okno->actOdznaczWszystkie->trigger();
    }
    expectUnchanged("unmark all");
    EXPECT_EQ(q().recordCount(), okno->grdPrzelewy->model()->rowCount()) << "the grid is attached again";
}

TEST_F(FailedWritesTest, TheEntryFormKeepsARefusedRowAndGivesUpOneWhoseCommitFailed) {
    naWiersz(wiersz(1));
    const qint64 id = q()["ID"].asInteger();
    okno->btnModyfikujClick();
    ASSERT_NE(nullptr, frmPrzelewyDane);
    q()["WARTOSC_CALA"].setDouble(q()["WARTOSC_CALA"].asDouble() + 1000);

    dialogs->expectMessage(QStringLiteral("Błąd podczas zapisu"), ui::Answer::Ok);
    {
        InjectedFailure awaria(tr(), "PR_PRZELEWY", id);
        frmPrzelewyDane->btnZapisz->click();
    }
    EXPECT_EQ(data::Dataset::State::Edit, q().state()) << "the user corrects or cancels it";
    ASSERT_NE(nullptr, frmPrzelewyDane);
    EXPECT_EQ(przed.tabela, pxtest::tableRows(tr(), "PR_PRZELEWY"));

    dialogs->expectMessage(QStringLiteral("Błąd podczas zapisu"), ui::Answer::Ok);
    {
        InjectedFailure awaria(tr(), InjectedFailure::kCommit);
        frmPrzelewyDane->btnZapisz->click();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(nullptr, frmPrzelewyDane);
    expectUnchanged("entry form");
    EXPECT_EQ(id, q()["ID"].asInteger());
}

TEST_F(FailedWritesTest, AnAmountSplitWhoseCommitFailsLeavesTheAmountAndTheSum) {
    naWiersz(wiersz(1));
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
