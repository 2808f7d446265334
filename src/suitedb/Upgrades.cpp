#include "suitedb/Upgrades.h"

#include "suitedb/ScriptRunner.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <algorithm>
#include <set>

// The upgrade scripts live in a static library: their resource must be registered by hand.
static void initUpgradeScripts() { Q_INIT_RESOURCE(db_upgrades); }

namespace suitedb {

namespace {

constexpr char kUpgradeFolder[] = ":/db/upgrades";

// Kept equal to the table in schema.sql: a test compares an upgraded layout with a new one.
constexpr const char* kUpgradeTable[] = {
    "CREATE TABLE SU_AKTUALIZACJE (\n"
    "  NUMER              INTEGER NOT NULL,\n"
    "  NAZWA              VARCHAR(80) NOT NULL,\n"
    "  WYKONANO           TIMESTAMP DEFAULT CURRENT_TIMESTAMP,\n"
    "  WYKONAL            VARCHAR(31) DEFAULT CURRENT_USER,\n"
    "  CONSTRAINT PK_SU_AKTUALIZACJE PRIMARY KEY (NUMER)\n"
    ")",
    "GRANT SELECT ON SU_AKTUALIZACJE TO PUBLIC",
};

std::string recordedName(const Upgrade& u) {
    return QStringLiteral("%1_").arg(u.number, 3, 10, QLatin1Char('0')).toStdString() + u.name;
}

bool closesTransaction(const std::string& statement) {
    const QString word = QString::fromStdString(statement).trimmed().toUpper();
    return word == QLatin1String("COMMIT") || word == QLatin1String("ROLLBACK") ||
           word.startsWith(QLatin1String("COMMIT ")) || word.startsWith(QLatin1String("ROLLBACK "));
}

void insertRecord(fb::Transaction& tr, const Upgrade& u) {
    fb::Statement st(tr, "insert into SU_AKTUALIZACJE (NUMER, NAZWA) values (?, ?)");
    st.setParams({std::int64_t(u.number), recordedName(u)});
    st.execute(tr);
}

bool hasUpgradeTable(fb::Transaction& tr) {
    return fb::selectValue(tr, "select 1 from RDB$RELATIONS where RDB$RELATION_NAME = 'SU_AKTUALIZACJE'").has_value();
}

}  // namespace

Upgrade parseUpgrade(const QString& fileName, std::string script) {
    static const QRegularExpression pattern(QStringLiteral("^(\\d{3})_(\\w+)\\.sql$"));
    const auto match = pattern.match(fileName);
    if (!match.hasMatch())
        throw fb::Error("Nazwa skryptu aktualizacji nie ma postaci NNN_nazwa.sql: " + fileName.toStdString(), 0);
    for (const std::string& statement : splitScript(script))
        if (closesTransaction(statement))
            throw fb::Error("Skrypt aktualizacji " + fileName.toStdString() +
                                " kończy transakcję sam: cała aktualizacja musi być jedną transakcją",
                            0);
    Upgrade u;
    u.number = match.captured(1).toInt();
    u.name = match.captured(2).toStdString();
    const QString firstLine = QString::fromStdString(script).section(QLatin1Char('\n'), 0, 0).trimmed();
    u.description = firstLine.startsWith(QLatin1String("--")) ? firstLine.mid(2).trimmed()
                                                              : QString::fromStdString(u.name);
    u.script = std::move(script);
    return u;
}

const std::vector<Upgrade>& knownUpgrades() {
    static const std::vector<Upgrade> known = [] {
        initUpgradeScripts();
        std::vector<Upgrade> all;
        const QDir folder(QString::fromLatin1(kUpgradeFolder));
        for (const QString& file : folder.entryList({QStringLiteral("*.sql")}, QDir::Files, QDir::Name)) {
            QFile f(folder.filePath(file));
            if (!f.open(QIODevice::ReadOnly)) throw fb::Error("Brak skryptu aktualizacji: " + file.toStdString(), 0);
            all.push_back(parseUpgrade(file, f.readAll().toStdString()));
        }
        for (size_t i = 1; i < all.size(); ++i)
            if (all[i].number == all[i - 1].number)
                throw fb::Error("Dwa skrypty aktualizacji mają numer " + std::to_string(all[i].number), 0);
        return all;
    }();
    return known;
}

LayoutState layoutState(fb::Attachment& att, const std::vector<Upgrade>& known) {
    LayoutState state;
    std::set<int> applied;
    fb::Transaction tr(att);
    if (hasUpgradeTable(tr)) {
        fb::Statement st(tr, "select NUMER from SU_AKTUALIZACJE");
        fb::Cursor c = st.open(tr);
        while (c.fetch()) applied.insert(static_cast<int>(c.asInt(0)));
    }
    tr.commit();
    for (const Upgrade& u : known) {
        if (!applied.count(u.number)) state.pending.push_back(u);
        state.newestKnown = std::max(state.newestKnown, u.number);
    }
    state.newestApplied = applied.empty() ? 0 : *applied.rbegin();
    return state;
}

void createUpgradeTable(fb::Attachment& att) {
    fb::Transaction tr(att);
    if (hasUpgradeTable(tr)) return;
    for (const char* sql : kUpgradeTable) att.execute(tr, sql);
    tr.commit();
}

void applyUpgrade(fb::Attachment& att, const Upgrade& upgrade) {
    fb::Transaction tr(att);
    try {
        for (const std::string& statement : splitScript(upgrade.script)) att.execute(tr, statement);
        insertRecord(tr, upgrade);
        tr.commit();
    } catch (const fb::Error& e) {
        throw fb::Error("Aktualizacja " + recordedName(upgrade) + ": " + e.what(), e.iscCode(), e.sqlState());
    }
}

void recordAllApplied(fb::Attachment& att) {
    fb::Transaction tr(att);
    for (const Upgrade& u : knownUpgrades()) insertRecord(tr, u);
    tr.commit();
}

}  // namespace suitedb
