#pragma once
// A demo database plus one contractor of the tests' own, whose realized
// transfers the tests put into batches of their choosing.

#include "module/ModuleFixture.h"
#include "module/frame/TDMP.h"
#include "module/issuing/BatchSteps.h"
#include "module/issuing/IssueContext.h"
#include "module/register/Zestawy.h"
#include "platform/data/SqlText.h"
#include "platform/ui/FormBase.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <set>
#include <string>

namespace pxtest {

// What must hold after anything the tests' transfers (ID 9000 and up) go
// through: none paid beyond its amount, each paid exactly what its realized
// rows hold, and every batch of the tests' days (from 2026-12-05) has its bank file in the
// bank's folder and (when posting) its document, unless it is unfinished.
inline void expectMoneyInvariants(TestDatabase& db, const std::set<int>& unfinished, bool posting) {
    db.transaction().commitRetaining();
    EXPECT_EQ(0,
              db.scalarCents("select count(*) from PR_PRZELEWY p where p.ID >= 9000 and (coalesce(p.WARTOSC_WYPLACONA, "
                             "0) > p.WARTOSC_CALA or coalesce(p.WARTOSC_WYPLACONA, 0) <> coalesce((select sum("
                             "z.WARTOSC) from PR_PRZELEWY_ZREALIZOWANE z where z.NR_FAKTURY = p.NR_FAKTURY and "
                             "z.ID_KONTRAHENTA = p.ID_KONTRAHENTA), 0))"))
        << "a transfer paid twice or paid without its realized rows";
    fb::Statement st(db.transaction(),
                     "select w.ID, w.DATA_REALIZACJI, w.KOLEJNY, b.SCIEZKA_PRZELEWOW, "
                     "(select count(*) from PR_PRZELEWY_ZREALIZOWANE z where z.DATA_REALIZACJI "
                     "= w.DATA_REALIZACJI and z.KOLEJNY = w.KOLEJNY and z.ID_DOKUMENTU_FK is "
                     "null) from PR_WYSTAWIONE w join ET_BANKI b on b.ID = w.ID_BANKU "
                     "where w.DATA_REALIZACJI >= '2026-12-05'");
    fb::Cursor c = st.open(db.transaction());
    while (c.fetch()) {
        if (unfinished.count(static_cast<int>(c.asInt(0)))) continue;
        const fb::Timestamp t = c.asTimestamp(1);
        const QString name = QDate(t.year, t.month, t.day).toString(u"'P-'yyyy-MM-dd-") +
                             QString::fromUtf8(c.asText(2)) + ".*";
        EXPECT_FALSE(QDir(QString::fromUtf8(c.asText(3))).entryList({name}, QDir::Files).isEmpty())
            << "no bank file " << name.toStdString();
        EXPECT_TRUE(!posting || c.asInt(4) == 0) << "batch " << name.toStdString() << " not posted";
    }
}

class IssuingFixture : public ModuleFixture {
protected:
    static constexpr int kContractor = 9001;
    // The day the tests issue on, and its batches as an SQL condition.
    static inline const QDate kDay{2026, 12, 10};
    static inline const std::string kBatch = "DATA_REALIZACJI = '2026-12-10'";

    void SetUp() override {
        ModuleFixture::SetUp();
        addContractor(kContractor, "Usługi \"Wąż\" Jan Kowalski", "K9001");
        DMP->vWczytajParametry();
    }
    // Windows a test left open go before the module does.
    void TearDown() override {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* form = qobject_cast<ui::FormBase*>(w)) form->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ModuleFixture::TearDown();
    }

    // A contractor in Żywiec, ul. Długa 5/2, with account ID = contractor ID.
    void addContractor(int id, const std::string& name, const std::string& code) {
        const std::string key = std::to_string(id);
        db.exec(
            "insert into ET_KONTAKT (ID, PELNA, SKROT, KOD_FK, KOD_POCZT, MIEJSCOWOSC, ULICA, BUDYNEK, LOKAL) "
            "values (" +
            key + ", '" + name + "', 'Kowalski', '" + code + "', '34-300', 'Żywiec', 'ul. Długa', '5', '2')");
        db.exec("insert into ET_BANK_KONTO (ID, ID_KONTR, KONTO, NAZWA, DOMYSLNE, AKTYWNE, ZAAKCEPTOWANE) values (" +
                key + ", " + key + ", '11 2222 3333 4444 5555 6666 7777', 'Bank Lokalny', 1, 1, 1)");
    }

    // A realized transfer of the batch (date, letter), debiting 201-K9001.
    void addRealized(int id, const std::string& date, char letter, const std::string& amount, const std::string& title,
                     const std::string& paragraph, int contractor = kContractor) {
        const std::string who = std::to_string(contractor);
        db.exec(
            "insert into PR_PRZELEWY_ZREALIZOWANE (ID, ID_KONTRAHENTA, ID_KONTA_BANK, ID_KONTA_FIRMY, "
            "DATA_REALIZACJI, KOLEJNY, NR_FAKTURY, TRESC1, PARAGRAF, WN, WARTOSC) values (" +
            std::to_string(id) + ", " + who + ", " + who + ", 1, '" + date + "', '" + letter + "', 'FV/" +
            std::to_string(id) + "', " + quoted(title) + ", " + quoted(paragraph) + ", '201-K9001', " + amount + ")");
    }

    // The money invariants, with the batches the module lists as unfinished.
    void expectInvariants() {
        std::set<int> unfinished;
        for (const UnfinishedBatch& b : unfinishedBatches()) unfinished.insert(b.id);
        expectMoneyInvariants(db, unfinished, DMP->iKsiegowacPrzelewy == 1);
    }

    // The folder the company bank's files go to.
    QString bankFolder(int bank) {
        return QString::fromStdString(
            db.scalarText("select SCIEZKA_PRZELEWOW from ET_BANKI where ID = " + std::to_string(bank)));
    }
    // The register query over a marking set, as the hand-off to issuing leaves it.
    void prepareSet(int set) {
        DMP->vUstawZestaw(set);
        data::Dataset& q = DMP->quePrzelewy;
        q.close();
        q.setSqlLine(TDMP::kLiniaWarunku, sWarunekZestawu(set));
        q.setSqlLine(TDMP::kLiniaPorzadku, QStringLiteral(" a.ID_KONTRAHENTA"));
        q.open();
    }

    static std::string contents(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "(missing)";
    }
    std::int64_t count(const std::string& from) { return committedCents("select count(*) from " + from); }
    static std::string quoted(const std::string& text) {
        return data::sqlQuote(QString::fromStdString(text)).toStdString();
    }

    IssueContext context;
};

}  // namespace pxtest
