#include "DokumentFK.h"

#include "platform/data/Dataset.h"
#include "platform/data/Field.h"
#include "platform/data/SqlText.h"
#include "siblings/core/TdmMain.h"

namespace {

std::unique_ptr<data::Dataset> wiersz(const QString& sql)
{
    auto found = dmMain->ibStworzIBSQL(true, sql, false);
    return found && !found->isEmpty() ? std::move(found) : nullptr;
}

} // namespace

std::optional<DokumentFK> dokumentFaktury(const QString& nrFaktury, int idFaktury, int idKontrahenta,
                                          const QString& wn)
{
    const bool zFaktury = idFaktury >= 0;
    const auto zrodlo = zFaktury
        ? wiersz(" select a.* from DOK_FZ a where a.NR_FAKTURY=" + data::sqlQuote(nrFaktury)
                 + " AND a.ID_KONTRAHENTA=" + QString::number(idKontrahenta))
        : wiersz(" select a.* from FK_DEKRETY a where a.NAZWA_MA=" + data::sqlQuote(nrFaktury)
                 + " AND a.NR_RACH=" + data::sqlQuote(wn));
    if (!zrodlo)
        return std::nullopt;
    // An invoice not posted yet has no document to look for.
    const data::Field& id = zrodlo->fieldByName(zFaktury ? QStringLiteral("ID_DOKUMENTU_FK")
                                                         : QStringLiteral("ID_DOKUMENTU"));
    if (id.isNull())
        return std::nullopt;
    const auto dokument = wiersz(" select a.* from FK_DOKUMENTY a where a.ID=" + QString::number(id.asInteger()));
    if (!dokument)
        return std::nullopt;
    return DokumentFK{dokument->fieldByName(QStringLiteral("NUMER_DOK")).asString(),
                      dokument->fieldByName(QStringLiteral("OPIS")).asString()};
}
