// The printed batch from the issued batches window, on a batch issued for real.
#include "module/issuing/BatchFixture.h"
#include "module/issuing/Wyborwystawione.h"
#include "module/reports/Reportviewer.h"
#include "reportengine/PageView.h"
#include "reportengine/ReportFixture.h"

#include <QRegularExpression>

namespace {

using RaportZrealizowanychTest = pxtest::BatchFixture;

}  // namespace

// A grouping bank's batch prints one row for a contractor's two transfers, with the total of the database.
TEST_F(RaportZrealizowanychTest, IssuedBatchesWindowPrintsTheBatchGroupedForAGroupingBank) {
    addTransfer(9261, "FV/1", "10.10", "10.10");
    addTransfer(9262, "FV/2", "20.20", "20.20");
    addTransfer(9263, "FV/3", "7.01", "7.01", "0", kOther);
    const std::string batch = " where DATA_REALIZACJI = '2026-12-10' and KOLEJNY = '" +
                              std::string(1, issue(QDate(2026, 12, 10), 6)) + "'";
    auto* window = new TfrmWyborWystawione(nullptr, 'W');
    window->runActivation();
    ASSERT_TRUE(DMP->queWystawione.locate(QStringLiteral("ID"),
                                          qint64(db.scalarCents("select ID from PR_WYSTAWIONE" + batch))));
    QStringList all;
    dialogs->expectModal([&](QWidget& w) {
        auto& preview = static_cast<TfrmPreview&>(w);
        all = rpttest::allLines(*preview.QRPreview->pages());
        preview.actCancel->trigger();
        return preview.modalResult();
    });
    window->btnWybierzClick();
    EXPECT_EQ(frmWyborWystawione, window) << "the window stays open";
    const QStringList rows = all.filter(QRegularExpression("^\\d+\\.;"));
    EXPECT_EQ(rows.size(), 2) << all.join('\n').toStdString();
    EXPECT_EQ(rows.filter(";30,30;").size(), 1);
    const std::int64_t sum = db.scalarCents("select cast(sum(WARTOSC) * 100 as bigint) from PR_PRZELEWY_ZREALIZOWANE" +
                                            batch);
    EXPECT_TRUE(all.contains(QString::number(sum / 100) + "," + QString::number(sum % 100).rightJustified(2, '0')))
        << sum << all.join('\n').toStdString();
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
