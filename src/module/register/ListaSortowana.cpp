#include "module/register/ListaSortowana.h"

#include "module/register/Sortowanie.h"
#include "platform/controls/DBEdit.h"
#include "platform/controls/EntryForm.h"
#include "platform/data/Dataset.h"
#include "platform/ui/FormBase.h"
#include "siblings/core/TdmMain.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QToolButton>
#include <utility>

namespace {

bool bStrzalka(int key) {
    return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
}

// The character a key event types into the search: printable ones,
// Backspace and Escape; nothing for shortcuts.
QChar znakKlawisza(const QKeyEvent* event) {
    if (event->text().isEmpty() || (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) return {};
    const QChar ch = event->text().at(0);
    if (ch == u'\b' || ch == u'\x1b' || (ch.isPrint() && ch != u'\x7f')) return ch;
    return {};
}

}  // namespace

TListaSortowana::TListaSortowana(QWidget& okno, ui::DbGrid& siatka, data::Dataset& zbior, QLineEdit& szukaj,
                                 QToolButton& czysc, int liniaPorzadku, std::function<void()> odswiez)
    : QObject(&okno), m_okno(okno), m_siatka(siatka), m_zbior(zbior), m_szukaj(szukaj), m_czysc(czysc),
      m_liniaPorzadku(liniaPorzadku), m_odswiez(std::move(odswiez)) {
    szukaj.installEventFilter(this);
    siatka.setDefaultDrawing(false);
    siatka.setCellPainter([this](const ui::DbGrid::Cell& cell) { vRysuj(cell); });
    connect(&siatka, &ui::DbGrid::titleClicked, this, &TListaSortowana::vKliknietyTytul);
    connect(&siatka, &ui::DbGrid::keyUp, this, &TListaSortowana::vPuszczonyKlawisz);
    connect(&czysc, &QToolButton::clicked, this, &TListaSortowana::actCzyscExecute);
}

QHBoxLayout* TListaSortowana::pasekSzukania(QWidget* rodzic, const QString& etykieta, QLineEdit*& szukaj,
                                            QToolButton*& czysc) {
    auto* pasek = new QHBoxLayout;
    pasek->addWidget(new QLabel(etykieta, rodzic));
    szukaj = ui::named<QLineEdit>("edtTekst", rodzic);
    szukaj->setMaximumWidth(260);
    pasek->addWidget(szukaj);
    czysc = ui::named<QToolButton>("btnCzysc", rodzic);
    czysc->setToolTip(QStringLiteral("Wyczyść kryterium szybkiego wyszukiwania"));
    czysc->setAutoRaise(true);
    pasek->addWidget(czysc);
    pasek->addStretch(1);
    return pasek;
}

QList<ui::DbGrid::Column> TListaSortowana::kolumny(const QList<ui::DbGrid::Column>& wlasne) {
    const QList<ui::DbGrid::Column> zestawy = {{"ZAZNACZ", QStringLiteral("1.Z"), 30},
                                               {"ZAZNACZ2", QStringLiteral("2.Z"), 30},
                                               {"ZAZNACZ3", QStringLiteral("3.Z"), 30}};
    const QList<ui::DbGrid::Column> ewidencja = {
        {"DATA_WYSTAWIENIA", QString(), 85}, {"DODAL", QString(), 70},       {"DATA_DODANIA", QString(), 85},
        {"ZMIENIL", QString(), 70},          {"DATA_ZMIANY", QString(), 85}, {"ID", QString(), 50},
        {"ID_KONTA_BANK", QString(), 60},    {"WPROWADZONY", QString(), 40}, {"ID_KONTRAHENTA", QString(), 60}};
    return zestawy + wlasne + ewidencja;
}

void TListaSortowana::vOpiszPola(data::Dataset& zbior) {
    static const std::pair<const char*, const char*> tytuly[] = {
        {"WYROZNIONY", "Wyróżn."},
        {"TRESC1", "Treść"},
        {"KONTRAHENT_KONTO", "Konto kontrahenta"},
        {"SYMBOL_NAZWA", "Symb."},
        {"DATA_WYSTAWIENIA", "Data wystawienia"},
        {"DODAL", "Dodał"},
        {"DATA_DODANIA", "Data dodania"},
        {"ZMIENIL", "Zmienił"},
        {"DATA_ZMIANY", "Data zmiany"},
        {"ID", "Id"},
        {"ID_KONTA_BANK", "Id konta"},
        {"WPROWADZONY", "Kod źródła"},
        {"ID_KONTRAHENTA", "Id kontrahenta"}};
    for (const auto& [pole, tytul] : tytuly)
        zbior.declareField(QString::fromLatin1(pole)).setDisplayLabel(QString::fromUtf8(tytul));
}

void TListaSortowana::vPoleRekordu(QGridLayout& siatka, data::Dataset& zbior, const QString& etykieta, const char* pole,
                                   int wiersz, int kolumna, int szerokosc) {
    QWidget* panel = siatka.parentWidget();
    siatka.addWidget(new QLabel(etykieta, panel), wiersz, kolumna);
    auto* edycja = new ui::DBEdit(panel);
    edycja->setObjectName(QStringLiteral("dbe") + QLatin1String(pole));
    edycja->setDataField(&zbior, QString::fromLatin1(pole));
    edycja->setInfo(true);
    siatka.addWidget(edycja, wiersz, kolumna + 1, 1, szerokosc);
}

int TListaSortowana::iBiezaceId() const {
    if (!m_zbior.isActive() || m_zbior.isEmpty()) return 0;
    return static_cast<int>(m_zbior.fieldByName(QStringLiteral("ID")).asInteger());
}

void TListaSortowana::vOtworz(int liniaWarunku, const QString& warunek) {
    const int id = iZapamietaneId > 0 ? iZapamietaneId : iBiezaceId();
    iZapamietaneId = 0;
    m_zbior.close();
    m_zbior.setSqlLine(liniaWarunku, warunek);
    m_zbior.open();
    if (id > 0) m_zbior.locate(QStringLiteral("ID"), id);
}

void TListaSortowana::vKliknietyTytul(const QString& pole) {
    vSortuj(pole, pole == sKolumnaSortowania ? !bSortRosnaco : true);
}

void TListaSortowana::vSortuj(const QString& kolumna, bool rosnaco) {
    // The partial-payment arrow and the account have no column of their own to sort by.
    if (kolumna == QLatin1String("INNA_KWOTA_cal") || kolumna == QLatin1String("KONTRAHENT_KONTO")) return;
    iZapamietaneId = iBiezaceId();
    bSortRosnaco = rosnaco;
    try {
        const data::Field* f = m_zbior.findField(kolumna);
        m_zbior.setSqlLine(m_liniaPorzadku,
                           sLiniaPorzadku(sWyrazenieSortowania(kolumna), f && f->isString(), bSortRosnaco));
        sSzukanyTekst.clear();
        m_szukaj.clear();
        m_odswiez();
    } catch (const std::exception& e) {
        ui::showError(m_okno.objectName(), "grdTitleClick", e);
    }
    sKolumnaSortowania = sPoprzedniaKolumna = kolumna;
    m_siatka.setSelectedField(kolumna);
}

void TListaSortowana::vSzukaj(QChar key) {
    if (dmMain->bFindKeyPressEx(sSzukanyTekst, sPoprzedniTekst, sWyrazenieSzukania(sKolumnaSortowania), key,
                                m_siatka))
        dmMain->GridLocate(m_siatka, sKolumnaSortowania, sSzukanyTekst, bSortRosnaco);
    // The box shows the search text as the search keeps it (upper case).
    m_szukaj.setText(sSzukanyTekst);
}

void TListaSortowana::vZnakSiatki(QChar& key) {
    if (key.isNull() || key == u'\r') return;
    const QChar znak = key;
    key = QChar();
    if (znak == u'\x1b')
        m_okno.close();
    else
        vSzukaj(znak);
}

void TListaSortowana::vKlawiszSiatki(int& key, Qt::KeyboardModifiers shift) {
    if (key == Qt::Key_Delete && !(shift & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier))) {
        key = 0;
        actCzyscExecute();
    }
}

void TListaSortowana::vPuszczonyKlawisz(int& key, Qt::KeyboardModifiers shift) {
    if (!(shift & Qt::ShiftModifier) || !bStrzalka(key)) return;
    dmMain->vNawigacjaGrida(&m_okno, key, shift, m_siatka, sPoprzedniaKolumna);
    const QString poprzednia = sKolumnaSortowania;
    vSortuj(m_siatka.selectedField(), true);
    if (sKolumnaSortowania != poprzednia && !sPoprzedniTekst.isEmpty()) actCzyscExecute();
}

void TListaSortowana::actCzyscExecute() {
    sSzukanyTekst.clear();
    sPoprzedniTekst.clear();
    if (!m_szukaj.text().isEmpty()) m_szukaj.clear();
    m_odswiez();
}

bool TListaSortowana::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_szukaj && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Delete && key->modifiers() == Qt::NoModifier) {
            actCzyscExecute();
            return true;
        }
        const QChar ch = znakKlawisza(key);
        if (!ch.isNull()) {
            vSzukaj(ch);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void TListaSortowana::vRysuj(const ui::DbGrid::Cell& cell) {
    const auto koloruj = [&](QPainter& p) {
        dmMain->vKolory(p, cell.rect, m_siatka, cell.field, cell.row, cell.selected, cell.column, bSortRosnaco,
                        sKolumnaSortowania, sPoprzedniaKolumna, sKolumnyZaznaczenia);
    };
    koloruj(*cell.painter);
    if (cell.field != QLatin1String("WYROZNIONY")) return;
    // A highlighted contractor is a red cell; otherwise the cell's own background.
    QColor tlo;
    if (m_zbior.fieldByName(QStringLiteral("WYROZNIONY")).asInteger() == 1) {
        tlo = QColor(255, 0, 0);
    } else if (sKolumnaSortowania == QLatin1String("WYROZNIONY")) {
        tlo = m_siatka.rowColor(cell.row);
    } else {
        // The background the host chose for this cell, read off one pixel of it.
        QImage probka(1, 1, QImage::Format_ARGB32);
        QPainter p(&probka);
        p.translate(-cell.rect.topLeft());
        koloruj(p);
        p.end();
        tlo = probka.pixelColor(0, 0);
    }
    cell.painter->fillRect(cell.rect, tlo);
}

void TListaSortowana::vUstawKolory() {
    m_czysc.setIcon(dmMain->PobierzSrednie().value(1));
    const QColor parzysty = dmMain->clPobierzParzysty();
    QPalette paleta = m_szukaj.palette();
    paleta.setColor(QPalette::Base, parzysty);
    m_szukaj.setPalette(paleta);
    m_siatka.setRowColors(parzysty, parzysty);
}

void TListaSortowana::vMenuKontekstowe(QMenu& menu) {
    m_siatka.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&m_siatka, &QWidget::customContextMenuRequested, &menu,
            [this, &menu](const QPoint& at) { menu.popup(m_siatka.viewport()->mapToGlobal(at)); });
}
