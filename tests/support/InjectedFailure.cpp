#include "support/InjectedFailure.h"

namespace pxtest {
namespace {

std::string contextName(const std::string& table) { return "TEST_AWARIA_" + table; }

void setContext(fb::Transaction& tr, const std::string& name, const fb::Value& value) {
    fb::selectValue(tr, "select rdb$set_context('USER_SESSION', ?, ?) from rdb$database", {name, value});
}

}  // namespace

void installFailures(TestDatabase& db, std::initializer_list<const char*> tables) {
    db.exec("create exception TEST_AWARIA 'Awaria wstrzyknięta przez test'");
    // The context InjectedFailure(tr, kCommit) sets.
    db.exec(
        "create trigger TEST_AWARIA_COMMIT active on transaction commit as begin if (rdb$get_context("
        "'USER_SESSION', 'TEST_AWARIA_COMMIT') is not null) then exception TEST_AWARIA; end");
    for (const char* table : tables) {
        const std::string name = contextName(table);
        db.exec(QStringLiteral("create trigger %1 for %2 active before insert or update or delete position 32000 as "
                               "declare variable cel varchar(20); begin cel = rdb$get_context('USER_SESSION', '%3'); "
                               "if (cel = '0' or cel = cast(iif(deleting, old.ID, new.ID) as varchar(20))) then "
                               "exception TEST_AWARIA; end")
                    .arg(QString::fromStdString(name.substr(0, 31)), table, QString::fromStdString(name))
                    .toStdString());
    }
}

InjectedFailure::InjectedFailure(fb::Transaction& tr, const std::string& table, std::int64_t id)
    : m_tr(tr), m_name(contextName(table)) {
    setContext(m_tr, m_name, std::to_string(id));
}

InjectedFailure::~InjectedFailure() {
    try {
        setContext(m_tr, m_name, fb::Value());
    } catch (const fb::Error&) {
        // The attachment is gone; so is its session state.
    }
}

std::string tableRows(fb::Transaction& tr, const std::string& table) {
    fb::Statement st(tr, "select * from " + table + " order by ID");
    fb::Cursor c = st.open(tr);
    std::string rows;
    while (c.fetch()) {
        for (int i = 0; i < static_cast<int>(c.columns().size()); ++i)
            rows += fb::isNull(c.value(i)) ? "null|" : valueText(c.value(i)) + '|';
        rows += '\n';
    }
    return rows;
}

}  // namespace pxtest
