#include "module/realized/Zrealizowanepokaz.h"

#include "module/frame/TDMP.h"
#include "module/whitelist/Kontrola.h"
#include "platform/controls/DBEdit.h"
#include "platform/controls/DBMemo.h"
#include "platform/controls/EntryForm.h"
#include "platform/ui/Glyphs.h"
#include "siblings/core/TdmMain.h"

#include <QAction>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

ui::DBEdit* pokaz(const char* pole) {
    auto* edit = ui::named<ui::DBEdit>((QByteArray("edt") + pole).constData());
    edit->setDataField(&DMP->queZrealizowane, QLatin1String(pole));
    edit->setInfo(true);
    edit->setEnabled(false);
    return edit;
}

}  // namespace

TfrmZrealizowanePokaz::TfrmZrealizowanePokaz(QWidget* owner) : Form(owner) {
    setObjectName(QStringLiteral("frmZrealizowanePokaz"));
    setWindowTitle(QStringLiteral("Przelew zrealizowany"));
    vZbudujOkno();
    runHandler("FormCreate", [this] { vOtworzDane(); });
    pnlParagraf->setVisible(DMP->iPokazParagraf == 1);
    dmMain->vAddWindowTab(*this);
    ui::loadGlyphs({{btnAnuluj, "D_ANULUJ"}});
    resize(555, 450);
}

void TfrmZrealizowanePokaz::vOtworzDane() {
    if (DMP->iPokazParagraf == 1 && !DMP->queProcParagraf.isActive()) DMP->queProcParagraf.open();
    // The contractor's accounts, for the bank of the account the transfer went to.
    data::Dataset& konta = DMP->queBankiKontrahenta;
    konta.close();
    konta.setSql({"Select * from ET_BANK_KONTO where ID_KONTR=" +
                  QString::number(DMP->queZrealizowane.fieldByName(QStringLiteral("ID_KONTRAHENTA")).asInteger())});
    konta.open();
    konta.first();
    const QString bialaLista = whitelist::opisDlaZrealizowanego(
        static_cast<int>(DMP->queZrealizowane.fieldByName(QStringLiteral("ID")).asInteger()));
    lblBialaLista->setText(bialaLista);
    lblBialaLista->setVisible(!bialaLista.isEmpty());
}

void TfrmZrealizowanePokaz::vZbudujOkno() {
    auto* kontrahent = new QGroupBox(QStringLiteral("Kontrahent"));
    auto* daneKontrahenta = new QFormLayout(kontrahent);
    daneKontrahenta->addRow(QStringLiteral("Symbol :"), pokaz("SYMBOL_NAZWA"));
    daneKontrahenta->addRow(QStringLiteral(" Nazwa :"), pokaz("KONTRAHENT_NAZWA"));
    daneKontrahenta->addRow(QStringLiteral("Skrót :"), pokaz("KONTRAHENT_SKROT"));
    daneKontrahenta->addRow(QStringLiteral("Konto bankowe"), pokaz("KONTRAHENT_KONTO"));
    daneKontrahenta->addRow(QStringLiteral("Bank"), pokaz("KONTRAHENT_NAZWABANKU"));
    daneKontrahenta->addRow(QStringLiteral("K-to WN "), pokaz("WN"));

    auto* tresc = ui::named<ui::DBMemo>("memTRESC1");
    tresc->setDataField(&DMP->queZrealizowane, QStringLiteral("TRESC1"));
    tresc->setReadOnly(true);
    tresc->setEnabled(false);
    tresc->setMaximumHeight(70);
    auto* przelew = new QFormLayout;
    przelew->addRow(QStringLiteral("Nr Faktury :"), pokaz("NR_FAKTURY"));
    przelew->addRow(QStringLiteral("Kwota"), pokaz("WARTOSC"));
    // A split payment pays its VAT part to the payee's VAT account.
    auto* mpp = new QHBoxLayout;
    ui::DBEdit* znak = pokaz("MPP_cal");
    znak->setMaximumWidth(40);
    mpp->addWidget(znak);
    mpp->addSpacing(12);
    mpp->addWidget(new QLabel(QStringLiteral("Kwota VAT :")));
    mpp->addWidget(pokaz("KWOTA_VAT"));
    przelew->addRow(QStringLiteral("Podzielona płatność :"), mpp);
    przelew->addRow(QStringLiteral("Treść :"), tresc);

    pnlParagraf = ui::named<QFrame>("pnlParagraf");
    auto* paragraf = new QFormLayout(pnlParagraf);
    paragraf->setContentsMargins(0, 0, 0, 0);
    paragraf->addRow(QStringLiteral("Paragraf:"), pokaz("PARAGRAF"));

    auto* partia = new QHBoxLayout;
    partia->addWidget(new QLabel(QStringLiteral("Data przelewu:")));
    partia->addWidget(pokaz("DATA_REALIZACJI"));
    ui::DBEdit* kolejny = pokaz("KOLEJNY");
    kolejny->setMaximumWidth(30);
    partia->addWidget(kolejny);
    partia->addSpacing(12);
    partia->addWidget(new QLabel(QStringLiteral("Nr dokumentu F-K")));
    partia->addWidget(pokaz("NUMER_DOK_look"));

    lblBialaLista = ui::named<QLabel>("lblBialaLista");
    lblBialaLista->setWordWrap(true);
    lblBialaLista->hide();

    btnAnuluj = ui::named<QPushButton>("btnAnuluj", QStringLiteral("Anuluj"));
    btnAnuluj->setToolTip(QStringLiteral("Zamknij okno"));
    lblEsc = ui::named<QLabel>("lblEsc", QStringLiteral("Esc"));
    lblEsc->installEventFilter(this);
    auto* dol = ui::buttonRow({btnAnuluj});
    dol->insertWidget(0, lblEsc);

    auto* uklad = new QVBoxLayout(this);
    uklad->addWidget(kontrahent);
    uklad->addLayout(przelew);
    uklad->addWidget(pnlParagraf);
    uklad->addLayout(partia);
    uklad->addWidget(lblBialaLista);
    uklad->addStretch(1);
    uklad->addLayout(dol);

    connect(ui::formKey(*this, Qt::Key_Escape), &QAction::triggered, this, &TfrmZrealizowanePokaz::btnAnulujClick);
    connect(btnAnuluj, &QPushButton::clicked, this, &TfrmZrealizowanePokaz::btnAnulujClick);
}

bool TfrmZrealizowanePokaz::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lblEsc && event->type() == QEvent::MouseButtonRelease) {
        btnAnulujClick();
        return true;
    }
    return Form::eventFilter(watched, event);
}

void TfrmZrealizowanePokaz::btnAnulujClick() { close(); }

void TfrmZrealizowanePokaz::onClose() { dmMain->vRemoveWindowTab(*this); }
