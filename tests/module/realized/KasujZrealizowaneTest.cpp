// Deleting realized transfers before 1 January of a chosen year, on the demo
// database (fiscal year 2026) with rows on both sides of the boundary.
#include "module/realized/Kasujzrealizowane.h"

#include "module/issuing/IssuingFixture.h"

#include <QCoreApplication>
#include <QPushButton>
#include <QSpinBox>
#include <functional>

namespace {

class KasujZrealizowaneTest : public pxtest::IssuingFixture {
protected:
    void SetUp() override {
        // Something else of the suite that still refers to an old realized row blocks deleting it.
        db.exec("create table TEST_ODWOLANIE (ID integer references PR_PRZELEWY_ZREALIZOWANE (ID))");
        IssuingFixture::SetUp();
        addRealized(9101, "2025-12-31 23:59:59", 'A', "10", "Stary", "4210");
        addRealized(9102, "2026-01-01", 'A', "20", "Nowy", "4210");
        addRealized(9103, "2026-06-30", 'B', "30", "Nowy", "4210");
        batches = count("PR_WYSTAWIONE");
        transfers = count("PR_PRZELEWY");
    }

    // Runs the window modally; `act` sets the year, queues what it expects and presses OK.
    void run(const std::function<void(TfrmKasujZrealizowane&)>& act) {
        dialogs->expectModal([act](QWidget& w) {
            auto& window = static_cast<TfrmKasujZrealizowane&>(w);
            act(window);
            return window.modalResult();
        });
        ui::dialogs().runModal(*new TfrmKasujZrealizowane(nullptr));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(nullptr, frmKasujZrealizowane);
    }
    std::int64_t oldRows() {
        return sharedCents(
            "select count(*) from PR_PRZELEWY_ZREALIZOWANE where "
            "DATA_REALIZACJI < '2026-01-01'");
    }

    std::int64_t batches = 0, transfers = 0;
};

// The fiscal year, offered first, deletes everything before its first day and
// nothing else; a year after the database's is refused.
TEST_F(KasujZrealizowaneTest, FiscalYearDeletesEverythingBeforeItsFirstDayOnly) {
    const std::int64_t all = count("PR_PRZELEWY_ZREALIZOWANE"), old = oldRows();
    ASSERT_GT(old, 1);
    run([this](TfrmKasujZrealizowane& window) {
        EXPECT_EQ(2026, window.cspRok->value());
        dialogs->expectShowMessage(QStringLiteral("Pomyślnie usunięto zrealizowane przelewy z BAZY"));
        window.btnOK->click();
    });
    EXPECT_EQ(all - old, count("PR_PRZELEWY_ZREALIZOWANE"));
    EXPECT_EQ(0, count("PR_PRZELEWY_ZREALIZOWANE where DATA_REALIZACJI < '2026-01-01'"));
    EXPECT_EQ(std::pair(batches, transfers), std::pair(count("PR_WYSTAWIONE"), count("PR_PRZELEWY")));

    // Without the fiscal year row every year is after it.
    db.exec("delete from FK_ROK_OBRACHUNKOWY where ID = 0");
    run([this](TfrmKasujZrealizowane& window) {
        dialogs->expectShowMessage(QStringLiteral("Wybrany rok nie może być większy od roku na BAZIE"));
        window.btnOK->click();
        window.btnAnuluj->click();
    });
    EXPECT_EQ(all - old, count("PR_PRZELEWY_ZREALIZOWANE"));
}

TEST_F(KasujZrealizowaneTest, FailingDeleteKeepsEveryRowAndSaysWhy) {
    db.exec("insert into TEST_ODWOLANIE (ID) values (9101)");
    const std::int64_t before = oldRows();
    run([this](TfrmKasujZrealizowane& window) {
        dialogs->expectShowMessage(QStringLiteral("Błąd podczas kasowania \n"));
        dialogs->expectShowMessage(QStringLiteral("NIE Usunięto przelewów z BAZY"));
        window.btnOK->click();
    });
    EXPECT_EQ(before, oldRows());
    EXPECT_FALSE(dialogs->shown().at(dialogs->shown().size() - 2).text.contains(QStringLiteral("/n")));
}

}  // namespace
