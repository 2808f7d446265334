#include "siblings/core/TdmMain.h"

#include "platform/data/Formats.h"
#include "platform/data/SqlText.h"
#include "platform/ui/Dialogs.h"
#include "siblings/core/CoreDialogs.h"
#include "siblings/core/Rounding.h"
#include "siblings/core/SuiteIcons.h"

#include <QHash>
#include <QPainter>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>
#include <stdexcept>

// The help pages live in this static library; nothing else references them,
// so they are registered by hand.
static void registerHelpPages() { Q_INIT_RESOURCE(help); }

namespace {

const QColor kEvenRow(0xEE, 0xF3, 0xFA);
const QColor kSortTint(0xFF, 0xF6, 0xD5);
const QColor kMark(0xFF, 0xD2, 0x8A);
const QColor kCurrent(0x2F, 0x5D, 0x95);
const QColor kForm(0xEC, 0xEF, 0xF4);

// The grid column behind a sort or search expression of the suite's joined
// queries: "b.PELNA" is the contractor name column, "a.X" is X.
QString fieldOfExpression(const QString& expression)
{
    static const QHash<QString, QString> joined{{QStringLiteral("B.PELNA"), QStringLiteral("KONTRAHENT_NAZWA")},
                                                {QStringLiteral("B.KOD_FK"), QStringLiteral("SYMBOL_NAZWA")},
                                                {QStringLiteral("B.SKROT"), QStringLiteral("KONTRAHENT_SKROT")},
                                                {QStringLiteral("C.KONTO"), QStringLiteral("KONTRAHENT_KONTO")}};
    const QString upper = expression.trimmed().toUpper();
    if (const auto it = joined.find(upper); it != joined.end())
        return it.value();
    const int dot = upper.indexOf(u'.');
    return dot >= 0 ? upper.mid(dot + 1) : upper;
}

data::Field* sortedField(data::Dataset& ds, const QString& expression)
{
    if (data::Field* f = ds.findField(expression))
        return f;
    return ds.findField(fieldOfExpression(expression));
}

// What an incremental search compares: the text as the user reads it.
QString searchableText(const data::Field& field)
{
    return (field.isString() ? field.asString() : field.displayText()).toUpper();
}

// Passes every event on: the hook is where the suite would watch
// application-wide messages while a register window is active.
class AppMessageFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent*) override { return false; }
};

// Date-times show as dates, with hours and minutes only where there is a
// time. The field's display format stays the date part, so a window may
// still choose its own.
void applyTimeMask(data::Dataset& ds, const QString& dateFormat)
{
    for (const auto& field : ds.fields()) {
        if (field->type() != data::FieldType::DateTime || !field->displayFormat().isEmpty())
            continue;
        field->setDisplayFormat(dateFormat);
        field->setGetText([](const data::Field& f, bool forDisplay) {
            if (f.isNull())
                return QString();
            if (!forDisplay)
                return f.asString();
            const QDateTime value = f.asDateTime();
            const bool withTime = value.time() != QTime(0, 0) && !f.displayFormat().contains(u'h');
            return data::formatDateTime(value, withTime ? f.displayFormat() + " hh:nn" : f.displayFormat());
        });
    }
}

}  // namespace

TdmMain::TdmMain(fb::Attachment& database, fb::Transaction& transaction, QString databasePath, QString userName,
                 QObject* parent)
    : QObject(parent), m_db(database), m_tr(transaction), m_path(std::move(databasePath)),
      m_user(std::move(userName)), m_appMessage(new AppMessageFilter(this))
{
    registerHelpPages();
}

TdmMain::~TdmMain() = default;

void TdmMain::vPrzydzielDane(data::Dataset& ds, fb::Attachment&, fb::Transaction& tr, bool)
{
    ds.setTransaction(&tr);
}

int TdmMain::iPobierzGenerator(const QString& statement)
{
    fb::Statement st(m_tr, statement.toStdString());
    fb::Cursor cursor = st.open(m_tr);
    if (!cursor.fetch())
        throw std::runtime_error("The generator statement returned no row");
    const int column = cursor.indexOf("ILE");
    const auto value = cursor.asInt(column >= 0 ? column : 0);
    cursor.close();
    return static_cast<int>(value);
}

double TdmMain::zaokr(double value, int decimals) { return ::zaokr(value, decimals); }

QString TdmMain::PobierzUzytkownik() { return m_user.left(10); }

QString TdmMain::PobierzSciezke() { return m_path; }

QString TdmMain::ProgramVersionInfo() { return m_version; }

QString TdmMain::PobierzFormatDaty() { return QStringLiteral("yyyy-mm-dd"); }

QString TdmMain::PobierzMaska() { return QStringLiteral("9999-99-99;1;_"); }

void TdmMain::vPodstawMaskaTime(data::Dataset& ds)
{
    const QString format = PobierzFormatDaty();
    applyTimeMask(ds, format);
    // Fields that only an open brings get theirs then.
    connect(&ds, &data::Dataset::afterOpen, this, [&ds, format] { applyTimeMask(ds, format); });
}

QStringList TdmMain::PobierzDaneFirmowe()
{
    static const QStringList columns{"NAZWA",   "NAZWA2", "NIP",   "REGON",  "MIASTO",      "ULICA",    "KOD_POCZT", "POCZTA",
                                     "BUDYNEK", "LOKAL",  "GMINA", "POWIAT", "WOJEWODZTWO", "TELEFON", "EMAIL"};
    QStringList record;
    if (auto ds = ibStworzIBSQL(true, "select first 1 " + columns.join(", ") + " from SU_FIRMA order by ID", false);
        ds && !ds->isEmpty())
        for (const QString& c : columns)
            record << ds->fieldByName(c).asString();
    while (record.size() < columns.size())
        record << QString();
    return record;
}

// ---------------------------------------------------------------- grid layouts

// A layout is stored as one line per column in the order shown:
// FIELD;width;1 for a visible column, 0 for a hidden one.
void TdmMain::vWczytajGrid(ui::DbGrid& grid, const QString& layoutName, bool)
{
    try {
        fb::Transaction tr(m_db);
        const auto text = fb::selectValue(tr, "select UKLAD from SU_UKLADY_SIATEK where NAZWA_OKNA = ? and UZYTKOWNIK = ?",
                                          {layoutName.toStdString(), PobierzUzytkownik().toStdString()});
        tr.commit();
        const std::string* stored = text ? std::get_if<std::string>(&*text) : nullptr;
        if (!stored)
            return;
        QList<ui::DbGrid::Column> layout;
        for (const QString& line : QString::fromStdString(*stored).split(u'\n', Qt::SkipEmptyParts)) {
            const QStringList parts = line.trimmed().split(u';');
            if (parts.size() == 3)
                layout.append({parts[0], QString(), parts[1].toInt(), parts[2] != QLatin1String("0")});
        }
        grid.applyLayout(layout);
    } catch (const fb::Error&) {
        // A layout that cannot be read leaves the window's own.
    }
}

void TdmMain::vZapiszGrid(ui::DbGrid& grid, const QString& layoutName, bool)
{
    QStringList lines;
    for (const ui::DbGrid::Column& c : grid.layout())
        lines << QStringLiteral("%1;%2;%3").arg(c.field).arg(c.width).arg(c.visible ? 1 : 0);
    const std::string text = lines.join(u'\n').toStdString();
    const std::string name = layoutName.toStdString();
    const std::string user = PobierzUzytkownik().toStdString();
    // Its own transaction: saving a layout must not commit the window's work.
    try {
        fb::Transaction tr(m_db);
        fb::Statement update(tr, "update SU_UKLADY_SIATEK set UKLAD = ?, DATA_ZAPISU = CURRENT_TIMESTAMP "
                                 "where NAZWA_OKNA = ? and UZYTKOWNIK = ?");
        update.setParams({text, name, user});
        if (update.execute(tr) == 0) {
            fb::Statement insert(tr, "insert into SU_UKLADY_SIATEK (ID, NAZWA_OKNA, UZYTKOWNIK, UKLAD, DATA_ZAPISU) "
                                     "values (GEN_ID(GEN_SU_UKLADY_SIATEK_ID, 1), ?, ?, ?, CURRENT_TIMESTAMP)");
            insert.setParams({name, user, text});
            insert.execute(tr);
        }
        tr.commit();
    } catch (const fb::Error&) {
        // Losing a layout costs the user a column arrangement, not data.
    }
}

void TdmMain::OnDataChange(data::Dataset&, ui::DbGrid* grid)
{
    if (grid)
        grid->showCurrentRow();
}

// ---------------------------------------------------------------- painting

namespace {

struct CellLook {
    bool selected = false;
    bool sorted = false;
    bool marked = false;
};

void paintSuiteCell(QPainter& p, const QRect& rect, ui::DbGrid& grid, const QString& columnField, int row,
                    const CellLook& look, const QColor& even)
{
    QColor background = row % 2 == 0 ? QColor(Qt::white) : even;
    if (look.sorted)
        background = kSortTint;
    if (look.marked)
        background = kMark;
    QColor foreground = Qt::black;
    if (look.selected) {
        background = kCurrent;
        foreground = look.marked ? kMark : QColor(Qt::white);
    }
    p.fillRect(rect, background);
    const int column = grid.columnIndex(columnField);
    if (column < 0)
        return;
    const auto* model = grid.datasetModel();
    const auto alignment = model->data(model->index(row, column), Qt::TextAlignmentRole).value<Qt::Alignment>();
    const QRect textRect = rect.adjusted(3, 0, -3, 0);
    p.setPen(foreground);
    p.drawText(textRect, int(alignment ? alignment : Qt::AlignLeft | Qt::AlignVCenter),
               p.fontMetrics().elidedText(grid.cellText(row, column), Qt::ElideRight, textRect.width()));
}

bool isSortColumn(const QString& columnField, const QString& sortColumn)
{
    return !sortColumn.isEmpty() && columnField.compare(fieldOfExpression(sortColumn), Qt::CaseInsensitive) == 0;
}

bool isMarked(ui::DbGrid& grid, int row, const QString& markColumns)
{
    data::Dataset* ds = grid.dataset();
    if (!ds || markColumns.isEmpty() || row < 0 || row >= ds->recordCount())
        return false;
    data::Dataset::RowScope scope(*ds, row);
    for (const QString& name : markColumns.split(u',', Qt::SkipEmptyParts)) {
        const data::Field* f = ds->findField(name.trimmed());
        if (f && !f->isNull() && f->asInteger() == 1)
            return true;
    }
    return false;
}

}  // namespace

void TdmMain::vKolory(QPainter& p, const QRect& rect, ui::DbGrid& grid, const QString& columnField, int row,
                      bool selected, int, bool ascending, const QString& sortColumn, const QString&,
                      const QString& markColumns)
{
    grid.setSortMark(fieldOfExpression(sortColumn), ascending);
    paintSuiteCell(p, rect, grid, columnField, row,
                   {selected, isSortColumn(columnField, sortColumn), isMarked(grid, row, markColumns)},
                   clPobierzParzysty());
}

void TdmMain::vRysujSort(QPainter& p, const QRect& rect, ui::DbGrid& grid, const QString& columnField, int row,
                         bool selected, bool ascending, const QString& sortColumn)
{
    grid.setSortMark(fieldOfExpression(sortColumn), ascending);
    paintSuiteCell(p, rect, grid, columnField, row, {selected, isSortColumn(columnField, sortColumn), false},
                   clPobierzParzysty());
}

// ---------------------------------------------------------------- searching

bool TdmMain::bFindKeyPressEx(QString& searchText, QString& prevText, const QString&, QChar key, ui::DbGrid&)
{
    if (key == u'\b') {
        if (searchText.isEmpty())
            return false;
        searchText.chop(1);
    } else if (key == u'\x1b') {
        searchText.clear();
        prevText.clear();
        return false;
    } else if (key.isPrint()) {
        searchText += key.toUpper();
    } else {
        return false;
    }
    prevText = searchText;
    return !searchText.isEmpty();
}

// The rows are scanned from the top in either order: the rows that start with
// the text are adjacent, and the first of them is where the user reads on.
void TdmMain::GridLocate(ui::DbGrid& grid, const QString& sortField, const QString& text, bool)
{
    data::Dataset* ds = grid.dataset();
    if (!ds || !ds->isActive() || ds->isEditing() || text.isEmpty())
        return;
    data::Field* field = sortedField(*ds, sortField);
    if (!field)
        return;
    const QString wanted = text.toUpper();
    for (int row = 0; row < ds->recordCount(); ++row) {
        bool match = false;
        {
            data::Dataset::RowScope scope(*ds, row);
            match = searchableText(*field).startsWith(wanted);
        }
        if (match) {
            ds->setRecNo(row);
            grid.showCurrentRow();
            return;
        }
    }
}

void TdmMain::vNawigacjaGrida(QObject*, int& key, Qt::KeyboardModifiers shift, ui::DbGrid& grid, QString&)
{
    if (!(shift & Qt::ShiftModifier))
        return;
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
        key = 0;
        return;
    }
    if (key != Qt::Key_Left && key != Qt::Key_Right)
        return;
    const QStringList visible = grid.visibleFields();
    const int at = grid.selectedVisibleIndex();
    const int to = std::clamp(at + (key == Qt::Key_Left ? -1 : 1), 0, int(visible.size()) - 1);
    if (!visible.isEmpty() && to != at)
        grid.setSelectedField(visible[to]);
    key = 0;
}

QObject* TdmMain::AppMessage() { return m_appMessage; }

// ---------------------------------------------------------------- look and feel

void TdmMain::vKolorForm(QWidget& form)
{
    QPalette palette = form.palette();
    palette.setColor(QPalette::Window, kForm);
    form.setPalette(palette);
    form.setAutoFillBackground(true);
}

QColor TdmMain::clPobierzParzysty() { return kEvenRow; }

QList<QIcon> TdmMain::PobierzPrzyciski() { return siblings::icons::buttons(); }

QList<QIcon> TdmMain::PobierzSrednie() { return siblings::icons::small(); }

QList<QIcon> TdmMain::PobierzFiltry() { return siblings::icons::filters(); }

void TdmMain::vAddWindowTab(QWidget& form) { emit windowTabAdded(&form); }

void TdmMain::vRemoveWindowTab(QWidget& form) { emit windowTabRemoved(&form); }

QWidget* TdmMain::ShowHelpWindow(QWidget&, const QString& page)
{
    // One help window for the whole application, turned to the page asked for.
    static QPointer<QTextBrowser> browser;
    if (!browser) {
        browser = new QTextBrowser(ui::mainWindow());
        browser->setWindowFlag(Qt::Window);
        browser->setAttribute(Qt::WA_DeleteOnClose);
        // An open help page must not keep the application running.
        browser->setAttribute(Qt::WA_QuitOnClose, false);
        browser->setWindowTitle(QStringLiteral("Pomoc"));
        browser->setOpenExternalLinks(true);
        browser->resize(720, 560);
    }
    browser->setSource(QUrl(QStringLiteral("qrc:/help/") + page));
    browser->show();
    browser->raise();
    browser->activateWindow();
    return browser;
}

void TdmMain::vZnajdz(QWidget& owner, ui::DbGrid& grid, const QString& column)
{
    data::Dataset* ds = grid.dataset();
    const QString fieldName = fieldOfExpression(column);
    data::Field* field = ds && ds->isActive() ? sortedField(*ds, column) : nullptr;
    if (!field)
        return;
    auto* dialog = new siblings::FindDialog(&owner, grid.columnTitle(grid.columnIndex(fieldName)));
    QPointer<siblings::FindDialog> guard(dialog);
    const int result = ui::dialogs().runModal(*dialog);
    const QString wanted = guard ? guard->text().trimmed().toUpper() : QString();
    if (result != ui::mrOk || wanted.isEmpty() || ds->isEditing())
        return;
    // From the row after the current one, round to it: asking again finds the next.
    const int count = ds->recordCount();
    for (int step = 1; step <= count; ++step) {
        const int row = (ds->recNo() + step) % count;
        bool match = false;
        {
            data::Dataset::RowScope scope(*ds, row);
            match = searchableText(*field).contains(wanted);
        }
        if (match) {
            ds->setRecNo(row);
            grid.showCurrentRow();
            return;
        }
    }
    ui::dialogs().message(QStringLiteral("Nie znaleziono tekstu „%1”").arg(wanted), QStringLiteral("Znajdź"),
                          ui::Buttons::Ok, ui::Icon::Information);
}

void TdmMain::vColumnList(ui::DbGrid& grid, const QString&, const QString&)
{
    auto* dialog = new siblings::ColumnListDialog(grid.window(), grid);
    ui::dialogs().runModal(*dialog);
}

// ---------------------------------------------------------------- queries and rights

std::unique_ptr<data::Dataset> TdmMain::ibStworzIBSQL(bool, const QString& statement, bool)
{
    auto ds = std::make_unique<data::Dataset>();
    try {
        ds->setTransaction(&m_tr);
        ds->setSql({statement});
        ds->open();
        return ds;
    } catch (const std::exception&) {
        return nullptr;
    }
}

bool TdmMain::bOknoAwaria(QWidget&)
{
    const QString user = data::sqlQuote(PobierzUzytkownik().toUpper());
    auto ds = ibStworzIBSQL(true,
                            "select u.ADMINISTRATOR, u.AKTYWNY, (select p.DOZWOLONE from SU_UPRAWNIENIA p "
                            "where upper(p.UZYTKOWNIK) = " + user + " and p.OPERACJA = 'OKNO_AWARIA') as DOZWOLONE "
                            "from SU_UZYTKOWNICY u where upper(u.UZYTKOWNIK) = " + user,
                            false);
    if (!ds || ds->isEmpty() || ds->fieldByName("AKTYWNY").asInteger() == 0)
        return false;
    return ds->fieldByName("ADMINISTRATOR").asInteger() == 1 || ds->fieldByName("DOZWOLONE").asInteger() == 1;
}
