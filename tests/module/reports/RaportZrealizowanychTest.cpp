// The printed batch: its rows read from the database as the issued batches
// window selects them, and the window's print mode on a batch issued for real.
#include "module/issuing/BatchFixture.h"
#include "module/issuing/BatchRows.h"
#include "module/issuing/Wyborwystawione.h"
#include "module/reports/Reportviewer.h"
#include "module/reports/Repraportzrealizowanych.h"
#include "reportengine/PageView.h"
#include "reportengine/ReportFixture.h"
#include "reportengine/Tools.h"

#include <QRegularExpression>

namespace {

const QDate kDay(2026, 12, 10);

class RaportZrealizowanychTest : public pxtest::BatchFixture {
protected:
    // The batch (kDay, 'B') paid from company bank 1, with the realized rows the test added.
    TfrmQRRaportZrealizowanych& batch() {
        db.exec(
            "insert into PR_WYSTAWIONE (ID, DATA_REALIZACJI, KOLEJNY, ID_BANKU) values (9901, '2026-12-10', 'B', 1)");
        DMP->vWybierzZrealizowane(sWarunekPartii(kDay, 'B'), QStringLiteral("b.KOD_FK"));
        if (!DMP->queBanki.isActive()) DMP->queBanki.open();
        data::Dataset& wystawione = DMP->queWystawione;
        wystawione.close();
        wystawione.setSql({QStringLiteral("select * from PR_WYSTAWIONE where ID = 9901")});
        wystawione.open();
        report = std::make_unique<TfrmQRRaportZrealizowanych>(DMP->queZrealizowane, wystawione);
        return *report;
    }
    std::unique_ptr<TfrmQRRaportZrealizowanych> report;
};

}  // namespace

// Names cut after 40 characters, titles after 40 and 80; a third title line makes the row taller.
TEST_F(RaportZrealizowanychTest, NamesAndTitlesAreCutIntoLinesOf40) {
    const std::string n40 = "Przedsiębiorstwo Ąę Żółć " + std::string(15, 'n');
    const std::string n41 = n40 + "X";
    addContractor(9301, n40, "K40");
    addContractor(9302, n41, "K41");
    const std::string t80 = std::string(40, 'a') + std::string(40, 'b');
    const std::string t81 = std::string(40, 'c') + std::string(40, 'd') + "E";
    addRealized(9401, "2026-12-10", 'B', "10.01", t80, "", 9301);
    addRealized(9402, "2026-12-10", 'B', "20.02", t81, "", 9302);
    addContractor(9303, "Trzeci", "K42");
    addRealized(9403, "2026-12-10", 'B', "0", "krótki", "", 9303);
    batch();
    const auto pages = report->rep->prepare();
    ASSERT_EQ(pages->pageCount(), 1);
    const rpt::Page& page = pages->page(0);
    using rpttest::topOf;
    EXPECT_GE(topOf(page, QString::fromStdString(n40)), 0) << "40 characters on one line";
    EXPECT_GE(topOf(page, "X"), 0) << "the 41st on the second";
    EXPECT_GE(topOf(page, "E"), 0) << "the 81st on the third";
    // Rows start 30 points apart, 40 after a row of three title lines.
    EXPECT_DOUBLE_EQ(topOf(page, "2.") - topOf(page, "1."), 30);
    EXPECT_DOUBLE_EQ(topOf(page, "3.") - topOf(page, "2."), 40);

    const QStringList all = rpttest::allLines(*pages);
    EXPECT_TRUE(all.filter(QRegularExpression("^3\\.;.*;0,00;krótki")).size() == 1) << all.join('\n').toStdString();
    EXPECT_TRUE(all.contains("30,03")) << "total";
}

// Printing a batch from the issued batches window: the batch's rows, or the
// grouped rows of a grouping bank, with the total of the database.
TEST_F(RaportZrealizowanychTest, IssuedBatchesWindowPrintsTheBatchGroupedForAGroupingBank) {
    for (const int bank : {1, 6}) {
        SCOPED_TRACE(bank);
        db.exec("delete from PR_WYSTAWIONE where DATA_REALIZACJI = '2026-12-10'");
        db.exec("delete from PR_PRZELEWY_ZREALIZOWANE where DATA_REALIZACJI = '2026-12-10'");
        addTransfer(9201 + bank * 10, "FV/1", "10.10", "10.10");
        addTransfer(9202 + bank * 10, "FV/2", "20.20", "20.20");
        addTransfer(9203 + bank * 10, "FV/3", "7.01", "7.01", "0", kOther);
        const char letter = issue(kDay, bank);
        auto* window = new TfrmWyborWystawione(nullptr, 'W');
        window->runActivation();
        ASSERT_TRUE(DMP->queWystawione.locate(
            QStringLiteral("ID"), qint64(db.scalarCents("select ID from PR_WYSTAWIONE where DATA_REALIZACJI = "
                                                        "'2026-12-10' and KOLEJNY = '" +
                                                        std::string(1, letter) + "'"))));
        QStringList all;
        dialogs->expectModal([&](QWidget& w) {
            auto& preview = static_cast<TfrmPreview&>(w);
            EXPECT_FALSE(window->isEnabled());
            all = rpttest::allLines(*preview.QRPreview->pages());
            preview.actCancel->trigger();
            return preview.modalResult();
        });
        window->btnWybierzClick();
        EXPECT_TRUE(window->isEnabled());
        EXPECT_EQ(frmWyborWystawione, window) << "the window stays open";
        const QStringList rows = all.filter(QRegularExpression("^\\d+\\.;"));
        EXPECT_EQ(rows.size(), bank == 6 ? 2 : 3) << all.join('\n').toStdString();
        if (bank == 6) {
            EXPECT_EQ(rows.filter(";30,30;").size(), 1) << "one row for the contractor's two transfers";
        }
        EXPECT_TRUE(all.contains("37,31")) << all.join('\n').toStdString();
        window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}
