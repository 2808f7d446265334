#include "module/import/KartotekaImportu.h"

#include <stdexcept>
#include <string>

namespace {

constexpr int kBlokId = 100;

}  // namespace

TKartotekaImportu::TKartotekaImportu(fb::Transaction& transaction)
    : m_kontrahent(transaction, "select ID from ET_KONTAKT where KOD_FK = ?"),
      m_konto(transaction, "select ID from ET_BANK_KONTO where DOMYSLNE = 1 and ID_KONTR = ?"),
      m_id(transaction, "SELECT GEN_ID(GEN_PR_PRZELEWY_ID, " + std::to_string(kBlokId) + ") AS ILE FROM RDB$DATABASE") {}

int TKartotekaImportu::iPierwszy(fb::Statement& statement, const std::vector<fb::Value>& parametry) {
    statement.setParams(parametry);
    fb::Cursor kursor = statement.open();
    if (!kursor.fetch()) return 0;
    const auto id = static_cast<int>(kursor.asInt(0));
    kursor.close();
    return id;
}

int TKartotekaImportu::iKontrahent(const QString& kod) { return iPierwszy(m_kontrahent, {kod.toStdString()}); }

int TKartotekaImportu::iDomyslneKonto(int idKontrahenta) {
    return iPierwszy(m_konto, {std::int64_t{idKontrahenta}});
}

int TKartotekaImportu::iNoweId() {
    if (m_wolneId == 0) {
        const int ostatni = iPierwszy(m_id, {});
        if (ostatni < kBlokId) throw std::runtime_error("The generator of PR_PRZELEWY gave no block of keys");
        m_nastepneId = ostatni - kBlokId + 1;
        m_wolneId = kBlokId;
    }
    --m_wolneId;
    return m_nastepneId++;
}
