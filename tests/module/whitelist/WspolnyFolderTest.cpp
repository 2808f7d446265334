#include "module/issuing/BatchFixture.h"
#include "module/whitelist/Folder.h"
#include "module/whitelist/Kontrola.h"
#include "module/whitelist/Lista.h"
#include "module/whitelist/PlikTestowy.h"
#include "module/whitelist/Wczytywanie.h"

#include <QDir>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

using namespace whitelist;

namespace {

constexpr const char* kKonto = "11222233334444555566667777";  // every test contractor's account

// An office of two workstations with data folders of their own, sharing one database.
class WspolnyFolderTest : public pxtest::BatchFixture {
protected:
    void SetUp() override {
        BatchFixture::SetUp();
        db.exec("update ET_KONTAKT set NIP = '551-239-34-71' where ID = 9001");
        db.exec("update ET_KONTAKT set NIP = '1132191233' where ID = 9002");
        stanowisko(pierwsze);
    }
    void TearDown() override {
        ustawFolderDanych(QString());
        BatchFixture::TearDown();
    }

    static void stanowisko(const QTemporaryDir& dane) { ustawFolderDanych(dane.path()); }

    // The user loads a file of that day vouching for the first contractor (and `czynni`) from the menu.
    void wczytajZMenu(const std::string& dzien, const std::vector<std::string>& czynni = {}) {
        pxtest::PlikTestowy p;
        p.data = dzien;
        p.czynni = {{"5512393471", kKonto}};
        for (const auto& nip : czynni) p.czynni.push_back({nip, kKonto});
        QFile f(pliki.filePath(QString::fromStdString(dzien) + ".json"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray::fromStdString(p.json()));
        f.close();
        dialogs->expectOpenFile(f.fileName());
        dialogs->expectMessage(QStringLiteral("Wczytano plik płaski z dnia "), ui::Answer::Ok);
        vWczytajPlikPlaskiZMenu(nullptr);
    }

    // Issues set 2 on kDay; `wBiegu` acts in the issue window while the check runs.
    void wystaw(const std::function<void(TfrmWystawPrzelewy&)>& wBiegu) {
        prepareSet(2);
        dialogs->expectModal([&](QWidget& w) {
            auto& okno = static_cast<TfrmWystawPrzelewy&>(w);
            okno.dtPrzelewu->setDate(kDay);
            EXPECT_TRUE(DMP->queBanki.locate(QStringLiteral("ID"), 1));
            wBiegu(okno);
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
    std::string sprawdzenia() {
        db.transaction().commitRetaining();
        return db.scalarText(
            "select list(ID_PRZELEWU || ':' || WYNIK, ' ') from (select ID_PRZELEWU, WYNIK from "
            "PR_BIALA_LISTA_SPRAWDZENIA order by ID)");
    }

    QTemporaryDir pierwsze, drugie, wspolny, pliki;
};

TEST_F(WspolnyFolderTest, AFileLoadedOnOneWorkstationIsCheckedOnAnotherThroughTheSharedFolder) {
    addTransfer(9101, "FV/1", "20000", "20000");
    addTransfer(9102, "FV/2", "16000", "16000", "0", kOther);
    // Each workstation's own data folder by default: the second one cannot read what the first loaded.
    wczytajZMenu("20261210");
    stanowisko(drugie);
    QString komunikat;
    wystaw([&](TfrmWystawPrzelewy&) {
        dialogs->expectModal([&](QWidget& l) {
            auto& lista = dynamic_cast<TfrmBialaLista&>(l);
            komunikat = lista.lblPlik->text();
            EXPECT_EQ(lista.grdRachunki->rowCount(), 2);
            lista.btnWroc->click();
            return lista.modalResult();
        });
    });
    const std::string kiedy = db.scalarText(
        "select substring(cast(WCZYTANO as varchar(30)) from 1 for 16) "
        "from PR_BIALA_LISTA_PLIKI");
    EXPECT_EQ(komunikat.toStdString(),
              ("Plik płaski białej listy z dnia 2026-12-10 wczytał " + dmMain->PobierzUzytkownik() + " " +
               QString::fromStdString(kiedy) + ", ale na tym stanowisku nie można go odczytać z folderu " +
               QDir::toNativeSeparators(drugie.path() + "/bialalista") +
               ". Folder białej listy, wspólny dla wszystkich stanowisk, ustawia się w parametrach "
               "przelewów. Rachunków na dzień 2026-12-10 nie można sprawdzić.\n"
               "Tych rachunków nie ma na białej liście podatników VAT:")
                  .toStdString());
    EXPECT_EQ(sprawdzenia(), "9101:4 9102:4");
    // The register's answer for one transfer says the same.
    EXPECT_TRUE(opisDlaPrzelewu(9101).contains("nie można go odczytać z folderu " +
                                               QDir::toNativeSeparators(drugie.path() + "/bialalista")));

    // The office names a shared folder: loaded on the first, read on the second.
    db.exec("update RE_PARAMETRY set SCIEZKA_BIALEJ_LISTY = '" + wspolny.path().toStdString() + "'");
    stanowisko(pierwsze);
    wczytajZMenu("20261210");
    EXPECT_TRUE(QFile::exists(wspolny.filePath("20261210.bl")));
    stanowisko(drugie);
    db.exec("delete from PR_BIALA_LISTA_SPRAWDZENIA");
    wystaw([&](TfrmWystawPrzelewy&) {
        dialogs->expectModal([&](QWidget& l) {
            auto& lista = dynamic_cast<TfrmBialaLista&>(l);
            EXPECT_TRUE(lista.lblPlik->text().contains("z dnia 2026-12-10")) << lista.lblPlik->text().toStdString();
            EXPECT_EQ(lista.grdRachunki->rowCount(), 1);
            EXPECT_EQ(lista.grdRachunki->item(0, 1)->text(), "1132191233");
            oczekujWystawienia();
            lista.btnPotwierdz->click();
            return lista.modalResult();
        });
    });
    EXPECT_EQ(sprawdzenia(), "9101:1 9102:0");
    EXPECT_EQ(2, count("PR_PRZELEWY_ZREALIZOWANE where " + kBatch));
}

// The day's own file missing here while an older one is readable: both are said, the older one is used.
TEST_F(WspolnyFolderTest, TheDaysFileMissingHereIsNamedAndTheOlderOneUsed) {
    addTransfer(9101, "FV/1", "20000", "20000");
    wczytajZMenu("20261208");
    wczytajZMenu("20261210");
    ASSERT_TRUE(QFile::remove(pierwsze.filePath("bialalista/20261210.bl")));
    const WybranyMagazyn w = magazynDoSprawdzenia(dmMain->transaction(), kDay);
    ASSERT_TRUE(w.magazyn);
    EXPECT_EQ(w.magazyn->opis().data, QDate(2026, 12, 8));
    EXPECT_TRUE(w.ostrzezenie.startsWith("Plik płaski białej listy z dnia 2026-12-10 wczytał "))
        << w.ostrzezenie.toStdString();
    EXPECT_TRUE(
        w.ostrzezenie.contains("\nBrak pliku płaskiego białej listy z dnia 2026-12-10. Rachunki sprawdzono "
                               "według najnowszego wczytanego pliku z dnia 2026-12-08"))
        << w.ostrzezenie.toStdString();
    // The day of the older file has its own file here: nothing to complain about.
    const WybranyMagazyn tamtegoDnia = magazynDoSprawdzenia(dmMain->transaction(), QDate(2026, 12, 8));
    ASSERT_TRUE(tamtegoDnia.magazyn);
    EXPECT_EQ(tamtegoDnia.ostrzezenie.toStdString(), "");
}

TEST_F(WspolnyFolderTest, TheFolderComesFromTheParametersWithTheDataFolderInPlaceOfItsPlaceholder) {
    EXPECT_EQ(folderZParametrow(dmMain->transaction()), QDir::cleanPath(pierwsze.path() + "/bialalista"));
    db.exec("update RE_PARAMETRY set SCIEZKA_BIALEJ_LISTY = null");  // a row older than the column
    EXPECT_EQ(folderZParametrow(dmMain->transaction()), QDir::cleanPath(pierwsze.path() + "/bialalista"));
    db.exec("update RE_PARAMETRY set SCIEZKA_BIALEJ_LISTY = '{DANE}/../wspolne/'");
    EXPECT_EQ(folderZParametrow(dmMain->transaction()), QDir::cleanPath(pierwsze.path() + "/../wspolne"));
    db.exec("update RE_PARAMETRY set SCIEZKA_BIALEJ_LISTY = '  /srv/biuro/bl  '");
    EXPECT_EQ(folderZParametrow(dmMain->transaction()), "/srv/biuro/bl");
}

// Many contractors take a while to hash: the user sees the progress, and
// stopping it issues nothing and records no check.
TEST_F(WspolnyFolderTest, StoppingTheChecksProgressIssuesNothingAndRecordsNothing) {
    std::vector<std::string> nipy;
    for (int i = 0; i < 12; ++i) {
        const int kto = 9010 + i;
        addContractor(kto, "Dostawca " + std::to_string(i), "K" + std::to_string(kto));
        nipy.push_back(pxtest::poprawnyNip(1000 + i));
        db.exec("update ET_KONTAKT set NIP = '" + nipy.back() + "' where ID = " + std::to_string(kto));
        addTransfer(9200 + i, "FV/" + std::to_string(i), "20000", "20000", "0", kto);
    }
    wczytajZMenu("20261210", nipy);
    QString napis;
    wystaw([&](TfrmWystawPrzelewy& okno) {
        // The person presses the progress window's button as soon as it shows.
        auto* czekaj = new QTimer(&okno);
        QObject::connect(czekaj, &QTimer::timeout, [&okno, &napis, czekaj] {
            auto* postep = okno.findChild<QProgressDialog*>(QStringLiteral("dlgPostepBialejListy"));
            if (!postep || !postep->isVisible()) return;
            napis = postep->labelText();
            czekaj->stop();
            postep->findChild<QPushButton*>()->click();
        });
        czekaj->start(0);
        dialogs->expectMessage(QStringLiteral("Przerwano sprawdzanie rachunków na białej liście podatników VAT. "
                                              "Nie wystawiono żadnego przelewu."),
                               ui::Answer::Ok);
    });
    EXPECT_TRUE(napis.startsWith("Sprawdzanie rachunków na białej liście podatników VAT: ")) << napis.toStdString();
    EXPECT_EQ(0, count("PR_BIALA_LISTA_SPRAWDZENIA"));
    EXPECT_EQ(0, count("PR_WYSTAWIONE where " + kBatch));
    EXPECT_EQ(0, count("PR_PRZELEWY_ZREALIZOWANE where " + kBatch));
    EXPECT_EQ(12, count("PR_PRZELEWY where ID >= 9200 and DATA_REALIZACJI is null and ZAZNACZ2 = 1"));

    // Not stopped, the same batch goes through: every supplier is on the list.
    wystaw([&](TfrmWystawPrzelewy&) { oczekujWystawienia(); });
    EXPECT_EQ(12, count("PR_BIALA_LISTA_SPRAWDZENIA where WYNIK = 1"));
    EXPECT_EQ(12, count("PR_PRZELEWY_ZREALIZOWANE where " + kBatch));
}

}  // namespace
