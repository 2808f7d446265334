#include "issue_set_based.h"

#include "module/issuing/BankRecord.h"

#include <unistd.h>
#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace issuebench {
namespace {

std::string text(const fb::Value& v) {
    struct {
        std::string operator()(std::monostate) const { return "<null>"; }
        std::string operator()(std::int64_t i) const { return std::to_string(i); }
        std::string operator()(double d) const {
            char buf[32];
            std::snprintf(buf, sizeof buf, "%.17g", d);
            return buf;
        }
        std::string operator()(const fb::Decimal& d) const { return d.rescaled(4).toString(); }
        std::string operator()(const std::string& s) const { return '"' + s + '"'; }
        std::string operator()(const fb::Timestamp& t) const {
            char buf[48];
            std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d.%04d", t.year, t.month, t.day, t.hour,
                          t.minute, t.second, t.fraction);
            return buf;
        }
    } visit;
    return std::visit(visit, v);
}

std::vector<std::string> column(fb::Transaction& tr, const std::string& sql) {
    std::vector<std::string> names;
    fb::Statement st(tr, sql);
    fb::Cursor c = st.open(tr);
    while (c.fetch()) names.emplace_back(c.asText(0));
    for (std::string& n : names) n.erase(n.find_last_not_of(' ') + 1);
    return names;
}

QString qtext(const fb::Cursor& c, int i) { return QString::fromUtf8(c.asText(i)); }

// A text as the ledger stores it: NULL when blank.
std::string ledgerText(const std::string& column) {
    return "iif(trim(coalesce(" + column + ", '')) = '', null, " + column + ")";
}

std::string sqlQuote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("''") : std::string(1, c);
    return q + "'";
}

std::int64_t integer(fb::Transaction& tr, const std::string& sql) {
    const auto v = fb::selectValue(tr, sql);
    if (!v || fb::isNull(*v)) throw std::runtime_error("no value: " + sql);
    if (const auto* d = std::get_if<fb::Decimal>(&*v)) return d->rescaled(0).units;
    return std::get<std::int64_t>(*v);
}

// NAZWA_WYSWIETLANA of the first row, as the posting looks its accounts up.
std::string firstAccount(fb::Transaction& tr, const std::string& sql) {
    fb::Statement st(tr, sql);
    fb::Cursor c = st.open(tr);
    const int i = c.indexOf("NAZWA_WYSWIETLANA");
    return c.fetch() && !c.isNull(i) ? std::string(c.asText(i)) : std::string();
}

// The credit side of each entry: the bank's account for the entry's paragraph
// when the chart of accounts has one, the bank's own account otherwise.
std::string creditAccounts(fb::Transaction& tr, const std::string& batch, int bankId) {
    const std::string bank = std::to_string(bankId);
    const std::string own = firstAccount(tr,
                                         " SELECT * FROM FK_PLANKONT WHERE SLOWNIK_NALEZY = 1 AND BANK_ID = " + bank);
    if (own.empty()) throw std::runtime_error("the company bank has no ledger account");
    std::string cases = "case z.PARAGRAF";
    for (const std::string& paragraph : column(tr, "select distinct PARAGRAF from PR_PRZELEWY_ZREALIZOWANE z where " +
                                                       batch + " and PARAGRAF is not null and PARAGRAF <> ''")) {
        const std::string account = firstAccount(
            tr,
            " SELECT distinct b.NAZWA_PAR, a.* FROM FK_PLANKONT a, FK_DZIAL_PAR_PODP(0) b "
            " WHERE a.SLOWNIK_NALEZY = 1 AND a.BANK_ID = " +
                bank + " and a.ID=b.KONTO_ID and b.nazwa_par=" + sqlQuote(paragraph));
        if (!account.empty()) cases += " when " + sqlQuote(paragraph) + " then " + sqlQuote(account);
    }
    return cases + " else " + sqlQuote(own) + " end";
}

struct Bank {
    QString account, name, folder;
    bool withParagraph = false;
};

Bank bank(fb::Transaction& tr, int bankId) {
    fb::Statement st(tr,
                     "select KONTO, NAZWA, SCIEZKA_PRZELEWOW, OBSLUGA_PARAGRAF, PROCEDURA, GRUPOWANIE "
                     "from ET_BANKI where ID = ?");
    st.setParams({std::int64_t(bankId)});
    fb::Cursor c = st.open(tr);
    if (!c.fetch() || c.asInt(4) != 1 || c.asInt(5) != 0)
        throw std::runtime_error("the yardstick writes procedure 1 files of a bank that does not group");
    return {qtext(c, 0), qtext(c, 1), qtext(c, 2), c.asInt(3) == 1};
}

bankfile::Company company(fb::Transaction& tr) {
    fb::Statement st(tr,
                     "select first 1 NAZWA, NAZWA2, NIP, REGON, MIASTO, ULICA, KOD_POCZT, POCZTA, BUDYNEK, "
                     "LOKAL, GMINA, POWIAT, WOJEWODZTWO, TELEFON, EMAIL from SU_FIRMA order by ID");
    fb::Cursor c = st.open(tr);
    QStringList record;
    if (c.fetch())
        for (int i = 0; i < 15; ++i) record << qtext(c, i);
    return bankfile::companyFrom(record);
}

// The batch's payments, newest first, with the payee's fields, in one buffer.
std::string bankFile(fb::Transaction& tr, const std::string& batch, const Bank& b, const QDate& day) {
    fb::Statement st(tr,
                     "select z.WARTOSC, z.TRESC1, z.PARAGRAF, c.KONTO, c.NAZWA, k.PELNA, k.KOD_POCZT, "
                     "k.MIEJSCOWOSC, k.ULICA, k.BUDYNEK, k.LOKAL, k.SKROT, k.KOD_FK "
                     "from PR_PRZELEWY_ZREALIZOWANE z join ET_KONTAKT k on k.ID = z.ID_KONTRAHENTA "
                     "join ET_BANK_KONTO c on c.ID = z.ID_KONTA_BANK where " +
                         batch + " order by z.ID desc");
    bankfile::Record r;
    r.company = company(tr);
    r.companyBankName = b.name;
    r.companyAccount = b.account;
    r.withParagraph = b.withParagraph;
    r.realizationDate = day;
    r.pickerDate = day;
    std::string out;
    fb::Cursor c = st.open(tr);
    while (c.fetch()) {
        r.amount = c.asDecimal(0);
        r.title = qtext(c, 1);
        r.paragraph = qtext(c, 2);
        r.contractorAccount = qtext(c, 3);
        r.contractorBankName = qtext(c, 4);
        r.contractor = bankfile::contractorFrom(qtext(c, 5), qtext(c, 6), qtext(c, 7), qtext(c, 8), qtext(c, 9),
                                                qtext(c, 10), qtext(c, 11), qtext(c, 12));
        out += bankfile::record(1, r);
    }
    return out;
}

// Written and synced to the disk, as the window's file is.
void writeFile(const QString& path, const std::string& bytes) {
    std::FILE* f = std::fopen(QFile::encodeName(path).constData(), "wb");
    if (!f) throw std::runtime_error("cannot write " + path.toStdString());
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size() && std::fflush(f) == 0 &&
                    ::fsync(fileno(f)) == 0;
    if (std::fclose(f) != 0 || !ok) throw std::runtime_error("cannot write " + path.toStdString());
}

}  // namespace

qint64 issueSetBased(const fb::ConnectParams& database, const SetBasedIssue& issue) {
    fb::Attachment att = fb::Attachment::connect(database);
    QElapsedTimer timer;
    timer.start();
    fb::Transaction tr(att);
    const std::string day = "cast('" + issue.day.toString(QStringLiteral("yyyy-MM-dd")).toStdString() +
                            "' as timestamp)";
    const std::string letter = sqlQuote(std::string(1, issue.letter));
    const std::string marked = " from PR_PRZELEWY where ZAZNACZ = 1 and DATA_REALIZACJI is null";
    const std::string batch = "z.DATA_REALIZACJI = " + day + " and z.KOLEJNY = " + letter;
    const Bank b = bank(tr, issue.bankId);
    const std::int64_t count = integer(tr, "select count(*)" + marked);

    att.execute(tr,
                "insert into PR_WYSTAWIONE (ID, DATA_REALIZACJI, KOLEJNY, ID_BANKU, ZBIOR_ZAPISANY, "
                "DOKUMENT_ZAPISANY) values (gen_id(GEN_PR_WYSTAWIONE_ID, 1), " +
                    day + ", " + letter + ", " + std::to_string(issue.bankId) + ", 1, 1)");
    const std::int64_t firstKey = integer(tr, "select gen_id(GEN_PR_PRZELEWY_ZREALIZOWANE_ID, " +
                                                  std::to_string(count) + ") from RDB$DATABASE") -
                                  count;
    att.execute(tr,
                "insert into PR_PRZELEWY_ZREALIZOWANE (ID, ID_KONTRAHENTA, ID_KONTA_BANK, ID_KONTA_FIRMY, "
                "WARTOSC, KOLEJNY, DATA_REALIZACJI, WN, TRESC1, NR_FAKTURY, PARAGRAF, ID_PRZELEWU) "
                "select " +
                    std::to_string(firstKey) +
                    " + row_number() over (order by ID_KONTRAHENTA, ID), "
                    "ID_KONTRAHENTA, ID_KONTA_BANK, " +
                    std::to_string(issue.bankId) + ", round(WARTOSC, 2), " + letter + ", " + day +
                    ", WN, TRESC1, NR_FAKTURY, PARAGRAF, ID" + marked);
    const std::string paid = "round(coalesce(WARTOSC_WYPLACONA, 0) + coalesce(WARTOSC, 0), 2)";
    const std::string full = paid + " >= round(coalesce(WARTOSC_CALA, 0), 2)";
    att.execute(tr, "update PR_PRZELEWY set ZAZNACZ = 0, WARTOSC_WYPLACONA = " + paid + ", WARTOSC = iif(" + full +
                        ", 0, round(coalesce(WARTOSC_CALA, 0), 2) - " + paid + "), DATA_REALIZACJI = iif(" + full +
                        ", " + day + ", DATA_REALIZACJI), KOLEJNY = iif(" + full + ", " + letter +
                        ", KOLEJNY) "
                        "where ZAZNACZ = 1 and DATA_REALIZACJI is null");

    // The ledger document, numbered on in its code's year, and its entries
    // with keys taken as the ledger takes them (blocks of 100).
    const std::string period = std::to_string(
        integer(tr, "select ID from FK_OKRESY where ROK = " + std::to_string(issue.day.year()) +
                        " and MIESIAC = " + std::to_string(issue.day.month())));
    const std::string code = std::to_string(issue.documentCode);
    const std::int64_t running = integer(
        tr,
        "select coalesce(max(d.NR_KOLEJNY), 0) + 1 from FK_DOKUMENTY d join FK_OKRESY o on o.ID = d.ID_OKRESU "
        "where d.ID_KODU = " +
            code + " and o.ROK = (select ROK from FK_OKRESY where ID = " + period + ")");
    const std::int64_t document = integer(tr, "select gen_id(GEN_FK_DOKUMENTY_ID, 1) from RDB$DATABASE");
    char number[32];
    std::snprintf(number, sizeof number, "PRZ/%02d/%04lld", issue.day.month(), static_cast<long long>(running));
    const std::string user = sqlQuote(issue.user.left(10).toStdString());
    const std::string lastKey = std::to_string(firstKey + count);
    att.execute(tr,
                "insert into FK_DOKUMENTY (ID, ID_OKRESU, ID_KODU, KOD_DOK, NUMER_DOK, NR_KOLEJNY, DATA_DOK, "
                "DATA_OPERACJI, OPIS, ID_ZRODLA, ZAKSIEGOWANY, DODAL, DATA_DODANIA) select " +
                    std::to_string(document) + ", " + period + ", " + code + ", 'PRZ', '" + number + "', " +
                    std::to_string(running) + ", " + day + ", " + day + ", " + ledgerText("TRESC1") + ", ID, 0, " +
                    user + ", CURRENT_DATE from PR_PRZELEWY_ZREALIZOWANE where ID = " + lastKey);
    const std::int64_t blocks = (count + 99) / 100;
    const std::int64_t firstEntry = integer(tr, "select gen_id(GEN_FK_DEKRETY_ID, " + std::to_string(blocks * 100) +
                                                    ") from RDB$DATABASE") -
                                    blocks * 100 + 1;
    att.execute(tr,
                "insert into FK_DEKRETY (ID, ID_DOKUMENTU, LP, KONTO_WN, KONTO_MA, KWOTA, OPIS, DATA_DOK, "
                "DATA_OPERACJI, NAZWA_MA, NR_RACH, PARAGRAF, DODAL, DATA_DODANIA) select " +
                    std::to_string(firstEntry - 1) + " + LP, " + std::to_string(document) + ", LP, " +
                    ledgerText("WN") + ", " + creditAccounts(tr, batch, issue.bankId) + ", WARTOSC, " +
                    ledgerText("TRESC1") + ", DATA_REALIZACJI, DATA_REALIZACJI, " + ledgerText("NR_FAKTURY") + ", " +
                    ledgerText("WN") + ", " + ledgerText("PARAGRAF") + ", " + user +
                    ", CURRENT_DATE "
                    "from (select row_number() over (order by z.ID desc) as LP, z.* "
                    "from PR_PRZELEWY_ZREALIZOWANE z where " +
                    batch + ") z");
    att.execute(
        tr, "update PR_PRZELEWY_ZREALIZOWANE z set ID_DOKUMENTU_FK = " + std::to_string(document) + " where " + batch);

    const std::string bytes = bankFile(tr, batch, b, issue.day);
    tr.commit();
    writeFile(
        b.folder + "/P-" + issue.day.toString(QStringLiteral("yyyy-MM-dd")) + u'-' + QLatin1Char(issue.letter) + ".PLI",
        bytes);
    const qint64 ms = timer.elapsed();
    att.detach();
    return ms;
}

EndState endState(const fb::ConnectParams& database, const QStringList& dataFolders) {
    fb::Attachment att = fb::Attachment::connect(database);
    EndState state;
    {
        fb::Transaction tr(att);
        for (const std::string& table :
             column(tr,
                    "select RDB$RELATION_NAME from RDB$RELATIONS where coalesce(RDB$SYSTEM_FLAG, 0) = 0 "
                    "and RDB$VIEW_BLR is null")) {
            std::vector<std::string>& rows = state[table];
            fb::Statement st(tr, "select * from " + table);
            fb::Cursor c = st.open(tr);
            const int columns = static_cast<int>(c.columns().size());
            while (c.fetch()) {
                std::string row;
                for (int i = 0; i < columns; ++i) row += c.columns()[i].name + '=' + text(c.value(i)) + ' ';
                for (const QString& f : dataFolders) {
                    const std::string folder = f.toStdString();
                    for (auto at = row.find(folder); at != std::string::npos; at = row.find(folder))
                        row.replace(at, folder.size(), "{DANE}");
                }
                rows.push_back(std::move(row));
            }
            std::sort(rows.begin(), rows.end());
        }
        std::vector<std::string>& generators = state["generators"];
        for (const std::string& g : column(tr,
                                           "select RDB$GENERATOR_NAME from RDB$GENERATORS "
                                           "where coalesce(RDB$SYSTEM_FLAG, 0) = 0"))
            generators.push_back(g + '=' +
                                 std::to_string(integer(tr, "select gen_id(" + g + ", 0) from RDB$DATABASE")));
    }
    att.detach();
    return state;
}

std::string difference(const EndState& expected, const EndState& actual) {
    for (const auto& [table, rows] : expected) {
        const auto other = actual.find(table);
        if (other == actual.end()) return table + ": missing";
        const auto& theirs = other->second;
        if (rows.size() != theirs.size())
            return table + ": " + std::to_string(rows.size()) + " rows against " + std::to_string(theirs.size());
        const auto [mine, their] = std::mismatch(rows.begin(), rows.end(), theirs.begin());
        if (mine != rows.end()) return table + ":\n  " + *mine + "\n  " + *their;
    }
    return expected.size() == actual.size() ? std::string() : std::string("the tables differ");
}

std::string fileDifference(const QString& expected, const QString& actual) {
    QFile a(expected), b(actual);
    if (!a.open(QIODevice::ReadOnly) || !b.open(QIODevice::ReadOnly))
        return "cannot read " + expected.toStdString() + " or " + actual.toStdString();
    const QByteArray x = a.readAll(), y = b.readAll();
    if (x == y) return {};
    qsizetype i = 0;
    while (i < x.size() && i < y.size() && x[i] == y[i]) ++i;
    return "bank files differ at byte " + std::to_string(i) + " (" + std::to_string(x.size()) + " against " +
           std::to_string(y.size()) + " bytes)";
}

}  // namespace issuebench
