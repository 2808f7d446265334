#include "module/realized/Zrealizowane.h"

#include "module/frame/TDMP.h"
#include "module/issuing/BatchSteps.h"
#include "module/issuing/LedgerPosting.h"
#include "module/issuing/Wyborwystawione.h"
#include "module/issuing/Wystawprzelewy.h"
#include "module/realized/Kasujzrealizowane.h"
#include "module/realized/Zrealizowanepokaz.h"
#include "module/register/Sortowanie.h"
#include "platform/controls/EntryForm.h"
#include "platform/data/SqlText.h"
#include "platform/data/UnitOfWork.h"
#include "platform/ui/Dialogs.h"
#include "siblings/core/TdmMain.h"
#include "siblings/finanse/TdmFinanse.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <memory>

namespace {

const QString kPierwszyPorzadek = QStringLiteral("a.DATA_REALIZACJI DESC ,KOLEJNY DESC");
const QString kUwaga = QStringLiteral("Uwaga");

data::Dataset& zrealizowane() { return DMP->queZrealizowane; }

// The ledger's document numbers the list looks its rows' numbers up in; read
// afresh when asked, since a posting may have added one.
void vDokumenty(bool odNowa) {
    if (odNowa) DMP->queDok.close();
    if (!DMP->queDok.isActive()) DMP->queDok.open();
}

void vBlad(const QString& tekst, const QString& tytul) {
    ui::dialogs().message(tekst, tytul, ui::Buttons::Ok, ui::Icon::Error);
}

QToolButton* przycisk(const char* nazwa, const QString& tekst, const QString& podpowiedz) {
    auto* b = ui::named<QToolButton>(nazwa);
    b->setText(tekst);
    b->setToolTip(podpowiedz);
    b->setAutoRaise(true);
    return b;
}

QDateEdit* wyborDaty(const char* nazwa, const QDate& data) {
    auto* d = ui::named<QDateEdit>(nazwa);
    d->setDisplayFormat(QStringLiteral("dd-MM-yyyy"));
    d->setCalendarPopup(true);
    d->setDate(data);
    return d;
}

}  // namespace

TfrmZrealizowane::TfrmZrealizowane(QWidget* owner) : Form(owner) {
    setObjectName(QStringLiteral("frmZrealizowane"));
    setWindowTitle(QStringLiteral("Przelewy-zrealizowane"));
    const QDate dzis = QDate::currentDate();
    vUstawZakres(QDate(dzis.year(), dzis.month(), 1), dzis);
    vZbudujOkno();
    btnHelp->setIcon(dmMain->PobierzFiltry().value(5));
    dmMain->vAddWindowTab(*this);
    move(20, 0);
    resize(900, 600);
}

void TfrmZrealizowane::vZbudujOkno() {
    vZbudujGore();
    grdZrealizowane = ui::named<ui::DbGrid>("grdZrealizowane");
    grdZrealizowane->setColumns({{"DATA_REALIZACJI", QStringLiteral("D-ta realizacji"), 90},
                                 {"KOLEJNY", QStringLiteral("  "), 20},
                                 {"NR_FAKTURY", QStringLiteral("Nr Faktury"), 130},
                                 {"NUMER_DOK_look", QStringLiteral("Nr dok. FK"), 100},
                                 {"KONTRAHENT_NAZWA", QStringLiteral("Kontrahent"), 220},
                                 {"WARTOSC", QStringLiteral("Kwota"), 100},
                                 {"MPP_cal", QStringLiteral("MPP"), 36},
                                 {"KWOTA_VAT", QStringLiteral("Kwota VAT"), 80},
                                 {"TRESC1", QStringLiteral("Treść"), 200},
                                 {"KONTRAHENT_KONTO", QStringLiteral("Konto :"), 220},
                                 {"PARAGRAF", QStringLiteral("Paragraf"), 110},
                                 {"SYMBOL_NAZWA", QStringLiteral("Symb."), 70},
                                 {"ID", QStringLiteral("Id"), 50},
                                 {"ID_KONTRAHENTA", QStringLiteral("Id kontrahenta"), 60},
                                 {"ID_DOKUMENTU_FK", QStringLiteral("Id dokumentu FK"), 60}});
    grdZrealizowane->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdZrealizowane->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdZrealizowane->setRowColors(QColor(0xFF, 0xFF, 0xE1), QColor(0xFF, 0xFF, 0xE1));
    grdZrealizowane->setDefaultDrawing(false);
    grdZrealizowane->setCellPainter([this](const ui::DbGrid::Cell& cell) { grdZrealizowaneDrawColumnCell(cell); });
    grdZrealizowane->setDataset(&DMP->queZrealizowane);
    connect(grdZrealizowane, &ui::DbGrid::titleClicked, this, &TfrmZrealizowane::grdZrealizowaneTitleClick);
    connect(grdZrealizowane, &ui::DbGrid::rowActivated, this, &TfrmZrealizowane::grdZrealizowaneDblClick);
    connect(grdZrealizowane, &ui::DbGrid::keyDown, this, [this](int& key, Qt::KeyboardModifiers) {
        if (key != Qt::Key_Escape) return;
        key = 0;
        close();
    });
    vZbudujMenu();
    layout()->addWidget(grdZrealizowane);
}

void TfrmZrealizowane::vZbudujGore() {
    Label1 = ui::named<QLabel>("Label1", QStringLiteral("PRZELEWY  ZREALIZOWANE"));
    QFont gruba = Label1->font();
    gruba.setBold(true);
    Label1->setFont(gruba);
    spbFK = przycisk("spbFK", QStringLiteral("F-K"), QStringLiteral("Dokument F-K"));
    spbWydruk = przycisk("spbWydruk", QStringLiteral("Wydruk"),
                         QStringLiteral("Wydruk przelewow zrealizowanych  (P2)"));
    spbBank = przycisk("spbBank", QStringLiteral("Bank"), QStringLiteral("Ponownie twórz zbiór do banku"));
    btnHelp = przycisk("btnHelp", QString(), QStringLiteral("F1 - pomoc"));
    DateTimePickerOd = wyborDaty("DateTimePickerOd", QDate::fromString(sDataOd, Qt::ISODate));
    DateTimePickerDo = wyborDaty("DateTimePickerDo", QDate::fromString(sDataDo, Qt::ISODate));
    btnFiltruj = ui::named<QPushButton>("btnFiltruj", QStringLiteral("Filtruj"));

    auto* gora = new QHBoxLayout;
    gora->setContentsMargins(0, 0, 8, 0);
    gora->addWidget(Label1);
    gora->addSpacing(16);
    for (QToolButton* b : {spbFK, spbWydruk, spbBank}) gora->addWidget(b);
    gora->addStretch(1);
    gora->addWidget(new QLabel(QStringLiteral("Od:")));
    gora->addWidget(DateTimePickerOd);
    gora->addWidget(new QLabel(QStringLiteral("Do:")));
    gora->addWidget(DateTimePickerDo);
    gora->addWidget(btnFiltruj);
    gora->addSpacing(16);
    gora->addWidget(btnHelp);
    auto* uklad = new QVBoxLayout(this);
    uklad->setContentsMargins(4, 4, 4, 4);
    uklad->addLayout(gora);

    connect(spbFK, &QToolButton::clicked, this, &TfrmZrealizowane::btnDokFKClick);
    connect(spbWydruk, &QToolButton::clicked, this, &TfrmZrealizowane::spbWydrukClick);
    connect(spbBank, &QToolButton::clicked, this, &TfrmZrealizowane::spbBankClick);
    connect(btnHelp, &QToolButton::clicked, this, &TfrmZrealizowane::btnHelpClick);
    connect(btnFiltruj, &QPushButton::clicked, this, &TfrmZrealizowane::btnFiltrujClick);
    for (QDateEdit* d : {DateTimePickerOd, DateTimePickerDo})
        connect(d, &QDateEdit::dateChanged, this, &TfrmZrealizowane::DateTimePickerOdChange);
}

void TfrmZrealizowane::vZbudujMenu() {
    PopupMenu1 = ui::named<QMenu>("PopupMenu1", this);
    PopupMenu1->addAction(QStringLiteral("Dokument F-K"), this, &TfrmZrealizowane::btnDokFKClick);
    PopupMenu1->addAction(QStringLiteral("Wydruk przelewów"), this, &TfrmZrealizowane::spbWydrukClick);
    PopupMenu1->addAction(QStringLiteral("Utwórz zbior do banku"), this, &TfrmZrealizowane::spbBankClick);
    PopupMenu1->addSeparator();
    Anulujzrealizowane1 = PopupMenu1->addAction(QStringLiteral("Wycofaj ze zrealizowanych"), this,
                                                &TfrmZrealizowane::Anulujzrealizowane1Click);
    PopupMenu1->addSeparator();
    KsujzBazyzrealizowanedoroku1 = PopupMenu1->addAction(QStringLiteral("Usuń z Bazy zrealizowane do roku ...."), this,
                                                         &TfrmZrealizowane::KsujzBazyzrealizowanedoroku1Click);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu1->popup(mapToGlobal(at)); });
    grdZrealizowane->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grdZrealizowane, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu1->popup(grdZrealizowane->viewport()->mapToGlobal(at)); });
}

void TfrmZrealizowane::vUstawZakres(const QDate& od, const QDate& doDnia) {
    sDataOd = od.toString(QStringLiteral("yyyy-MM-dd"));
    sDataDo = doDnia.toString(QStringLiteral("yyyy-MM-dd"));
    sWarunek = " AND  a.DATA_REALIZACJI >=" + data::sqlDate(od) + " AND a.DATA_REALIZACJI <=" + data::sqlDate(doDnia);
}

// ---------------------------------------------------------------- activation and closing

void TfrmZrealizowane::onActivate() {
    // The issued batches window leaves one batch in the query; the details window leaves it alone.
    if (iKodAktywacji == 1 || iKodAktywacji == 2) runHandler("FormActivate", [this] { vWybierzListe(); });
    iKodAktywacji = 0;
}

void TfrmZrealizowane::vWybierzListe() {
    vDokumenty(DMP->iKsiegowacPrzelewy == 1);
    sKolumnaSortowania.clear();
    bRosnaco = true;
    DMP->vWybierzZrealizowane(sWarunek, kPierwszyPorzadek);
    grdZrealizowane->setVisible(true);
}

void TfrmZrealizowane::onClose() { dmMain->vRemoveWindowTab(*this); }

// ---------------------------------------------------------------- the list

void TfrmZrealizowane::btnFiltrujClick() {
    vUstawZakres(DateTimePickerOd->date(), DateTimePickerDo->date());
    runHandler("btnFiltrujClick", [this] {
        zrealizowane().setSqlLine(TDMP::kLiniaWarunkuZrealizowanych, sWarunek);
        zrealizowane().open();
        grdZrealizowane->setVisible(true);
    });
}

void TfrmZrealizowane::DateTimePickerOdChange() { grdZrealizowane->setVisible(false); }

void TfrmZrealizowane::grdZrealizowaneTitleClick(const QString& kolumna) {
    // The document number is looked up from the ledger: the query has no column to sort it by.
    if (kolumna == QLatin1String("NUMER_DOK_look")) return;
    const bool rosnaco = kolumna == sKolumnaSortowania ? !bRosnaco : true;
    runHandler("grdZrealizowaneTitleClick", [&] {
        const data::Field* f = zrealizowane().findField(kolumna);
        zrealizowane().setSqlLine(TDMP::kLiniaPorzadkuZrealizowanych,
                                  sLiniaPorzadku(sWyrazenieSortowania(kolumna), f && f->isString(), rosnaco));
        zrealizowane().open();
        bRosnaco = rosnaco;
        sKolumnaSortowania = kolumna;
    });
}

void TfrmZrealizowane::grdZrealizowaneDrawColumnCell(const ui::DbGrid::Cell& cell) {
    dmMain->vRysujSort(*cell.painter, cell.rect, *grdZrealizowane, cell.field, cell.row, cell.selected, bRosnaco,
                       sKolumnaSortowania);
}

void TfrmZrealizowane::grdZrealizowaneDblClick() {
    if (!zrealizowane().isActive() || zrealizowane().isEmpty()) return;
    openChild(new TfrmZrealizowanePokaz(this));
}

// ---------------------------------------------------------------- other windows

void TfrmZrealizowane::vOtworzWystawione(char tryb) {
    iKodAktywacji = 2;
    openChild(new TfrmWyborWystawione(this, tryb));
}

void TfrmZrealizowane::spbWydrukClick() { vOtworzWystawione('W'); }

void TfrmZrealizowane::spbBankClick() { vOtworzWystawione('B'); }

bool TfrmZrealizowane::bWolno() {
    if (dmMain->bOknoAwaria(*this)) return true;
    vBlad(QStringLiteral("Brak uprawnień!"), QStringLiteral("Błąd."));
    return false;
}

void TfrmZrealizowane::Anulujzrealizowane1Click() {
    if (bWolno()) vOtworzWystawione('A');
}

void TfrmZrealizowane::KsujzBazyzrealizowanedoroku1Click() {
    if (!bWolno()) return;
    ui::dialogs().runModal(*new TfrmKasujZrealizowane(this));
    runHandler("KsujzBazyzrealizowanedoroku1Click", [] {
        zrealizowane().close();
        zrealizowane().open();
    });
}

void TfrmZrealizowane::btnHelpClick() { dmMain->ShowHelpWindow(*this, QStringLiteral("HTML/Przelewy.html")); }

// ---------------------------------------------------------------- ledger document

void TfrmZrealizowane::btnDokFKClick() {
    if (!zrealizowane().isActive() || zrealizowane().isEmpty()) {
        vBlad(QStringLiteral("Brak danych !"), kUwaga);
        return;
    }
    if (DMP->iKsiegowacPrzelewy == 0) {
        vBlad(QStringLiteral("Nie księgujemy przelewów - tak ustawiono parametry systemu !"), kUwaga);
        return;
    }
    const qint64 dokument = zrealizowane()["ID_DOKUMENTU_FK"].asInteger();
    if (dokument > 0 &&
        dmFinanse->iDokumentKsiegowyTekst(this, nullptr, static_cast<int>(dokument), true, QString(), QString()) > 0)
        return;
    // A withdrawn transfer was never paid: a document would post money that did not go out.
    if (zrealizowane()["KOLEJNY"].asString() == QLatin1String("*")) {
        vBlad(QStringLiteral("Przelew wycofany ze zrealizowanych - nie ma dokumentu FK."), kUwaga);
        return;
    }
    if (ui::dialogs().message(QStringLiteral("Brak dokumetu FK !\nCzy chcesz utworzyć ?"), kUwaga, ui::Buttons::YesNo,
                              ui::Icon::Question) != ui::Answer::Yes)
        return;
    runHandler("btnDokFKClick", [this] { vUtworzDokument(); });
}

void TfrmZrealizowane::vUtworzDokument() {
    const QDate data = zrealizowane()["DATA_REALIZACJI"].asDate();
    const QString kolejny = zrealizowane()["KOLEJNY"].asString();
    const char litera = kolejny.isEmpty() ? ' ' : kolejny.at(0).toLatin1();
    const int bank = static_cast<int>(zrealizowane()["ID_KONTA_FIRMY"].asInteger());
    const int id = static_cast<int>(zrealizowane()["ID"].asInteger());
    const QString porzadek = zrealizowane().sql().value(TDMP::kLiniaPorzadkuZrealizowanych);

    // A hidden issuing window lends the posting its issue context.
    const std::unique_ptr<TfrmWystawPrzelewy> wystawianie(new TfrmWystawPrzelewy(this));
    data::UnitOfWork uow(dmMain->transaction());
    if (bKsiegujPrzelewy(wystawianie->kontekst, data, litera, bank)) {
        vZapiszKrokPartii(data, litera, BatchStep::Document);
        uow.commit();
    } else {
        vBlad(QStringLiteral("Nie stworzono dokumentw w FK "), QStringLiteral("Bład"));
    }
    // The new number shows on the row the user stood on.
    vDokumenty(true);
    DMP->vWybierzZrealizowane(sWarunek, porzadek);
    zrealizowane().locate(QStringLiteral("ID"), id);
}
