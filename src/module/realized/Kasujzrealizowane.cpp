#include "module/realized/Kasujzrealizowane.h"

#include "platform/controls/EntryForm.h"
#include "platform/data/UnitOfWork.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Glyphs.h"
#include "siblings/core/TdmMain.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <stdexcept>

long iUsunZrealizowaneDoRoku(fb::Transaction& transaction, int rok) {
    fb::Statement usun(transaction, "Delete from PR_PRZELEWY_ZREALIZOWANE where DATA_REALIZACJI < ?");
    usun.setParams({fb::Timestamp{rok, 1, 1}});
    return usun.execute(transaction);
}

TfrmKasujZrealizowane::TfrmKasujZrealizowane(QWidget* owner) : Form(owner) {
    setObjectName(QStringLiteral("frmKasujZrealizowane"));
    setWindowTitle(QStringLiteral("Kasuj Zrealizowane przelewy z BAZY"));
    vZbudujOkno();
    ui::loadGlyphs({{btnAnuluj, "D_ANULUJ"}, {btnOK, "D_USUN"}});
    dmMain->vAddWindowTab(*this);
    dmMain->vKolorForm(*this);
    // Without the fiscal year row every year is refused: nothing is deleted by guesswork.
    if (auto rok = dmMain->ibStworzIBSQL(true, QStringLiteral(" SELECT * FROM FK_ROK_OBRACHUNKOWY WHERE ID=0"), false);
        rok && !rok->isEmpty())
        iRokBazy = static_cast<int>(rok->fieldByName(QStringLiteral("ROK")).asInteger());
    cspRok->setValue(iRokBazy);
}

void TfrmKasujZrealizowane::vZbudujOkno() {
    Memo1 = ui::named<QPlainTextEdit>("Memo1");
    Memo1->setPlainText(QStringLiteral("Uwaga !\n\n      Zostaną skasowane wszystkie zrealizowane przelewy\n"
                                       "      z rokiem realizacji mniejszym od roku wskazanego."));
    Memo1->setReadOnly(true);
    QPalette info = Memo1->palette();
    info.setColor(QPalette::Base, QColor(0xFF, 0xFF, 0xE1));
    Memo1->setPalette(info);
    cspRok = ui::named<QSpinBox>("cspRok");
    cspRok->setRange(1, 9999);
    btnOK = ui::named<QPushButton>("btnOK", QStringLiteral("Usuń"));
    btnOK->setToolTip(QStringLiteral("Zapisz zmiany i zamknij okno"));
    btnAnuluj = ui::named<QPushButton>("btnAnuluj", QStringLiteral("Anuluj"));
    btnAnuluj->setToolTip(QStringLiteral("Anuluj zmiany i zamknij okno"));

    auto* rok = new QHBoxLayout;
    rok->addWidget(ui::named<QLabel>("Label4", QStringLiteral("Podaj rok ")));
    rok->addWidget(cspRok);
    rok->addStretch(1);
    auto* uklad = new QVBoxLayout(this);
    uklad->addWidget(Memo1);
    uklad->addLayout(rok);
    uklad->addLayout(ui::buttonRow({btnOK, btnAnuluj}));
    resize(420, 240);
    if (const QWidget* glowne = ui::mainWindow()) move(glowne->geometry().center() - rect().center());

    ui::enterMovesFocus(*this);
    connect(ui::formKey(*this, Qt::Key_Escape), &QAction::triggered, this, &TfrmKasujZrealizowane::btnAnulujClick);
    connect(btnOK, &QPushButton::clicked, this, &TfrmKasujZrealizowane::btnOKClick);
    connect(btnAnuluj, &QPushButton::clicked, this, &TfrmKasujZrealizowane::btnAnulujClick);
}

void TfrmKasujZrealizowane::btnOKClick() {
    const int rok = cspRok->value();
    if (rok > iRokBazy) {
        ui::dialogs().showMessage(QStringLiteral("Wybrany rok nie może być większy od roku na BAZIE"));
        return;
    }
    const bool usunieto = runHandler("btnOKClick", [rok] {
        data::UnitOfWork uow(dmMain->transaction());
        try {
            iUsunZrealizowaneDoRoku(dmMain->transaction(), rok);
        } catch (const std::exception& e) {
            throw std::runtime_error(std::string("Błąd podczas kasowania \n") + e.what());
        }
        uow.commit();
    });
    if (usunieto) ui::dialogs().showMessage(QStringLiteral("Pomyślnie usunięto zrealizowane przelewy z BAZY"));
    setModalResult(usunieto ? ui::mrOk : ui::mrAbort);
    close();
}

void TfrmKasujZrealizowane::onHandlerFailed(const char*) {
    ui::dialogs().showMessage(QStringLiteral("NIE Usunięto przelewów z BAZY"));
}

void TfrmKasujZrealizowane::btnAnulujClick() {
    setModalResult(ui::mrCancel);
    close();
}

void TfrmKasujZrealizowane::onClose() { dmMain->vRemoveWindowTab(*this); }
