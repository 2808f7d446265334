#include "support/TestDatabase.h"

#include "suitedb/SuiteDatabase.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>

namespace pxtest {

namespace {

// Template databases made once per process, one with and one without demo data.
struct Template {
    QTemporaryDir dir;
    QString file;
    QString dataFolder;
};

const Template& templateFor(bool withDemo) {
    static std::unique_ptr<Template> made[2];
    auto& t = made[withDemo ? 1 : 0];
    if (!t) {
        t = std::make_unique<Template>();
        t->file = t->dir.path() + "/template.fdb";
        t->dataFolder = t->dir.path() + "/dane";
        fb::ConnectParams p;
        p.database = t->file.toStdString();
        suitedb::createDatabase(p, t->dataFolder, withDemo, false);
    }
    return *t;
}

}  // namespace

std::string valueText(const fb::Value& v) {
    if (auto s = std::get_if<std::string>(&v)) return *s;
    if (auto i = std::get_if<std::int64_t>(&v)) return std::to_string(*i);
    if (auto d = std::get_if<fb::Decimal>(&v)) return d->toString();
    if (auto d = std::get_if<double>(&v)) return std::to_string(*d);
    if (auto t = std::get_if<fb::Timestamp>(&v))
        return std::to_string(t->year) + '-' + std::to_string(t->month) + '-' + std::to_string(t->day) + ' ' +
               std::to_string(t->hour) + ':' + std::to_string(t->minute) + ':' + std::to_string(t->second);
    return {};
}

TestDatabase::TestDatabase(bool withDemo) {
    const Template& t = templateFor(withDemo);
    m_path = (m_dir.path() + "/test.fdb").toStdString();
    if (!QFile::copy(t.file, QString::fromStdString(m_path))) throw fb::Error("Cannot copy the template database", 0);
    QFile::Permissions file = QFile::ReadOwner | QFile::WriteOwner;
    if (!qEnvironmentVariableIsEmpty("PXFER_TEST_SERVER")) {
        // A system's server runs as a user of its own: it must reach the file.
        QFile::setPermissions(
            m_dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther);
        file |= QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther;
    }
    QFile::setPermissions(QString::fromStdString(m_path), file);
    m_att = std::make_unique<fb::Attachment>(fb::Attachment::connect(params()));
    if (withDemo) suitedb::relocateDataFolder(*m_att, t.dataFolder, dataFolder());
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
    fb::ConnectParams p;
    // Set by scripts/fb-server.sh: the database is reached through a real server.
    const QByteArray server = qgetenv("PXFER_TEST_SERVER");
    p.database = server.isEmpty() ? m_path : server.toStdString() + ':' + m_path;
    if (!server.isEmpty()) p.password = qgetenv("ISC_PASSWORD").toStdString();
    return p;
}

std::string TestDatabase::scalarText(const std::string& sql) {
    auto v = fb::selectValue(*m_tr, sql);
    return v ? valueText(*v) : std::string();
}

std::int64_t scalarCents(fb::Transaction& tr, const std::string& sql) {
    auto v = fb::selectValue(tr, sql);
    if (!v || fb::isNull(*v)) return 0;
    if (auto i = std::get_if<std::int64_t>(&*v)) return *i;
    if (auto d = std::get_if<fb::Decimal>(&*v)) return d->rescaled(2).units;
    return 0;
}

void TestDatabase::release() {
    m_tr.reset();
    m_att->detach();
}

void TestDatabase::reattach() {
    *m_att = fb::Attachment::connect(params());
    m_tr = std::make_unique<fb::Transaction>(*m_att);
}

std::int64_t TestDatabase::scalarCents(const std::string& sql) { return pxtest::scalarCents(*m_tr, sql); }

void TestDatabase::exec(const std::string& sql) {
    m_att->execute(*m_tr, sql);
    m_tr->commitRetaining();
}

}  // namespace pxtest
