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

// The result in one line: "entry>transfer IDs" for each pair, then the
// entries and the transfer IDs left without one.
std::string opis(const std::vector<TPozycjaDoDopasowania>& p, const std::vector<TZrealizowanyDoDopasowania>& z,
                 int dni = 5) {
    const TWynikDopasowania w = dopasujWyciag(p, z, dni);
    std::string s;
    for (const TDopasowanie& para : w.pary) {
        s += std::to_string(para.pozycja) + ">";
        for (const int i : para.zrealizowane) s += std::to_string(z[i].id) + ",";
        s += " ";
    }
    s += "| ";
    for (const int i : w.pozycjeBezPary) s += std::to_string(i) + " ";
    s += "| ";
    for (const int i : w.zrealizowaneBezPary) s += std::to_string(z[i].id) + " ";
    return s;
}

}  // namespace

TEST(DopasowanieWyciagu, ExactMatchesWithinTheDayWindowOnly) {
    // The third is ten days after its transfer, too late; the fourth has no such amount.
    EXPECT_EQ(opis({poz(kB, 15000, 2), poz(kA, 15000, 1), poz(kA, 999, 0), poz(kA, 15001, 0)},
                   {zre(1, kA, 15000, 0), zre(2, kB, 15000, 0), zre(3, kA, 999, -10)}),
              "0>2, 1>1, | 2 3 | 3 ");
    // Accounts compare by their digits whatever the form.
    EXPECT_EQ(cyfryRachunku(QStringLiteral("/PL61 1090 1014 0000 0712 1981 2874")), kA);
}

TEST(DopasowanieWyciagu, InvoiceNumberInTheTitleDecidesBetweenTwins) {
    // Two transfers of one amount to one account: the later entry names the earlier invoice.
    const std::vector<TZrealizowanyDoDopasowania> z = {zre(1, kA, 5000, 0, QStringLiteral("FV/7")),
                                                       zre(2, kA, 5000, 1, QStringLiteral("FV/8"))};
    EXPECT_EQ(
        opis({poz(kA, 5000, 1, QStringLiteral("zapłata fv/8")), poz(kA, 5000, 1, QStringLiteral("FV/7 dostawa"))}, z),
        "0>2, 1>1, | | ");
    // Without invoice numbers the nearer day wins, and each transfer is taken once.
    EXPECT_EQ(opis({poz(kA, 5000, 1), poz(kA, 5000, 1), poz(kA, 5000, 1)}, z), "0>2, 1>1, | 2 | ");
}

// 350 to A is the sum of batch A's two transfers; a single 350 to B matches on its own.
// 750 to A would take two batches: no group.
TEST(DopasowanieWyciagu, GroupedTransferConfirmsItsBatchToOneAccount) {
    EXPECT_EQ(
        opis({poz(kA, 350, 0), poz(kB, 350, 0), poz(kA, 750, 0)},
             {zre(1, kA, 100, 0), zre(2, kA, 250, 0), zre(3, kA, 400, 0, {}, QStringLiteral("B")), zre(4, kB, 350, 0)}),
        "1>4, 0>1,2, | 2 | 3 ");
}
