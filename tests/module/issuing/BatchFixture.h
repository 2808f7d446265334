#pragma once
// Batches issued the way the user issues them: transfers of the tests' own
// two contractors marked into set 2 and issued through the issuing window.
// The demo's marks are cleared, so that only the tests' transfers are issued.

#include "IssuingFixture.h"
#include "module/issuing/Wystawprzelewy.h"
#include "module/register/Zestawy.h"

#include <QDateEdit>
#include <QPushButton>
#include <functional>

namespace pxtest {

class BatchFixture : public IssuingFixture {
protected:
    static constexpr int kOther = 9002;

    void SetUp() override {
        IssuingFixture::SetUp();
        db.exec("update PR_PRZELEWY set ZAZNACZ = 0, ZAZNACZ2 = 0, ZAZNACZ3 = 0");
        addContractor(kOther, "Firma Testowa", "K9002");
    }

    // A pending transfer in set 2 paying `amount` of `full`, of which `paid` is paid already.
    void addTransfer(int id, const std::string& invoice, const std::string& full, const std::string& amount,
                     const std::string& paid = "0", int contractor = kContractor) {
        const std::string who = std::to_string(contractor);
        db.exec(
            "insert into PR_PRZELEWY (ID, ID_KONTRAHENTA, ID_KONTA_BANK, NR_FAKTURY, TRESC1, WN, PARAGRAF, "
            "TERMIN_ZAPLATY, WPROWADZONY, WARTOSC_CALA, WARTOSC_WYPLACONA, WARTOSC, ZAZNACZ, ZAZNACZ2, ZAZNACZ3) "
            "values (" +
            std::to_string(id) + ", " + who + ", " + who + ", '" + invoice + "', 'Faktura " + invoice + "', '201-K" +
            who + "', '801-80101-4210', '2026-12-01', 1, " + full + ", " + paid + ", " + amount + ", 0, 1, 0)");
    }

    // Opens the issuing window over the marking set on that day and bank (0: none picked); `script`
    // queues what is expected before the button is pressed.
    using Script = std::function<void(TfrmWystawPrzelewy&)>;
    ScriptedDialogs::Driver issuing(const QDate& day, int bank, const Script& script) {
        return [this, day, bank, script](QWidget& w) {
            auto& window = static_cast<TfrmWystawPrzelewy&>(w);
            window.dtPrzelewu->setDate(day);
            if (bank > 0) {
                EXPECT_TRUE(DMP->queBanki.locate(QStringLiteral("ID"), bank));
            }
            script(window);
            window.btnWybierz->click();
            return window.modalResult();
        };
    }
    void runIssuing(const QDate& day, int bank, const Script& script, int set = 2) {
        prepareSet(set);
        dialogs->expectModal(issuing(day, bank, script));
        ui::dialogs().runModal(*new TfrmWystawPrzelewy(nullptr));
    }
    // What an issue that goes through asks and tells.
    void expectIssued() {
        dialogs->expectMessage(QStringLiteral("Czy akceptujesz ?"), ui::Answer::Yes);
        dialogs->expectMessage(QStringLiteral("Stworzono plik do banku: "), ui::Answer::Ok);
        if (DMP->iKsiegowacPrzelewy == 1) dialogs->expectShowMessage(QStringLiteral("Dopisano dokument FK"));
    }
    // Issues set 2 on that day from that bank and hands back the batch's letter.
    char issue(const QDate& day, int bank = 1) {
        runIssuing(day, bank, [this](TfrmWystawPrzelewy&) { expectIssued(); });
        return db.scalarText("select max(KOLEJNY) from PR_WYSTAWIONE where DATA_REALIZACJI = " + sqlDay(day)).at(0);
    }

    static std::string sqlDay(const QDate& day) { return "'" + day.toString(Qt::ISODate).toStdString() + "'"; }
    // The committed value of a money column in grosze.
    std::int64_t grosze(const std::string& column, const std::string& from) {
        return committedCents("select cast(coalesce(sum(" + column + "), 0) * 100 as bigint) from " + from);
    }
};

}  // namespace pxtest
