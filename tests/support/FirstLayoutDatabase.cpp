#include "support/FirstLayoutDatabase.h"

#include "suitedb/ScriptRunner.h"
#include "support/TestDatabase.h"

#include <QFile>

namespace pxtest {

FirstLayoutDatabase::FirstLayoutDatabase() {
    m_path = copyOfTemplate(
        "first",
        [](const fb::ConnectParams& p, const QString& dataFolder) {
            fb::Attachment att = fb::Attachment::create(p, 8192, false);
            for (const char* script : {"schema.sql", "procedures.sql", "grants.sql", "demo.sql"}) {
                QFile f(QStringLiteral(PXFER_FIRST_LAYOUT_DIR "/") + script);
                if (!f.open(QIODevice::ReadOnly)) throw fb::Error(std::string("Missing fixture ") + script, 0);
                suitedb::runScript(att, QString::fromUtf8(f.readAll()).replace("{DANE}", dataFolder).toStdString());
            }
            att.detach();
        },
        m_dir.path());
}

}  // namespace pxtest
