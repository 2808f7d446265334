#include "module/issuing/IssueContext.h"

#include "module/issuing/SplitPaymentTitle.h"
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
    const data::Field* kod = banki.findField(QStringLiteral("KOD_MPP"));
    sKodMpp = kod ? kod->asString().trimmed() : QString();
    if (sKodMpp.isEmpty())
        sKodMpp = bankfile::kSplitPaymentCode;
}

void IssueContext::vPrzepiszZrealizowany(const data::Dataset& zrealizowane)
{
    iIdKontrahenta = static_cast<int>(zrealizowane["ID_KONTRAHENTA"].asInteger());
    iIdKontaBank = static_cast<int>(zrealizowane["ID_KONTA_BANK"].asInteger());
    sKontoKontrahenta = zrealizowane["KONTRAHENT_KONTO"].asString();
    sNazwaBankuKontrahenta = zrealizowane["KONTRAHENT_NAZWABANKU"].asString();
    sWn = zrealizowane["WN"].asString();
    sTresc = zrealizowane["TRESC1"].asString();
    dKwota = zrealizowane["WARTOSC"].asDouble();
    sParagraf = zrealizowane["PARAGRAF"].asString();
}
