#pragma once
// A demo database plus one contractor of the tests' own, whose realized
// transfers the tests put into batches of their choosing.

#include "module/ModuleFixture.h"
#include "module/frame/TDMP.h"
#include "module/issuing/IssueContext.h"
#include "platform/data/SqlText.h"

#include <QDate>
#include <string>

namespace pxtest {

class IssuingFixture : public ModuleFixture {
protected:
    static constexpr int kContractor = 9001;

    void SetUp() override {
        ModuleFixture::SetUp();
        addContractor(kContractor, "Usługi \"Wąż\" Jan Kowalski", "K9001");
        DMP->vWczytajParametry();
    }

    // A contractor in Żywiec, ul. Długa 5/2, with account ID = contractor ID.
    void addContractor(int id, const std::string& name, const std::string& code) {
        const std::string key = std::to_string(id);
        db.exec("insert into ET_KONTAKT (ID, PELNA, SKROT, KOD_FK, KOD_POCZT, MIEJSCOWOSC, ULICA, BUDYNEK, LOKAL) "
                "values (" + key + ", '" + name + "', 'Kowalski', '" + code +
                "', '34-300', 'Żywiec', 'ul. Długa', '5', '2')");
        db.exec("insert into ET_BANK_KONTO (ID, ID_KONTR, KONTO, NAZWA, DOMYSLNE, AKTYWNE, ZAAKCEPTOWANE) values (" +
                key + ", " + key + ", '11 2222 3333 4444 5555 6666 7777', 'Bank Lokalny', 1, 1, 1)");
    }

    // A realized transfer of the batch (date, letter), debiting 201-K9001.
    void addRealized(int id, const std::string& date, char letter, const std::string& amount,
                     const std::string& title, const std::string& paragraph, int contractor = kContractor) {
        const std::string who = std::to_string(contractor);
        db.exec("insert into PR_PRZELEWY_ZREALIZOWANE (ID, ID_KONTRAHENTA, ID_KONTA_BANK, ID_KONTA_FIRMY, "
                "DATA_REALIZACJI, KOLEJNY, NR_FAKTURY, TRESC1, PARAGRAF, WN, WARTOSC) values (" +
                std::to_string(id) + ", " + who + ", " + who + ", 1, '" + date + "', '" + letter + "', 'FV/" +
                std::to_string(id) + "', " + quoted(title) + ", " + quoted(paragraph) + ", '201-K9001', " + amount +
                ")");
    }

    std::int64_t count(const std::string& from) { return committedInt("select count(*) from " + from); }
    static std::string quoted(const std::string& text) {
        return data::sqlQuote(QString::fromStdString(text)).toStdString();
    }

    IssueContext context;
};

}  // namespace pxtest
