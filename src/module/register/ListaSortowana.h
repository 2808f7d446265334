#pragma once
// What the windows listing transfers share: the order set by a click on a
// column title (or Shift with an arrow key), the incremental search typed
// into the grid or the search box, re-opening the query on the same transfer,
// the suite's colouring of the cells with the red cell of a highlighted
// contractor, the grid's context menu and the record panel under the grid.
// Each window keeps its own query, filter line and messages.

#include "platform/grid/DbGrid.h"

#include <QObject>
#include <QString>
#include <functional>

class QGridLayout;
class QHBoxLayout;
class QLineEdit;
class QMenu;
class QToolButton;

namespace data {
class Dataset;
}

class TListaSortowana : public QObject {
    Q_OBJECT
public:
    // `odswiez` is the window's refresh: it re-opens the query (through
    // vOtworz) and reports its own errors. The window's object name starts
    // the texts of sorting errors. The grid is painted by vRysuj; a window
    // painting more sets its own painter that calls vRysuj first.
    TListaSortowana(QWidget& okno, ui::DbGrid& siatka, data::Dataset& zbior, QLineEdit& szukaj, QToolButton& czysc,
                    int liniaPorzadku, std::function<void()> odswiez);

    // The search row: its label, the search box and the button that clears
    // the search, then a stretch; the window adds its own controls after it.
    static QHBoxLayout* pasekSzukania(QWidget* rodzic, const QString& etykieta, QLineEdit*& szukaj,
                                      QToolButton*& czysc);
    // The grid's columns: the mark columns of the three sets, the window's
    // own, then when the invoice was issued, who added and changed the
    // transfer, and its keys.
    static QList<ui::DbGrid::Column> kolumny(const QList<ui::DbGrid::Column>& wlasne);
    // Short Polish titles of the transfer fields, shown by the columns that
    // take their title from the field (a null title) and by the column list.
    static void vOpiszPola(data::Dataset& zbior);
    // A read-only field of the record panel under the grid, after its label.
    static void vPoleRekordu(QGridLayout& siatka, data::Dataset& zbior, const QString& etykieta, const char* pole,
                             int wiersz, int kolumna, int szerokosc = 1);

    QString sKolumnaSortowania;
    QString sPoprzedniaKolumna;          // handed to the host's search and colouring
    QString sSzukanyTekst;
    QString sPoprzedniTekst;
    QString sKolumnyZaznaczenia = QStringLiteral("ZAZNACZ,ZAZNACZ2,ZAZNACZ3");  // the mark columns the host colours
    bool bSortRosnaco = false;
    int iZapamietaneId = 0;              // row to return to after a reopen; 0 = the current one

    // ID of the current row, 0 when there is none.
    int iBiezaceId() const;
    // Closes the query, puts the filter into its line and opens it again on
    // the remembered row (or the one current before). Throws what the
    // database throws; the remembered row is forgotten either way.
    void vOtworz(int liniaWarunku, const QString& warunek);

    // A click on a column title: the same column again turns the direction.
    void vKliknietyTytul(const QString& pole);
    // Orders the query by the column (text columns case-blind in the Polish
    // collation) and refreshes on the same transfer; the search starts over.
    void vSortuj(const QString& kolumna, bool rosnaco);
    // A character typed into the grid: Esc closes the window, Enter is left
    // to the window, anything else goes to the search.
    void vZnakSiatki(QChar& key);
    // Del in the grid clears the search (for windows where Del has no other job).
    void vKlawiszSiatki(int& key, Qt::KeyboardModifiers shift);
    void vPuszczonyKlawisz(int& key, Qt::KeyboardModifiers shift);
    // Clears the search and refreshes.
    void actCzyscExecute();

    // Paints a cell in the suite's colours; the highlight column shows colour, never its number.
    void vRysuj(const ui::DbGrid::Cell& cell);
    // The suite's colours of the search box, the grid's rows and the clear button's glyph.
    void vUstawKolory();
    // The menu pops up where the grid is right-clicked.
    void vMenuKontekstowe(QMenu& menu);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void vSzukaj(QChar key);

    QWidget& m_okno;
    ui::DbGrid& m_siatka;
    data::Dataset& m_zbior;
    QLineEdit& m_szukaj;
    QToolButton& m_czysc;
    int m_liniaPorzadku;
    std::function<void()> m_odswiez;
};
