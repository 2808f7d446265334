#include "PreviewFixture.h"

#include "module/reports/ListaRejestru.h"

namespace {

using ListaRejestruTest = pxtest::PreviewFixture;

}  // namespace

// The register's rows, through the dataset, in the register's order, with their total.
TEST_F(ListaRejestruTest, ListsEveryRowOfTheRegisterWithItsTotal) {
    data::Dataset& transfers = DMP->quePrzelewy;
    if (!transfers.isActive()) transfers.open();
    ASSERT_GT(transfers.recordCount(), 0);
    QStringList expected;
    double total = 0;
    for (transfers.first(); !transfers.eof(); transfers.next()) {
        expected << QStringLiteral("%1.;%2")
                        .arg(transfers.recNo() + 1)
                        .arg(transfers.fieldByName("KONTRAHENT_NAZWA").asString());
        total += transfers.fieldByName("WARTOSC").asVariant().toDouble();
        if (transfers.recNo() == transfers.recordCount() - 1) break;
    }
    TListaRejestru lista(transfers);
    const auto pages = lista.rep->prepare();
    const QStringList lines = rpttest::allLines(*pages);
    QStringList details;
    for (const QString& line : lines.filter(QRegularExpression("^\\d+\\.;"))) details << line.section(';', 0, 1);
    EXPECT_EQ(details, expected);
    EXPECT_TRUE(lines.filter("R  A  Z  E  M").value(0).endsWith(data::formatNumber(total, "### ### ##0.00")));
    // A second run starts its numbers and total afresh.
    EXPECT_TRUE(*lista.rep->prepare() == *pages);
}
