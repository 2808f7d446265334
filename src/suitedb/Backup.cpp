#include "suitedb/Backup.h"

#include <firebird/Interface.h>

#include <QFileInfo>
#include <array>
#include <vector>

using namespace Firebird;

namespace suitedb {

namespace {

// "host/port:path" or "host:path" for a server; anything else is a local file.
struct Location {
    std::string server;  // empty for the embedded engine
    std::string path;
};

Location locate(const std::string& database) {
    const auto colon = database.find(':');
    if (database.empty() || database[0] == '/' || colon == std::string::npos) return {{}, database};
    return {database.substr(0, colon), database.substr(colon + 1)};
}

IMaster* master() { return fb_get_master_interface(); }

// The status of one call sequence; errors become fb::Error with the engine's words.
class Status {
public:
    Status() : m_status(master()->getStatus()), m_wrapper(m_status) {}
    ~Status() { m_status->dispose(); }
    Status(const Status&) = delete;
    Status& operator=(const Status&) = delete;
    CheckStatusWrapper* operator&() { return &m_wrapper; }
    void check() {
        if (!(m_wrapper.getState() & IStatus::STATE_ERRORS)) return;
        std::array<char, 2048> text{};
        master()->getUtilInterface()->formatStatus(text.data(), unsigned(text.size() - 1), &m_wrapper);
        m_wrapper.clearException();
        throw fb::Error(text.data(), 0);
    }

private:
    IStatus* m_status;
    CheckStatusWrapper m_wrapper;
};

// An XPB builder that is disposed of on every path.
class Xpb {
public:
    Xpb(Status& st, unsigned kind)
        : m_st(st), m_xpb(master()->getUtilInterface()->getXpbBuilder(&st, kind, nullptr, 0)) {
        st.check();
    }
    ~Xpb() { m_xpb->dispose(); }
    Xpb(const Xpb&) = delete;
    Xpb& operator=(const Xpb&) = delete;
    Xpb& tag(unsigned char t) {
        m_xpb->insertTag(&m_st, t);
        m_st.check();
        return *this;
    }
    Xpb& text(unsigned char t, const std::string& v) {
        m_xpb->insertString(&m_st, t, v.c_str());
        m_st.check();
        return *this;
    }
    unsigned length() { return m_xpb->getBufferLength(&m_st); }
    const unsigned char* buffer() { return m_xpb->getBuffer(&m_st); }

private:
    Status& m_st;
    IXpbBuilder* m_xpb;
};

// Reads the service's output until it has finished; errors of the backup
// itself come back through the status of these queries.
void waitForService(Status& st, IService* svc) {
    const unsigned char items[] = {isc_info_svc_line};
    std::vector<unsigned char> out(16 * 1024);
    for (;;) {
        svc->query(&st, 0, nullptr, sizeof items, items, unsigned(out.size()), out.data());
        st.check();
        if (out[0] != isc_info_svc_line) return;
        const unsigned length = out[1] | (out[2] << 8);
        if (length == 0) return;
    }
}

}  // namespace

std::string backupPathFor(const std::string& database, const QDateTime& when) {
    const Location where = locate(database);
    const QFileInfo file(QString::fromStdString(where.path));
    const QString name = file.completeBaseName() + when.toString(QStringLiteral("-yyyyMMdd-HHmmss")) +
                         QStringLiteral(".fbk");
    const std::string path = (file.path() + QLatin1Char('/') + name).toStdString();
    return where.server.empty() ? path : where.server + ':' + path;
}

void backupDatabase(const fb::ConnectParams& params, const std::string& backupFile) {
    const Location db = locate(params.database);
    const Location target = locate(backupFile);
    Status st;
    Xpb attach(st, IXpbBuilder::SPB_ATTACH);
    attach.text(isc_spb_user_name, params.user);
    if (!params.password.empty()) attach.text(isc_spb_password, params.password);
    IProvider* provider = master()->getDispatcher();
    const std::string manager = db.server.empty() ? "service_mgr" : db.server + ":service_mgr";
    IService* svc = provider->attachServiceManager(&st, manager.c_str(), attach.length(), attach.buffer());
    provider->release();
    st.check();
    try {
        Xpb start(st, IXpbBuilder::SPB_START);
        start.tag(isc_action_svc_backup).text(isc_spb_dbname, db.path).text(isc_spb_bkp_file, target.path);
        start.tag(isc_spb_verbose);
        svc->start(&st, start.length(), start.buffer());
        st.check();
        waitForService(st, svc);
    } catch (...) {
        svc->release();
        throw;
    }
    svc->detach(&st);
    st.check();
}

}  // namespace suitedb
