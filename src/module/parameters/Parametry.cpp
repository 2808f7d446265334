#include "module/parameters/Parametry.h"

#include "module/frame/TDMP.h"
#include "platform/controls/DBCheckBox.h"
#include "platform/controls/DBEdit.h"
#include "platform/controls/DBLookupComboBox.h"
#include "platform/controls/EntryForm.h"
#include "platform/data/UnitOfWork.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Glyphs.h"
#include "siblings/core/TdmMain.h"

#include <QAction>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

data::Dataset& parametry() { return DMP->queParametry; }

// The columns this window edits. Only they are written, and only while they
// still hold what the window read: the row also carries other modules' settings.
const char* const kKolumny[] = {"CZY_PRZELEW",
                                "KSIEGOWAC_PRZELEWY",
                                "SYNTETYKA_PRZELEWOW",
                                "ID_KODU_DOK_PRZELEWU",
                                "SCIEZKA_IMPORTU_PRZELEWOW",
                                "TRESC_PRZELEWOW",
                                "TRESC_PRZELEWOW_GRUPOWANYCH",
                                "JAKA_TRESC_PRZELEWOW_FZ",
                                "CZY_AKCEPTACJA_KONTA_BANKOWEGO",
                                "PROG_BIALEJ_LISTY",
                                "SCIEZKA_BIALEJ_LISTY"};

QString sZapisKolumn() {
    QStringList zmiany, warunki;
    for (const char* k : kKolumny) {
        zmiany << QStringLiteral("%1 = :%1").arg(QLatin1String(k));
        warunki << QStringLiteral("%1 is not distinct from :OLD_%1").arg(QLatin1String(k));
    }
    return "update RE_PARAMETRY set " + zmiany.join(", ") + " where ID = :OLD_ID and " + warunki.join(" and ");
}

// What the user typed, kept to be put back when saving fails after the row was posted.
std::vector<std::pair<QString, fb::Value>> zmiany() {
    std::vector<std::pair<QString, fb::Value>> wartosci;
    for (const auto& f : parametry().fields()) wartosci.emplace_back(f->name(), f->value());
    return wartosci;
}

}  // namespace

TfrmParametry::TfrmParametry(QWidget* owner) : Form(owner) {
    setObjectName(QStringLiteral("frmParametry"));
    vZbudujOkno();
    try {
        // All codes fetched, so the lookup list is complete.
        if (!DMP->queKodyDokFK.isActive()) DMP->queKodyDokFK.open();
        DMP->queKodyDokFK.last();
        if (!parametry().isActive()) parametry().open();
        if (parametry().isEmpty())
            ui::dialogs().message(QStringLiteral("Brak parametrów"), QString(), ui::Buttons::Ok, ui::Icon::Error);
    } catch (const std::exception& e) {
        ui::showError(objectName(), "FormCreate", e);
    }
    ui::loadGlyphs({{btnModyfikuj, "D_ZMIEN", ui::Caption::Keep}, {btnZapisz, "D_ZAPISZ"}, {btnAnuluj, "D_ANULUJ"}});
    btnZapisz->setText(QString());
    btnAnuluj->setText(QString());
    btnHelp->setIcon(dmMain->PobierzFiltry().value(5));
    for (QWidget* w : edytory()) w->setEnabled(false);
    chbCzyAkceptacja->setEnabled(false);
    vKolorPanelu(226);
    setWindowTitle(QStringLiteral("Parametry_Przelewów"));
    dmMain->vAddWindowTab(*this);
    setGeometry(0, 0, 607, 450);
}

// ---------------------------------------------------------------- building

void TfrmParametry::vZbudujOkno() {
    auto* uklad = new QVBoxLayout(this);
    uklad->setContentsMargins(4, 4, 4, 4);
    uklad->addWidget(vZbudujGore());
    auto* srodek = new QHBoxLayout;
    auto* bok = new QLabel(QStringLiteral("U s t a w i e n i a :"), this);
    bok->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    bok->setWordWrap(true);
    bok->setFixedWidth(120);
    srodek->addWidget(bok);
    srodek->addWidget(vZbudujEdytory(), 1);
    uklad->addLayout(srodek, 1);
    vZbudujAkcje();
    ui::enterMovesFocus(*this);
}

QWidget* TfrmParametry::vZbudujGore() {
    auto* gora = ui::named<QFrame>("pnlTop", this);
    auto* uklad = new QHBoxLayout(gora);
    uklad->setContentsMargins(4, 4, 4, 4);
    const auto przycisk = [&](const char* nazwa, const QString& tekst, const QString& podpowiedz,
                              const QString& klawisz) {
        auto* b = ui::named<QPushButton>(nazwa, tekst, gora);
        b->setToolTip(podpowiedz);
        uklad->addWidget(b);
        uklad->addWidget(new QLabel(klawisz, gora));
        return b;
    };
    btnModyfikuj = przycisk("btnModyfikuj", QStringLiteral("Modyfikuj"), QStringLiteral("Zmiana ustawień"),
                            QStringLiteral("F2"));
    btnZapisz = przycisk("btnZapisz", QStringLiteral("Zapisz"), QStringLiteral("Zapisz zmiany i zamknij okno"),
                         QStringLiteral("Ctrl-S"));
    btnAnuluj = przycisk("btnAnuluj", QStringLiteral("Anuluj"), QStringLiteral("Anuluj zmiany i zamknij okno"),
                         QStringLiteral("Esc"));
    connect(btnModyfikuj, &QPushButton::clicked, this, &TfrmParametry::btnModyfikujClick);
    connect(btnZapisz, &QPushButton::clicked, this, &TfrmParametry::btnZapiszClick);
    connect(btnAnuluj, &QPushButton::clicked, this, &TfrmParametry::btnAnulujClick);
    uklad->addStretch(1);
    btnHelp = ui::named<QToolButton>("btnHelp", gora);
    btnHelp->setToolTip(QStringLiteral("F1 - pomoc"));
    btnHelp->setAutoRaise(true);
    connect(btnHelp, &QToolButton::clicked, this, &TfrmParametry::btnHelpClick);
    uklad->addWidget(btnHelp);
    uklad->addSpacing(8);
    return gora;
}

QFrame* TfrmParametry::vZbudujEdytory() {
    pnlParametry = ui::named<QFrame>("pnlParametry", this);
    pnlParametry->setAutoFillBackground(true);
    pnlParametry->setFrameShape(QFrame::StyledPanel);
    auto* uklad = new QFormLayout(pnlParametry);
    data::Dataset* q = &parametry();
    const auto pole = [&](auto* kontrolka, const char* nazwa, const char* kolumna) {
        kontrolka->setObjectName(QString::fromLatin1(nazwa));
        kontrolka->setDataField(q, QString::fromLatin1(kolumna));
        return kontrolka;
    };
    const auto edycja = [&](const char* nazwa, const char* kolumna, int dlugosc, const QString& podpowiedz) {
        auto* e = pole(new ui::DBEdit(pnlParametry), nazwa, kolumna);
        e->setMaxLength(dlugosc);
        e->setToolTip(podpowiedz);
        return e;
    };
    chbCzyPrzelewy = pole(new ui::DBCheckBox(QStringLiteral("Faktury zakupu  do modułu   ---> PRZELEW"), pnlParametry),
                          "chbCzyPrzelewy", "CZY_PRZELEW");
    uklad->addRow(chbCzyPrzelewy);
    chbKsiegPrzelewy = pole(
        new ui::DBCheckBox(QStringLiteral("Czy księgowć  automatycznie   PRZELEWY  "), pnlParametry),
        "chbKsiegPrzelewy", "KSIEGOWAC_PRZELEWY");
    uklad->addRow(chbKsiegPrzelewy);
    edtSyntetykaPrzelewow = edycja("edtSyntetykaPrzelewow", "SYNTETYKA_PRZELEWOW", 30, QString());
    uklad->addRow(QStringLiteral("Konto syntetyczne dla PRZELEWÓW "), edtSyntetykaPrzelewow);
    cmbKod = pole(new ui::DBLookupComboBox(pnlParametry), "cmbKod", "ID_KODU_DOK_PRZELEWU");
    cmbKod->setListSource(&DMP->queKodyDokFK, QStringLiteral("ID"), QStringLiteral("KOD;OPIS"));
    uklad->addRow(QStringLiteral("Kod dokumentu w F_K  dla PRZELEWÓW"), cmbKod);

    edtSciezkaImportu = edycja("edtSciezkaImportu", "SCIEZKA_IMPORTU_PRZELEWOW", 255,
                               QStringLiteral("Katalog z którego będą importowane PRZELEWY z systemu PLACE (DOS)"));
    btnKAT = ui::named<QPushButton>("btnKAT", QStringLiteral("..."), pnlParametry);
    btnKAT->setFixedWidth(30);
    connect(btnKAT, &QPushButton::clicked, this, &TfrmParametry::btnKATClick);
    auto* sciezka = new QHBoxLayout;
    sciezka->addWidget(edtSciezkaImportu, 1);
    sciezka->addWidget(btnKAT);
    uklad->addRow(QStringLiteral("Ścieżka importu przelewów"), sciezka);

    edtTresc = edycja("edtTresc", "TRESC_PRZELEWOW", 15,
                      QStringLiteral("Opis jaki pojawi się w Treści przelewu przed NR FAKTURY"));
    uklad->addRow(QStringLiteral("Opis przelewu :"), edtTresc);
    edtTrescGr = edycja("edtTrescGr", "TRESC_PRZELEWOW_GRUPOWANYCH", 15,
                        QStringLiteral("Opis jaki pojawi się w Treści przelewów grupowanych  "));
    uklad->addRow(QStringLiteral("Opis przelewów grupowanych  :"), edtTrescGr);
    cmbTrescFZ = new ui::DBComboBox(pnlParametry);
    cmbTrescFZ->addItems({QStringLiteral("1 - Treść do przelewów z FZ ( <-Nr faktury)"),
                          QStringLiteral("2 - Treść do przelewów z FZ ( <-Treść FZ)")});
    pole(cmbTrescFZ, "cmbTrescFZ", "JAKA_TRESC_PRZELEWOW_FZ");
    uklad->addRow(QStringLiteral("Treść przelewów z FZ brana z :"), cmbTrescFZ);
    edtProgBialejListy = edycja("edtProgBialejListy", "PROG_BIALEJ_LISTY", 15,
                                QStringLiteral("Przelewy od tej kwoty do kontrahenta z NIP są przy wystawianiu "
                                               "sprawdzane na białej liście podatników VAT"));
    uklad->addRow(QStringLiteral("Biała lista VAT od kwoty :"), edtProgBialejListy);
    edtSciezkaBialejListy = edycja(
        "edtSciezkaBialejListy", "SCIEZKA_BIALEJ_LISTY", 255,
        QStringLiteral("Folder wczytanych plików płaskich białej listy, wspólny dla wszystkich stanowisk "
                       "(np. na dysku sieciowym); {DANE} oznacza folder danych stanowiska"));
    btnKatBialejListy = ui::named<QPushButton>("btnKatBialejListy", QStringLiteral("..."), pnlParametry);
    btnKatBialejListy->setFixedWidth(30);
    connect(btnKatBialejListy, &QPushButton::clicked, this, &TfrmParametry::btnKatBialejListyClick);
    auto* folderListy = new QHBoxLayout;
    folderListy->addWidget(edtSciezkaBialejListy, 1);
    folderListy->addWidget(btnKatBialejListy);
    uklad->addRow(QStringLiteral("Folder białej listy VAT :"), folderListy);
    chbCzyAkceptacja = pole(
        new ui::DBCheckBox(QStringLiteral("Czy akceptacja kont bankowych (blokowanie)"), pnlParametry),
        "chbCzyAkceptacja", "CZY_AKCEPTACJA_KONTA_BANKOWEGO");
    uklad->addRow(chbCzyAkceptacja);
    return pnlParametry;
}

void TfrmParametry::vZbudujAkcje() {
    const auto akcja = [this](const char* nazwa, const QKeySequence& klawisz, void (TfrmParametry::*handler)()) {
        return ui::formAction(*this, nazwa, QString(), klawisz, handler);
    };
    actModyfikuj = akcja("actModyfikuj", Qt::Key_F2, &TfrmParametry::btnModyfikujClick);
    actZapisz = akcja("actZapisz", Qt::CTRL | Qt::Key_S, &TfrmParametry::btnZapiszClick);
    // Esc asks before typed changes go, as closing does; the cancel button drops them as its hint says.
    actAnuluj = akcja("actAnuluj", Qt::Key_Escape, &TfrmParametry::actAnulujExecute);
    actAkceptacja = akcja("actAkceptacja", Qt::CTRL | Qt::SHIFT | Qt::Key_F8, &TfrmParametry::actAkceptacjaExecute);
    akcja("actPomoc", Qt::Key_F1, &TfrmParametry::btnHelpClick);
}

QList<QWidget*> TfrmParametry::edytory() const {
    return {
        chbCzyPrzelewy, chbKsiegPrzelewy, cmbKod,     edtSyntetykaPrzelewow, edtSciezkaImportu,     edtTresc,
        edtTrescGr,     btnKAT,           cmbTrescFZ, edtProgBialejListy,    edtSciezkaBialejListy, btnKatBialejListy};
}

void TfrmParametry::vKolorPanelu(int odcien) {
    QPalette paleta = pnlParametry->palette();
    paleta.setColor(QPalette::Window, QColor(odcien, odcien, odcien));
    pnlParametry->setPalette(paleta);
}

// ---------------------------------------------------------------- handlers

void TfrmParametry::btnModyfikujClick() {
    vKolorPanelu(222);
    for (QWidget* w : edytory()) w->setEnabled(true);
}

void TfrmParametry::actAkceptacjaExecute() { chbCzyAkceptacja->setEnabled(true); }

void TfrmParametry::btnHelpClick() { dmMain->ShowHelpWindow(*this, QStringLiteral("HTML/RejestrVAT.html")); }

void TfrmParametry::btnKATClick() {
    vWybierzFolder(QStringLiteral("Ścieżka importu przelewów"), edtSciezkaImportu, "SCIEZKA_IMPORTU_PRZELEWOW");
}

void TfrmParametry::btnKatBialejListyClick() {
    vWybierzFolder(QStringLiteral("Folder białej listy VAT"), edtSciezkaBialejListy, "SCIEZKA_BIALEJ_LISTY");
}

void TfrmParametry::vWybierzFolder(const QString& tytul, ui::DBEdit* edycja, const char* kolumna) {
    const QString katalog = ui::dialogs().folder(tytul, edycja->text());
    if (katalog.isEmpty() || !parametry().isActive() || parametry().isEmpty()) return;
    if (!parametry().isEditing()) parametry().edit();
    parametry().fieldByName(QString::fromLatin1(kolumna)).setString(katalog);
}

bool TfrmParametry::bZapisz() {
    if (!ui::applyEdits(*this)) return false;
    if (!parametry().isEditing()) return true;
    const auto wpisane = zmiany();
    const bool ok = runHandler("btnZapiszClick", [&] {
        try {
            data::UnitOfWork uow(dmMain->transaction());
            {
                const data::Dataset::NarrowUpdate tylkoTeKolumny(parametry(), sZapisKolumn());
                // Changed meanwhile by another user, the row is not found: the dataset says so.
                parametry().post();
            }
            uow.commit();
        } catch (const std::exception& e) {
            throw std::runtime_error("Nie zapisano parametrów - zmiany zostały w oknie, można spróbować ponownie.\n\n" +
                                     std::string(e.what()));
        }
    });
    if (ok) return true;
    // The row was posted but not committed: the database has the old values
    // again, the window the typed ones, still to be saved.
    if (!parametry().isEditing()) {
        try {
            parametry().close();
            parametry().open();
            parametry().edit();
            for (const auto& [nazwa, wartosc] : wpisane) parametry().fieldByName(nazwa).setValue(wartosc);
        } catch (const std::exception& e) {
            ui::showError(objectName(), "btnZapiszClick", e);
        }
    }
    return false;
}

void TfrmParametry::btnZapiszClick() {
    if (!bZapisz()) return;
    try {
        DMP->vWczytajParametry();
    } catch (const std::exception& e) {
        ui::showError(objectName(), "btnZapiszClick", e);
    }
    close();
}

void TfrmParametry::btnAnulujClick() {
    if (parametry().isEditing()) parametry().cancel();
    close();
}

void TfrmParametry::actAnulujExecute() { close(); }

bool TfrmParametry::onCloseQuery() {
    ui::applyEdits(*this);
    if (!parametry().isEditing()) return true;
    if (ui::dialogs().message(QStringLiteral("Zapisać zmiany w parametrach ?"), QStringLiteral("Ostrzeżenie"),
                              ui::Buttons::YesNo, ui::Icon::Question) != ui::Answer::Yes) {
        parametry().cancel();
        return true;
    }
    if (!bZapisz()) return false;
    try {
        DMP->vWczytajParametry();
    } catch (const std::exception& e) {
        ui::showError(objectName(), "FormClose", e);
    }
    return true;
}

void TfrmParametry::onClose() {
    parametry().close();
    if (DMP->queKodyDokFK.isActive()) DMP->queKodyDokFK.close();
    dmMain->vRemoveWindowTab(*this);
}
