#include "support/FirstLayoutDatabase.h"

#include "suitedb/ScriptRunner.h"

#include <QFile>
#include <memory>

namespace pxtest {

namespace {

std::string fixture(const QString& name, const QString& dataFolder) {
    QFile f(QStringLiteral(PXFER_FIRST_LAYOUT_DIR "/") + name);
    if (!f.open(QIODevice::ReadOnly)) throw fb::Error("Missing fixture " + name.toStdString(), 0);
    return QString::fromUtf8(f.readAll()).replace(QStringLiteral("{DANE}"), dataFolder).toStdString();
}

struct Template {
    QTemporaryDir dir;
    QString file;
};

const Template& firstLayoutTemplate() {
    static std::unique_ptr<Template> made;
    if (!made) {
        made = std::make_unique<Template>();
        made->file = made->dir.path() + "/first.fdb";
        fb::ConnectParams p;
        p.database = made->file.toStdString();
        fb::Attachment att = fb::Attachment::create(p, 8192, false);
        for (const char* script : {"schema.sql", "procedures.sql", "grants.sql", "demo.sql"})
            suitedb::runScript(att, fixture(QString::fromLatin1(script), made->dir.path() + "/dane"));
        att.detach();
    }
    return *made;
}

}  // namespace

FirstLayoutDatabase::FirstLayoutDatabase() {
    m_path = (m_dir.path() + "/first.fdb").toStdString();
    if (!QFile::copy(firstLayoutTemplate().file, QString::fromStdString(m_path)))
        throw fb::Error("Cannot copy the first layout's template database", 0);
    QFile::setPermissions(QString::fromStdString(m_path), QFile::ReadOwner | QFile::WriteOwner);
}

fb::ConnectParams FirstLayoutDatabase::params() const {
    fb::ConnectParams p;
    p.database = m_path;
    return p;
}

}  // namespace pxtest
