#include "module/import/KartotekaImportu.h"

#include <stdexcept>
#include <string>

namespace {

constexpr int kBlokId = 100;

}  // namespace

TKartotekaImportu::TKartotekaImportu(fb::Transaction& transaction)
    : m_transakcja(transaction),
      m_kontrahent(transaction,
                   "select k.ID, b.ID, k.PELNA as KONTRAHENT_NAZWA, k.KOD_FK as SYMBOL_NAZWA, "
                   "k.SKROT as KONTRAHENT_SKROT, k.WYROZNIONY, b.KONTO as KONTRAHENT_KONTO, "
                   "b.NAZWA as KONTRAHENT_NAZWABANKU from ET_KONTAKT k "
                   "left join ET_BANK_KONTO b on b.ID_KONTR = k.ID and b.DOMYSLNE = 1 where k.KOD_FK = ?"),
      m_konto(transaction, "select ID from ET_BANK_KONTO where DOMYSLNE = 1 and ID_KONTR = ?"),
      m_id(transaction,
           "SELECT GEN_ID(GEN_PR_PRZELEWY_ID, " + std::to_string(kBlokId) + ") AS ILE FROM RDB$DATABASE") {}

int TKartotekaImportu::iPierwszy(fb::Statement& statement, const std::vector<fb::Value>& parametry) {
    statement.setParams(parametry);
    fb::Cursor kursor = statement.open(m_transakcja);
    if (!kursor.fetch()) return 0;
    const auto id = static_cast<int>(kursor.asInt(0));
    kursor.close();
    return id;
}

int TKartotekaImportu::iKontrahent(const QString& kod) {
    m_kontrahent.setParams({kod.toStdString()});
    fb::Cursor kursor = m_kontrahent.open(m_transakcja);
    m_znaleziony = {};
    if (!kursor.fetch()) return 0;
    m_znaleziony.idKontrahenta = static_cast<int>(kursor.asInt(0));
    m_znaleziony.idKonta = kursor.isNull(1) ? 0 : static_cast<int>(kursor.asInt(1));
    const auto& kolumny = kursor.columns();
    for (int i = 2; i < static_cast<int>(kolumny.size()); ++i)
        m_znaleziony.opis.emplace_back(QString::fromStdString(kolumny[i].name), kursor.value(i));
    kursor.close();
    return m_znaleziony.idKontrahenta;
}

int TKartotekaImportu::iDomyslneKonto(int idKontrahenta) {
    if (idKontrahenta > 0 && idKontrahenta == m_znaleziony.idKontrahenta) return m_znaleziony.idKonta;
    return iPierwszy(m_konto, {std::int64_t{idKontrahenta}});
}

const TKartotekaImportu::Opis& TKartotekaImportu::opis(int idKontrahenta, int idKonta) const {
    static const Opis brak;
    const bool ten = idKontrahenta == m_znaleziony.idKontrahenta && idKonta == m_znaleziony.idKonta;
    return ten ? m_znaleziony.opis : brak;
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
