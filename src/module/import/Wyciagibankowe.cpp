#include "module/import/Wyciagibankowe.h"

#include "module/frame/TDMP.h"
#include "module/import/StrukturaWyciagu.h"
#include "module/import/WierszePliku.h"
#include "platform/data/UnitOfWork.h"
#include "platform/mt940/CzytnikMt940.h"
#include "reportengine/Printing.h"
#include "platform/controls/EntryForm.h"
#include "platform/ui/Dialogs.h"
#include "siblings/core/TdmMain.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
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
    btnRozlicz = ui::named<QPushButton>("btnRozlicz", QStringLiteral("Rozlicz"));
    btnRozlicz->setEnabled(false);
    btnDrukuj = ui::named<QPushButton>("btnDrukuj", QStringLiteral("Drukuj"));
    lblWynik = ui::named<QLabel>("lblWynik");
    lblWynik->setWordWrap(true);
    tblPozycje = ui::named<QTableWidget>("tblPozycje");
    tblPozycje->setColumnCount(7);
    tblPozycje->setHorizontalHeaderLabels({QStringLiteral("Data"), QStringLiteral("Wn/Ma"), QStringLiteral("Kwota"),
                                           QStringLiteral("Kontrahent"), QStringLiteral("Rachunek"),
                                           QStringLiteral("Tytuł"), QStringLiteral("Stan")});
    tblPozycje->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblPozycje->horizontalHeader()->setStretchLastSection(true);

    tblNiepotwierdzone = ui::named<QTableWidget>("tblNiepotwierdzone");
    tblNiepotwierdzone->setColumnCount(6);
    tblNiepotwierdzone->setHorizontalHeaderLabels({QStringLiteral("Data realizacji"), QStringLiteral("Paczka"),
                                                   QStringLiteral("Kontrahent"), QStringLiteral("Rachunek"),
                                                   QStringLiteral("Kwota"), QStringLiteral("Faktura")});
    tblNiepotwierdzone->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblNiepotwierdzone->horizontalHeader()->setStretchLastSection(true);

    auto* przyciski = new QVBoxLayout;
    przyciski->addWidget(btnKsieguj);
    przyciski->addWidget(btnParametry);
    przyciski->addWidget(btnRozlicz);
    przyciski->addWidget(btnDrukuj);
    przyciski->addStretch();
    // The file, its entries and what no statement confirmed, one page each, so
    // the window keeps its size.
    auto* pozycje = new QWidget;
    auto* ukladPozycji = new QVBoxLayout(pozycje);
    ukladPozycji->setContentsMargins(0, 0, 0, 0);
    ukladPozycji->addWidget(lblWynik);
    ukladPozycji->addWidget(tblPozycje, 1);
    tabStrony = ui::named<QTabWidget>("tabStrony");
    tabStrony->addTab(Memo1, QStringLiteral("Plik"));
    tabStrony->addTab(pozycje, QStringLiteral("Pozycje"));
    tabStrony->addTab(tblNiepotwierdzone, QStringLiteral("Bez potwierdzenia"));
    auto* tresc = new QHBoxLayout;
    tresc->addLayout(przyciski);
    tresc->addWidget(tabStrony, 1);
    auto* okno = new QVBoxLayout(this);
    okno->addWidget(Label1);
    okno->addLayout(tresc, 1);
    setGeometry(0, 0, 700, 300);

    connect(btnKsieguj, &QPushButton::clicked, this, &TfrmWyciagiBankowe::btnKsiegujClick);
    connect(btnRozlicz, &QPushButton::clicked, this, &TfrmWyciagiBankowe::btnRozliczClick);
    connect(btnDrukuj, &QPushButton::clicked, this, &TfrmWyciagiBankowe::btnDrukujClick);
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
        vWczytajPozycje(sciezka);
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

void TfrmWyciagiBankowe::vWczytajPozycje(const QString& sciezka) {
    m_wyciagi.clear();
    QFile f(sciezka);
    if (!f.open(QIODevice::ReadOnly)) throw std::runtime_error(f.errorString().toStdString());
    const QByteArray bajty = f.readAll();
    mt940::WynikCzytania wynik = mt940::czytajWyciagi(std::string_view(bajty.constData(), std::size_t(bajty.size())));
    QStringList uwagi;
    if (wynik.blad) uwagi << wynik.blad->komunikat;
    for (const mt940::Blad& b : wynik.niezgodnosciSald) uwagi << b.komunikat;
    m_wyciagi = std::move(wynik.wyciagi);
    vRozliczenia();
    std::size_t pozycji = 0;
    for (const mt940::Wyciag& w : m_wyciagi) pozycji += w.pozycje.size();
    uwagi << QStringLiteral("Wyciągów: %1, pozycji: %2").arg(m_wyciagi.size()).arg(pozycji);
    lblWynik->setText(uwagi.join(u'\n'));
    tabStrony->setCurrentIndex(1);
}

void TfrmWyciagiBankowe::vRozliczenia() {
    m_rozliczenia.clear();
    for (const mt940::Wyciag& w : m_wyciagi)
        m_rozliczenia.push_back(std::make_unique<TRozliczenieWyciagu>(dmMain->transaction(), w, kDniOdstepu));
    vPokazPozycje();
    vPokazNiepotwierdzone();
}

void TfrmWyciagiBankowe::vPokazNiepotwierdzone() {
    const auto lista = niepotwierdzone(dmMain->transaction(), QDate::currentDate(), kDniOdstepu);
    tblNiepotwierdzone->setRowCount(static_cast<int>(lista.size()));
    for (int r = 0; r < int(lista.size()); ++r) {
        const TNiepotwierdzony& n = lista[r];
        const QStringList kolumny = {n.dataRealizacji.toString(QStringLiteral("yyyy-MM-dd")), n.kolejny,
                                     n.kontrahent, n.rachunek, mt940::kwotaTekstem(n.kwota), n.nrFaktury};
        for (int k = 0; k < kolumny.size(); ++k) tblNiepotwierdzone->setItem(r, k, new QTableWidgetItem(kolumny[k]));
    }
}

void TfrmWyciagiBankowe::vPokazPozycje() {
    tblPozycje->setRowCount(0);
    bool doRozliczenia = false;
    for (std::size_t s = 0; s < m_wyciagi.size(); ++s) {
        const std::vector<mt940::Pozycja>& pozycje = m_wyciagi[s].pozycje;
        for (std::size_t n = 0; n < pozycje.size(); ++n) {
            const mt940::Pozycja& p = pozycje[n];
            const TStanPozycji stan = m_rozliczenia[s]->stany()[n];
            doRozliczenia |= stan == TStanPozycji::DoRozliczenia;
            const QDate data = p.dataKsiegowania.isValid() ? p.dataKsiegowania : p.dataWaluty;
            const int r = tblPozycje->rowCount();
            tblPozycje->insertRow(r);
            const QStringList kolumny = {data.toString(QStringLiteral("yyyy-MM-dd")),
                                         p.obciazenie ? QStringLiteral("Wn") : QStringLiteral("Ma"),
                                         mt940::kwotaTekstem(p.kwota), p.kontrahent, p.rachunek, p.tytul,
                                         tekstStanu(stan)};
            for (int k = 0; k < kolumny.size(); ++k) tblPozycje->setItem(r, k, new QTableWidgetItem(kolumny[k]));
        }
    }
    btnRozlicz->setEnabled(doRozliczenia);
}

void TfrmWyciagiBankowe::btnRozliczClick() {
    runHandler("btnRozliczClick", [this] {
        data::UnitOfWork uow(dmMain->transaction());
        int wierszy = 0;
        const QDateTime teraz = QDateTime::currentDateTime();
        for (auto& r : m_rozliczenia) wierszy += r->rozlicz(dmMain->PobierzUzytkownik(), teraz);
        uow.commit();
        vPokazPozycje();
        vPokazNiepotwierdzone();
        ui::dialogs().showMessage(QStringLiteral("Rozliczono przelewów zrealizowanych: %1").arg(wierszy));
    });
}

void TfrmWyciagiBankowe::vZestawienie(TZestawienieOtwartych& z) const {
    for (std::size_t s = 0; s < m_wyciagi.size(); ++s)
        for (std::size_t n = 0; n < m_wyciagi[s].pozycje.size(); ++n) {
            if (m_rozliczenia[s]->stany()[n] != TStanPozycji::BezPary) continue;
            const mt940::Pozycja& p = m_wyciagi[s].pozycje[n];
            z.dodaj(QStringLiteral("pozycja wyciągu"), p.dataKsiegowania.isValid() ? p.dataKsiegowania : p.dataWaluty,
                    p.kontrahent, p.rachunek, mt940::kwotaTekstem(p.kwota), p.tytul);
        }
    for (const TNiepotwierdzony& n : niepotwierdzone(dmMain->transaction(), QDate::currentDate(), kDniOdstepu))
        z.dodaj(QStringLiteral("przelew ") + n.kolejny, n.dataRealizacji, n.kontrahent, n.rachunek,
                mt940::kwotaTekstem(n.kwota), n.nrFaktury);
}

void TfrmWyciagiBankowe::btnDrukujClick() {
    runHandler("btnDrukujClick", [this] {
        TZestawienieOtwartych z;
        vZestawienie(z);
        const auto raport = z.raport();
        QPrinter drukarka;
        if (ui::dialogs().print(drukarka)) rpt::printReport(*raport, drukarka);
    });
}

// The rows may have been settled by someone else: read the states again.
void TfrmWyciagiBankowe::onHandlerFailed(const char*) { vRozliczenia(); }

void TfrmWyciagiBankowe::onClose() { dmMain->vRemoveWindowTab(*this); }
