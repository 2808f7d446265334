#include "module/import/Wyciagibankowe.h"

#include "module/frame/TDMP.h"
#include "module/import/StrukturaWyciagu.h"
#include "module/import/WierszePliku.h"
#include "platform/controls/EntryForm.h"
#include "platform/ui/Dialogs.h"
#include "siblings/core/TdmMain.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfrmWyciagiBankowe::TfrmWyciagiBankowe(QWidget* owner) : Form(owner) {
    setObjectName(QStringLiteral("frmWyciagiBankowe"));
    setWindowTitle(QStringLiteral("Wyciągi Bankowe "));
    // Opened beside the register, not as its child: closing must not wake it.
    setReenablesOwner(false);
    vZbudujOkno();
    dmMain->vAddWindowTab(*this);
}

void TfrmWyciagiBankowe::vZbudujOkno() {
    btnKsieguj = ui::named<QPushButton>("btnKsieguj", QStringLiteral("btnKsieguj"));
    btnParametry = ui::named<QPushButton>("btnParametry", QStringLiteral("btnParametry"));
    Label1 = ui::named<QLabel>("Label1");
    Memo1 = ui::named<QPlainTextEdit>("Memo1");
    Memo1->setReadOnly(true);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setFont(QFont(QStringLiteral("Monospace")));

    auto* przyciski = new QVBoxLayout;
    przyciski->addWidget(btnKsieguj);
    przyciski->addWidget(btnParametry);
    przyciski->addStretch();
    auto* tresc = new QHBoxLayout;
    tresc->addLayout(przyciski);
    tresc->addWidget(Memo1, 1);
    auto* okno = new QVBoxLayout(this);
    okno->addWidget(Label1);
    okno->addLayout(tresc, 1);
    setGeometry(0, 0, 700, 300);

    connect(btnKsieguj, &QPushButton::clicked, this, &TfrmWyciagiBankowe::btnKsiegujClick);
}

QString TfrmWyciagiBankowe::sKatalogPoczatkowy() {
    const QString import = DMP ? DMP->sSciezkaImportuPrzelewow : QString();
    if (!import.isEmpty() && QFileInfo(import).isDir()) return import;
    return QDir::homePath();
}

void TfrmWyciagiBankowe::btnKsiegujClick() {
    const QString sciezka =
        ui::dialogs().openFileName(QStringLiteral("Wyciąg bankowy"), sKatalogPoczatkowy(), QString());
    if (sciezka.isEmpty()) return;
    if (!Pokaz(sciezka)) return;
    try {
        const QStringList wiersze = TWierszePliku::wczytaj(sciezka).wszystkie();
        ui::dialogs().showMessage(QStringLiteral("Ilosc wierszy w zbiorze:\n") + QString::number(wiersze.size()));
        vCzytajWyciag(wiersze);
    } catch (const std::exception& e) {
        ui::dialogs().message(QString::fromUtf8(e.what()), QStringLiteral("Błąd"), ui::Buttons::Ok, ui::Icon::Error);
    }
}

bool TfrmWyciagiBankowe::Pokaz(const QString& sciezka) {
    Label1->setText(sciezka);
    Memo1->clear();
    if (!QFileInfo(sciezka).isFile()) {
        ui::dialogs().showMessage(QStringLiteral("Brak"));
        return false;
    }
    try {
        Memo1->setPlainText(TWierszePliku::wczytaj(sciezka).tekst());
    } catch (const std::exception& e) {
        ui::dialogs().message(QString::fromUtf8(e.what()), QStringLiteral("Błąd"), ui::Buttons::Ok, ui::Icon::Error);
        return false;
    }
    return true;
}

void TfrmWyciagiBankowe::vCzytajWyciag(const QStringList& wiersze) {
    // A check only: no entry is handed on anywhere.
    const TWynikWyciagu wynik = wynikCzytaniaWyciagu(wiersze);
    switch (wynik.koniec) {
    case TWynikWyciagu::Koniec::ZlaKwota:
        // The reading stops here and shows nothing more.
        ui::dialogs().message(QStringLiteral("'%1' nie jest poprawną kwotą (wiersz %2)")
                                  .arg(wynik.kwota)
                                  .arg(wynik.wiersz + 1),
                              QStringLiteral("Błąd"), ui::Buttons::Ok, ui::Icon::Error);
        return;
    case TWynikWyciagu::Koniec::BrakOpisu:
        ui::dialogs().showMessage(QStringLiteral("Bledna struktura pliku-> Brak :86:"));
        break;
    case TWynikWyciagu::Koniec::Plik: break;
    }
    ui::dialogs().showMessage(wynik.konto);
}

void TfrmWyciagiBankowe::onClose() { dmMain->vRemoveWindowTab(*this); }
