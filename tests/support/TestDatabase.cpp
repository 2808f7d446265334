#include "support/TestDatabase.h"

#include "suitedb/SuiteDatabase.h"

#include <gtest/gtest.h>
#include <QFile>
#include <filesystem>
#include <map>

namespace pxtest {

std::string copyOfTemplate(const char* name, const MakeTemplate& make, const QString& dir,
                           QString* templateDataFolder) {
    static std::map<std::string, QTemporaryDir> made;
    const bool first = !made.count(name);
    const QString folder = made[name].path();
    if (first) make(fb::ConnectParams{(folder + "/template.fdb").toStdString()}, folder + "/dane");
    if (templateDataFolder) *templateDataFolder = folder + "/dane";
    const QString copy = dir + "/" + name + ".fdb";
    if (!QFile::copy(folder + "/template.fdb", copy)) throw fb::Error("Cannot copy the template database", 0);
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
    return copy.toStdString();
}

std::string valueText(const fb::Value& v) {
    if (auto s = std::get_if<std::string>(&v)) return *s;
    if (auto i = std::get_if<std::int64_t>(&v)) return std::to_string(*i);
    if (auto d = std::get_if<fb::Decimal>(&v)) return d->toString();
    if (auto d = std::get_if<double>(&v)) return std::to_string(*d);
    if (auto t = std::get_if<fb::Timestamp>(&v))
        return QString::asprintf("%d-%d-%d %d:%d:%d", t->year, t->month, t->day, t->hour, t->minute, t->second)
            .toStdString();
    return {};
}

TestDatabase::TestDatabase(bool withDemo) {
    QString templateData;
    m_path = copyOfTemplate(
        withDemo ? "test" : "test-bare",
        [withDemo](const fb::ConnectParams& p, const QString& data) {
            suitedb::createDatabase(p, data, withDemo, false);
        },
        m_dir.path(), &templateData);
    if (!qEnvironmentVariableIsEmpty("PXFER_TEST_SERVER")) {
        // A system's server runs as a user of its own: it must reach the file.
        std::filesystem::permissions(m_dir.path().toStdString(), std::filesystem::perms(0711));
        std::filesystem::permissions(m_path, std::filesystem::perms(0666));
    }
    m_att = std::make_unique<fb::Attachment>(fb::Attachment::connect(params()));
    if (withDemo) suitedb::relocateDataFolder(*m_att, templateData, dataFolder());
    m_tr = std::make_unique<fb::Transaction>(*m_att);
}

TestDatabase::~TestDatabase() {
    m_tr.reset();
    try {
        if (m_att && m_att->isConnected()) m_att->dropDatabase();
    } catch (const fb::Error& e) {
        ADD_FAILURE() << "Test database could not be dropped (an attachment left open?): " << e.what();
    }
}

fb::ConnectParams TestDatabase::params() const {
    // Set by scripts/fb-server.sh: the database is reached through a real server.
    const QByteArray server = qgetenv("PXFER_TEST_SERVER");
    if (server.isEmpty()) return {m_path};
    return {server.toStdString() + ':' + m_path, "SYSDBA", qgetenv("ISC_PASSWORD").toStdString()};
}

std::int64_t scalarCents(fb::Transaction& tr, const std::string& sql) {
    const fb::Value v = fb::selectValue(tr, sql).value_or(fb::Value());
    if (auto i = std::get_if<std::int64_t>(&v)) return *i;
    if (auto d = std::get_if<fb::Decimal>(&v)) return d->rescaled(2).units;
    return 0;
}

void TestDatabase::reattach() {
    *m_att = fb::Attachment::connect(params());
    m_tr = std::make_unique<fb::Transaction>(*m_att);
}

}  // namespace pxtest
