#include "module/issuing/BatchFixture.h"
#include "module/register/Przelewy.h"
#include "module/whitelist/Folder.h"
#include "module/whitelist/Kontrola.h"
#include "module/whitelist/Lista.h"
#include "module/whitelist/PlikTestowy.h"
#include "module/whitelist/Wczytywanie.h"
#include "support/InjectedFailure.h"

#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

using namespace whitelist;

namespace {

constexpr const char* kKonto = "11222233334444555566667777";  // every test contractor's account

class KontrolaTest : public pxtest::BatchFixture {
protected:
    void SetUp() override {
        pxtest::installFailures(db, {"PR_BIALA_LISTA_SPRAWDZENIA"});
        BatchFixture::SetUp();
        // This workstation's data folder: the files land in its bialalista, as the parameters default.
        ustawFolderDanych(folder.path());
        uzyjFolderuZParametrow(dmMain->transaction());
        db.exec("update ET_KONTAKT set NIP = '551-239-34-71' where ID = 9001");
        db.exec("update ET_KONTAKT set NIP = '1132191233' where ID = 9002");
    }

    // A file of that day vouching for the first contractor's account only.
    static void wczytajPlik(const std::string& dzien) {
        pxtest::PlikTestowy p;
        p.data = dzien;
        p.czynni = {{"5512393471", kKonto}};
        zapiszWczytanie(p.wczytaj());
    }

    // Runs the issue of set 2 on kDay; `lista` drives the white-list window, `potem` what follows it.
    void wystaw(const std::function<int(TfrmBialaLista&)>& lista, const std::function<void()>& potem = {}) {
        prepareSet(2);
        dialogs->expectModal([&](QWidget& w) {
            auto& okno = static_cast<TfrmWystawPrzelewy&>(w);
            okno.dtPrzelewu->setDate(kDay);
            EXPECT_TRUE(DMP->queBanki.locate(QStringLiteral("ID"), 1));
            if (lista) dialogs->expectModal([&](QWidget& l) { return lista(dynamic_cast<TfrmBialaLista&>(l)); });
            if (potem) potem();
            okno.btnWybierzClick();
            return okno.modalResult();
        });
        ui::dialogs().runModal(*new TfrmWystawPrzelewy(nullptr));
    }
    void oczekujWystawienia() {
        dialogs->expectMessage(QStringLiteral("Czy akceptujesz ?"), ui::Answer::Yes);
        dialogs->expectMessage(QStringLiteral("Stworzono plik do banku: "), ui::Answer::Ok);
        if (DMP->iKsiegowacPrzelewy == 1) dialogs->expectShowMessage(QStringLiteral("Dopisano dokument FK"));
    }
    std::string sprawdzenie(int przelew, const std::string& kolumny) {
        db.transaction().commitRetaining();
        return db.scalarText("select " + kolumny +
                             " from PR_BIALA_LISTA_SPRAWDZENIA where ID_PRZELEWU = " + std::to_string(przelew));
    }

    QTemporaryDir folder;
};

TEST_F(KontrolaTest, AnAccountMissingFromTheListIsConfirmedAndEveryCheckStaysWithItsRealizedRow) {
    wczytajPlik("20261210");
    addTransfer(9101, "FV/1", "20000", "20000");
    addTransfer(9102, "FV/2", "16000", "15000", "0", kOther);
    addTransfer(9103, "FV/3", "14999.99", "14999.99", "0", kOther);  // below the threshold: not checked
    wystaw([&](TfrmBialaLista& lista) {
        EXPECT_TRUE(lista.lblPlik->text().contains("z dnia 2026-12-10")) << lista.lblPlik->text().toStdString();
        EXPECT_EQ(lista.grdRachunki->rowCount(), 1);
        EXPECT_EQ(lista.grdRachunki->item(0, 1)->text(), "1132191233");
        EXPECT_EQ(lista.grdRachunki->item(0, 2)->text(), "11 2222 3333 4444 5555 6666 7777");
        EXPECT_EQ(lista.grdRachunki->item(0, 3)->text(), "15 000,00");
        EXPECT_EQ(lista.grdRachunki->item(0, 4)->text(), "rachunku nie ma na białej liście");
        oczekujWystawienia();
        lista.btnPotwierdz->click();
        return lista.modalResult();
    });
    EXPECT_EQ(2, count("PR_BIALA_LISTA_SPRAWDZENIA"));
    EXPECT_EQ(sprawdzenie(9101, "WYNIK || ' ' || cast(DATA_PLIKU as date) || ' ' || coalesce(POTWIERDZIL, '-')"),
              "1 2026-12-10 -");
    EXPECT_EQ(sprawdzenie(9102,
                          "WYNIK || ' ' || WARTOSC || ' ' || POTWIERDZIL || ' ' || "
                          "trim(iif(POTWIERDZONO is null, 'kiedy?', 'ok'))"),
              "0 15000.0000 " + dmMain->PobierzUzytkownik().toStdString() + " ok");
    EXPECT_EQ(0, count("PR_BIALA_LISTA_SPRAWDZENIA s where not exists (select 1 from PR_PRZELEWY_ZREALIZOWANE z "
                       "where z.ID = s.ID_ZREALIZOWANEGO and z.ID_PRZELEWU = s.ID_PRZELEWU and " +
                       std::string("z.") + kBatch + ")"));
    const int zrealizowany = static_cast<int>(
        db.scalarCents("select ID from PR_PRZELEWY_ZREALIZOWANE where ID_PRZELEWU = 9102"));
    const QString opis = opisDlaZrealizowanego(zrealizowany);
    EXPECT_TRUE(opis.contains("rachunku nie ma na białej liście wg pliku z dnia 2026-12-10; zapłatę potwierdził " +
                              dmMain->PobierzUzytkownik()))
        << opis.toStdString();
    EXPECT_EQ(opisDlaZrealizowanego(1), "");  // paid before the check existed
    expectInvariants();
}

TEST_F(KontrolaTest, GoingBackToTheRegisterPaysNothingButKeepsTheCheck) {
    wczytajPlik("20261210");
    addTransfer(9102, "FV/2", "16000", "16000", "0", kOther);
    wystaw([](TfrmBialaLista& lista) {
        lista.btnWroc->click();
        return lista.modalResult();
    });
    EXPECT_EQ(0, count("PR_WYSTAWIONE where " + kBatch));
    EXPECT_EQ(1, count("PR_PRZELEWY where ID = 9102 and DATA_REALIZACJI is null and ZAZNACZ2 = 1"));
    EXPECT_EQ(sprawdzenie(9102, "WYNIK || coalesce(POTWIERDZIL, '-') || coalesce(ID_ZREALIZOWANEGO, '-')"), "0--");
}

TEST_F(KontrolaTest, AnOlderFileIsUsedWithAWarningAndNoFileLeavesEveryAccountToConfirm) {
    addTransfer(9101, "FV/1", "20000", "20000");
    wystaw([&](TfrmBialaLista& lista) {
        EXPECT_TRUE(lista.lblPlik->text().startsWith("Nie wczytano pliku płaskiego"));
        EXPECT_EQ(lista.grdRachunki->item(0, 4)->text(), "nie sprawdzono: brak pliku płaskiego");
        lista.btnWroc->click();
        return lista.modalResult();
    });
    EXPECT_EQ(sprawdzenie(9101, "WYNIK || coalesce(DATA_PLIKU, '-')"), "4-");

    wczytajPlik("20261208");
    EXPECT_EQ(db.scalarText("select CZYNNYCH || ' ' || WCZYTAL from PR_BIALA_LISTA_PLIKI"),
              "1 " + dmMain->PobierzUzytkownik().toStdString());
    wystaw({}, [&] {
        dialogs->expectMessage(QStringLiteral("z dnia 2026-12-08, starszego niż dzień przelewów"), ui::Answer::Ok);
        oczekujWystawienia();
    });
    EXPECT_EQ(db.scalarText("select WYNIK || ' ' || cast(DATA_PLIKU as date) from PR_BIALA_LISTA_SPRAWDZENIA "
                            "where ID_ZREALIZOWANEGO is not null"),
              "1 2026-12-08");
}

TEST_F(KontrolaTest, WhichTransfersAreChecked) {
    addContractor(9003, "Bez NIP", "K9003");
    addTransfer(9101, "FV/1", "15000", "15000");
    addTransfer(9102, "FV/2", "14999.99", "14999.99");
    addTransfer(9103, "FV/3", "30000", "1000", "0", kOther);  // a part of an invoice above the threshold
    addTransfer(9104, "FV/4", "20000", "20000", "0", 9003);
    const auto ktore = [&] {
        std::vector<int> id;
        for (const auto& p : przelewyDoSprawdzenia(dmMain->transaction(), {9101, 9102, 9103, 9104, 1}))
            id.push_back(p.idPrzelewu);
        return id;
    };
    EXPECT_EQ(ktore(), (std::vector<int>{9101, 9103}));
    db.exec("update RE_PARAMETRY set PROG_BIALEJ_LISTY = 100");
    EXPECT_EQ(ktore(), (std::vector<int>{1, 9101, 9102, 9103}));  // 1: the demo's paid 13 809,55 zł
    db.exec("update RE_PARAMETRY set PROG_BIALEJ_LISTY = null");
    EXPECT_EQ(progWGroszach(dmMain->transaction()), 1500000);
}

TEST_F(KontrolaTest, AFailedConfirmationRecordsNoneOfItAndTheWindowStays) {
    wczytajPlik("20261210");
    addContractor(9003, "Trzecia", "K9003");
    db.exec("update ET_KONTAKT set NIP = '5260250274' where ID = 9003");
    addTransfer(9102, "FV/2", "16000", "16000", "0", kOther);
    addTransfer(9103, "FV/3", "17000", "17000", "0", 9003);
    wystaw([&](TfrmBialaLista& lista) {
        EXPECT_EQ(lista.grdRachunki->rowCount(), 2);
        const std::int64_t druga = sharedCents("select max(ID) from PR_BIALA_LISTA_SPRAWDZENIA");
        {
            pxtest::InjectedFailure awaria(dmMain->transaction(), "PR_BIALA_LISTA_SPRAWDZENIA", druga);
            dialogs->expectShowMessage(QStringLiteral("frmBialaLista->btnPotwierdzClick() \n\n"));
            lista.btnPotwierdz->click();
        }
        EXPECT_EQ(lista.modalResult(), ui::mrNone);
        EXPECT_EQ(0, sharedCents("select count(*) from PR_BIALA_LISTA_SPRAWDZENIA where POTWIERDZIL is not null"));
        lista.btnWroc->click();
        return lista.modalResult();
    });
    EXPECT_EQ(0, count("PR_BIALA_LISTA_SPRAWDZENIA where POTWIERDZIL is not null"));
    EXPECT_EQ(2, count("PR_BIALA_LISTA_SPRAWDZENIA"));
}

TEST_F(KontrolaTest, TheRegistersAnswerForOneTransfer) {
    addTransfer(9101, "FV/1", "20000", "20000");
    EXPECT_TRUE(opisDlaPrzelewu(9101).startsWith("Nie wczytano pliku płaskiego"));
    wczytajPlik(QDate::currentDate().toString("yyyyMMdd").toStdString());
    sprawdzIZapisz(przelewyDoSprawdzenia(dmMain->transaction(), {9101}), QDate::currentDate());
    const QString opis = opisDlaPrzelewu(9101);
    EXPECT_TRUE(opis.startsWith("Ostatnie sprawdzenie (" + QDate::currentDate().toString("yyyy-MM-dd") +
                                "): czynny podatnik VAT wg pliku z dnia"))
        << opis.toStdString();
    EXPECT_TRUE(opis.endsWith(": czynny podatnik VAT.")) << opis.toStdString();
    addContractor(9003, "Bez NIP", "K9003");
    addTransfer(9104, "FV/4", "20000", "20000", "0", 9003);
    EXPECT_EQ(opisDlaPrzelewu(9104), "Kontrahent nie ma numeru NIP: przelewu nie sprawdza się na białej liście.");
}

TEST_F(KontrolaTest, TheMenuCommandLoadsAFileAndABrokenOneChangesNothing) {
    pxtest::PlikTestowy p;
    p.data = "20261210";
    p.czynni = {{"5512393471", kKonto}};
    p.maski = {"YY22223333XXXXXXYYYYYYYYYY"};
    QTemporaryDir pliki;
    const auto zapisz = [&](const QString& nazwa, const std::string& tresc) {
        QFile f(pliki.filePath(nazwa));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray::fromStdString(tresc));
        return f.fileName();
    };
    dialogs->expectOpenFile(zapisz("20261210.json", p.json()));
    dialogs->expectMessage(QStringLiteral("Wczytano plik płaski z dnia 2026-12-10: 1 skrótów podatników czynnych, "
                                          "0 zwolnionych, 1 masek rachunków wirtualnych."),
                           ui::Answer::Ok);
    vWczytajPlikPlaskiZMenu(nullptr);
    const std::string plik =
        "cast(DATA_PLIKU as date) || ' ' || LICZBA_TRANSFORMACJI || ' ' || CZYNNYCH || ' ' || MASEK";
    EXPECT_EQ(db.scalarText("select " + plik + " from PR_BIALA_LISTA_PLIKI"), "2026-12-10 3 1 1");

    const std::string ucieta = p.json().substr(0, 200);
    dialogs->expectOpenFile(zapisz("zly.json", ucieta));
    dialogs->expectMessage(QStringLiteral("To nie jest poprawny plik płaski białej listy"), ui::Answer::Ok);
    vWczytajPlikPlaskiZMenu(nullptr);
    dialogs->expectOpenFile(QString());
    vWczytajPlikPlaskiZMenu(nullptr);
    EXPECT_EQ(1, count("PR_BIALA_LISTA_PLIKI"));
    const auto m = Magazyn::otworz(QDate(2026, 12, 10));
    ASSERT_TRUE(m);
    EXPECT_EQ(sprawdz(*m, Para{"5512393471", kKonto}).status, Status::Czynny);
}

TEST_F(KontrolaTest, TheRegisterShowsTheCurrentTransfersCheckOnDemand) {
    addTransfer(9101, "FV/1", "20000", "20000");
    module->vPrzelewyMDI(qApp);
    ASSERT_NE(nullptr, frmPrzelewy);
    frmPrzelewy->runActivation();
    ASSERT_TRUE(DMP->quePrzelewy.locate(QStringLiteral("ID"), 9101));
    dialogs->expectMessage(QStringLiteral("Nie wczytano pliku płaskiego białej listy podatników VAT"), ui::Answer::Ok);
    frmPrzelewy->actBialaLista->trigger();
    EXPECT_EQ(dialogs->shown().back().caption, "Biała lista podatników VAT");
}

}  // namespace
