#include "module/frame/TDMP.h"

#include "module/frame/PrzelewSql.h"
#include "module/register/ListaSortowana.h"
#include "module/register/Zestawy.h"
#include "platform/data/RowChanged.h"
#include "platform/data/UnitOfWork.h"
#include "platform/text/TextLimits.h"
#include "platform/ui/Dialogs.h"
#include "siblings/core/TdmMain.h"

#include <QFileInfo>

namespace {

const QString kMoneyFormat = QStringLiteral("### ### ##0.00");

const QString kRegisterSelect =
    QStringLiteral("select a.*,b.PELNA as KONTRAHENT_NAZWA, b.KOD_FK as SYMBOL_NAZWA,b.SKROT as KONTRAHENT_SKROT,"
                   "b.WYROZNIONY as WYROZNIONY,");
const QString kRegisterAccount = QStringLiteral("c.KONTO as KONTRAHENT_KONTO , c.NAZWA as KONTRAHENT_NAZWABANKU");

const QString kRealizedColumns = QStringLiteral(
    "ID, ID_KONTRAHENTA, ID_KONTA_BANK, ID_KONTA_FIRMY, ID_DOKUMENTU_FK, DATA_REALIZACJI, KOLEJNY, NR_FAKTURY, "
    "TRESC1, PARAGRAF, WN, WARTOSC, ID_PRZELEWU, MPP, KWOTA_VAT");
const QString kBatchColumns =
    QStringLiteral("ID, DATA_REALIZACJI, KOLEJNY, ID_BANKU, ZBIOR_ZAPISANY, DOKUMENT_ZAPISANY");
const QString kParameterColumns = QStringLiteral(
    "ID, KSIEGOWAC_PRZELEWY, SYNTETYKA_PRZELEWOW, ID_KODU_DOK_PRZELEWU, CZY_PRZELEW, SCIEZKA_IMPORTU_PRZELEWOW, "
    "TRESC_PRZELEWOW, TRESC_PRZELEWOW_GRUPOWANYCH, JAKA_TRESC_PRZELEWOW_FZ, CZY_AKCEPTACJA_KONTA_BANKOWEGO, "
    "PROCENT_ROZLICZANY, STAWKA_PODATKU, DATA_ZAMKNIECIA, JAKA_TRESC, MODUL_IMPORTU_FAKTUR, JAKA_DATA_WPROW_DOKFK, "
    "JAKI_OPIS_W_DOKFK, CZY_NR_WLASNY_FZ, CZY_NR_WLASNY_FS, CZY_DRUK_VAT_ZW, CZY_REJESTR_KASOWY, CZY_PZ_Z_GM, "
    "ID_KODU_DOK_KASOWEGO, CZY_ODSWIEZAC, ID_KODU_DOK_ODCHYLEN, ID_CECHY_TOWAROW, JEDEN_DOK_DLA_FAKTUR, "
    "CZY_KOD_DOK_KASOWEGO_ZREJESTRU, KONTO_ODCHYLEN_PZ, KONTO_ODCHYLEN_FAKT, SCIEZKA_IMPORTU_FAKTUR");

// "insert into T (A, B) values (:A, :B)", "update T set A = :A, B = :B where ID = :OLD_ID"
// and "delete from T where ID = :OLD_ID" for the columns given.
void setUpdateStatements(data::Dataset& ds, const QString& table, const QString& columnList) {
    QStringList columns = columnList.split(QStringLiteral(", "));
    QStringList params, sets;
    for (const QString& c : columns) {
        params << ':' + c;
        sets << c + " = :" + c;
    }
    ds.setInsertSql("insert into " + table + " (" + columns.join(", ") + ") values (" + params.join(", ") + ")");
    ds.setModifySql("update " + table + " set " + sets.join(", ") + " where ID = :OLD_ID");
    ds.setDeleteSql("delete from " + table + " where ID = :OLD_ID");
}

QDateTime today() { return QDateTime(QDate::currentDate(), QTime(0, 0)); }

// The invoice module's texts checked against the register's columns before
// any statement: what a column cannot hold is refused, with the reason shown.
bool bTekstyDoZapisu(const data::Dataset& przelewy, std::initializer_list<std::pair<const char*, QString>> teksty) {
    for (const auto& [kolumna, tekst] : teksty) {
        const QString odmowa =
            text::storageRefusal(tekst, przelewy.fieldByName(QLatin1String(kolumna)).size(), QLatin1String(kolumna));
        if (odmowa.isEmpty()) continue;
        ui::dialogs().message(odmowa, QStringLiteral("Przelew nie został zapisany"), ui::Buttons::Ok,
                              ui::Icon::Warning);
        return false;
    }
    return true;
}

// The split-payment flag as lists show it: "TAK" on a split payment, nothing on the usual one.
void addSplitPaymentMark(data::Dataset& ds) {
    ds.addCalculatedField(QStringLiteral("MPP_cal"), data::FieldType::String, 3);
}

void markSplitPayment(data::Dataset& ds) {
    const data::Field* mpp = ds.findField(QStringLiteral("MPP"));
    ds.fieldByName(QStringLiteral("MPP_cal"))
        .setString(mpp && mpp->asInteger() == 1 ? QStringLiteral("TAK") : QString());
}

}  // namespace

TDMP::TDMP(QObject* owner) : QObject(owner) {
    setObjectName(QStringLiteral("DMP"));
    buildQueries();
    connectDatabase();

    // Start-up: the working queries live in the host's shared transaction.
    for (data::Dataset* ds : {&quePrzelewy, &queBanki, &queWystawione, &queZrealizowane, &queKontr,
                              &queBankiKontrahenta, &queDok, &queParametry, &queKodyDokFK, &queRob})
        dmMain->vPrzydzielDane(*ds, dmMain->database(), dmMain->transaction(), false);
    dmMain->vPodstawMaskaTime(quePrzelewy);
    dmMain->vPodstawMaskaTime(queZrealizowane);
    data::Field::setShortDateFormat(dmMain->PobierzFormatDaty());
    const QString mask = dmMain->PobierzMaska();
    quePrzelewy.fieldByName("DATA_WYSTAWIENIA").setEditMask(mask);
    quePrzelewy.fieldByName("TERMIN_ZAPLATY").setEditMask(mask);
    queWystawione.fieldByName("DATA_REALIZACJI").setEditMask(mask);

    vUstawZestaw(1);
}

TDMP::~TDMP() {
    // Queries close before the connections they read through go away.
    for (data::Dataset* ds : {&quePrzelewy, &queZrealizowane, &queWystawione, &queParametry, &queKontr, &queBanki,
                              &queBankiKontrahenta, &queDok, &queKodyDokFK, &queProcParagraf, &queRob})
        ds->close();
    queProcParagraf.setTransaction(nullptr);
    tsnTransakcja.reset();
    if (dbBaza) {
        try {
            dbBaza->detach();
        } catch (const fb::Error&) {
            // Nothing of the module's own is pending on this connection.
        }
    }
}

void TDMP::vUstawZapytaniePrzelewow(data::Dataset& zbior) {
    zbior.setSql({kRegisterSelect, kRegisterAccount, "from", "PR_PRZELEWY a , ET_KONTAKT b, ET_BANK_KONTO c", "where",
                  "a.ID_KONTRAHENTA=b.ID and a.ID_KONTA_BANK=c.ID", "and a.DATA_REALIZACJI Is Null", "order by",
                  "a.id  DESC"});
    setUpdateStatements(zbior, QStringLiteral("PR_PRZELEWY"), kKolumnyPrzelewu);
    // Another user may have changed a transfer since the register read it.
    zbior.setModifySql(sZmianaPrzelewu(kKolumnyPrzelewu));
    zbior.setDeleteSql("delete from PR_PRZELEWY" + sWarunekPrzelewu());
    zbior.setRowChangedText(kPrzelewZmieniony);
    zbior.setRefreshSql(kRegisterSelect + ' ' + kRegisterAccount +
                        " from PR_PRZELEWY a , ET_KONTAKT b, ET_BANK_KONTO c"
                        " where a.ID_KONTRAHENTA=b.ID and a.ID_KONTA_BANK=c.ID and a.ID = :ID");
}

void TDMP::buildQueries() {
    quePrzelewy.setObjectName(QStringLiteral("quePrzelewy"));
    vUstawZapytaniePrzelewow(quePrzelewy);
    for (const char* money : {"WARTOSC", "WARTOSC_CALA", "WARTOSC_WYPLACONA", "KWOTA_VAT", "KWOTA_VAT_CALA", "KWOTA_VAT_WYPLACONA"})
        quePrzelewy.declareField(money).setDisplayFormat(kMoneyFormat);
    for (const char* date : {"DATA_WYSTAWIENIA", "TERMIN_ZAPLATY", "DATA_REALIZACJI", "DATA_DODANIA", "DATA_ZMIANY"})
        quePrzelewy.declareField(date);
    for (const char* mark : {"ZAZNACZ", "ZAZNACZ2", "ZAZNACZ3"}) quePrzelewy.declareField(mark);
    TListaSortowana::vOpiszPola(quePrzelewy);
    quePrzelewy.addCalculatedField(QStringLiteral("INNA_KWOTA_cal"), data::FieldType::String, 3);
    quePrzelewy.addCalculatedField(QStringLiteral("WPROWADZONY_cal"), data::FieldType::String, 2);
    addSplitPaymentMark(quePrzelewy);
    quePrzelewy.handlers().calcFields = [this](data::Dataset& ds) { quePrzelewyCalcFields(ds); };
    connect(&quePrzelewy, &data::Dataset::afterScroll, this, &TDMP::dscPrzelewyDataChange);

    queZrealizowane.setObjectName(QStringLiteral("queZrealizowane"));
    queZrealizowane.setSql(sZapytanieZrealizowanych(QString(), QStringLiteral("a.id  DESC")));
    setUpdateStatements(queZrealizowane, QStringLiteral("PR_PRZELEWY_ZREALIZOWANE"), kRealizedColumns);
    queZrealizowane.declareField(QStringLiteral("WARTOSC")).setDisplayFormat(kMoneyFormat);
    queZrealizowane.declareField(QStringLiteral("KWOTA_VAT")).setDisplayFormat(kMoneyFormat);
    queZrealizowane.declareField(QStringLiteral("DATA_REALIZACJI"));
    addSplitPaymentMark(queZrealizowane);
    queZrealizowane.handlers().calcFields = [](data::Dataset& ds) { markSplitPayment(ds); };
    queZrealizowane.addLookupField(QStringLiteral("NUMER_DOK_look"), data::FieldType::String, 40,
                                   QStringLiteral("ID_DOKUMENTU_FK"), &queDok, QStringLiteral("ID"),
                                   QStringLiteral("NUMER_DOK"));

    queWystawione.setObjectName(QStringLiteral("queWystawione"));
    queWystawione.setSql({"select *  from  PR_WYSTAWIONE"});
    setUpdateStatements(queWystawione, QStringLiteral("PR_WYSTAWIONE"), kBatchColumns);
    queWystawione.declareField(QStringLiteral("DATA_REALIZACJI"));
    queWystawione.addLookupField(QStringLiteral("KONTO_BANKU_look"), data::FieldType::String, 40,
                                 QStringLiteral("ID_BANKU"), &queBanki, QStringLiteral("ID"), QStringLiteral("KONTO"));
    connect(&queWystawione, &data::Dataset::afterScroll, this, &TDMP::dscWystawioneDataChange);

    queParametry.setObjectName(QStringLiteral("queParametry"));
    queParametry.setSql({"select * from RE_PARAMETRY"});
    setUpdateStatements(queParametry, QStringLiteral("RE_PARAMETRY"), kParameterColumns);
    queParametry.setRowChangedText(QStringLiteral("Parametry zmienił w międzyczasie inny użytkownik."));
    data::Field& fz = queParametry.declareField(QStringLiteral("JAKA_TRESC_PRZELEWOW_FZ"));
    fz.setGetText([this](const data::Field& f, bool display) { return queParametryJAKA_TRESC_PRZELEWOW_FZGetText(f, display); });
    fz.setSetText([this](data::Field& f, const QString& text) { queParametryJAKA_TRESC_PRZELEWOW_FZSetText(f, text); });

    queKontr.setObjectName(QStringLiteral("queKontr"));
    queKontr.setSql({"select * from ET_KONTAKT"});

    queBanki.setObjectName(QStringLiteral("queBanki"));
    queBanki.setSql({"select * from ET_BANKI where id >0"});
    queBanki.addCalculatedField(QStringLiteral("GRUPOWANIE_calc"), data::FieldType::String, 3);
    queBanki.declareField(QStringLiteral("SCIEZKA_PRZELEWOW")).setDisplayLabel(QStringLiteral("Folder"));
    queBanki.declareField(QStringLiteral("ID")).setDisplayLabel(QStringLiteral("Id"));
    queBanki.handlers().calcFields = [this](data::Dataset& ds) { queBankiCalcFields(ds); };

    queBankiKontrahenta.setObjectName(QStringLiteral("queBankiKontrahenta"));
    queBankiKontrahenta.setSql({"select * from ET_BANK_KONTO where ID_KONTR = 0"});
    queBankiKontrahenta.handlers().afterOpen = [this](data::Dataset& ds) { queBankiKontrahentaAfterOpen(ds); };

    queDok.setObjectName(QStringLiteral("queDok"));
    queDok.setSql({"select * from FK_DOKUMENTY", "where id >0"});

    queKodyDokFK.setObjectName(QStringLiteral("queKodyDokFK"));
    queKodyDokFK.setSql({"select * from FK_KODY_DOK where ID >0"});

    queProcParagraf.setObjectName(QStringLiteral("queProcParagraf"));
    queProcParagraf.setSql({"select * from FK_DZIAL_PAR_PODP(0) ", "order by NAZWA_PAR"});

    queRob.setObjectName(QStringLiteral("queRob"));
}

void TDMP::connectDatabase() {
    dbBazaParams.database = kDesignDatabase;
    dbBazaParams.user = kUser;
    dbBazaParams.password = kPassword;
    dbBazaBeforeConnect();
    dbBaza = std::make_unique<fb::Attachment>(fb::Attachment::connect(dbBazaParams));
    tsnTransakcja = std::make_unique<fb::Transaction>(*dbBaza);
    queProcParagraf.setTransaction(tsnTransakcja.get());
}

void TDMP::dbBazaBeforeConnect() {
    if (!QFileInfo::exists(QString::fromStdString(dbBazaParams.database)))
        dbBazaParams.database = dmMain->PobierzSciezke().toStdString();
    dbBazaParams.user = kUser;
    dbBazaParams.password = kPassword;
}

void TDMP::vUstawZestaw(int zestaw) {
    fldZaznacz = &quePrzelewy.fieldByName(sPoleZestawu(zestaw));
    iKtoryZestaw = zestaw;
}

QStringList TDMP::sZapytanieZrealizowanych(const QString& warunek, const QString& porzadek) {
    return {QStringLiteral("select a.*,b.PELNA as KONTRAHENT_NAZWA, b.KOD_FK as SYMBOL_NAZWA, b.SKROT as "
                           "KONTRAHENT_SKROT,"),
            QStringLiteral(" c.KONTO as KONTRAHENT_KONTO , c.NAZWA as KONTRAHENT_NAZWABANKU"),
            QStringLiteral(" from"),
            QStringLiteral("PR_PRZELEWY_ZREALIZOWANE a , ET_KONTAKT b, ET_BANK_KONTO c"),
            QStringLiteral("where"),
            QStringLiteral(" a.ID_KONTRAHENTA=b.ID and a.ID_KONTA_BANK=c.ID"),
            warunek,
            QStringLiteral("order by"),
            porzadek};
}

void TDMP::vWybierzZrealizowane(const QString& warunek, const QString& porzadek) {
    queZrealizowane.close();
    queZrealizowane.setSql(sZapytanieZrealizowanych(warunek, porzadek));
    queZrealizowane.open();
}

void TDMP::vWczytajParametry() {
    // The parameters window may be editing queParametry: the members take
    // what is stored, and that window's work is left alone.
    data::Dataset stored;
    stored.setTransaction(queParametry.transaction());
    stored.setSql(queParametry.sql());
    stored.open();
    auto integer = [&stored](const char* name) { return static_cast<int>(stored.fieldByName(name).asInteger()); };
    auto text = [&stored](const char* name) { return stored.fieldByName(name).asString(); };
    iKsiegowacPrzelewy = integer("KSIEGOWAC_PRZELEWY");
    iIdKoduDokPrzelewu = integer("ID_KODU_DOK_PRZELEWU");
    sSyntetykaPrzelewow = text("SYNTETYKA_PRZELEWOW");
    sSciezkaImportuPrzelewow = text("SCIEZKA_IMPORTU_PRZELEWOW");
    sTrescPrzelewow = text("TRESC_PRZELEWOW");
    sTrescPrzelewowGrupowanych = text("TRESC_PRZELEWOW_GRUPOWANYCH");
    iCzyAkceptacjaKontaBankowego = integer("CZY_AKCEPTACJA_KONTA_BANKOWEGO");
    stored.close();

    // Suites from version 4.1.12.01 keep the flag in FK_PARAMETRY. The
    // versions compare as plain texts, the way the suite always compared them.
    data::Dataset suite;
    suite.setTransaction(queParametry.transaction());
    suite.setSql({dmMain->ProgramVersionInfo() >= QStringLiteral("4.1.12.01") ? "select *  from  FK_PARAMETRY  "
                                                                              : "select *  from  ET_PARAMETRY  "});
    suite.open();
    iPokazParagraf = static_cast<int>(suite.fieldByName(QStringLiteral("POKAZ_PARAGRAF")).asInteger());
    suite.close();
}

void TDMP::quePrzelewyCalcFields(data::Dataset& ds) {
    const fb::Decimal wartosc = ds.fieldByName(QStringLiteral("WARTOSC")).asDecimal();
    const fb::Decimal cala = ds.fieldByName(QStringLiteral("WARTOSC_CALA")).asDecimal();
    const bool partial = wartosc.units > 0 && !(wartosc == cala);
    ds.fieldByName(QStringLiteral("INNA_KWOTA_cal")).setString(partial ? QStringLiteral("-->") : QStringLiteral("   "));

    markSplitPayment(ds);

    const data::Field& origin = ds.fieldByName(QStringLiteral("WPROWADZONY"));
    data::Field& mark = ds.fieldByName(QStringLiteral("WPROWADZONY_cal"));
    switch (origin.isNull() ? 0 : origin.asInteger()) {
    case 0: mark.setString(QStringLiteral("  ")); break;
    case 1: mark.setString(QStringLiteral("**")); break;
    case 2: mark.setString(QStringLiteral("++")); break;
    case 3: mark.setString(QStringLiteral("..")); break;
    default: break;
    }
}

void TDMP::queBankiCalcFields(data::Dataset& ds) {
    const bool grouping = ds.fieldByName(QStringLiteral("GRUPOWANIE")).asInteger() == 1;
    ds.fieldByName(QStringLiteral("GRUPOWANIE_calc")).setString(grouping ? QStringLiteral("TAK") : QStringLiteral("NIE"));
}

QString TDMP::queParametryJAKA_TRESC_PRZELEWOW_FZGetText(const data::Field& field, bool) const {
    const QString value = field.asString();
    if (value == QLatin1String("1")) return QStringLiteral("1 - Treść do przelewów z FZ ( <-Nr faktury)");
    if (value == QLatin1String("2")) return QStringLiteral("2 - Treść do przelewów z FZ ( <-Treść FZ)");
    return QString();
}

void TDMP::queParametryJAKA_TRESC_PRZELEWOW_FZSetText(data::Field& field, const QString& text) {
    field.setString(text.left(1));
}

void TDMP::dscPrzelewyDataChange() {
    if (grdPrzelewy) dmMain->OnDataChange(quePrzelewy, grdPrzelewy);
}

void TDMP::dscWystawioneDataChange() {
    if (grdWystawione) dmMain->OnDataChange(queWystawione, grdWystawione);
}

void TDMP::queBankiKontrahentaAfterOpen(data::Dataset& ds) { ds.last(); }

void TDMP::writeTransferFields(int idKontrahenta, int idKontaBank, const QString& nrFaktury, const QString& wn,
                               const QDateTime& dataWystawienia, const QDateTime& terminZaplaty, float kwota,
                               const QString& paragraf, const QString& tresc) {
    quePrzelewy["ID_KONTRAHENTA"].setInteger(idKontrahenta);
    quePrzelewy["ID_KONTA_BANK"].setInteger(idKontaBank);
    quePrzelewy["NR_FAKTURY"].setString(nrFaktury);
    quePrzelewy["WN"].setString(wn);
    quePrzelewy["DATA_WYSTAWIENIA"].setDateTime(dataWystawienia);
    quePrzelewy["TERMIN_ZAPLATY"].setDateTime(terminZaplaty);
    const double amount = dmMain->zaokr(static_cast<double>(kwota), 2);
    quePrzelewy["WARTOSC"].setDouble(amount);
    quePrzelewy["WARTOSC_CALA"].setDouble(amount);
    quePrzelewy["WPROWADZONY"].setInteger(0);
    quePrzelewy["PARAGRAF"].setString(paragraf);
    quePrzelewy["TRESC1"].setString(tresc);
    quePrzelewy["DODAL"].setString(dmMain->PobierzUzytkownik());
    quePrzelewy["DATA_DODANIA"].setDateTime(today());
}

bool TDMP::bRejestrWolny(const QString& warning) {
    try {
        if (!quePrzelewy.isActive()) quePrzelewy.open();
    } catch (const std::exception&) {
        return false;
    }
    if (!quePrzelewy.isEditing()) return true;
    ui::dialogs().message(warning, QStringLiteral("Ostrzeżenie"), ui::Buttons::Ok, ui::Icon::Warning);
    return false;
}

int TDMP::iDodajPrzelew(int idFaktury, int idKontrahenta, int idKontaBank, const QString& nrFaktury,
                        const QString& wn, const QDateTime& dataWystawienia, const QDateTime& terminZaplaty,
                        float kwota, const QString& paragraf, const QString& tresc) {
    if (dmMain->cBlokadaPrzelewow)
        ui::dialogs().message(QStringLiteral("Przelew dopisany jeszcze w Starym Roku po blokadzie przelewów\n\n"
                                             "Wykonanie Aktualizacji na przełomie lat ...przeniesie go do Bazy roku "
                                             "następnego"),
                              QString(), ui::Buttons::Ok, ui::Icon::Warning);
    if (!bRejestrWolny(QStringLiteral("Otwarty zbior PR_PRZELEWY"))) return -1;
    if (!bTekstyDoZapisu(quePrzelewy, {{"NR_FAKTURY", nrFaktury}, {"WN", wn}, {"PARAGRAF", paragraf}, {"TRESC1", tresc}}))
        return -1;
    try {
        data::UnitOfWork uow(dmMain->transaction(), {&quePrzelewy}, data::UnitOfWork::Commit::ByCaller);
        quePrzelewy.insert();
        const int id =
            dmMain->iPobierzGenerator(QStringLiteral("SELECT GEN_ID(GEN_PR_PRZELEWY_ID,1) AS ILE FROM RDB$DATABASE"));
        quePrzelewy.fieldByName(QStringLiteral("ID")).setInteger(id);
        quePrzelewy.fieldByName(QStringLiteral("ID_FAKTURY")).setString(QString::number(idFaktury));
        writeTransferFields(idKontrahenta, idKontaBank, nrFaktury, wn, dataWystawienia, terminZaplaty, kwota, paragraf,
                            tresc);
        quePrzelewy.post();
        uow.commit();
        return id;
    } catch (const std::exception&) {
        return -1;
    }
}

int TDMP::iZmienPrzelew(int id, int, int idKontrahenta, int idKontaBank, const QString& nrFaktury, const QString& wn,
                        const QDateTime& dataWystawienia, const QDateTime& terminZaplaty, float kwota,
                        const QString& paragraf, const QString& tresc) {
    if (!bRejestrWolny(QStringLiteral("Otwarty zbior PR_PRZELEWY "))) return -1;
    if (!bTekstyDoZapisu(quePrzelewy, {{"NR_FAKTURY", nrFaktury}, {"WN", wn}, {"PARAGRAF", paragraf}, {"TRESC1", tresc}}))
        return -1;
    try {
        if (!quePrzelewy.locate(QStringLiteral("ID"), id)) return -1;
        data::UnitOfWork uow(dmMain->transaction(), {&quePrzelewy}, data::UnitOfWork::Commit::ByCaller);
        quePrzelewy.edit();
        writeTransferFields(idKontrahenta, idKontaBank, nrFaktury, wn, dataWystawienia, terminZaplaty, kwota, paragraf,
                            tresc);
        quePrzelewy.post();
        uow.commit();
        return id;
    } catch (const data::RowChanged&) {
        vPrzelewZmieniony();
        return -1;
    } catch (const std::exception&) {
        return -1;
    }
}

void TDMP::vPrzelewZmieniony() {
    ui::dialogs().message(kPrzelewZmieniony, QStringLiteral("Ostrzeżenie"), ui::Buttons::Ok, ui::Icon::Warning);
    try {
        const qlonglong id = quePrzelewy.isActive() && !quePrzelewy.isEmpty()
                                    ? quePrzelewy.fieldByName(QStringLiteral("ID")).asInteger() : 0;
        quePrzelewy.close();
        quePrzelewy.open();
        if (id > 0) quePrzelewy.locate(QStringLiteral("ID"), id);
    } catch (const std::exception& e) {
        ui::dialogs().showMessage("DMP->vPrzelewZmieniony() \n\n" + QString::fromUtf8(e.what()));
    }
}

int TDMP::iKontoZaakceptowane(int idKonta) {
    queRob.setSql({" select * from ET_BANK_KONTO where ID =" + QString::number(idKonta)});
    queRob.open();
    if (queRob.isEmpty()) return 0;
    return static_cast<int>(queRob.fieldByName(QStringLiteral("ZAAKCEPTOWANE")).asInteger());
}
