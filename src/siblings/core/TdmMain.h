#pragma once
// The suite's core services: the shared connection and transaction, users,
// generators, rounding, dates, the company record, grid layouts, colours,
// incremental search, help pages and the host's window bar.

#include "platform/data/Dataset.h"
#include "platform/fb/Fb.h"
#include "platform/grid/DbGrid.h"

#include <QColor>
#include <QIcon>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

class QPainter;

class TdmMain : public QObject {
    Q_OBJECT
public:
    // Works on a connection and transaction that outlive it (the Suite owns them).
    TdmMain(fb::Attachment& database, fb::Transaction& transaction, QString databasePath, QString userName,
            QObject* parent = nullptr);
    ~TdmMain() override;

    fb::Attachment& database() { return m_db; }
    fb::Transaction& transaction() { return m_tr; }

    // Non-zero when the old year's transfer register is blocked.
    unsigned char cBlokadaPrzelewow = 0;

    void vPrzydzielDane(data::Dataset& ds, fb::Attachment& db, fb::Transaction& tr, bool flag);
    // The value of column ILE of the statement's first row. Throws fb::Error
    // (or std::runtime_error when there is no such row): a made-up key would
    // be written as a real one.
    int iPobierzGenerator(const QString& statement);
    double zaokr(double value, int decimals);

    QString PobierzUzytkownik();     // at most 10 characters
    QString PobierzSciezke();        // the connection string of the database
    QString ProgramVersionInfo();
    void setProgramVersion(const QString& version) { m_version = version; }
    QString PobierzFormatDaty();     // "yyyy-mm-dd"
    QString PobierzMaska();          // "9999-99-99;1;_"
    void vPodstawMaskaTime(data::Dataset& ds);

    // The SU_FIRMA record: element i is field i+1 (0 name, 1 identifying text,
    // 4 city, 5 street, 6 postal code, 8 building, 9 flat); ten elements, empty
    // texts when the record is missing.
    QStringList PobierzDaneFirmowe();

    // Grid layouts per user and name in SU_UKLADY_SIATEK.
    void vWczytajGrid(ui::DbGrid& grid, const QString& layoutName, bool restoreOnly);
    void vZapiszGrid(ui::DbGrid& grid, const QString& layoutName, bool flag);

    void OnDataChange(data::Dataset& source, ui::DbGrid* grid);

    // Paints a cell in the suite's colours: alternate rows, the sort column
    // tinted, the current row highlighted, marked rows (a column of markColumns
    // equal to 1) in the mark colour; then the cell's text.
    void vKolory(QPainter& p, const QRect& rect, ui::DbGrid& grid, const QString& columnField, int row, bool selected,
                 int columnIndex, bool ascending, const QString& sortColumn, const QString& prevSortColumn,
                 const QString& markColumns);
    // Paints a cell as vKolory does without marks, and puts the sort arrow
    // into the title of the sorted column.
    void vRysujSort(QPainter& p, const QRect& rect, ui::DbGrid& grid, const QString& columnField, int row,
                    bool selected, bool ascending, const QString& sortColumn);

    // Incremental search: the key is added to the upper-cased search text
    // (Backspace removes the last character, Escape empties it). True when the
    // caller should position the grid with GridLocate.
    bool bFindKeyPressEx(QString& searchText, QString& prevText, const QString& columnExpression, QChar key,
                         ui::DbGrid& grid);
    // Moves the grid's dataset to the first row whose sortField text starts
    // with the text (case-insensitive); nothing moves when none does.
    void GridLocate(ui::DbGrid& grid, const QString& sortField, const QString& text, bool ascending);
    // Shift+Left/Right moves the selected column; the key is then swallowed.
    void vNawigacjaGrida(QObject* sender, int& key, Qt::KeyboardModifiers shift, ui::DbGrid& grid,
                         QString& typedText);

    // An application event filter a window installs while active.
    QObject* AppMessage();

    void vKolorForm(QWidget& form);
    QColor clPobierzParzysty();
    QList<QIcon> PobierzPrzyciski();   // 0 cancel, 1 modify, 2 delete, 3 add, 4 choose
    QList<QIcon> PobierzSrednie();     // 0 choose, 1 clear
    QList<QIcon> PobierzFiltry();      // 5 help

    // The host's window bar listens to these.
    void vAddWindowTab(QWidget& form);
    void vRemoveWindowTab(QWidget& form);

    // Turns the application's help window to the page ("HTML/Przelewy.html")
    // and hands it back.
    QWidget* ShowHelpWindow(QWidget& owner, const QString& page);
    // Asks for a text and moves to the first row whose column contains it.
    void vZnajdz(QWidget& owner, ui::DbGrid& grid, const QString& column);
    // Lets the user show and hide the grid's columns.
    void vColumnList(ui::DbGrid& grid, const QString& sortColumn, const QString& prevSortColumn);

    // An opened query on the shared transaction, on its first row; null on failure.
    std::unique_ptr<data::Dataset> ibStworzIBSQL(bool flag, const QString& statement, bool flag2);

    // Whether the current user may run guarded operations (SU_UPRAWNIENIA.AWARIA).
    bool bOknoAwaria(QWidget& owner);

signals:
    void windowTabAdded(QWidget* form);
    void windowTabRemoved(QWidget* form);

private:
    fb::Attachment& m_db;
    fb::Transaction& m_tr;
    QString m_path;
    QString m_user;
    QString m_version = QStringLiteral("4.1.12.05");
    QObject* m_appMessage = nullptr;
};

inline TdmMain* dmMain = nullptr;
