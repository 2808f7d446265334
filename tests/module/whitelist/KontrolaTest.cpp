// The white list at issue and in the register, on one database shared by
// two workstations with data folders of their own (the first one's by default).
#include "module/issuing/BatchFixture.h"
#include "module/register/Przelewy.h"
#include "module/whitelist/Folder.h"
#include "module/whitelist/Kontrola.h"
#include "module/whitelist/Lista.h"
#include "module/whitelist/Magazyn.h"
#include "module/whitelist/PlikTestowy.h"
#include "module/whitelist/Wczytywanie.h"
#include "module/whitelist/ZnaneSkroty.h"
#include "support/InjectedFailure.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

using namespace whitelist;

namespace {

constexpr const char* kKonto = "11222233334444555566667777";  // every test contractor's account

class KontrolaTest : public pxtest::BatchFixture {
protected:
    void SetUp() override {
        pxtest::installFailures(db, {"PR_BIALA_LISTA_SPRAWDZENIA"});
        BatchFixture::SetUp();
        db.exec("update ET_KONTAKT set NIP = '551-239-34-71' where ID = 9001");
        db.exec("update ET_KONTAKT set NIP = '1132191233' where ID = 9002");
        stanowisko(pierwsze);
    }
    void TearDown() override {
        zapomnijSkroty();  // digests hashed here would spare the next test its hashing
        ustawFolderDanych(QString());
        BatchFixture::TearDown();
    }

    static void stanowisko(const QTemporaryDir& dane) { ustawFolderDanych(dane.path()); }

    // A file in the folder the user picks files from.
    QString zapisz(const QString& nazwa, const std::string& tresc) {
        QFile f(pliki.filePath(nazwa));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray::fromStdString(tresc));
        return f.fileName();
    }
    // The user loads a file of that day vouching for the first contractor (and `czynni`) from the menu.
    void wczytajZMenu(const std::string& dzien, const std::vector<std::string>& czynni = {}) {
        pxtest::PlikTestowy p;
        p.data = dzien;
        p.czynni = {{"5512393471", kKonto}};
        for (const auto& nip : czynni) p.czynni.push_back({nip, kKonto});
        dialogs->expectOpenFile(zapisz(QString::fromStdString(dzien) + ".json", p.json()));
        dialogs->expectMessage(QStringLiteral("Wczytano plik płaski z dnia "), ui::Answer::Ok);
        vWczytajPlikPlaskiZMenu(nullptr);
    }
    // Runs the issue of set 2 on kDay; `lista` drives the white-list window, `potem` queues what follows it.
    void wystaw(const std::function<void(TfrmBialaLista&)>& lista, const std::function<void()>& potem = {}) {
        runIssuing(kDay, 1, [&](TfrmWystawPrzelewy&) {
            if (lista) {
                dialogs->expectModal([&](QWidget& l) {
                    auto& okno = dynamic_cast<TfrmBialaLista&>(l);
                    lista(okno);
                    return okno.modalResult();
                });
            }
            if (potem) potem();
        });
    }
    std::string sprawdzenie(int przelew, const std::string& kolumny) {
        db.transaction().commitRetaining();
        return db.scalarText("select " + kolumny +
                             " from PR_BIALA_LISTA_SPRAWDZENIA where ID_PRZELEWU = " + std::to_string(przelew));
    }
    std::string sprawdzenia() {
        db.transaction().commitRetaining();
        return db.scalarText(
            "select list(ID_PRZELEWU || ':' || WYNIK, ' ') from (select ID_PRZELEWU, WYNIK from "
            "PR_BIALA_LISTA_SPRAWDZENIA order by ID)");
    }

    QTemporaryDir pierwsze, drugie, wspolny, pliki;
};

TEST_F(KontrolaTest, AnAccountMissingFromTheListIsConfirmedAndEveryCheckStaysWithItsRealizedRow) {
    wczytajZMenu("20261210");
    addTransfer(9101, "FV/1", "20000", "20000");
    addTransfer(9102, "FV/2", "15000", "15000", "0", kOther);
    addTransfer(9103, "FV/3", "14999.99", "14999.99", "0", kOther);  // below the threshold: not checked
    addTransfer(9104, "FV/4", "30000", "1000", "0", kOther);  // a part of an invoice above it
    wystaw([&](TfrmBialaLista& lista) {
        EXPECT_EQ(lista.grdRachunki->rowCount(), 2) << "FV/2 and FV/4";
        EXPECT_EQ(lista.grdRachunki->item(0, 1)->text(), "1132191233");
        expectIssued();
        lista.btnPotwierdz->click();
    });
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

TEST_F(KontrolaTest, AnOlderFileIsUsedWithAWarningAndNoFileLeavesEveryAccountToConfirm) {
    addTransfer(9101, "FV/1", "20000", "20000");
    wystaw([](TfrmBialaLista& lista) { lista.btnWroc->click(); });
    EXPECT_EQ(sprawdzenie(9101, "WYNIK || coalesce(DATA_PLIKU, '-')"), "4-");

    wczytajZMenu("20261208");
    wystaw({}, [&] {
        dialogs->expectMessage(QStringLiteral("z dnia 2026-12-08, starszego niż dzień przelewów"), ui::Answer::Ok);
        expectIssued();
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
    // A batch of hundreds goes in slices: the ones found sit on both sides of a slice's end.
    std::vector<int> wiele{9103};
    for (int id = 8902; id <= 9101; ++id) wiele.push_back(id);
    std::vector<int> znalezione;
    for (const auto& p : przelewyDoSprawdzenia(dmMain->transaction(), wiele)) znalezione.push_back(p.idPrzelewu);
    EXPECT_EQ(znalezione, (std::vector<int>{9101, 9103}));
    db.exec("update RE_PARAMETRY set PROG_BIALEJ_LISTY = 100");
    EXPECT_EQ(ktore(), (std::vector<int>{1, 9101, 9102, 9103}));  // 1: the demo's paid 13 809,55 zł
    db.exec("update RE_PARAMETRY set PROG_BIALEJ_LISTY = null");
    EXPECT_EQ(progWGroszach(dmMain->transaction()), 1500000);
}

// A confirmation that fails records none of it and the window stays; going
// back to the register then pays nothing but keeps the checks.
TEST_F(KontrolaTest, AFailedConfirmationRecordsNoneOfItAndGoingBackPaysNothing) {
    wczytajZMenu("20261210");
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
    });
    EXPECT_EQ(2, count("PR_BIALA_LISTA_SPRAWDZENIA where WYNIK = 0 and POTWIERDZIL is null and "
                       "ID_ZREALIZOWANEGO is null"));
    EXPECT_EQ(0, count("PR_WYSTAWIONE where " + kBatch));
    EXPECT_EQ(2, count("PR_PRZELEWY where ID in (9102, 9103) and DATA_REALIZACJI is null and ZAZNACZ2 = 1"));
}

TEST_F(KontrolaTest, TheMenuCommandLoadsAFileAndABrokenOneChangesNothing) {
    wczytajZMenu("20261210");
    EXPECT_EQ(db.scalarText("select cast(DATA_PLIKU as date) || ' ' || LICZBA_TRANSFORMACJI || ' ' || CZYNNYCH "
                            "from PR_BIALA_LISTA_PLIKI"),
              "2026-12-10 3 1");
    dialogs->expectOpenFile(zapisz("zly.json", "{\"naglowek\": {\"dataGenerowaniaDanych\": \"2026"));
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
}

// An office of two workstations: what one loads, the other reads only through a shared folder.
using WspolnyFolderTest = KontrolaTest;

TEST_F(WspolnyFolderTest, AFileLoadedOnOneWorkstationIsCheckedOnAnotherThroughTheSharedFolder) {
    addTransfer(9101, "FV/1", "20000", "20000");
    addTransfer(9102, "FV/2", "16000", "16000", "0", kOther);
    // Each workstation's own data folder by default: the second one cannot read what the first loaded.
    wczytajZMenu("20261210");
    stanowisko(drugie);
    // The user is told where this workstation looked, also in the register's answer for one transfer.
    const QString gdzie = "nie można go odczytać z folderu " + QDir::toNativeSeparators(drugie.path() + "/bialalista");
    wystaw([&](TfrmBialaLista& lista) {
        EXPECT_TRUE(lista.lblPlik->text().contains(gdzie)) << lista.lblPlik->text().toStdString();
        lista.btnWroc->click();
    });
    EXPECT_EQ(sprawdzenia(), "9101:4 9102:4");
    EXPECT_TRUE(opisDlaPrzelewu(9101).contains(gdzie));

    // The office names a shared folder: loaded on the first, read on the second.
    db.exec("update RE_PARAMETRY set SCIEZKA_BIALEJ_LISTY = '" + wspolny.path().toStdString() + "'");
    // Loading hashes the register's transfers in advance: the second one's check hashes nothing.
    stanowisko(pierwsze);
    wczytajZMenu("20261210");
    EXPECT_TRUE(QFile::exists(wspolny.filePath("20261210.bl")));
    EXPECT_TRUE(QFile::exists(wspolny.filePath("20261210.bls")));
    stanowisko(drugie);
    zapomnijSkroty();
    const std::uint64_t przed = digestsComputed();
    db.exec("delete from PR_BIALA_LISTA_SPRAWDZENIA");
    wystaw([&](TfrmBialaLista& lista) {
        expectIssued();
        lista.btnPotwierdz->click();
    });
    EXPECT_EQ(sprawdzenia(), "9101:1 9102:0");
    EXPECT_EQ(digestsComputed(), przed);
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
    EXPECT_TRUE(
        w.ostrzezenie.contains("\nBrak pliku płaskiego białej listy z dnia 2026-12-10. Rachunki sprawdzono "
                               "według najnowszego wczytanego pliku z dnia 2026-12-08"))
        << w.ostrzezenie.toStdString();
}

TEST_F(WspolnyFolderTest, TheFolderComesFromTheParametersWithTheDataFolderInPlaceOfItsPlaceholder) {
    EXPECT_EQ(folderZParametrow(dmMain->transaction()), QDir::cleanPath(pierwsze.path() + "/bialalista"));
    db.exec("update RE_PARAMETRY set SCIEZKA_BIALEJ_LISTY = '{DANE}/../wspolne/'");
    EXPECT_EQ(folderZParametrow(dmMain->transaction()), QDir::cleanPath(pierwsze.path() + "/../wspolne"));
    db.exec("update RE_PARAMETRY set SCIEZKA_BIALEJ_LISTY = '  /srv/biuro/bl  '");
    EXPECT_EQ(folderZParametrow(dmMain->transaction()), "/srv/biuro/bl");
}

// Loading hashes the register's transfers in advance; stopped once the first
// group is done, the file stays loaded, what was hashed is kept in the day's
// file of digests, and the check at issue hashes only the rest.
TEST_F(WspolnyFolderTest, StoppingTheHashingAtLoadKeepsTheFileAndWhatWasHashed) {
    constexpr int kIle = 20;  // more than one group of the hashing
    db.exec("update ET_KONTAKT set NIP = null where ID < 9000");  // the demo's transfers are not hashed
    std::vector<std::string> nipy;
    for (int i = 0; i < kIle; ++i) {
        nipy.push_back(pxtest::poprawnyNip(1000 + i));
        const int kto = 9010 + i;
        addContractor(kto, "Dostawca " + std::to_string(i), "K" + std::to_string(kto));
        db.exec("update ET_KONTAKT set NIP = '" + nipy[i] + "' where ID = " + std::to_string(kto));
        addTransfer(9200 + i, "FV/" + std::to_string(i), "20000", "20000", "0", kto);
    }
    // The person presses "Przerwij" as the progress reaches the second group.
    QTimer czekaj;
    QObject::connect(&czekaj, &QTimer::timeout, [&czekaj] {
        for (QWidget* okno : QApplication::topLevelWidgets()) {
            auto* postep = qobject_cast<QProgressDialog*>(okno);
            if (!postep || !postep->labelText().contains(QStringLiteral("rejestru: 16 z 20"))) continue;
            czekaj.stop();
            postep->findChild<QPushButton*>()->click();
        }
    });
    czekaj.start(0);
    wczytajZMenu("20261210", nipy);
    czekaj.stop();
    const auto magazyn = Magazyn::otworz(kDay);
    ASSERT_TRUE(magazyn);
    EXPECT_EQ(16u, skrotyDnia(magazyn->opis()).size());

    zapomnijSkroty();
    const std::uint64_t przed = digestsComputed();
    runIssuing(kDay, 1, [&](TfrmWystawPrzelewy&) { expectIssued(); });
    EXPECT_EQ(kIle, count("PR_BIALA_LISTA_SPRAWDZENIA where WYNIK = 1"));
    EXPECT_EQ(4u, digestsComputed() - przed);
}

// Many contractors take a while to hash: the user sees the progress, and
// stopping it issues nothing and records no check; not stopped, the same
// batch goes through.
TEST_F(WspolnyFolderTest, StoppingTheChecksProgressIssuesNothingAndRecordsNothing) {
    std::vector<std::string> nipy;
    for (int i = 0; i < 12; ++i) nipy.push_back(pxtest::poprawnyNip(1000 + i));
    // Loaded before the transfers are entered: none of them is hashed in advance.
    wczytajZMenu("20261210", nipy);
    for (int i = 0; i < 12; ++i) {
        const int kto = 9010 + i;
        addContractor(kto, "Dostawca " + std::to_string(i), "K" + std::to_string(kto));
        db.exec("update ET_KONTAKT set NIP = '" + nipy[i] + "' where ID = " + std::to_string(kto));
        addTransfer(9200 + i, "FV/" + std::to_string(i), "20000", "20000", "0", kto);
    }
    runIssuing(kDay, 1, [&](TfrmWystawPrzelewy& okno) {
        // The person presses the progress window's button as soon as it shows.
        auto* czekaj = new QTimer(&okno);
        QObject::connect(czekaj, &QTimer::timeout, [&okno, czekaj] {
            auto* postep = okno.findChild<QProgressDialog*>(QStringLiteral("dlgPostepBialejListy"));
            if (!postep || !postep->isVisible()) return;
            czekaj->stop();
            postep->findChild<QPushButton*>()->click();
        });
        czekaj->start(0);
        dialogs->expectMessage(QStringLiteral("Przerwano sprawdzanie rachunków na białej liście podatników VAT. "
                                              "Nie wystawiono żadnego przelewu."),
                               ui::Answer::Ok);
    });
    EXPECT_EQ(0, count("PR_BIALA_LISTA_SPRAWDZENIA"));
    EXPECT_EQ(0, count("PR_WYSTAWIONE where " + kBatch));
    EXPECT_EQ(12, count("PR_PRZELEWY where ID >= 9200 and DATA_REALIZACJI is null and ZAZNACZ2 = 1"));

    runIssuing(kDay, 1, [&](TfrmWystawPrzelewy&) { expectIssued(); });
    EXPECT_EQ(12, count("PR_BIALA_LISTA_SPRAWDZENIA where WYNIK = 1"));
    EXPECT_EQ(12, count("PR_PRZELEWY_ZREALIZOWANE where " + kBatch));
}

}  // namespace
