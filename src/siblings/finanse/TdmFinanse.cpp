#include "siblings/finanse/TdmFinanse.h"

#include "platform/fb/Scalar.h"
#include "platform/ui/Dialogs.h"
#include "siblings/core/ChooserWindow.h"
#include "siblings/core/TdmMain.h"
#include "siblings/finanse/DocumentWindow.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace {

constexpr int kUnknownPeriod = -1;
constexpr int kUnknownDocument = -1;
constexpr int kUnknownCode = -2;
constexpr int kDatabaseFailure = -3;

// Empty texts are stored as NULL; longer ones are cut to the column's width,
// so that a long description never costs the whole document.
fb::Value text(const QString& value, int width)
{
    if (value.trimmed().isEmpty())
        return std::monostate{};
    return value.left(width).toStdString();
}

fb::Value date(const QDate& value)
{
    if (!value.isValid())
        return std::monostate{};
    return fb::Timestamp{value.year(), value.month(), value.day()};
}

fb::Transaction& shared() { return dmMain->transaction(); }

}  // namespace

TdmFinanse::TdmFinanse(QObject* parent) : QObject(parent) {}

int TdmFinanse::iDodajDokumentFK(data::Dataset*, int periodId, int, int codeId, const QString& code, int sourceId,
                                 const QDate& documentDate, const QDate& operationDate, const QString& description,
                                 const QString& remarks)
{
    try {
        const auto month = fb::selectValue(shared(), "select MIESIAC from FK_OKRESY where ID = ?", {std::int64_t(periodId)});
        if (!month)
            return kUnknownPeriod;
        const auto codeText = fb::selectValue(shared(), "select KOD from FK_KODY_DOK where ID = ?", {std::int64_t(codeId)});
        if (!codeText)
            return kUnknownCode;
        const QString prefix = code.trimmed().isEmpty() ? QString::fromStdString(std::get<std::string>(*codeText)) : code.trimmed();
        // Documents of one code are numbered through the fiscal year.
        const std::int64_t running = fb::asInteger(fb::selectValue(
            shared(),
            "select coalesce(max(d.NR_KOLEJNY), 0) + 1 from FK_DOKUMENTY d join FK_OKRESY o on o.ID = d.ID_OKRESU "
            "where d.ID_KODU = ? and o.ROK = (select ROK from FK_OKRESY where ID = ?)",
            {std::int64_t(codeId), std::int64_t(periodId)}));
        const std::int64_t id = fb::asInteger(fb::selectValue(shared(), "select GEN_ID(GEN_FK_DOKUMENTY_ID, 1) from RDB$DATABASE"));
        const QString number = QStringLiteral("%1/%2/%3")
                                   .arg(prefix)
                                   .arg(fb::asInteger(month), 2, 10, QLatin1Char('0'))
                                   .arg(running, 4, 10, QLatin1Char('0'));
        fb::Statement insert(shared(),
                             "insert into FK_DOKUMENTY (ID, ID_OKRESU, ID_KODU, KOD_DOK, NUMER_DOK, NR_KOLEJNY, DATA_DOK, "
                             "DATA_OPERACJI, OPIS, UWAGI, ID_ZRODLA, ZAKSIEGOWANY, DODAL, DATA_DODANIA) "
                             "values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 0, ?, CURRENT_DATE)");
        insert.setParams({id, std::int64_t(periodId), std::int64_t(codeId), text(prefix, 5), text(number, 40), running,
                          date(documentDate), date(operationDate), text(description, 255), text(remarks, 255),
                          sourceId > 0 ? fb::Value(std::int64_t(sourceId)) : fb::Value(), text(dmMain->PobierzUzytkownik(), 10)});
        insert.execute(shared());
        return static_cast<int>(id);
    } catch (const std::exception&) {
        return kDatabaseFailure;
    }
}

struct TdmFinanse::EntryStatements {
    fb::Transaction* transaction;
    // The document of the last entry and the line its next entry takes: a
    // batch adds its entries one after another, and only this module numbers them.
    int document = 0;
    std::int64_t nextLp = 0;
    // Entry keys are taken from the generator a block at a time; a block cut
    // short by a rollback only leaves a gap, as generators always may.
    static constexpr int kKeyBlock = 100;
    std::int64_t nextKey = 0, lastKey = -1;
    fb::Statement documentLookup, nextLine, key, insert;
    explicit EntryStatements(fb::Transaction& tr)
        : transaction(&tr),
          documentLookup(tr, "select ID from FK_DOKUMENTY where ID = ?"),
          nextLine(tr, "select first 1 LP from FK_DEKRETY where ID_DOKUMENTU = ? order by ID_DOKUMENTU desc, LP desc"),
          key(tr, "select GEN_ID(GEN_FK_DEKRETY_ID, " + std::to_string(kKeyBlock) + ") from RDB$DATABASE"),
          insert(tr, "insert into FK_DEKRETY (ID, ID_DOKUMENTU, LP, KONTO_WN, KONTO_MA, KWOTA, OPIS, DATA_DOK, "
                     "DATA_OPERACJI, NAZWA_MA, NR_RACH, ID_KONTRAHENTA, PARAGRAF, DODAL, DATA_DODANIA) "
                     "values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, CURRENT_DATE)") {}

    // First column of the statement's first row, or nothing.
    std::optional<fb::Value> first(fb::Statement& st, const std::vector<fb::Value>& params) {
        st.setParams(params);
        fb::Cursor c = st.open(*transaction);
        if (!c.fetch()) return std::nullopt;
        return c.value(0);
    }
};

TdmFinanse::~TdmFinanse() = default;

TdmFinanse::EntryStatements& TdmFinanse::entryStatements()
{
    if (!m_entry || m_entry->transaction != &shared())
        m_entry = std::make_unique<EntryStatements>(shared());
    return *m_entry;
}

int TdmFinanse::iDodajDekret(data::Dataset*, int documentId, const QString& debitAccount, const QString& creditAccount,
                             double amount, const QString& description, const QDate& date1, const QDate& date2,
                             const QString& invoiceNumber, int contractorId, const QString& classification, int)
{
    try {
        EntryStatements& st = entryStatements();
        if (st.document != documentId) {
            if (!st.first(st.documentLookup, {std::int64_t(documentId)}))
                return kUnknownDocument;
            st.nextLp = fb::asInteger(st.first(st.nextLine, {std::int64_t(documentId)})) + 1;
            st.document = documentId;
        }
        const std::int64_t lp = st.nextLp;
        if (st.nextKey > st.lastKey) {
            st.lastKey = fb::asInteger(st.first(st.key, {}));
            st.nextKey = st.lastKey - EntryStatements::kKeyBlock + 1;
        }
        const std::int64_t id = st.nextKey++;
        st.insert.setParams({id, std::int64_t(documentId), lp, text(debitAccount, 40), text(creditAccount, 40),
                             fb::Decimal::fromDouble(amount, 4), text(description, 255), date(date1), date(date2),
                             text(invoiceNumber, 60), text(debitAccount, 40),
                             contractorId > 0 ? fb::Value(std::int64_t(contractorId)) : fb::Value(),
                             text(classification, 40), text(dmMain->PobierzUzytkownik(), 10)});
        st.insert.execute(*st.transaction);
        ++st.nextLp;
        return static_cast<int>(id);
    } catch (const std::exception&) {
        // A statement may be broken (metadata change, lost connection): prepare anew next time.
        m_entry.reset();
        return kDatabaseFailure;
    }
}

int TdmFinanse::iUsunDokumentFK(data::Dataset*, int documentId)
{
    if (m_entry && m_entry->document == documentId)
        m_entry->document = 0;
    try {
        fb::Statement entries(shared(), "delete from FK_DEKRETY where ID_DOKUMENTU = ?");
        entries.setParams({std::int64_t(documentId)});
        entries.execute(shared());
        fb::Statement document(shared(), "delete from FK_DOKUMENTY where ID = ?");
        document.setParams({std::int64_t(documentId)});
        return document.execute(shared()) > 0 ? 1 : 0;
    } catch (const std::exception&) {
        return kDatabaseFailure;
    }
}

int TdmFinanse::iDokumentKsiegowyTekst(QWidget* owner, data::Dataset*, int documentId, bool, const QString&,
                                       const QString&)
{
    try {
        if (!fb::selectValue(shared(), "select ID from FK_DOKUMENTY where ID = ?", {std::int64_t(documentId)}))
            return 0;
        ui::dialogs().runModal(*new siblings::DocumentWindow(owner, documentId));
        return 1;
    } catch (const std::exception&) {
        return kDatabaseFailure;
    }
}

void TdmFinanse::vDzialParPodpModalne(QWidget* owner)
{
    siblings::ChooserSetup setup;
    setup.caption = QStringLiteral("Klasyfikacja budżetowa");
    setup.select = QStringLiteral("select KONTO_ID, NAZWA_PAR, KONTO, NAZWA, PARAGRAF_NAZWA from FK_DZIAL_PAR_PODP(0)");
    setup.order = QStringLiteral("NAZWA_PAR");
    setup.keyField = QStringLiteral("KONTO_ID");
    setup.columns = {{"NAZWA_PAR", QStringLiteral("Klasyfikacja"), 140},
                    {"KONTO", QStringLiteral("Konto"), 120},
                    {"NAZWA", QStringLiteral("Nazwa konta"), 220},
                    {"PARAGRAF_NAZWA", QStringLiteral("Paragraf"), 260}};
    setup.searches = {{QStringLiteral("Klasyfikacja"), "NAZWA_PAR"},
                     {QStringLiteral("Konto"), "KONTO"},
                     {QStringLiteral("Nazwa"), "NAZWA"}};
    ui::dialogs().runModal(*new siblings::ChooserWindow(owner, setup, true));
}

void TdmFinanse::vDokumentyModalne(QWidget* owner)
{
    siblings::ChooserSetup setup;
    setup.caption = QStringLiteral("Dokumenty księgowe");
    setup.select = QStringLiteral("select ID, NUMER_DOK, DATA_DOK, OPIS, DODAL from FK_DOKUMENTY");
    setup.order = QStringLiteral("ID desc");
    setup.columns = {{"NUMER_DOK", QStringLiteral("Numer"), 120},
                    {"DATA_DOK", QStringLiteral("Data"), 90},
                    {"OPIS", QStringLiteral("Opis"), 320},
                    {"DODAL", QStringLiteral("Dodał"), 80}};
    setup.searches = {{QStringLiteral("Numer"), "NUMER_DOK"}, {QStringLiteral("Opis"), "OPIS"}};
    auto* list = new siblings::ChooserWindow(owner, setup, false);
    auto* show = new QPushButton(QStringLiteral("Pokaż"), list);
    show->setObjectName(QStringLiteral("btnPokaz"));
    list->buttonRow().insertWidget(1, show);
    const auto open = [this, list] {
        const data::Dataset& documents = list->dataset();
        if (!documents.isActive() || documents.isEmpty())
            return;
        const auto id = static_cast<int>(documents.fieldByName(QStringLiteral("ID")).asInteger());
        iDokumentKsiegowyTekst(list, nullptr, id, true, QString(), QString());
    };
    QObject::connect(show, &QPushButton::clicked, list, open);
    QObject::connect(&list->grid(), &ui::DbGrid::rowActivated, list, open);
    ui::dialogs().runModal(*list);
}
