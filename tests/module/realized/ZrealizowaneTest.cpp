// The realized transfers list over rows of the tests' own, the demo's
// realized rows removed so that the current month holds only these.
#include "module/realized/Zrealizowane.h"

#include "module/issuing/IssuingFixture.h"
#include "module/issuing/Wyborwystawione.h"
#include "module/realized/Zrealizowanepokaz.h"
#include "module/register/Przelewy.h"
#include "module/reports/Reportviewer.h"

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace {

class ZrealizowaneTest : public pxtest::IssuingFixture {
protected:
    void SetUp() override {
        IssuingFixture::SetUp();
        db.exec("delete from PR_PRZELEWY_ZREALIZOWANE");
        today = QDate::currentDate();
        first = QDate(today.year(), today.month(), 1);
        add(9101, first, 'A', "10");
        add(9102, today, 'A', "20");
        add(9103, today, 'B', "30");
        add(9104, first.addDays(-1), 'A', "40");
    }

    // A realized row of the batch, whose PR_WYSTAWIONE row is added with it.
    void add(int id, const QDate& day, char letter, const std::string& amount) {
        const std::string date = day.toString(Qt::ISODate).toStdString();
        addRealized(id, date, letter, amount, "Faktura " + std::to_string(id), "801-80101-4210");
        db.exec("update or insert into PR_WYSTAWIONE (ID, DATA_REALIZACJI, KOLEJNY, ID_BANKU) values (" +
                std::to_string(id) + ", '" + date + "', '" + letter + "', 1) matching (DATA_REALIZACJI, KOLEJNY)");
    }
    TfrmZrealizowane& open() {
        auto* window = new TfrmZrealizowane(nullptr);
        window->showWindow();
        window->runActivation();
        return *window;
    }
    static QList<qint64> ids() {
        QList<qint64> list;
        data::Dataset& rows = DMP->queZrealizowane;
        for (int r = 0; r < rows.recordCount(); ++r) {
            data::Dataset::RowScope row(rows, r);
            list << rows.fieldByName(QStringLiteral("ID")).asInteger();
        }
        return list;
    }

    QDate today, first;
};

TEST_F(ZrealizowaneTest, ListsTheCurrentMonthNewestBatchFirstAndFiltersOnRequest) {
    TfrmZrealizowane& window = open();
    const QList<qint64> listed = ids();
    ASSERT_EQ(3, listed.size());
    EXPECT_EQ(9103, listed.front());
    if (first != today) EXPECT_EQ((QList<qint64>{9103, 9102, 9101}), listed);
    window.DateTimePickerOd->setDate(first.addDays(-1));
    window.btnFiltruj->click();
    EXPECT_EQ(4, DMP->queZrealizowane.recordCount());
}

// A batch withdrawn meanwhile changes the register's set: the register reads
// its list and counts its set again when the realized list closes.
TEST_F(ZrealizowaneTest, OpensFromTheRegisterWhichCountsItsSetAgainAfterwards) {
    module->vPrzelewyMDI(qApp);
    TfrmPrzelewy& rejestr = *frmPrzelewy;
    rejestr.runActivation();
    const int marked = rejestr.pnlIlosc->text().toInt();
    rejestr.spbZrealizowane->click();
    ASSERT_TRUE(frmZrealizowane);
    frmZrealizowane->runActivation();

    db.exec(
        "update PR_PRZELEWY set ZAZNACZ = 1 where ID = (select min(ID) from PR_PRZELEWY where "
        "DATA_REALIZACJI is null and ZAZNACZ = 0 and ZAZNACZ2 = 0 and ZAZNACZ3 = 0)");
    frmZrealizowane->close();
    EXPECT_TRUE(rejestr.isEnabled());
    EXPECT_EQ(marked + 1, rejestr.pnlIlosc->text().toInt());
}

// The issued batches window leaves its batch in the query: the list selects its range again.
TEST_F(ZrealizowaneTest, SelectsItsRangeAgainAfterTheIssuedBatchesWindow) {
    TfrmZrealizowane& window = open();
    window.spbWydrukClick();
    ASSERT_TRUE(frmWyborWystawione);
    frmWyborWystawione->runActivation();
    ASSERT_TRUE(DMP->queWystawione.locate(QStringLiteral("ID"), 9101));
    dialogs->expectModal([](QWidget& w) {
        auto& preview = static_cast<TfrmPreview&>(w);
        preview.actCancel->trigger();
        return preview.modalResult();
    });
    frmWyborWystawione->btnWybierzClick();
    EXPECT_EQ((QList<qint64>{9101}), ids());
    frmWyborWystawione->btnAnulujClick();
    EXPECT_EQ(3, DMP->queZrealizowane.recordCount());
}

// An accountant sees which payment was split and what VAT part it carried;
// the usual payment shows neither.
TEST_F(ZrealizowaneTest, ShowsTheSplitPaymentAndItsVatPartInTheListAndTheDetails) {
    db.exec("update PR_PRZELEWY_ZREALIZOWANE set MPP = 1, KWOTA_VAT = 3.74 where ID = 9102");
    TfrmZrealizowane& window = open();
    const auto listed = [&](qint64 id) {
        EXPECT_TRUE(DMP->queZrealizowane.locate(QStringLiteral("ID"), id));
        const ui::DbGrid& grid = *window.grdZrealizowane;
        const int row = DMP->queZrealizowane.recNo();
        return grid.cellText(row, grid.columnIndex(QStringLiteral("MPP_cal"))) + '|' +
               grid.cellText(row, grid.columnIndex(QStringLiteral("KWOTA_VAT"))).trimmed();
    };
    EXPECT_EQ(QStringLiteral("|"), listed(9101));
    EXPECT_EQ(QStringLiteral("TAK|3,74"), listed(9102));

    window.grdZrealizowaneDblClick();
    ASSERT_TRUE(frmZrealizowanePokaz);
    const auto pole = [](const char* name) { return frmZrealizowanePokaz->findChild<QLineEdit*>(name)->text(); };
    EXPECT_EQ(QStringLiteral("TAK|3,74"), pole("edtMPP_cal").trimmed() + '|' + pole("edtKWOTA_VAT").trimmed());
    frmZrealizowanePokaz->btnAnulujClick();
}

// A withdrawn transfer was never paid: no document is offered for it.
TEST_F(ZrealizowaneTest, LedgerDocumentIsMadeOnlyWhenPostingIsOn) {
    db.exec("update PR_PRZELEWY_ZREALIZOWANE set KOLEJNY = '*', ID_DOKUMENTU_FK = 999999 where ID = 9102");
    add(9110, QDate(2026, 12, 10), 'A', "123.45");
    add(9111, QDate(2026, 12, 10), 'A', "0.55");
    const std::string batch = "PR_WYSTAWIONE where DATA_REALIZACJI = '2026-12-10' and KOLEJNY = 'A'";
    db.exec("update PR_WYSTAWIONE set DOKUMENT_ZAPISANY = 0 where DATA_REALIZACJI = '2026-12-10' and KOLEJNY = 'A'");
    TfrmZrealizowane& window = open();
    DMP->iKsiegowacPrzelewy = 0;
    dialogs->expectMessage(QStringLiteral("Nie księgujemy przelewów - tak ustawiono parametry systemu !"),
                           ui::Answer::Ok);
    window.btnDokFKClick();
    DMP->iKsiegowacPrzelewy = 1;

    ASSERT_TRUE(DMP->queZrealizowane.locate(QStringLiteral("ID"), 9102));
    dialogs->expectMessage(QStringLiteral("Przelew wycofany ze zrealizowanych"), ui::Answer::Ok);
    window.btnDokFKClick();

    window.DateTimePickerOd->setDate(QDate(2026, 12, 1));
    window.DateTimePickerDo->setDate(QDate(2026, 12, 31));
    window.btnFiltruj->click();
    ASSERT_TRUE(DMP->queZrealizowane.locate(QStringLiteral("ID"), 9111));
    dialogs->expectMessage(QStringLiteral("Brak dokumetu FK !"), ui::Answer::Yes);
    dialogs->expectShowMessage(QStringLiteral("Dopisano dokument FK"));
    window.btnDokFKClick();
    EXPECT_EQ(2, count("PR_PRZELEWY_ZREALIZOWANE a join FK_DOKUMENTY d on d.ID = a.ID_DOKUMENTU_FK "
                       "where a.ID in (9110, 9111)"));
    EXPECT_EQ(1, count(batch + " and DOKUMENT_ZAPISANY = 1")) << "the batch is finished";
}

TEST_F(ZrealizowaneTest, DocumentThatCannotBeMadeIsReportedAndNothingIsStamped) {
    db.exec("update FK_PLANKONT set BANK_ID = 99 where BANK_ID = 1");
    TfrmZrealizowane& window = open();
    ASSERT_TRUE(DMP->queZrealizowane.locate(QStringLiteral("ID"), 9103));
    dialogs->expectMessage(QStringLiteral("Brak dokumetu FK !"), ui::Answer::Yes);
    dialogs->expectMessage(QStringLiteral("Brak w Planie Kont dla banku firmy analityki"), ui::Answer::Ok);
    dialogs->expectMessage(QStringLiteral("Nie stworzono dokumentw w FK "), ui::Answer::Ok);
    window.btnDokFKClick();
    EXPECT_EQ(0, count("PR_PRZELEWY_ZREALIZOWANE where ID_DOKUMENTU_FK is not null"));
    EXPECT_EQ(3, DMP->queZrealizowane.recordCount()) << "the list shows its range again";
}

TEST_F(ZrealizowaneTest, WithdrawalAndDeletionNeedTheRight) {
    db.exec("update SU_UZYTKOWNICY set ADMINISTRATOR = 0 where UZYTKOWNIK = 'ADMIN'");
    db.exec("update SU_UPRAWNIENIA set DOZWOLONE = 0 where UZYTKOWNIK = 'ADMIN' and OPERACJA = 'OKNO_AWARIA'");
    TfrmZrealizowane& window = open();
    for (QAction* command : {window.Anulujzrealizowane1, window.KsujzBazyzrealizowanedoroku1}) {
        dialogs->expectMessage(QStringLiteral("Brak uprawnień!"), ui::Answer::Ok);
        command->trigger();
    }
    EXPECT_EQ(nullptr, frmWyborWystawione);
}

}  // namespace
