#pragma once
// The four sibling modules brought up on one connection: opens the shared
// attachment and transaction, creates dmMain, dmKontr, dmKartoteka and
// dmFinanse, and tears them down again (what was not committed is rolled back).

#include "platform/fb/Fb.h"

#include <QString>
#include <memory>

namespace siblings {

class Suite {
public:
    // Throws fb::Error when the database cannot be opened.
    explicit Suite(const fb::ConnectParams& params, QString userName = QStringLiteral("ADMIN"));
    ~Suite();
    Suite(const Suite&) = delete;
    Suite& operator=(const Suite&) = delete;

    fb::Attachment& attachment() { return *m_att; }
    fb::Transaction& transaction() { return *m_tr; }

private:
    std::unique_ptr<fb::Attachment> m_att;
    std::unique_ptr<fb::Transaction> m_tr;
};

}  // namespace siblings
