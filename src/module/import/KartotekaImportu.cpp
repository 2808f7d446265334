#include "module/import/KartotekaImportu.h"

TKartotekaImportu::TKartotekaImportu(fb::Transaction& transaction)
    : m_kontrahent(transaction, "select ID from ET_KONTAKT where KOD_FK = ?"),
      m_konto(transaction, "select ID from ET_BANK_KONTO where DOMYSLNE = 1 and ID_KONTR = ?") {}

int TKartotekaImportu::iPierwszy(fb::Statement& statement, const fb::Value& parametr) {
    statement.setParams({parametr});
    fb::Cursor kursor = statement.open();
    if (!kursor.fetch()) return 0;
    const auto id = static_cast<int>(kursor.asInt(0));
    kursor.close();
    return id;
}

int TKartotekaImportu::iKontrahent(const QString& kod) { return iPierwszy(m_kontrahent, kod.toStdString()); }

int TKartotekaImportu::iDomyslneKonto(int idKontrahenta) {
    return iPierwszy(m_konto, std::int64_t{idKontrahenta});
}
