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

TPozycjaDoDopasowania poz(const QString& r, std::int64_t kwota, int dzien, QString tytul = {}) {
    return {r, kwota, kDzien.addDays(dzien), tytul};
}

std::vector<int> ids(const std::vector<TZrealizowanyDoDopasowania>& z, const std::vector<int>& idx) {
    std::vector<int> w;
    for (int i : idx) w.push_back(z[i].id);
    return w;
}

}  // namespace

TEST(DopasowanieWyciagu, ExactMatchesWithinTheDayWindowOnly) {
    const std::vector<TZrealizowanyDoDopasowania> z = {zre(1, kA, 15000, 0), zre(2, kB, 15000, 0),
                                                       zre(3, kA, 999, -10)};
    // The third is ten days after its transfer, too late; the fourth has no such amount.
    const std::vector<TPozycjaDoDopasowania> p = {poz(kB, 15000, 2), poz(kA, 15000, 1), poz(kA, 999, 0),
                                                  poz(kA, 15001, 0)};
    const TWynikDopasowania w = dopasujWyciag(p, z, 5);
    ASSERT_EQ(w.pary.size(), 2u);
    EXPECT_EQ(w.pary[0].pozycja, 0);
    EXPECT_EQ(ids(z, w.pary[0].zrealizowane), std::vector<int>{2});
    EXPECT_EQ(ids(z, w.pary[1].zrealizowane), std::vector<int>{1});
    EXPECT_EQ(w.pozycjeBezPary, (std::vector<int>{2, 3}));
    EXPECT_EQ(ids(z, w.zrealizowaneBezPary), std::vector<int>{3});
    // Accounts compare by their digits whatever the form.
    EXPECT_EQ(cyfryRachunku(QStringLiteral("PL61 1090 1014 0000 0712 1981 2874")), kA);
    EXPECT_EQ(cyfryRachunku(QStringLiteral("/PL") + kA), kA);
}

TEST(DopasowanieWyciagu, InvoiceNumberInTheTitleDecidesBetweenTwins) {
    // Two transfers of one amount to one account: the later entry names the earlier invoice.
    const std::vector<TZrealizowanyDoDopasowania> z = {zre(1, kA, 5000, 0, QStringLiteral("FV/7")),
                                                       zre(2, kA, 5000, 1, QStringLiteral("FV/8"))};
    const std::vector<TPozycjaDoDopasowania> p = {poz(kA, 5000, 1, QStringLiteral("zapłata fv/8")),
                                                  poz(kA, 5000, 1, QStringLiteral("FV/7 dostawa"))};
    const TWynikDopasowania w = dopasujWyciag(p, z);
    ASSERT_EQ(w.pary.size(), 2u);
    EXPECT_EQ(ids(z, w.pary[0].zrealizowane), std::vector<int>{2});
    EXPECT_EQ(ids(z, w.pary[1].zrealizowane), std::vector<int>{1});
    EXPECT_TRUE(w.zrealizowaneBezPary.empty());

    // Without invoice numbers the nearer day wins, and each transfer is taken once.
    const TWynikDopasowania w2 = dopasujWyciag({poz(kA, 5000, 1), poz(kA, 5000, 1), poz(kA, 5000, 1)}, z);
    ASSERT_EQ(w2.pary.size(), 2u);
    EXPECT_EQ(ids(z, w2.pary[0].zrealizowane), std::vector<int>{2});
    EXPECT_EQ(w2.pozycjeBezPary, std::vector<int>{2});
}

TEST(DopasowanieWyciagu, GroupedTransferConfirmsItsBatchToOneAccount) {
    const std::vector<TZrealizowanyDoDopasowania> z = {zre(1, kA, 100, 0), zre(2, kA, 250, 0),
                                                       zre(3, kA, 400, 0, {}, QStringLiteral("B")), zre(4, kB, 350, 0)};
    // 350 to A is the sum of batch A's two transfers; a single 350 to B matches on its own.
    // 750 to A would take two batches: no group.
    const std::vector<TPozycjaDoDopasowania> p = {poz(kA, 350, 0), poz(kB, 350, 0), poz(kA, 750, 0)};
    const TWynikDopasowania w = dopasujWyciag(p, z);
    ASSERT_EQ(w.pary.size(), 2u);
    EXPECT_EQ(ids(z, w.pary[0].zrealizowane), std::vector<int>{4});
    EXPECT_EQ(w.pary[1].pozycja, 0);
    EXPECT_EQ(ids(z, w.pary[1].zrealizowane), (std::vector<int>{1, 2}));
    EXPECT_EQ(w.pozycjeBezPary, std::vector<int>{2});
    EXPECT_EQ(ids(z, w.zrealizowaneBezPary), std::vector<int>{3});
}
