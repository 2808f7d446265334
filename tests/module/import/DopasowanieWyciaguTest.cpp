#include "module/import/DopasowanieWyciagu.h"

#include <gtest/gtest.h>

namespace {

const QString kA = QStringLiteral("61109010140000071219812874");
const QString kB = QStringLiteral("27114020040000300201355387");
const QDate kDzien(2026, 12, 1);

TZrealizowanyDoDopasowania zre(int id, const QString& r, std::int64_t kwota, int dzien, QString nr = {},
                               QString kolejny = QStringLiteral("A")) {
    return {id, r, kwota, kDzien.addDays(dzien), kolejny, nr};
}

std::vector<int> ids(const std::vector<TZrealizowanyDoDopasowania>& z, const std::vector<int>& idx) {
    std::vector<int> w;
    for (int i : idx) w.push_back(z[i].id);
    return w;
}

} // namespace

TEST(DopasowanieWyciagu, ExactMatchesWithinTheDayWindowOnly) {
    const std::vector<TZrealizowanyDoDopasowania> z = {zre(1, kA, 15000, 0), zre(2, kB, 15000, 0),
                                                       zre(3, kA, 999, -10)};
    const std::vector<TPozycjaDoDopasowania> p = {{kB, 15000, kDzien.addDays(2), {}},
                                                  {kA, 15000, kDzien.addDays(1), {}},
                                                  {kA, 999, kDzien, {}},        // ten days after: too late
                                                  {kA, 15001, kDzien, {}}};     // no such amount
    const TWynikDopasowania w = dopasujWyciag(p, z, 5);
    ASSERT_EQ(w.pary.size(), 2u);
    EXPECT_EQ(w.pary[0].pozycja, 0);
    EXPECT_EQ(ids(z, w.pary[0].zrealizowane), std::vector<int>{2});
    EXPECT_EQ(ids(z, w.pary[1].zrealizowane), std::vector<int>{1});
    EXPECT_EQ(w.pozycjeBezPary, (std::vector<int>{2, 3}));
    EXPECT_EQ(ids(z, w.zrealizowaneBezPary), std::vector<int>{3});
}

TEST(DopasowanieWyciagu, InvoiceNumberInTheTitleDecidesBetweenTwins) {
    // Two transfers of one amount to one account: the later entry names the earlier invoice.
    const std::vector<TZrealizowanyDoDopasowania> z = {zre(1, kA, 5000, 0, QStringLiteral("FV/7")),
                                                       zre(2, kA, 5000, 1, QStringLiteral("FV/8"))};
    const std::vector<TPozycjaDoDopasowania> p = {{kA, 5000, kDzien.addDays(1), QStringLiteral("zapłata fv/8")},
                                                  {kA, 5000, kDzien.addDays(1), QStringLiteral("FV/7 dostawa")}};
    const TWynikDopasowania w = dopasujWyciag(p, z);
    ASSERT_EQ(w.pary.size(), 2u);
    EXPECT_EQ(ids(z, w.pary[0].zrealizowane), std::vector<int>{2});
    EXPECT_EQ(ids(z, w.pary[1].zrealizowane), std::vector<int>{1});
    EXPECT_TRUE(w.zrealizowaneBezPary.empty());

    // Without invoice numbers the nearer day wins, and each transfer is taken once.
    const std::vector<TPozycjaDoDopasowania> bez = {{kA, 5000, kDzien.addDays(1), {}},
                                                    {kA, 5000, kDzien.addDays(1), {}},
                                                    {kA, 5000, kDzien.addDays(1), {}}};
    const TWynikDopasowania w2 = dopasujWyciag(bez, z);
    ASSERT_EQ(w2.pary.size(), 2u);
    EXPECT_EQ(ids(z, w2.pary[0].zrealizowane), std::vector<int>{2});
    EXPECT_EQ(w2.pozycjeBezPary, std::vector<int>{2});
}

TEST(DopasowanieWyciagu, GroupedTransferConfirmsItsBatchToOneAccount) {
    const std::vector<TZrealizowanyDoDopasowania> z = {
        zre(1, kA, 100, 0), zre(2, kA, 250, 0), zre(3, kA, 400, 0, {}, QStringLiteral("B")),
        zre(4, kB, 350, 0)};
    // 350 to A is the sum of batch A's two transfers; a single 350 to B matches on its own.
    const std::vector<TPozycjaDoDopasowania> p = {{kA, 350, kDzien, {}}, {kB, 350, kDzien, {}},
                                                  {kA, 750, kDzien, {}}};   // across two batches: no group
    const TWynikDopasowania w = dopasujWyciag(p, z);
    ASSERT_EQ(w.pary.size(), 2u);
    EXPECT_EQ(ids(z, w.pary[0].zrealizowane), std::vector<int>{4});
    EXPECT_EQ(w.pary[1].pozycja, 0);
    EXPECT_EQ(ids(z, w.pary[1].zrealizowane), (std::vector<int>{1, 2}));
    EXPECT_EQ(w.pozycjeBezPary, std::vector<int>{2});
    EXPECT_EQ(ids(z, w.zrealizowaneBezPary), std::vector<int>{3});
}

TEST(DopasowanieWyciagu, AccountDigitsWhateverTheForm) {
    EXPECT_EQ(cyfryRachunku(QStringLiteral("PL61 1090 1014 0000 0712 1981 2874")), kA);
    EXPECT_EQ(cyfryRachunku(QStringLiteral("/PL") + kA), kA);
}
