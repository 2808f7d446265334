#include "module/register/Przelewy.h"

#include "module/frame/PrzelewSql.h"
#include "module/frame/TDMP.h"
#include "module/import/Importprzelewow.h"
#include "module/import/Wyciagibankowe.h"
#include "module/issuing/Wystawprzelewy.h"
#include "module/whitelist/Kontrola.h"
#include "module/realized/Zrealizowane.h"
#include "module/register/PanelZestawu.h"
#include "module/register/Podzialkwoty.h"
#include "module/register/Przelewydane.h"
#include "module/reports/Zestawienia.h"
#include "platform/controls/EntryForm.h"
#include "platform/data/RowChanged.h"
#include "platform/data/UnitOfWork.h"
#include "platform/text/Nrb.h"
#include "platform/ui/Dialogs.h"
#include "siblings/core/TdmMain.h"
#include "siblings/kartoteka/TdmKartoteka.h"
#include "siblings/kontr/TdmKontr.h"

#include <QActionGroup>
#include <QApplication>
#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Filter lines of the register query: pending rows only, or every row.
const QString kTylkoOczekujace = QStringLiteral(" and a.DATA_REALIZACJI is NULL ");
const QString kWszystkie = QStringLiteral(" ");
// What the window starts with (and returns to after issuing).
const QString kStartWarunek = QStringLiteral("and a.DATA_REALIZACJI is NULL ");
const QString kStartPorzadek = QStringLiteral("a.TERMIN_ZAPLATY ASC");
const QString kStartKolumna = QStringLiteral("TERMIN_ZAPLATY");
const QString kUklad = QStringLiteral("TfrmPrzelewy");
// Account numbers shorter than this count as missing.
constexpr int kDlugoscKonta = 26;

data::Dataset& przelewy() { return DMP->quePrzelewy; }

bool bZrealizowany() { return !przelewy()["DATA_REALIZACJI"].isNull(); }
double dWartosc() { return przelewy()["WARTOSC"].asDouble(); }
// What is still owed: a partial amount chosen earlier is dropped.
double dPozostalo() { return przelewy()["WARTOSC_CALA"].asDouble() - przelewy()["WARTOSC_WYPLACONA"].asDouble(); }
bool bJestWiersz() { return przelewy().isActive() && !przelewy().isEmpty(); }

QString sBlad(const std::exception& e) { return QString::fromUtf8(e.what()); }

void vInnyZestaw() {
    ui::dialogs().message(QStringLiteral("Już zaznaczono w innym zestawie"), QString(), ui::Buttons::Ok,
                          ui::Icon::Information);
}

// Writes the active set's mark of the current row; the amount becomes what is
// still owed again.
void vUstawZnak(int znak) {
    przelewy().edit();
    DMP->fldZaznacz->setInteger(znak);
    przelewy()["WARTOSC"].setDouble(dPozostalo());
    przelewy().post();
}

QToolButton* przycisk(QWidget* parent, const char* name, const QString& text, const QString& hint = {}) {
    auto* b = ui::named<QToolButton>(name, parent);
    b->setText(text);
    b->setToolTip(hint.isEmpty() ? text : hint);
    b->setAutoRaise(true);
    return b;
}

}  // namespace

TfrmPrzelewy::TfrmPrzelewy(QWidget* owner, bool przywroc) : Form(owner), bPrzywrocWlasciciela(przywroc) {
    setObjectName(QStringLiteral("frmPrzelewy"));
    setReenablesOwner(bPrzywrocWlasciciela);
    setWindowTitle(QStringLiteral("PRZELEWY "));
    setMinimumSize(900, 593);
    vZbudujOkno();

    DMP->vUstawZestaw(1);
    grpZestawy->button(0)->setChecked(true);
    bPokazWszystkie = false;
    sWarunekRealizacji = kTylkoOczekujace;
    lista->sKolumnaSortowania = lista->sPoprzedniaKolumna = kStartKolumna;
    lista->bSortRosnaco = true;   // the start order is ascending: its arrow and the next click say so

    try {
        DMP->vWczytajParametry();
        przelewy().close();
        przelewy().setSqlLine(TDMP::kLiniaWarunku, kStartWarunek);
        przelewy().setSqlLine(TDMP::kLiniaPorzadku, kStartPorzadek);
        przelewy().open();
    } catch (const std::exception& e) {
        ui::showError(objectName(), "FormCreate", e);
    }
    iStanPowrotu = -1;
    zestaw.vZeruj();
    vPokazZestaw();
    grdPrzelewy->setVisible(przelewy().isActive());

    setWindowTitle(QStringLiteral("Przelewy "));
    dmMain->vAddWindowTab(*this);
    pnlParagraf->setVisible(DMP->iPokazParagraf == 1);
    const QList<QIcon> obrazy = dmMain->PobierzPrzyciski();
    const std::pair<QToolButton*, int> naPasku[] = {{btnAnuluj, 0}, {btnModyfikuj, 1}, {btnUsun, 2}, {btnDodaj, 3},
                                                    {btnWybierz, 4}};
    for (const auto& [button, index] : naPasku) button->setIcon(obrazy.value(index));
    btnPomoc->setIcon(dmMain->PobierzFiltry().value(5));
    lista->vUstawKolory();
    dmMain->vKolorForm(*this);

    DMP->grdPrzelewy = grdPrzelewy;
}

TfrmPrzelewy::~TfrmPrzelewy() {
    if (DMP && DMP->grdPrzelewy == grdPrzelewy) DMP->grdPrzelewy = nullptr;
}

// ---------------------------------------------------------------- building

void TfrmPrzelewy::vZbudujOkno() {
    auto* uklad = new QVBoxLayout(this);
    uklad->setContentsMargins(4, 4, 4, 4);
    uklad->setSpacing(4);
    vZbudujGore(*uklad);
    vZbudujSiatke(*uklad);
    vZbudujRekord(*uklad);
    vZbudujDol(*uklad);
    vZbudujAkcje();
    lista = new TListaSortowana(*this, *grdPrzelewy, przelewy(), *edtTekst, *btnCzysc, TDMP::kLiniaPorzadku,
                                [this] { actSQLExecute(); });
    connect(grdPrzelewy, &ui::DbGrid::keyDown, lista, &TListaSortowana::vKlawiszSiatki);
    lista->vMenuKontekstowe(*PopupMenu1);
}

void TfrmPrzelewy::vZbudujGore(QBoxLayout& uklad) {
    auto* gora = new QWidget(this);
    auto* siatka = new QGridLayout(gora);
    siatka->setContentsMargins(0, 0, 0, 0);

    tlbToolbar = ui::named<QToolBar>("tlbToolbar", gora);
    tlbToolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    // The captions are the key legend: the keys do the same as the buttons.
    btnAnuluj = przycisk(tlbToolbar, "btnAnuluj", QStringLiteral("Esc"), QStringLiteral("Esc - zamknięcie okna"));
    btnWybierz = przycisk(tlbToolbar, "btnWybierz", QStringLiteral("Enter"), QStringLiteral("Modyfikuj przelew"));
    btnDodaj = przycisk(tlbToolbar, "btnDodaj", QStringLiteral("Ins"), QStringLiteral("Dodaj przelew"));
    btnUsun = przycisk(tlbToolbar, "btnUsun", QStringLiteral("Ctrl-Del"), QStringLiteral("Usuń przelew"));
    btnModyfikuj = przycisk(tlbToolbar, "btnModyfikuj", QStringLiteral("F2"), QStringLiteral("Modyfikuj przelew"));
    btnPomoc = przycisk(tlbToolbar, "btnPomoc", QStringLiteral("F1"), QStringLiteral("F1 - pomoc"));
    for (QToolButton* b : {btnAnuluj, btnWybierz, btnDodaj, btnUsun, btnModyfikuj, btnPomoc}) {
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        tlbToolbar->addWidget(b);
    }
    connect(btnWybierz, &QToolButton::clicked, this, &TfrmPrzelewy::btnModyfikujClick);
    connect(btnModyfikuj, &QToolButton::clicked, this, &TfrmPrzelewy::btnModyfikujClick);
    connect(btnDodaj, &QToolButton::clicked, this, &TfrmPrzelewy::btnDodajClick);
    connect(btnUsun, &QToolButton::clicked, this, &TfrmPrzelewy::btnUsunClick);
    connect(btnPomoc, &QToolButton::clicked, this, &TfrmPrzelewy::actPomocExecute);
    siatka->addWidget(tlbToolbar, 0, 0, 2, 1);

    auto* okna = new QHBoxLayout;
    spbKontrahenci = przycisk(gora, "spbKontrahenci", QStringLiteral("Kartoteka kontrahentów"));
    spbBanki = przycisk(gora, "spbBanki", QStringLiteral("Dane o banku firmy"));
    spbZrealizowane = przycisk(gora, "spbZrealizowane", QStringLiteral("Pokaż przelewy zrealizowane"));
    spbWydruk = przycisk(gora, "spbWydruk", QStringLiteral("Wydruk faktur nie opłaconych  (P1)"));
    spbWyciagiBankowe = przycisk(gora, "spbWyciagiBankowe", QStringLiteral("Wyciągi bankowe"));
    for (QToolButton* b : {spbKontrahenci, spbBanki, spbZrealizowane, spbWydruk, spbWyciagiBankowe}) okna->addWidget(b);
    okna->addStretch(1);
    connect(spbKontrahenci, &QToolButton::clicked, this, &TfrmPrzelewy::spbKontrahenciClick);
    connect(spbBanki, &QToolButton::clicked, this, &TfrmPrzelewy::spbBankiClick);
    connect(spbZrealizowane, &QToolButton::clicked, this, &TfrmPrzelewy::spbZrealizowaneClick);
    connect(spbWydruk, &QToolButton::clicked, this, &TfrmPrzelewy::spbWydrukClick);
    connect(spbWyciagiBankowe, &QToolButton::clicked, this, &TfrmPrzelewy::spbWyciagiBankoweClick);
    siatka->addLayout(okna, 0, 1);

    QHBoxLayout* szukanie = TListaSortowana::pasekSzukania(gora, QStringLiteral("Szukaj:"), edtTekst, btnCzysc);
    spbWszystkie = przycisk(gora, "spbWszystkie", QStringLiteral("Pokaż / Ukryj faktury opłacone"));
    connect(spbWszystkie, &QToolButton::clicked, this, &TfrmPrzelewy::spbWszystkieClick);
    szukanie->addWidget(spbWszystkie);
    siatka->addLayout(szukanie, 1, 1);
    uklad.addWidget(gora);
}

void TfrmPrzelewy::vZbudujSiatke(QBoxLayout& uklad) {
    grdPrzelewy = ui::named<ui::DbGrid>("grdPrzelewy", this);
    grdPrzelewy->setVisible(false);
    // A null title shows the field's name, an empty one nothing.
    grdPrzelewy->setColumns(TListaSortowana::kolumny({{"DATA_REALIZACJI", QStringLiteral("Dt. realizacji"), 85},
                                                      {"KOLEJNY", QStringLiteral(""), 20},
                                                      {"WPROWADZONY_cal", QStringLiteral("Źródło"), 45},
                                                      {"NR_FAKTURY", QStringLiteral("Nr faktury"), 130},
                                                      {"WYROZNIONY", QString(), 24},
                                                      {"SYMBOL_NAZWA", QStringLiteral("Symb."), 60},
                                                      {"KONTRAHENT_NAZWA", QStringLiteral("Kontrahent"), 220},
                                                      {"TERMIN_ZAPLATY", QStringLiteral("Termin zap."), 90},
                                                      {"WARTOSC", QStringLiteral("Kwota przelewu"), 110},
                                                      {"INNA_KWOTA_cal", QStringLiteral(""), 28},
                                                      {"MPP_cal", QStringLiteral("MPP"), 36},
                                                      {"WARTOSC_CALA", QStringLiteral("Kwota całkowita"), 110},
                                                      {"WARTOSC_WYPLACONA", QStringLiteral("Kwota wypłacona"), 115},
                                                      {"TRESC1", QString(), 200},
                                                      {"KONTRAHENT_KONTO", QString(), 220}}));
    grdPrzelewy->setDataset(&DMP->quePrzelewy);
    connect(grdPrzelewy, &ui::DbGrid::keyPress, this, &TfrmPrzelewy::grdPrzelewyKeyPress);
    uklad.addWidget(grdPrzelewy, 1);
}

void TfrmPrzelewy::vZbudujRekord(QBoxLayout& uklad) {
    pnlRecord = ui::named<QFrame>("pnlRecord", this);
    pnlRecord->setFrameShape(QFrame::StyledPanel);
    auto* siatka = new QGridLayout(pnlRecord);
    siatka->setContentsMargins(6, 4, 6, 4);
    const auto dodaj = [](QGridLayout* g, const QString& etykieta, const char* nazwa, int wiersz, int kolumna,
                          int szerokosc = 1) {
        TListaSortowana::vPoleRekordu(*g, przelewy(), etykieta, nazwa, wiersz, kolumna, szerokosc);
    };
    dodaj(siatka, QStringLiteral("Nr faktury"), "NR_FAKTURY", 0, 0);
    dodaj(siatka, QStringLiteral("Kontrahent"), "KONTRAHENT_NAZWA", 0, 2, 3);
    dodaj(siatka, QStringLiteral("Konto"), "KONTRAHENT_KONTO", 1, 0);
    dodaj(siatka, QStringLiteral("Kwota"), "WARTOSC", 1, 2);
    dodaj(siatka, QStringLiteral("Termin zapłaty"), "TERMIN_ZAPLATY", 1, 4);
    dodaj(siatka, QStringLiteral("Treść"), "TRESC1", 2, 0, 5);

    pnlParagraf = ui::named<QFrame>("pnlParagraf", pnlRecord);
    auto* paragraf = new QGridLayout(pnlParagraf);
    paragraf->setContentsMargins(0, 0, 0, 0);
    dodaj(paragraf, QStringLiteral("Paragraf"), "PARAGRAF", 0, 0);
    siatka->addWidget(pnlParagraf, 3, 0, 1, 3);
    siatka->setColumnStretch(1, 2);
    siatka->setColumnStretch(3, 1);
    siatka->setColumnStretch(5, 1);
    uklad.addWidget(pnlRecord);
}

void TfrmPrzelewy::vZbudujDol(QBoxLayout& uklad) {
    pnlBottom = ui::named<QFrame>("pnlBottom", this);
    pnlBottom->setFrameShape(QFrame::StyledPanel);
    auto* dol = new QHBoxLayout(pnlBottom);
    dol->setContentsMargins(6, 4, 6, 4);

    rgKtoryZestaw = grupaZestawow(pnlBottom, grpZestawy);
    connect(grpZestawy, &QButtonGroup::idClicked, this, &TfrmPrzelewy::rgKtoryZestawClick);
    dol->addWidget(rgKtoryZestaw);

    btnZaznacz = ui::named<QPushButton>("btnZaznacz", QStringLiteral("Zaznacz/odznacz"), pnlBottom);
    btnZaznacz->setToolTip(QStringLiteral("F3 - zaznacz lub odznacz przelew"));
    connect(btnZaznacz, &QPushButton::clicked, this, &TfrmPrzelewy::btnZaznaczClick);
    dol->addWidget(btnZaznacz);

    vLicznikiZestawu(*dol, pnlBottom, pnlIlosc, pnlRazem);
    dol->addStretch(1);

    btnWystaw = ui::named<QPushButton>("btnWystaw", QStringLiteral("Wystaw przelewy"), pnlBottom);
    btnWystaw->setToolTip(QStringLiteral("Wystaw zaznaczone przelewy"));
    connect(btnWystaw, &QPushButton::clicked, this, &TfrmPrzelewy::btnWystawClick);
    dol->addWidget(btnWystaw);

    spbImport = przycisk(pnlBottom, "spbImport", QStringLiteral("Importuj przelewy z innego systemu:"));
    connect(spbImport, &QToolButton::clicked, this, &TfrmPrzelewy::spbImportClick);
    dol->addWidget(spbImport);
    uklad.addWidget(pnlBottom);
}

void TfrmPrzelewy::vZbudujAkcje() {
    ActionList1 = ui::named<QActionGroup>("ActionList1", this);
    ActionList1->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
    const auto akcja = [this](const char* nazwa, const QString& tekst, const QKeySequence& klawisz,
                              void (TfrmPrzelewy::*handler)()) {
        return ui::formAction(*this, nazwa, tekst, klawisz, handler);
    };
    actDodaj = akcja("actDodaj", QStringLiteral("Dodaj przelew"), Qt::Key_Insert, &TfrmPrzelewy::btnDodajClick);
    actModyfikuj =
        akcja("actModyfikuj", QStringLiteral("Modyfikuj przelew"), Qt::Key_F2, &TfrmPrzelewy::btnModyfikujClick);
    actUsun = akcja("actUsun", QStringLiteral("Usuń przelew"), Qt::CTRL | Qt::Key_Delete, &TfrmPrzelewy::btnUsunClick);
    actZaznacz = akcja("actZaznacz", QStringLiteral("Zaznacz/odznacz przelew"), Qt::Key_F3,
                       &TfrmPrzelewy::btnZaznaczClick);
    actWystaw = akcja("actWystaw", QStringLiteral("Wystaw przelewy"), Qt::Key_F5, &TfrmPrzelewy::btnWystawClick);
    actLista = akcja("actLista", QStringLiteral("Lista kolumn"), Qt::CTRL | Qt::Key_L, &TfrmPrzelewy::actListaExecute);
    for (QAction* a : {actDodaj, actUsun, actModyfikuj, actWystaw, actZaznacz, actLista}) ActionList1->addAction(a);

    actZaznaczWszystkie = akcja("actZaznaczWszystkie", QStringLiteral("Zaznacz wszystkie"), {},
                                &TfrmPrzelewy::ZaznaczWszystkieClick);
    actOdznaczWszystkie = akcja("actOdznaczWszystkie", QStringLiteral("Odznacz wszystkie"), {},
                                &TfrmPrzelewy::OdznaczWszystkieClick);
    actCzesciowaOplata = akcja("actCzesciowaOplata", QStringLiteral("Częściowa opłata"), Qt::Key_F6,
                               &TfrmPrzelewy::CzesciowaOplataClick);
    actPrzelicz = akcja("actPrzelicz", QStringLiteral("Przelicz zaznaczone"), {}, &TfrmPrzelewy::vPrzelicz);
    actZnajdz = akcja("actZnajdz", QStringLiteral("Znajdz"), Qt::CTRL | Qt::Key_F, &TfrmPrzelewy::actZnajdzExecute);
    actPomoc = akcja("actPomoc", QStringLiteral("Pomoc"), Qt::Key_F1, &TfrmPrzelewy::actPomocExecute);
    actBialaLista = akcja("actBialaLista", QStringLiteral("Biała lista VAT"), Qt::CTRL | Qt::Key_B,
                          &TfrmPrzelewy::actBialaListaExecute);

    PopupMenu1 = ui::named<QMenu>("PopupMenu1", this);
    PopupMenu1->addActions({actDodaj, actModyfikuj, actUsun, actZaznacz, actZaznaczWszystkie, actOdznaczWszystkie,
                            actCzesciowaOplata, actPrzelicz, actZnajdz, actLista, actBialaLista});
}

// ---------------------------------------------------------------- activation and closing

void TfrmPrzelewy::onActivate() {
    qApp->installEventFilter(dmMain->AppMessage());
    switch (iStanPowrotu) {
    case -1: vPrzelicz(); break;
    case 5:
        // A batch withdrawn there brought transfers back, perhaps into set 1.
        actSQLExecute();
        vPrzelicz();
        break;
    case 6:
        przelewy().setSqlLine(TDMP::kLiniaPorzadku, sZapamietanyPorzadek);
        actSQLExecute();
        break;
    default: break;
    }
    iStanPowrotu = 0;
}

void TfrmPrzelewy::onClose() {
    dmMain->vZapiszGrid(*grdPrzelewy, kUklad, true);
    for (data::Dataset* q : {&DMP->quePrzelewy, &DMP->queZrealizowane, &DMP->queBanki})
        if (q->isActive()) q->close();
    qApp->removeEventFilter(dmMain->AppMessage());
    dmMain->vRemoveWindowTab(*this);
    DMP->grdPrzelewy = nullptr;
}

// ---------------------------------------------------------------- the list

void TfrmPrzelewy::actSQLExecute() {
    try {
        lista->vOtworz(TDMP::kLiniaWarunku, sWarunekRealizacji);
    } catch (const std::exception& e) {
        ui::dialogs().showMessage("frmPrzelew->actSQLExecute(...) \n\n" + sBlad(e));
    }
}

void TfrmPrzelewy::spbWszystkieClick() {
    bPokazWszystkie = !bPokazWszystkie;
    sWarunekRealizacji = bPokazWszystkie ? kWszystkie : kTylkoOczekujace;
    actSQLExecute();
}

void TfrmPrzelewy::grdPrzelewyTitleClick(const QString& pole) { lista->vKliknietyTytul(pole); }

void TfrmPrzelewy::grdPrzelewyKeyPress(QChar& key) {
    if (key == u'\r') {
        key = QChar();
        btnModyfikujClick();
    } else {
        lista->vZnakSiatki(key);
    }
}

void TfrmPrzelewy::actCzyscExecute() { lista->actCzyscExecute(); }

// ---------------------------------------------------------------- transfers

void TfrmPrzelewy::btnDodajClick() {
    iStanPowrotu = 1;
    pnlBottom->hide();
    openChild(new TfrmPrzelewyDane(this, false));
}

void TfrmPrzelewy::btnModyfikujClick() {
    if (!bJestWiersz()) return;
    if (bZrealizowany()) {
        ui::dialogs().message(QStringLiteral("Przelew  juz zrealizowany "), QStringLiteral("Nie można zmieniać"),
                              ui::Buttons::Ok, ui::Icon::Error);
        return;
    }
    iStanPowrotu = 1;
    pnlRecord->hide();
    pnlBottom->hide();
    openChild(new TfrmPrzelewyDane(this, true));
}

void TfrmPrzelewy::btnUsunClick() {
    if (!bJestWiersz()) return;
    if (bZrealizowany()) {
        ui::dialogs().message(QStringLiteral("Przelew juz zrealizowany "), QString(), ui::Buttons::Ok,
                              ui::Icon::Error);
        return;
    }
    QString pytanie = QStringLiteral("Czy chcesz usunąć wybrany przelew?");
    if (przelewy()["WPROWADZONY"].asInteger() != 1)
        pytanie.prepend(QStringLiteral("Przelew utworzony automatycznie z faktury ZAKUPU !\n"));
    if (ui::dialogs().message(pytanie, QStringLiteral("Usuwanie"), ui::Buttons::YesNo, ui::Icon::Question) !=
        ui::Answer::Yes)
        return;
    // A row of the active set leaves the set's count and sum with it.
    const bool zaznaczony = bZaznaczonyWZestawie(przelewy(), DMP->iKtoryZestaw);
    const double kwota = dWartosc();
    lista->iZapamietaneId = lista->iBiezaceId();   // where the list returns should the delete be undone
    bZapiszWRejestrze("btnUsunClick", [&] {
        data::UnitOfWork uow(dmMain->transaction(), {&przelewy()});
        przelewy().remove();
        uow.commit();
        lista->iZapamietaneId = 0;
        if (zaznaczony) {
            zestaw.vOdejmij(kwota);
            vPokazZestaw();
        }
    });
}

// ---------------------------------------------------------------- marking sets

void TfrmPrzelewy::vPokazZestaw() {
    pnlIlosc->setText(zestaw.sIlosc());
    pnlRazem->setText(zestaw.sRazem());
}

void TfrmPrzelewy::rgKtoryZestawClick(int index) {
    DMP->vUstawZestaw(index + 1);
    const int id = lista->iBiezaceId();
    vPrzelicz();
    if (id > 0) przelewy().locate(QStringLiteral("ID"), id);
}

void TfrmPrzelewy::vPrzelicz() {
    grdPrzelewy->detachDataset();
    try {
        if (!przelewy().isActive()) przelewy().open();
        zestaw.vPrzelicz(przelewy(), DMP->iKtoryZestaw);
        vPokazZestaw();
        przelewy().first();
    } catch (const std::exception& e) {
        ui::showError(objectName(), "Przelicz", e);
    }
    grdPrzelewy->attachDataset();
}

void TfrmPrzelewy::btnZaznaczClick() {
    if (!bJestWiersz() || bZrealizowany()) return;
    data::Field& znak = *DMP->fldZaznacz;
    if (znak.asInteger() != 1 && bZaznaczonyWInnymZestawie(przelewy(), DMP->iKtoryZestaw)) {
        vInnyZestaw();
        return;
    }
    const auto zapis = [&] {
        data::UnitOfWork uow(dmMain->transaction(), {&przelewy()});
        TZestawZaznaczonych po = zestaw;
        przelewy().edit();
        if (znak.asInteger() == 1) {
            po.vOdejmij(dWartosc());
            znak.setInteger(0);
            przelewy()["WARTOSC"].setDouble(dPozostalo());
        } else {
            po.vDodaj(dWartosc());
            znak.setInteger(1);
        }
        przelewy().post();
        uow.commit();
        zestaw = po;
        vPokazZestaw();
    };
    bZapiszWRejestrze("btnZaznaczClick", zapis,
                      [](const std::exception&) { ui::dialogs().showMessage(QStringLiteral("Blad")); });
}

void TfrmPrzelewy::ZaznaczWszystkieClick() {
    bZapiszWRejestrze("ZaznaczWszystkie", [&] {
        data::UnitOfWork uow(dmMain->transaction(), {&przelewy()});
        if (!przelewy().isActive()) przelewy().open();
        TZestawZaznaczonych po;
        for (przelewy().first(); !przelewy().eof(); przelewy().next()) {
            if (bZrealizowany()) continue;
            if (bZaznaczonyWInnymZestawie(przelewy(), DMP->iKtoryZestaw)) {
                vInnyZestaw();
                continue;
            }
            vUstawZnak(1);
            po.vDodaj(dWartosc());
        }
        uow.commit();
        zestaw = po;
        vPokazZestaw();
        przelewy().first();
    });
}

void TfrmPrzelewy::OdznaczWszystkieClick() {
    grdPrzelewy->detachDataset();
    const bool odznaczono = bZapiszWRejestrze("OdznaczWszystkie", [&] {
        data::UnitOfWork uow(dmMain->transaction(), {&przelewy()});
        if (!przelewy().isActive()) przelewy().open();
        for (przelewy().first(); !przelewy().eof(); przelewy().next())
            if (!bZrealizowany()) vUstawZnak(0);
        uow.commit();
        zestaw.vZeruj();
        vPokazZestaw();
    });
    grdPrzelewy->attachDataset();
    if (!odznaczono) return;
    przelewy().first();
    ui::dialogs().showMessage(QStringLiteral("Odznaczono wszystkie przelewy"));
}

bool TfrmPrzelewy::bZapiszWRejestrze(const char* operacja, const std::function<void()>& zapis,
                                     const std::function<void(const std::exception&)>& zglos) {
    return runHandler(operacja, zapis, [&](const std::exception& e) {
        if (dynamic_cast<const data::RowChanged*>(&e))
            ui::dialogs().message(kPrzelewZmieniony, QStringLiteral("Ostrzeżenie"), ui::Buttons::Ok,
                                  ui::Icon::Warning);
        else if (zglos)
            zglos(e);
        else
            ui::showError(objectName(), operacja, e);
    });
}

// Undone work may still show in the list and in the set's count.
void TfrmPrzelewy::onHandlerFailed(const char*) { vOdswiez(); }

void TfrmPrzelewy::vOdswiez() {
    if (lista->iZapamietaneId <= 0) lista->iZapamietaneId = lista->iBiezaceId();
    const int id = lista->iZapamietaneId;
    actSQLExecute();
    vPrzelicz();
    if (id > 0) przelewy().locate(QStringLiteral("ID"), id);
}

void TfrmPrzelewy::CzesciowaOplataClick() {
    if (!bJestWiersz() || DMP->fldZaznacz->asInteger() != 1) {
        ui::dialogs().message(QStringLiteral("Faktura nie zaznaczona !"), QString(), ui::Buttons::Ok,
                              ui::Icon::Error);
        return;
    }
    const double przed = dWartosc();
    const int wynik = ui::dialogs().runModal(*new TfrmPodzialKwoty(this));
    if (wynik == ui::mrAbort) {
        // The split's write was undone after it had reached the list.
        onHandlerFailed("CzesciowaOplataClick");
        return;
    }
    zestaw.vOdejmijKwote(przed);
    zestaw.vDodajKwote(dWartosc());
    vPokazZestaw();
}

void TfrmPrzelewy::actBialaListaExecute() {
    if (!bJestWiersz()) return;
    runHandler("actBialaListaExecute", [this] {
        ui::dialogs().message(whitelist::opisDlaPrzelewu(static_cast<int>(przelewy()["ID"].asInteger())),
                              QStringLiteral("Biała lista podatników VAT"), ui::Buttons::Ok, ui::Icon::Information);
    });
}

// ---------------------------------------------------------------- issuing

void TfrmPrzelewy::btnWystawClick() {
    iStanPowrotu = 2;
    if (zestaw.iIlosc() == 0) {
        ui::dialogs().message(QStringLiteral("Nie zaznaczono faktur !"), QStringLiteral(" Uwaga !"), ui::Buttons::Ok,
                              ui::Icon::Error);
        return;
    }
    const QStringList poprzednie = przelewy().sql();
    try {
        przelewy().close();
        przelewy().setSqlLine(TDMP::kLiniaWarunku, sWarunekZestawu(DMP->iKtoryZestaw));
        przelewy().setSqlLine(TDMP::kLiniaPorzadku, QStringLiteral(" a.ID_KONTRAHENTA"));
        przelewy().open();
        for (przelewy().first(); !przelewy().eof(); przelewy().next()) {
            if (!bKontoDoWystawienia()) {
                vPrzywrocListe(poprzednie);
                return;
            }
        }
    } catch (const std::exception& e) {
        ui::showError(objectName(), "btnWystawClick", e);
        vPrzywrocListe(poprzednie);
        return;
    }
    vOtworzWystawianie(poprzednie);
}

bool TfrmPrzelewy::bKontoDoWystawienia() {
    const QString nazwa = przelewy()["KONTRAHENT_NAZWA"].asString();
    const QString konto = przelewy()["KONTRAHENT_KONTO"].asString();
    const auto odmowa = [](const QString& tekst, const QString& tytul) {
        ui::dialogs().message(tekst, tytul, ui::Buttons::Ok, ui::Icon::Error);
        return false;
    };
    if (konto.length() < kDlugoscKonta)
        return odmowa(nazwa, QStringLiteral("Brak konta bankowego->Kontrahenta:"));
    if (DMP->iCzyAkceptacjaKontaBankowego == 1 &&
        DMP->iKontoZaakceptowane(static_cast<int>(przelewy()["ID_KONTA_BANK"].asInteger())) == 0)
        return odmowa(nazwa + "\n" + konto, QStringLiteral("NIE JEST ZAAKCEPTOWANE konto bankowe ->Kontrahenta:"));
    // A mistyped number would send the money to somebody else or back from the bank.
    if (text::checkNrb(konto) == text::NrbCheck::WrongChecksum)
        return odmowa(nazwa + "\n" + konto + QStringLiteral("\n\nNumer konta ma błędne cyfry kontrolne. "
                                                             "Popraw go w kartotece kontrahentów."),
                      QStringLiteral("Błędny numer konta bankowego->Kontrahenta:"));
    return true;
}

void TfrmPrzelewy::vPrzywrocListe(const QStringList& zapytanie) {
    try {
        przelewy().setSql(zapytanie);
        przelewy().open();
    } catch (const std::exception& e) {
        ui::showError(objectName(), "btnWystawClick", e);
    }
}

void TfrmPrzelewy::vOtworzWystawianie(const QStringList&) {
    // The issuing window works on the checked set as the query now holds it;
    // afterwards the register starts over from its pending list.
    QPointer<TfrmWystawPrzelewy> okno = new TfrmWystawPrzelewy(this);
    ui::dialogs().runModal(*okno);
    delete okno.data();
    vPoWystawieniu();
    // Issuing detaches the grid for its walk.
    grdPrzelewy->attachDataset();
}

void TfrmPrzelewy::vPoWystawieniu() {
    bPokazWszystkie = false;
    sWarunekRealizacji = kTylkoOczekujace;
    lista->sKolumnaSortowania = lista->sPoprzedniaKolumna = kStartKolumna;
    lista->bSortRosnaco = true;   // the start order is ascending: its arrow and the next click say so
    try {
        przelewy().close();
        przelewy().setSqlLine(TDMP::kLiniaWarunku, kStartWarunek);
        przelewy().setSqlLine(TDMP::kLiniaPorzadku, kStartPorzadek);
        przelewy().open();
    } catch (const std::exception& e) {
        ui::showError(objectName(), "btnWystawClick", e);
    }
    vPrzelicz();
}

// ---------------------------------------------------------------- other windows

void TfrmPrzelewy::spbZrealizowaneClick() {
    iStanPowrotu = 5;
    vOtworzZrealizowane();
}

void TfrmPrzelewy::spbWydrukClick() {
    iStanPowrotu = 6;
    sZapamietanyPorzadek = przelewy().sql().value(TDMP::kLiniaPorzadku);
    vOtworzZestawienia();
}

void TfrmPrzelewy::spbImportClick() {
    const QString plik = ui::dialogs().openFileName(QStringLiteral("Importuj przelewy z innego systemu"),
                                                    DMP->sSciezkaImportuPrzelewow, QString());
    if (plik.isEmpty()) return;
    sPlikImportu = plik;
    vOtworzImport();
}

void TfrmPrzelewy::spbWyciagiBankoweClick() { vOtworzWyciagi(); }

void TfrmPrzelewy::vOtworzZrealizowane() { openChild(new TfrmZrealizowane(this)); }

void TfrmPrzelewy::vOtworzZestawienia() { openChild(new TfrmZestawienia(this)); }

void TfrmPrzelewy::vOtworzImport() { openChild(new TfrmImportPrzelewow(this, sPlikImportu)); }

// A new window on every click, beside the register, which stays enabled.
void TfrmPrzelewy::vOtworzWyciagi() { (new TfrmWyciagiBankowe(this))->showWindow(); }

void TfrmPrzelewy::spbKontrahenciClick() { dmKontr->KontrahentModalne(this, 0); }

void TfrmPrzelewy::spbBankiClick() { dmKartoteka->BankModalne(this); }

void TfrmPrzelewy::actZnajdzExecute() { dmMain->vZnajdz(*this, *grdPrzelewy, lista->sKolumnaSortowania); }

void TfrmPrzelewy::actListaExecute() {
    dmMain->vColumnList(*grdPrzelewy, lista->sKolumnaSortowania, lista->sPoprzedniaKolumna);
}

void TfrmPrzelewy::actPomocExecute() { dmMain->ShowHelpWindow(*this, QStringLiteral("HTML/Przelewy.html")); }
