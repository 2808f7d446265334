#include "module/issuing/IssueContext.h"

#include "platform/data/Dataset.h"

IssueContext::IssueContext() : dataPrzelewu(QDate::currentDate()) {}

void IssueContext::vPrzepiszBank(const data::Dataset& banki)
{
    iProcedura = static_cast<int>(banki.fieldByName(QStringLiteral("PROCEDURA")).asInteger());
    iObslugaParagraf = static_cast<int>(banki.fieldByName(QStringLiteral("OBSLUGA_PARAGRAF")).asInteger());
    sNazwaBankuFirmy = banki.fieldByName(QStringLiteral("NAZWA")).asString();
    iGrupowanie = static_cast<int>(banki.fieldByName(QStringLiteral("GRUPOWANIE")).asInteger());
    sKontoFirmyOrg = banki.fieldByName(QStringLiteral("KONTO")).asString();
    sKontoFirmy = sKontoFirmyOrg;
}

void IssueContext::vPrzepiszZrealizowany(const data::Dataset& zrealizowane)
{
    auto field = [&](const char* name) -> data::Field& { return zrealizowane.fieldByName(QLatin1String(name)); };
    iIdKontrahenta = static_cast<int>(field("ID_KONTRAHENTA").asInteger());
    iIdKontaBank = static_cast<int>(field("ID_KONTA_BANK").asInteger());
    sKontoKontrahenta = field("KONTRAHENT_KONTO").asString();
    sNazwaBankuKontrahenta = field("KONTRAHENT_NAZWABANKU").asString();
    sWn = field("WN").asString();
    sTresc = field("TRESC1").asString();
    dKwota = field("WARTOSC").asDouble();
    sParagraf = field("PARAGRAF").asString();
}
