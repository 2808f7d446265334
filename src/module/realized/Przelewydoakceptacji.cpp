#include "module/realized/Przelewydoakceptacji.h"

#include "module/frame/TDMP.h"
#include "module/register/PanelZestawu.h"
#include "platform/controls/EntryForm.h"
#include "platform/data/UnitOfWork.h"
#include "platform/ui/Dialogs.h"
#include "siblings/core/TdmMain.h"
#include "siblings/kontr/TdmKontr.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QFontMetrics>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kUklad = QStringLiteral("TfrmPrzelewyDoAkceptacji");
const QString kMoneyFormat = QStringLiteral("### ### ##0.00");
// The list shows transfers marked in any set ("Zaznaczone") or all of them.
const QString kZaznaczone = QStringLiteral("and (a.ZAZNACZ>0 or a.ZAZNACZ2>0 or a.ZAZNACZ3>0)  ");
const QString kStartPorzadek = QStringLiteral("b.KOD_FK ASC");
const QString kStartKolumna = QStringLiteral("b.KOD_FK");
constexpr int kLiniaWarunku = 6;
constexpr int kLiniaPorzadku = 8;

QStringList zapytanie() {
    return {"select a.*,b.PELNA as KONTRAHENT_NAZWA, b.KOD_FK as SYMBOL_NAZWA,b.SKROT as KONTRAHENT_SKROT,"
            "b.WYROZNIONY as WYROZNIONY,",
            "c.KONTO as KONTRAHENT_KONTO , c.NAZWA as KONTRAHENT_NAZWABANKU, c.ZAAKCEPTOWANE as ZAAKCEPTOWANE",
            "from",
            "PR_PRZELEWY a , ET_KONTAKT b, ET_BANK_KONTO c",
            "where",
            "a.ID_KONTRAHENTA=b.ID and a.ID_KONTA_BANK=c.ID",
            kZaznaczone,
            "order by",
            kStartPorzadek};
}

void vOdmowa(const QString& tekst) { ui::dialogs().message(tekst, QString(), ui::Buttons::Ok, ui::Icon::Error); }

}  // namespace

TfrmPrzelewyDoAkceptacji::TfrmPrzelewyDoAkceptacji(QWidget* owner) : Form(owner) {
    setObjectName(QStringLiteral("frmPrzelewyDoAkceptacji"));
    queRobPrzelewy.setObjectName(QStringLiteral("queRobPrzelewy"));
    queRobPrzelewy.setSql(zapytanie());
    for (const char* kwota : {"WARTOSC", "WARTOSC_CALA", "WARTOSC_WYPLACONA"})
        queRobPrzelewy.declareField(kwota).setDisplayFormat(kMoneyFormat);
    TListaSortowana::vOpiszPola(queRobPrzelewy);
    dmMain->vPrzydzielDane(queRobPrzelewy, dmMain->database(), dmMain->transaction(), false);
    dmMain->vPodstawMaskaTime(queRobPrzelewy);
    connect(&queRobPrzelewy, &data::Dataset::afterScroll, this, [this] {
        dmMain->OnDataChange(queRobPrzelewy, grdPrzelewy);
    });
    vZbudujOkno();
    setGeometry(0, 0, 900, 600);

    grpZestawy->button(0)->setChecked(true);
    grpWszystkie->button(0)->setChecked(true);
    sWarunekZestawu = kZaznaczone;
    lista->sKolumnaSortowania = lista->sPoprzedniaKolumna = kStartKolumna;
    try {
        DMP->vWczytajParametry();
        queRobPrzelewy.open();
    } catch (const std::exception& e) {
        ui::showError(objectName(), "FormCreate", e);
    }
    grdPrzelewy->setVisible(queRobPrzelewy.isActive());
    vPrzelicz();

    setWindowTitle(QStringLiteral("Akceptacja przelewów (kont bankowych)"));
    dmMain->vAddWindowTab(*this);
    lista->vUstawKolory();
    dmMain->vKolorForm(*this);
}

// ---------------------------------------------------------------- building

void TfrmPrzelewyDoAkceptacji::vZbudujOkno() {
    auto* uklad = new QVBoxLayout(this);
    uklad->setContentsMargins(4, 4, 4, 4);
    uklad->addWidget(vZbudujGore());

    grdPrzelewy = ui::named<ui::DbGrid>("grdPrzelewy", this);
    grdPrzelewy->setVisible(false);
    grdPrzelewy->setColumns(TListaSortowana::kolumny({{"ZAAKCEPTOWANE", QStringLiteral("Akceptacja"), 75},
                                                      {"KONTRAHENT_KONTO", QString(), 220},
                                                      {"SYMBOL_NAZWA", QString(), 60},
                                                      {"KONTRAHENT_NAZWA", QStringLiteral("Kontrahent"), 220},
                                                      {"NR_FAKTURY", QStringLiteral("Nr faktury"), 130},
                                                      {"WARTOSC", QStringLiteral("Kwota przelewu"), 110},
                                                      {"WARTOSC_CALA", QStringLiteral("Kwota całkowita"), 110},
                                                      {"WARTOSC_WYPLACONA", QStringLiteral("Kwota wypłacona"), 115},
                                                      {"DATA_REALIZACJI", QStringLiteral("Dt. realizacji"), 85},
                                                      {"KOLEJNY", QStringLiteral("   "), 20},
                                                      {"WYROZNIONY", QString(), 24},
                                                      {"SYMBOL_NAZWA", QStringLiteral("Symb."), 60},
                                                      {"TERMIN_ZAPLATY", QStringLiteral("Termin zap."), 90},
                                                      {"TRESC1", QString(), 200}}));
    grdPrzelewy->setDataset(&queRobPrzelewy);
    lista = new TListaSortowana(*this, *grdPrzelewy, queRobPrzelewy, *edtTekst, *btnCzysc, kLiniaPorzadku,
                                [this] { actSQLExecute(); });
    grdPrzelewy->setCellPainter([this](const ui::DbGrid::Cell& cell) { grdPrzelewyDrawColumnCell(cell); });
    connect(grdPrzelewy, &ui::DbGrid::keyPress, lista, &TListaSortowana::vZnakSiatki);
    uklad->addWidget(grdPrzelewy, 1);
    uklad->addWidget(vZbudujRekord());
    uklad->addWidget(vZbudujDol());
    vZbudujAkcje();
    lista->vMenuKontekstowe(*PopupMenu1);
}

QWidget* TfrmPrzelewyDoAkceptacji::vZbudujGore() {
    auto* gora = new QWidget(this);
    auto* uklad = new QHBoxLayout(gora);
    uklad->setContentsMargins(0, 0, 0, 0);
    uklad->addLayout(TListaSortowana::pasekSzukania(gora, QStringLiteral("Szukaj"), edtTekst, btnCzysc), 1);

    rgWszystkie = ui::named<QGroupBox>("rgWszystkie", QStringLiteral("Przelewy do opłacenia"), gora);
    auto* pozycje = new QHBoxLayout(rgWszystkie);
    grpWszystkie = new QButtonGroup(rgWszystkie);
    const QString nazwy[] = {QStringLiteral("Zaznaczone         ."), QStringLiteral("Wszystkie")};
    for (int i = 0; i < 2; ++i) {
        auto* pozycja = new QRadioButton(nazwy[i], rgWszystkie);
        pozycja->setObjectName(QStringLiteral("rgWszystkie%1").arg(i + 1));
        grpWszystkie->addButton(pozycja, i);
        pozycje->addWidget(pozycja);
    }
    connect(grpWszystkie, &QButtonGroup::idClicked, this, [this] { actSQLExecute(); });
    uklad->addWidget(rgWszystkie);
    return gora;
}

QWidget* TfrmPrzelewyDoAkceptacji::vZbudujRekord() {
    auto* panel = ui::named<QFrame>("pnlRecord", this);
    panel->setFrameShape(QFrame::StyledPanel);
    auto* siatka = new QGridLayout(panel);
    siatka->setContentsMargins(6, 4, 6, 4);
    const auto dodaj = [&](const QString& etykieta, const char* nazwa, int wiersz, int kolumna, int szerokosc = 1) {
        TListaSortowana::vPoleRekordu(*siatka, queRobPrzelewy, etykieta, nazwa, wiersz, kolumna, szerokosc);
    };
    dodaj(QStringLiteral("Kwota"), "WARTOSC", 0, 0);
    dodaj(QStringLiteral("Nr faktury"), "NR_FAKTURY", 0, 2);
    dodaj(QStringLiteral("Termin zapłaty"), "TERMIN_ZAPLATY", 0, 4);
    dodaj(QStringLiteral("Kontrahent"), "KONTRAHENT_NAZWA", 1, 0, 3);
    dodaj(QStringLiteral("Paragraf"), "PARAGRAF", 1, 4);
    dodaj(QStringLiteral("Konto"), "KONTRAHENT_KONTO", 2, 0, 3);
    dodaj(QStringLiteral("Treść"), "TRESC1", 3, 0, 5);
    siatka->setColumnStretch(1, 1);
    siatka->setColumnStretch(3, 1);
    siatka->setColumnStretch(5, 1);
    return panel;
}

QWidget* TfrmPrzelewyDoAkceptacji::vZbudujDol() {
    auto* dol = ui::named<QFrame>("pnlBottom", this);
    dol->setFrameShape(QFrame::StyledPanel);
    auto* uklad = new QHBoxLayout(dol);
    uklad->setContentsMargins(6, 4, 6, 4);
    const auto przycisk = [&](const char* nazwa, const QString& tekst, const QString& klawisz,
                              void (TfrmPrzelewyDoAkceptacji::*handler)()) {
        auto* b = ui::named<QPushButton>(nazwa, tekst, dol);
        connect(b, &QPushButton::clicked, this, handler);
        uklad->addWidget(b);
        uklad->addWidget(new QLabel(klawisz, dol));
        return b;
    };
    btnAkceptuj = przycisk("btnAkceptuj", QStringLiteral("Akceptacja konto bankowego"), QStringLiteral("F3"),
                           &TfrmPrzelewyDoAkceptacji::btnAkceptujClick);
    btnOdAkceptuj = przycisk("btnOdAkceptuj", QStringLiteral("Anuluj akceptacje"), QStringLiteral("Del"),
                             &TfrmPrzelewyDoAkceptacji::btnOdAkceptujClick);

    rgKtoryZestaw = grupaZestawow(dol, grpZestawy);
    connect(grpZestawy, &QButtonGroup::idClicked, this, &TfrmPrzelewyDoAkceptacji::rgKtoryZestawClick);
    uklad->addWidget(rgKtoryZestaw);

    vLicznikiZestawu(*uklad, dol, pnlIlosc, pnlRazem);
    uklad->addStretch(1);
    return dol;
}

void TfrmPrzelewyDoAkceptacji::vZbudujAkcje() {
    const auto akcja = [this](const char* nazwa, const QString& tekst, const QKeySequence& klawisz,
                              void (TfrmPrzelewyDoAkceptacji::*handler)()) {
        return ui::formAction(*this, nazwa, tekst, klawisz, handler);
    };
    actZaznacz = akcja("actZaznacz", QStringLiteral("Akceptacja konta bankowego "), Qt::Key_F3,
                       &TfrmPrzelewyDoAkceptacji::btnAkceptujClick);
    actOdakceptuj = akcja("actOdakceptuj", QStringLiteral("Anuluj akceptacje"), Qt::Key_Delete,
                          &TfrmPrzelewyDoAkceptacji::btnOdAkceptujClick);
    actLista = akcja("actLista", QStringLiteral("Lista kolumn"), Qt::CTRL | Qt::Key_L,
                     &TfrmPrzelewyDoAkceptacji::actListaExecute);
    actAkceptujWszystkie = akcja("AkceptacjaWszystkie1", QStringLiteral("Wszystkich "), {},
                                 &TfrmPrzelewyDoAkceptacji::AkceptacjaWszystkie1Click);

    PopupMenu1 = ui::named<QMenu>("PopupMenu1", this);
    PopupMenu1->addActions({actZaznacz, actLista});
    PopupMenu1->addMenu(QStringLiteral("Akceptacja"))->addAction(actAkceptujWszystkie);
}

// ---------------------------------------------------------------- activation and closing

void TfrmPrzelewyDoAkceptacji::onActivate() { qApp->installEventFilter(dmMain->AppMessage()); }

void TfrmPrzelewyDoAkceptacji::onClose() {
    dmMain->vZapiszGrid(*grdPrzelewy, kUklad, true);
    if (queRobPrzelewy.isActive()) queRobPrzelewy.close();
    qApp->removeEventFilter(dmMain->AppMessage());
    dmMain->vRemoveWindowTab(*this);
}

// A failed acceptance was undone: the list shows the database again.
void TfrmPrzelewyDoAkceptacji::onHandlerFailed(const char*) { actSQLExecute(); }

// ---------------------------------------------------------------- the list

bool TfrmPrzelewyDoAkceptacji::bJestWiersz() const { return queRobPrzelewy.isActive() && !queRobPrzelewy.isEmpty(); }

bool TfrmPrzelewyDoAkceptacji::bWszystkie() const { return grpWszystkie->checkedId() == 1; }

int TfrmPrzelewyDoAkceptacji::iKontoBiezace() const {
    return static_cast<int>(queRobPrzelewy["ID_KONTA_BANK"].asInteger());
}

int TfrmPrzelewyDoAkceptacji::iStanKonta() { return bJestWiersz() ? DMP->iKontoZaakceptowane(iKontoBiezace()) : 0; }

void TfrmPrzelewyDoAkceptacji::actSQLExecute() {
    sWarunekZestawu = bWszystkie() ? QString() : kZaznaczone;
    lista->sSzukanyTekst.clear();
    try {
        lista->vOtworz(kLiniaWarunku, sWarunekZestawu);
    } catch (const std::exception& e) {
        ui::dialogs().showMessage("frmPrzelewyDoAkceptacji->actSQLExecute(...) \n\n" + QString::fromUtf8(e.what()));
    }
}

void TfrmPrzelewyDoAkceptacji::actListaExecute() {
    dmMain->vColumnList(*grdPrzelewy, lista->sKolumnaSortowania, lista->sPoprzedniaKolumna);
}

void TfrmPrzelewyDoAkceptacji::grdPrzelewyDrawColumnCell(const ui::DbGrid::Cell& cell) {
    lista->vRysuj(cell);
    if (cell.field != QLatin1String("ZAAKCEPTOWANE")) return;
    QPainter& p = *cell.painter;
    p.fillRect(cell.rect, Qt::white);
    const bool tak = queRobPrzelewy["ZAAKCEPTOWANE"].asInteger() == 1;
    const QString tekst = tak ? QStringLiteral("Tak") : QStringLiteral("NIE");
    p.setFont(QFont(QStringLiteral("Courier New"), 10));
    p.setPen(tak ? QColor(128, 128, 128) : QColor(255, 0, 0));
    const QFontMetrics miara(p.font());
    const int x = cell.rect.right() - miara.horizontalAdvance(tekst) - 5;
    p.drawText(QPoint(x, cell.rect.top() + miara.ascent()), tekst);
}

// ---------------------------------------------------------------- marking sets

void TfrmPrzelewyDoAkceptacji::vPokazZestaw() {
    pnlIlosc->setText(zestaw.sIlosc());
    pnlRazem->setText(zestaw.sRazem());
}

void TfrmPrzelewyDoAkceptacji::rgKtoryZestawClick(int index) {
    iZestaw = index + 1;
    const int id = lista->iBiezaceId();
    vPrzelicz();
    if (id > 0) queRobPrzelewy.locate(QStringLiteral("ID"), id);
}

void TfrmPrzelewyDoAkceptacji::vPrzelicz() {
    grdPrzelewy->detachDataset();
    try {
        if (!queRobPrzelewy.isActive()) queRobPrzelewy.open();
        zestaw.vPrzelicz(queRobPrzelewy, iZestaw);
        vPokazZestaw();
        queRobPrzelewy.first();
    } catch (const std::exception& e) {
        ui::showError(objectName(), "rgKtoryZestawClick", e);
    }
    grdPrzelewy->attachDataset();
}

// ---------------------------------------------------------------- accepting

void TfrmPrzelewyDoAkceptacji::btnAkceptujClick() {
    if (!bJestWiersz()) return;
    if (iStanKonta() != 0) {
        vOdmowa(QStringLiteral("To konto już było zaakceptowane"));
        return;
    }
    const int konto = iKontoBiezace();
    if (const QString odmowa = dmKontr->sOdmowaAkceptacji(konto); !odmowa.isEmpty()) {
        vOdmowa(odmowa);
        return;
    }
    lista->iZapamietaneId = lista->iBiezaceId();
    const bool ok = runHandler("btnAkceptujClick", [&] {
        data::UnitOfWork uow(dmMain->transaction(), {&queRobPrzelewy});
        dmKontr->vUstawKontoZakceptowane(&queRobPrzelewy, 0, konto, true);
        uow.commit();
    });
    if (ok) actSQLExecute();
}

void TfrmPrzelewyDoAkceptacji::btnOdAkceptujClick() {
    if (iStanKonta() != 1) {
        vOdmowa(QStringLiteral("To konto miało już anulownie akceptacji"));
        return;
    }
    const int konto = iKontoBiezace();
    const bool ok = runHandler("btnOdAkceptujClick", [&] {
        data::UnitOfWork uow(dmMain->transaction(), {&queRobPrzelewy});
        dmKontr->vUstawKontoZakceptowane(&queRobPrzelewy, 1, konto, true);
        uow.commit();
    });
    if (!ok) return;
    try {
        queRobPrzelewy.close();
        queRobPrzelewy.open();
    } catch (const std::exception& e) {
        ui::showError(objectName(), "btnOdAkceptujClick", e);
    }
}

void TfrmPrzelewyDoAkceptacji::AkceptacjaWszystkie1Click() {
    if (bWszystkie()) {
        vOdmowa(QStringLiteral("Akceptacja wszystkich niedozwolona !"));
        return;
    }
    // The accounts whose number this user typed wait for someone else.
    QSet<int> pominiete;
    grdPrzelewy->detachDataset();
    const bool ok = runHandler("AkceptacjaWszystkie1Click", [&] {
        data::UnitOfWork uow(dmMain->transaction(), {&queRobPrzelewy});
        for (queRobPrzelewy.first(); !queRobPrzelewy.eof(); queRobPrzelewy.next()) {
            // An account paid by several transfers is accepted at its first one.
            if (iStanKonta() != 0) continue;
            if (!dmKontr->sOdmowaAkceptacji(iKontoBiezace()).isEmpty()) {
                pominiete.insert(iKontoBiezace());
                continue;
            }
            dmKontr->vUstawKontoZakceptowane(&queRobPrzelewy, 0, iKontoBiezace(), true);
        }
        uow.commit();
    });
    grdPrzelewy->attachDataset();
    if (!ok) return;
    try {
        queRobPrzelewy.close();
        queRobPrzelewy.open();
    } catch (const std::exception& e) {
        ui::showError(objectName(), "AkceptacjaWszystkie1Click", e);
    }
    if (!pominiete.isEmpty())
        vOdmowa(QStringLiteral("Nie zaakceptowano %1 kont(a), których numer wpisał lub zmienił ten sam "
                               "użytkownik - zaakceptować je musi inna osoba.")
                    .arg(pominiete.size()));
}
