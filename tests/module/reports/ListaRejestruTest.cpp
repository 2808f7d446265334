#include "PreviewFixture.h"

#include "module/frame/TDMP.h"
#include "module/reports/ListaRejestru.h"
#include "platform/data/Dataset.h"
#include "platform/data/Field.h"
#include "platform/data/Formats.h"
#include "reportengine/PageView.h"

namespace {

using ListaRejestruTest = pxtest::PreviewFixture;

}  // namespace

// The register's rows, through the dataset, in the register's order, with their total.
TEST_F(ListaRejestruTest, ListsEveryRowOfTheRegisterWithItsTotal) {
    data::Dataset& transfers = DMP->quePrzelewy;
    if (!transfers.isActive()) transfers.open();
    ASSERT_GT(transfers.recordCount(), 0);
    QStringList names;
    double total = 0;
    for (transfers.first(); !transfers.eof(); transfers.next()) {
        names << transfers.fieldByName("KONTRAHENT_NAZWA").asString();
        total += transfers.fieldByName("WARTOSC").asVariant().toDouble();
        if (transfers.recNo() == transfers.recordCount() - 1) break;
    }

    TListaRejestru lista(transfers);
    const auto pages = lista.rep->prepare();
    const QStringList lines = rpttest::allLines(*pages);
    const QStringList details = lines.filter(QRegularExpression("^\\d+\\.;"));
    ASSERT_EQ(details.size(), names.size());
    for (int i = 0; i < names.size(); ++i)
        EXPECT_TRUE(details[i].startsWith(QStringLiteral("%1.;%2;").arg(i + 1).arg(names[i])))
            << details[i].toStdString();
    const QString sum = lines.filter("R  A  Z  E  M").value(0);
    EXPECT_TRUE(sum.endsWith(data::formatNumber(total, "### ### ##0.00"))) << sum.toStdString();
    // A second run starts its numbers and total afresh.
    EXPECT_TRUE(*lista.rep->prepare() == *pages);
}
