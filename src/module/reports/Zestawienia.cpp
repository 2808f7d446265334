#include "Zestawienia.h"

#include "module/frame/TDMP.h"
#include "module/reports/Reportviewer.h"
#include "module/reports/Repraportprzelewow.h"
#include "platform/controls/EntryForm.h"
#include "platform/data/Dataset.h"
#include "platform/data/Field.h"
#include "platform/data/SqlText.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Glyphs.h"
#include "siblings/core/TdmMain.h"
#include "siblings/kontr/TdmKontr.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDateEdit>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kLiniaPorzadku = 8;
const QString kPorzadekKontrahentow = QStringLiteral("UPPER(b.KOD_FK) COLLATE PXW_PLK ASC");

} // namespace

TfrmZestawienia::TfrmZestawienia(QWidget* owner) : Form(owner)
{
    setObjectName(QStringLiteral("frmZestawienia"));
    setWindowTitle(QStringLiteral("Przelewy-Zestawienia"));
    vZbudujOkno();
    ui::loadGlyphs({{btnDrukuj, "D_WYDRUK"}, {btnDrukuj2, "D_WYDRUK"}, {btnAnuluj, "D_ANULUJ"}});
    dmMain->vAddWindowTab(*this);
    dmMain->vKolorForm(*this);
}

QGroupBox* TfrmZestawienia::grupa(const char* name, const QString& title, const QStringList& items,
                                  QButtonGroup*& buttons)
{
    auto* box = ui::named<QGroupBox>(name, title);
    auto* uklad = new QVBoxLayout(box);
    buttons = new QButtonGroup(box);
    for (int i = 0; i < items.size(); ++i) {
        auto* item = new QRadioButton(items[i], box);
        item->setObjectName(QString::fromLatin1(name) + QString::number(i));
        buttons->addButton(item, i);
        uklad->addWidget(item);
    }
    buttons->button(0)->setChecked(true);
    return box;
}

void TfrmZestawienia::vZbudujOkno()
{
    rgCzyWszystkie = grupa("rgCzyWszystkie", QStringLiteral("Jakie:"),
                           {QStringLiteral("Wszystkie"), QStringLiteral("Zaznaczone do wystawienia")}, grpCzyWszystkie);
    rgCzyTermin = grupa("rgCzyTermin", QStringLiteral("Termin płatności"),
                        {QStringLiteral("Bez uwzględniania terminu"), QStringLiteral("Z terminem płatności do :")},
                        grpCzyTermin);
    DateTimePickerTermin = ui::named<QDateEdit>("DateTimePickerTermin");
    DateTimePickerTermin->setDisplayFormat(QStringLiteral("dd-MM-yyyy"));
    DateTimePickerTermin->setCalendarPopup(true);
    DateTimePickerTermin->setDate(QDate::currentDate());
    DateTimePickerTermin->setVisible(false);
    rgCzyTermin->layout()->addWidget(DateTimePickerTermin);

    rgCzyWybranyKontrahent = grupa("rgCzyWybranyKontrahent", QStringLiteral("Wybór kontarhenta..."),
                                   {QStringLiteral("Wszyscy"), QStringLiteral("Wybrany kontrahent")},
                                   grpCzyWybranyKontrahent);
    edtSkrot = ui::named<QLineEdit>("edtSkrot");
    spbDajKontrahenta = ui::named<QToolButton>("spbDajKontrahenta");
    spbDajKontrahenta->setText(QStringLiteral("..."));
    lbNazwaKontrahenta = ui::named<QLabel>("lbNazwaKontrahenta");
    lbNazwaKontrahenta->setAutoFillBackground(true);
    QPalette info = lbNazwaKontrahenta->palette();
    info.setColor(QPalette::Window, QColor(0xFF, 0xFF, 0xE1));
    lbNazwaKontrahenta->setPalette(info);
    lbNazwaKontrahenta->setMinimumHeight(20);
    auto* skrot = new QHBoxLayout;
    skrot->addWidget(ui::named<QLabel>("lblSkrot", QStringLiteral("Skrót :")));
    skrot->addWidget(edtSkrot);
    skrot->addWidget(spbDajKontrahenta);
    auto* kontrahent = static_cast<QVBoxLayout*>(rgCzyWybranyKontrahent->layout());
    kontrahent->addLayout(skrot);
    kontrahent->addWidget(lbNazwaKontrahenta);

    rgUklad = grupa("rgUklad", QStringLiteral("Układ faktur na wydruku :"),
                    {QStringLiteral("w/g Symbolu Kontrahenta"), QStringLiteral("domyślny -> z okna przelewów")},
                    grpUklad);
    rgDrukDok = grupa("rgDrukDok", QStringLiteral("Dodatkowe informacje"),
                      {QStringLiteral("Nie wykazywać"), QStringLiteral("Wykazać na wydruku NR DOK.F-K dla faktury")},
                      grpDrukDok);
    chbKontrolny =
        ui::named<QCheckBox>("chbKontrolny", QStringLiteral("Kontrolnie drukuj konto bankowe ze zbioru kontahentów"));

    btnDrukuj = ui::named<QPushButton>("btnDrukuj", QStringLiteral("Drukuj P1"));
    btnDrukuj->setToolTip(QStringLiteral("Drukuj-> Wersja ( P1 )"));
    btnDrukuj2 = ui::named<QPushButton>("btnDrukuj2", QStringLiteral("Drukuj P1_2"));
    btnDrukuj2->setToolTip(QStringLiteral("Drukuj-> wersja ( P1_2 )"));
    btnAnuluj = ui::named<QPushButton>("btnAnuluj", QStringLiteral("Anuluj"));
    btnAnuluj->setToolTip(QStringLiteral("Anuluj zmiany i zamknij okno"));

    auto* uklad = new QVBoxLayout(this);
    for (QWidget* w : {static_cast<QWidget*>(rgCzyWszystkie), static_cast<QWidget*>(rgCzyTermin),
                       static_cast<QWidget*>(rgCzyWybranyKontrahent), static_cast<QWidget*>(rgUklad),
                       static_cast<QWidget*>(rgDrukDok), static_cast<QWidget*>(chbKontrolny)})
        uklad->addWidget(w);
    uklad->addLayout(ui::buttonRow({btnDrukuj, btnDrukuj2, btnAnuluj}));
    resize(430, 560);

    DateTimePickerTermin->installEventFilter(this);
    edtSkrot->installEventFilter(this);

    connect(ui::formKey(*this, Qt::Key_Escape), &QAction::triggered, this, &TfrmZestawienia::btnAnulujClick);
    connect(grpCzyWszystkie, &QButtonGroup::idClicked, this, [this](int item) { iCzyZaznaczone = item == 1 ? 1 : -1; });
    connect(grpCzyTermin, &QButtonGroup::idToggled, this,
            [this](int item, bool on) { if (on) DateTimePickerTermin->setVisible(item == 1); });
    connect(grpCzyWybranyKontrahent, &QButtonGroup::idClicked, this, &TfrmZestawienia::rgCzyWybranyKontrahentClick);
    connect(edtSkrot, &QLineEdit::editingFinished, this, &TfrmZestawienia::edtSkrotExit);
    connect(spbDajKontrahenta, &QToolButton::clicked, this, &TfrmZestawienia::spbDajKontrahentaClick);
    connect(btnDrukuj, &QPushButton::clicked, this, &TfrmZestawienia::btnDrukujClick);
    connect(btnDrukuj2, &QPushButton::clicked, this, &TfrmZestawienia::btnDrukuj2Click);
    connect(btnAnuluj, &QPushButton::clicked, this, &TfrmZestawienia::btnAnulujClick);
}

bool TfrmZestawienia::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        if (watched == DateTimePickerTermin)
            grpCzyTermin->button(1)->setChecked(true);
        else if (watched == edtSkrot)
            grpCzyWybranyKontrahent->button(1)->setChecked(true);
    }
    return Form::eventFilter(watched, event);
}

OpcjeZestawienia TfrmZestawienia::opcje() const
{
    return {.iCzyZaznaczone = iCzyZaznaczone,
            .iCzyTermin = grpCzyTermin->checkedId(),
            .dtTermin = DateTimePickerTermin->date(),
            .iWybranyKontrahent = iWybranyKontrahent,
            .iUklad = grpUklad->checkedId(),
            .iDrukDok = grpDrukDok->checkedId(),
            .bKontrolny = chbKontrolny->isChecked()};
}

void TfrmZestawienia::rgCzyWybranyKontrahentClick(int item)
{
    if (item != 0)
        return;
    iWybranyKontrahent = -1;
    lbNazwaKontrahenta->clear();
    edtSkrot->clear();
}

void TfrmZestawienia::vPokazKontrahenta(int brak)
{
    data::Dataset& rob = DMP->queRob;
    if (rob.isEmpty()) {
        edtSkrot->clear();
        lbNazwaKontrahenta->clear();
        iWybranyKontrahent = brak;
        return;
    }
    iWybranyKontrahent = int(rob.fieldByName(QStringLiteral("ID")).asInteger());
    edtSkrot->setText(rob.fieldByName(QStringLiteral("SKROT")).asString());
    lbNazwaKontrahenta->setText(rob.fieldByName(QStringLiteral("PELNA")).asString());
}

// The short-name choice stands until another choice replaces it: later
// activations (the preview closing, for one) leave it alone.
void TfrmZestawienia::edtSkrotExit()
{
    runHandler("edtSkrotExit", [this] {
        grpCzyWybranyKontrahent->button(1)->setChecked(true);
        data::Dataset& rob = DMP->queRob;
        rob.close();
        rob.setSql({" select * from ET_KONTAKT where SKROT =" + data::sqlQuote(edtSkrot->text())});
        rob.open();
        vPokazKontrahenta(-1);
    });
}

void TfrmZestawienia::spbDajKontrahentaClick()
{
    iCzyWybrano = 1;
    dmKontr->KontrahentModalne(this, 0);
}

void TfrmZestawienia::onActivate()
{
    if (iCzyWybrano != 1)
        return;
    iCzyWybrano = 0;
    if (tag() < 1) {
        iWybranyKontrahent = -1;
        return;
    }
    runHandler("FormActivate", [this] {
        data::Dataset& rob = DMP->queRob;
        rob.close();
        rob.setSql({" select * from ET_KONTAKT where ID=" + QString::number(tag())});
        rob.open();
        vPokazKontrahenta(-100);
    });
}

void TfrmZestawienia::btnDrukujClick() { vDrukuj(false); }

void TfrmZestawienia::btnDrukuj2Click() { vDrukuj(true); }

void TfrmZestawienia::vDrukuj(bool p1_2)
{
    if (grpCzyWybranyKontrahent->checkedId() == 1 && iWybranyKontrahent == -1) {
        ui::dialogs().message(QStringLiteral("Określ prawidłowo kontrahenta "), QString(), ui::Buttons::Ok,
                              ui::Icon::Error);
        return;
    }
    runHandler(p1_2 ? "btnDrukuj2Click" : "btnDrukujClick", [this, p1_2] {
        data::Dataset& przelewy = DMP->quePrzelewy;
        if (grpUklad->checkedId() == 0) {
            przelewy.close();
            przelewy.setSqlLine(kLiniaPorzadku, kPorzadekKontrahentow);
        }
        if (!przelewy.isActive())
            przelewy.open();
        const OpcjeZestawienia wybrane = opcje();
        std::unique_ptr<TRaportDoOplacenia> raport;
        if (p1_2)
            raport = std::make_unique<TfrmQRRaportPrzelewow2>(przelewy, wybrane);
        else
            raport = std::make_unique<TfrmQRRaportPrzelewow>(przelewy, wybrane);
        vPokazWydruk(this, std::move(raport->rep));
    });
}

void TfrmZestawienia::btnAnulujClick() { close(); }

void TfrmZestawienia::onClose() { dmMain->vRemoveWindowTab(*this); }
