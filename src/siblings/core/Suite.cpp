#include "siblings/core/Suite.h"

#include "siblings/core/TdmMain.h"
#include "siblings/finanse/TdmFinanse.h"
#include "siblings/kartoteka/TdmKartoteka.h"
#include "siblings/kontr/TdmKontr.h"

namespace siblings {

Suite::Suite(const fb::ConnectParams& params, QString userName)
    : m_att(std::make_unique<fb::Attachment>(fb::Attachment::connect(params))),
      m_tr(std::make_unique<fb::Transaction>(*m_att))
{
    // Triggers credit account numbers and acceptances to the suite user, not
    // to the database login all users share.
    fb::selectValue(*m_tr, "select rdb$set_context('USER_SESSION', 'PX_UZYTKOWNIK', ?) from rdb$database",
                    {userName.left(10).toStdString()});
    dmMain = new TdmMain(*m_att, *m_tr, QString::fromStdString(params.database), std::move(userName));
    dmKontr = new TdmKontr;
    dmKartoteka = new TdmKartoteka;
    dmFinanse = new TdmFinanse;
}

Suite::~Suite()
{
    delete dmFinanse;
    dmFinanse = nullptr;
    delete dmKartoteka;
    dmKartoteka = nullptr;
    delete dmKontr;
    dmKontr = nullptr;
    delete dmMain;
    dmMain = nullptr;
    // What was not committed (retaining) is rolled back with the transaction.
    m_tr.reset();
    m_att->detach();
}

}  // namespace siblings
