#include "suitedb/SuiteDatabase.h"

#include "suitedb/ScriptRunner.h"
#include "suitedb/Upgrades.h"

#include <QDir>
#include <QFile>
#include <utility>

// The scripts live in a static library: their resource must be registered by hand.
static void initScripts() { Q_INIT_RESOURCE(db); }

namespace suitedb {

std::string scriptText(const QString& name) {
    initScripts();
    QFile f(QStringLiteral(":/db/") + name);
    if (!f.open(QIODevice::ReadOnly)) throw fb::Error("Brak skryptu bazy danych: " + name.toStdString(), 0);
    return f.readAll().toStdString();
}

namespace {

// The columns whose folders start with the data folder in the demo data.
constexpr std::pair<const char*, const char*> kFolderColumns[] = {{"ET_BANKI", "SCIEZKA_PRZELEWOW"},
                                                                  {"RE_PARAMETRY", "SCIEZKA_IMPORTU_PRZELEWOW"},
                                                                  {"RE_PARAMETRY", "SCIEZKA_IMPORTU_FAKTUR"}};

// The stored folders start with the data folder: a longer one would not fit their columns.
QString checkedDataFolder(const QString& dataFolder) {
    const QString folder = QDir::cleanPath(dataFolder);
    const auto length = folder.toUcs4().size();
    if (length > kMaxDataFolderLength)
        throw fb::Error(QStringLiteral("Ścieżka folderu danych jest za długa (%1 znaków, najwyżej %2):\n%3")
                            .arg(length)
                            .arg(kMaxDataFolderLength)
                            .arg(folder)
                            .toStdString(),
                        0);
    return folder;
}

// The placeholder only stands inside string literals of the script: quotes are doubled.
std::string withDataFolder(std::string script, const QString& dataFolder) {
    const std::string token = kDataFolderToken;
    const std::string folder = QString(dataFolder).replace(u'\'', QStringLiteral("''")).toStdString();
    for (size_t pos = script.find(token); pos != std::string::npos; pos = script.find(token, pos + folder.size()))
        script.replace(pos, token.size(), folder);
    return script;
}

void makeFolders(fb::Transaction& tr, const char* sql) {
    fb::Statement st(tr, sql);
    fb::Cursor c = st.open(tr);
    while (c.fetch()) {
        auto path = QString::fromUtf8(c.asText(0));
        if (!path.trimmed().isEmpty()) QDir().mkpath(path);
    }
}

}  // namespace

void createDatabase(const fb::ConnectParams& params, const QString& dataFolder, bool withDemo, bool forcedWrites) {
    // Hundreds of data definition commits: written without waiting for the
    // disk, then switched to forced writes when asked.
    const QString folder = withDemo ? checkedDataFolder(dataFolder) : QString();
    fb::Attachment att = fb::Attachment::create(params, 8192, false);
    try {
        runScript(att, scriptText("schema.sql"));
        runScript(att, scriptText("procedures.sql"));
        runScript(att, scriptText("grants.sql"));
        // Today's scripts already hold every layout change.
        recordAllApplied(att);
        if (withDemo) {
            runScript(att, withDataFolder(scriptText("demo.sql"), folder));
            createDataFolders(att);
        }
    } catch (...) {
        // A half-built database must not be taken for a usable one next start.
        try {
            att.dropDatabase();
        } catch (const fb::Error&) {
        }
        throw;
    }
    att.detach();
    if (forcedWrites) fb::Attachment::setForcedWrites(params, true);
}

void createDataFolders(fb::Attachment& att) {
    fb::Transaction tr(att);
    makeFolders(tr, "select SCIEZKA_PRZELEWOW from ET_BANKI where SCIEZKA_PRZELEWOW is not null");
    makeFolders(tr, "select SCIEZKA_IMPORTU_PRZELEWOW from RE_PARAMETRY where SCIEZKA_IMPORTU_PRZELEWOW is not null");
    tr.commit();
}

void relocateDataFolder(fb::Attachment& att, const QString& oldFolder, const QString& newFolder) {
    const QString to = checkedDataFolder(newFolder);
    const QString from = QDir::cleanPath(oldFolder);
    fb::Transaction tr(att);
    // Only the folder itself and what lies inside it: a sibling such as "dane-stare" keeps its path.
    // The engine counts characters, not UTF-16 units.
    const auto rest = static_cast<std::int64_t>(from.toUcs4().size() + 1);
    for (const auto& [table, column] : kFolderColumns) {
        fb::Statement st(tr, std::string("update ") + table + " set " + column + " = cast(? as varchar(255)) || " +
                                 "substring(" + column + " from cast(? as integer)) where " + column + " = ? or " +
                                 column + " starting with ?");
        st.setParams({to.toStdString(), rest, from.toStdString(), (from + u'/').toStdString()});
        st.execute(tr);
    }
    tr.commit();
    createDataFolders(att);
}

}  // namespace suitedb
