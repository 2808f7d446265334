#include "module/issuing/IssueContext.h"

#include "module/issuing/SplitPaymentTitle.h"
#include "platform/data/Dataset.h"

IssueContext::IssueContext() : dataPrzelewu(QDate::currentDate()) {}

void IssueContext::vPrzepiszBank(const data::Dataset& banki) {
    iProcedura = static_cast<int>(banki.fieldByName(QStringLiteral("PROCEDURA")).asInteger());
    iObslugaParagraf = static_cast<int>(banki.fieldByName(QStringLiteral("OBSLUGA_PARAGRAF")).asInteger());
    sNazwaBankuFirmy = banki.fieldByName(QStringLiteral("NAZWA")).asString();
    iGrupowanie = static_cast<int>(banki.fieldByName(QStringLiteral("GRUPOWANIE")).asInteger());
    sKontoFirmyOrg = banki.fieldByName(QStringLiteral("KONTO")).asString();
    const data::Field* kod = banki.findField(QStringLiteral("KOD_MPP"));
    sKodMpp = kod ? kod->asString().trimmed() : QString();
    if (sKodMpp.isEmpty()) sKodMpp = bankfile::kSplitPaymentCode;
}
