#include "suitedb/SuiteDatabase.h"

#include "suitedb/ScriptRunner.h"
#include "suitedb/Upgrades.h"

#include <QDir>
#include <QFile>

// The scripts live in a static library: their resource must be registered by hand.
static void initScripts() { Q_INIT_RESOURCE(db); }

namespace suitedb {

std::string scriptText(const QString& name) {
    initScripts();
    QFile f(QStringLiteral(":/db/") + name);
    if (!f.open(QIODevice::ReadOnly))
        throw fb::Error("Brak skryptu bazy danych: " + name.toStdString(), 0);
    return f.readAll().toStdString();
}

namespace {

std::string withDataFolder(std::string script, const QString& dataFolder) {
    const std::string token = kDataFolderToken;
    const std::string folder = QDir::cleanPath(dataFolder).toStdString();
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
    fb::Attachment att = fb::Attachment::create(params, 8192, false);
    try {
        runScript(att, scriptText("schema.sql"));
        runScript(att, scriptText("procedures.sql"));
        runScript(att, scriptText("grants.sql"));
        // Today's scripts already hold every layout change.
        recordAllApplied(att);
        if (withDemo) {
            runScript(att, withDataFolder(scriptText("demo.sql"), dataFolder));
            createDataFolders(att);
        }
    } catch (...) {
        // A half-built database must not be taken for a usable one next start.
        try { att.dropDatabase(); } catch (const fb::Error&) {}
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
    fb::Transaction tr(att);
    const std::string from = QDir::cleanPath(oldFolder).toStdString();
    const std::string to = QDir::cleanPath(newFolder).toStdString();
    for (const char* sql : {"update ET_BANKI set SCIEZKA_PRZELEWOW = cast(? as varchar(60)) || "
                            "substring(SCIEZKA_PRZELEWOW from cast(? as integer)) "
                            "where SCIEZKA_PRZELEWOW starting with ?",
                            "update RE_PARAMETRY set SCIEZKA_IMPORTU_PRZELEWOW = cast(? as varchar(60)) || "
                            "substring(SCIEZKA_IMPORTU_PRZELEWOW from cast(? as integer)) "
                            "where SCIEZKA_IMPORTU_PRZELEWOW starting with ?"}) {
        fb::Statement st(tr, sql);
        st.setParams({to, static_cast<std::int64_t>(QString::fromStdString(from).size() + 1), from});
        st.execute(tr);
    }
    tr.commit();
    createDataFolders(att);
}

}  // namespace suitedb
