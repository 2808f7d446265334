#include "module/issuing/Wystawprzelewy.h"

#include "module/frame/PrzelewSql.h"
#include "module/frame/TDMP.h"
#include "module/issuing/BankFile.h"
#include "module/issuing/BatchSteps.h"
#include "module/issuing/LedgerPosting.h"
#include "module/issuing/PlatnoscMpp.h"
#include "module/issuing/RamkaWyboru.h"
#include "module/whitelist/Kontrola.h"
#include "platform/controls/EntryForm.h"
#include "platform/data/RowChanged.h"
#include "platform/data/SqlText.h"
#include "platform/data/UnitOfWork.h"
#include "platform/grid/DbGrid.h"
#include "platform/ui/Dialogs.h"
#include "siblings/core/TdmMain.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

namespace {

const QString kGeneratorPartii = QStringLiteral("SELECT GEN_ID(GEN_PR_WYSTAWIONE_ID,1) AS ILE FROM RDB$DATABASE");
// Keys of the realized rows, reserved for the whole batch in one step; the
// value returned is the last of them.
QString sGeneratorZrealizowanych(int ile) {
    return QStringLiteral("SELECT GEN_ID(GEN_PR_PRZELEWY_ZREALIZOWANE_ID,%1) AS ILE FROM RDB$DATABASE").arg(ile);
}
// A day holds batches 'A' to 'S'.
constexpr char kPoOstatniejLiterze = 'T';

QString sLitera(char litera) { return QString(QLatin1Char(litera)); }

bool bOdmowa(const QString& tekst, const QString& tytul = QString()) {
    ui::dialogs().message(tekst, tytul, ui::Buttons::Ok, ui::Icon::Error);
    return false;
}

QString sBlad(const std::exception& e) { return QString::fromUtf8(e.what()); }

// "Przelew FV/1 dla Firma" of the register's row in hand.
QString sOPrzelewie() {
    const data::Dataset& przelewy = DMP->quePrzelewy;
    return "Przelew " + przelewy.fieldByName(QStringLiteral("NR_FAKTURY")).asString() + " dla " +
           przelewy.fieldByName(QStringLiteral("KONTRAHENT_NAZWA")).asString();
}

// A realized row copies what the register's row held when it was paid.
const char* const kDoZrealizowanych =
    "insert into PR_PRZELEWY_ZREALIZOWANE (ID, ID_KONTRAHENTA, ID_KONTA_BANK, ID_KONTA_FIRMY, WARTOSC, KOLEJNY, "
    "DATA_REALIZACJI, WN, TRESC1, NR_FAKTURY, PARAGRAF, ID_PRZELEWU, MPP, KWOTA_VAT) "
    "values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)";

// The parameters of kDoZrealizowanych for a row paid from that transfer and
// company bank. Empty texts stay empty, not NULL, as the register's row held them.
std::vector<fb::Value> parametryZrealizowanego(const BatchRow& w, std::int64_t przelew, int kontoFirmy, char litera) {
    const fb::Timestamp dzien{w.date.year(), w.date.month(), w.date.day()};
    return {w.id,
            w.contractorId,
            w.accountId,
            std::int64_t(kontoFirmy),
            w.amount,
            std::string(1, litera),
            dzien,
            w.debit.toStdString(),
            w.title.toStdString(),
            w.invoice.toStdString(),
            w.paragraph.toStdString(),
            przelew,
            w.split ? fb::Value(std::int64_t(1)) : fb::Value(),
            w.split ? fb::Value(w.vat) : fb::Value()};
}

// The batch of that day and letter, if one was issued.
QString sZapytanieOPartie(const QDate& data, char litera) {
    return "SELECT * FROM PR_WYSTAWIONE WHERE DATA_REALIZACJI =" + data::sqlDate(data) +
           " AND KOLEJNY = " + data::sqlQuote(sLitera(litera));
}

}  // namespace

// The register's fields the walk reads and writes, found once for all its rows.
struct TfrmWystawPrzelewy::Przelew {
    explicit Przelew(const data::Dataset& p)
        : id(p["ID"]),
          kontrahent(p["ID_KONTRAHENTA"]),
          kontoBank(p["ID_KONTA_BANK"]),
          wn(p["WN"]),
          tresc(p["TRESC1"]),
          nrFaktury(p["NR_FAKTURY"]),
          paragraf(p["PARAGRAF"]),
          wartosc(p["WARTOSC"]),
          wyplacono(p["WARTOSC_WYPLACONA"]),
          cala(p["WARTOSC_CALA"]),
          dataRealizacji(p["DATA_REALIZACJI"]),
          kolejny(p["KOLEJNY"]),
          mpp(p["MPP"]),
          znacznik(*DMP->fldZaznacz) {}
    data::Field &id, &kontrahent, &kontoBank, &wn, &tresc, &nrFaktury, &paragraf, &wartosc, &wyplacono, &cala,
        &dataRealizacji, &kolejny, &mpp, &znacznik;
};

TfrmWystawPrzelewy::TfrmWystawPrzelewy(QWidget* owner) : Form(owner) {
    setObjectName(QStringLiteral("frmWystawPrzelewy"));
    setWindowTitle(QStringLiteral("Wystawianie przelewów"));
    setMinimumSize(400, 300);
    vZbudujOkno();
    try {
        for (data::Dataset* q : {&DMP->queBanki, &DMP->queWystawione, &DMP->queZrealizowane})
            if (!q->isActive()) q->open();
    } catch (const std::exception& e) {
        ui::showError(objectName(), "FormCreate", e);
    }
    dmMain->vKolorForm(*this);
    dtPrzelewu->setDate(QDate::currentDate());
}

void TfrmWystawPrzelewy::vZbudujOkno() {
    dtPrzelewu = ui::named<QDateEdit>("dtPrzelewu");
    dtPrzelewu->setCalendarPopup(true);
    dtPrzelewu->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    // The bank file of procedure 5 carries the picker's day.
    connect(dtPrzelewu, &QDateEdit::dateChanged, this, [this](const QDate& data) { kontekst.dataPrzelewu = data; });
    pnlKolejny = ui::named<QLabel>("pnlKolejny");
    pnlKolejny->setFrameShape(QFrame::Panel);
    pnlKolejny->setFrameShadow(QFrame::Sunken);
    pnlKolejny->setMinimumWidth(40);
    pnlKolejny->setAlignment(Qt::AlignCenter);
    QFont gruba = pnlKolejny->font();
    gruba.setBold(true);
    pnlKolejny->setFont(gruba);

    DBGrid1 = ui::named<ui::DbGrid>("DBGrid1");
    DBGrid1->setColumns({{QStringLiteral("NAZWA"), QStringLiteral("Bank"), 180},
                         {QStringLiteral("KONTO"), QStringLiteral("Konto:"), 220},
                         {QStringLiteral("GRUPOWANIE_calc"), QStringLiteral("Grupować"), 60},
                         {QStringLiteral("SCIEZKA_PRZELEWOW"), QString(), 160},
                         {QStringLiteral("ID"), QString(), 40}});
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->setDataset(&DMP->queBanki);

    auto* gora = new QHBoxLayout;
    gora->addWidget(new QLabel(QStringLiteral("Data wystawienia przelewów :")));
    gora->addWidget(dtPrzelewu);
    gora->addWidget(pnlKolejny);
    gora->addStretch(1);
    vZbudujRamkeWyboru(*this, gora, DBGrid1);
    // Wide enough for the banks' folders of the data folder, where the files go.
    resize(900, 360);
}

// ---------------------------------------------------------------- issuing

void TfrmWystawPrzelewy::btnWybierzClick() {
    runHandler("btnWybierzClick", [this] { vWystaw(); });
}

void TfrmWystawPrzelewy::vWystaw() {
    if (!bMoznaWystawic() || !bWybierzKolejny()) return;
    // Accounts missing from the VAT white list: the user confirms them or goes back to unmark them.
    if (!whitelist::bSprawdzPrzyWystawieniu(DMP->quePrzelewy, dtPrzelewu->date(), this, iSprawdzeniaBialejListy)) {
        setModalResult(ui::mrCancel);
        if (isVisible()) close();
        return;
    }
    if (ui::dialogs().message(QStringLiteral("Czy akceptujesz ?"),
                              QStringLiteral("Zostaną wystawione zaznaczone przelewy"), ui::Buttons::YesNo,
                              ui::Icon::Question) != ui::Answer::Yes)
        return;
    // The register's grid must not follow the walk; the register attaches it again.
    if (DMP->grdPrzelewy) DMP->grdPrzelewy->detachDataset();

    const QDate data = dtPrzelewu->date();
    kontekst.dataPrzelewu = data;
    const bool wystawiono = bZapiszPartie();
    if (wystawiono) {
        // The batch is committed: a step that fails stays recorded as
        // missing and is offered again when the register is next opened.
        if (!bUtworzPlikDoBanku(kontekst, data, kontekst.cKolejny, kontekst.iIdKontaFirmy, &wydane))
            bOdmowa(QStringLiteral("Nie stworzono zbioru bankowego "), QStringLiteral("Bład"));
        if (DMP->iKsiegowacPrzelewy == 1) {
            if (!bKsiegujPrzelewy(kontekst, data, kontekst.cKolejny, kontekst.iIdKontaFirmy, &wydane))
                bOdmowa(QStringLiteral("Nie stworzono dokumentu w FK lub błędny zapis dokumentu\nSprawdź !!! "),
                        QStringLiteral("Bład"));
        }
    }
    setModalResult(wystawiono ? ui::mrOk : ui::mrCancel);
    if (isVisible()) close();
}

bool TfrmWystawPrzelewy::bMoznaWystawic() {
    if (dmMain->cBlokadaPrzelewow)
        return bOdmowa(QStringLiteral("Wystawianie przelewów na bazie tego roku zablokowane !"));
    if (DMP->queBanki.isEmpty()) return bOdmowa(QStringLiteral("Brak  konta bankowego - firmy"));
    if (DMP->iKsiegowacPrzelewy == 1 && DMP->iIdKoduDokPrzelewu < 1)
        return bOdmowa(QStringLiteral("Nie określono w parametrach Kodu dokumentu w F-K  dla przelewów"));
    // The register counted its set before another user may have issued it:
    // an empty batch would still take a letter and send the bank an empty file.
    if (DMP->quePrzelewy.isEmpty())
        return bOdmowa(QStringLiteral("Nie zaznaczono faktur !"), QStringLiteral(" Uwaga !"));
    const QString mpp = sOdmowaMpp(DMP->quePrzelewy, static_cast<int>(DMP->queBanki["PROCEDURA"].asInteger()),
                                   DMP->queBanki["NAZWA"].asString());
    if (!mpp.isEmpty()) return bOdmowa(mpp, QStringLiteral("Podzielona płatność"));
    return true;
}

bool TfrmWystawPrzelewy::bWybierzKolejny() {
    const QDate data = dtPrzelewu->date();
    data::Dataset& wystawione = DMP->queWystawione;
    kontekst.bBlad = false;
    for (kontekst.cKolejny = 'A';; ++kontekst.cKolejny) {
        if (kontekst.cKolejny == kPoOstatniejLiterze) return bOdmowa(QStringLiteral("Za duzo przelewów jednego dnia"));
        kontekst.sSql = sZapytanieOPartie(data, kontekst.cKolejny);
        wystawione.setSql({kontekst.sSql});
        wystawione.open();
        if (wystawione.isEmpty()) {
            pnlKolejny->setText(sLitera(kontekst.cKolejny));
            return true;
        }
    }
}

bool TfrmWystawPrzelewy::bZapiszPartie() {
    bool przyPartii = true;
    data::Dataset& wystawione = DMP->queWystawione;
    data::Dataset& przelewy = DMP->quePrzelewy;
    try {
        // The batch row, the payments and the realized rows are kept together or not at all.
        data::UnitOfWork uow(dmMain->transaction(), {&wystawione, &przelewy});
        const int bank = static_cast<int>(DMP->queBanki["ID"].asInteger());
        const QDate dzien = dtPrzelewu->date();
        wystawione.insert();
        wystawione["ID"].setInteger(dmMain->iPobierzGenerator(kGeneratorPartii));
        wystawione["DATA_REALIZACJI"].setDate(dzien);
        wystawione["KOLEJNY"].setString(sLitera(kontekst.cKolejny));
        wystawione["ID_BANKU"].setInteger(bank);
        wystawione["ZBIOR_ZAPISANY"].setInteger(0);
        wystawione["DOKUMENT_ZAPISANY"].setInteger(DMP->iKsiegowacPrzelewy == 1 ? 0 : 1);
        wystawione.post();
        kontekst.iIdKontaFirmy = bank;
        przyPartii = false;

        // A payment changes the mark, the amounts and the realization, and
        // only of the row as the hand-off read it: what another user changed
        // since (a corrected amount, an issue of the same transfer) stops the
        // batch instead of being paid from the old row. The joined row is not
        // read again.
        const QString znacznik = DMP->fldZaznacz->name();
        const data::Dataset::NarrowUpdate zaplata(
            przelewy, sZmianaPrzelewu(znacznik + ", WARTOSC_WYPLACONA, WARTOSC, DATA_REALIZACJI, KOLEJNY, "
                                                 "KWOTA_VAT_WYPLACONA, KWOTA_VAT"));
        const int ile = przelewy.recordCount();
        int klucz = dmMain->iPobierzGenerator(sGeneratorZrealizowanych(ile)) - ile;
        const Przelew przelew(przelewy);
        fb::Statement zrealizowany(dmMain->transaction(), kDoZrealizowanych);
        // The batch's rows as they are stored, for its file and its document.
        wydane.clear();
        // The first failing transfer stops the walk: one message, the whole batch back.
        for (przelewy.first(); !przelewy.eof(); przelewy.next()) {
            BatchRow w = wZaplac(przelew, ++klucz);
            zrealizowany.setParams(
                parametryZrealizowanego(w, przelew.id.asInteger(), kontekst.iIdKontaFirmy, kontekst.cKolejny));
            zrealizowany.execute(dmMain->transaction());
            wydane.push_back(std::move(w));
        }
        vNajnowszeNajpierw(wydane);
        whitelist::powiazZPartia(iSprawdzeniaBialejListy, dtPrzelewu->date(), kontekst.cKolejny);
        uow.commit();
        return true;
    } catch (const std::exception& e) {
        kontekst.bBlad = true;
        vZglosBladPartii(e, przyPartii);
        return false;
    }
}

BatchRow TfrmWystawPrzelewy::wZaplac(const Przelew& przelew, std::int64_t klucz) {
    const double kwota = przelew.wartosc.asDouble();
    BatchRow w;
    w.id = klucz;
    w.contractorId = przelew.kontrahent.asInteger();
    w.accountId = przelew.kontoBank.asInteger();
    w.amount = fb::Decimal::fromDouble(dmMain->zaokr(kwota, 2), 2);
    w.split = przelew.mpp.asInteger() == 1;
    w.vat = fb::Decimal{iZaplacPrzelew(przelew, kwota), 2};
    w.date = dtPrzelewu->date();
    w.debit = przelew.wn.asString();
    w.title = przelew.tresc.asString();
    w.invoice = przelew.nrFaktury.asString();
    w.paragraph = przelew.paragraf.asString();
    return w;
}

std::int64_t TfrmWystawPrzelewy::iZaplacPrzelew(const Przelew& przelew, double kwota) {
    DMP->quePrzelewy.edit();
    przelew.znacznik.setInteger(0);
    const double wyplacono = dmMain->zaokr(przelew.wyplacono.asDouble() + kwota, 2);
    const double cala = dmMain->zaokr(przelew.cala.asDouble(), 2);
    przelew.wyplacono.setDouble(wyplacono);
    const std::int64_t vat = iZaplacVat(DMP->quePrzelewy);
    // Paid beyond the full amount counts as paid in full: the rest would
    // otherwise stay pending as a negative payment.
    if (wyplacono >= cala) {
        przelew.dataRealizacji.setDate(dtPrzelewu->date());
        przelew.kolejny.setString(sLitera(kontekst.cKolejny));
        przelew.wartosc.setDouble(0);
    } else {
        przelew.wartosc.setDouble(dmMain->zaokr(cala - wyplacono, 2));
    }
    DMP->quePrzelewy.post();
    return vat;
}

void TfrmWystawPrzelewy::vZglosBladPartii(const std::exception& e, bool przyPartii) {
    const auto* blad = dynamic_cast<const fb::Error*>(&e);
    if (blad && przyPartii && (blad->isUniqueViolation() || blad->isLockConflict())) {
        bOdmowa("Partia przelewów z tego dnia o literze " + sLitera(kontekst.cKolejny) +
                " została właśnie wystawiona przez innego użytkownika. Wystaw przelewy ponownie.");
    } else if (dynamic_cast<const data::RowChanged*>(&e)) {
        bOdmowa(sOPrzelewie() +
                " został w międzyczasie wystawiony lub zmieniony przez innego użytkownika. "
                "Wystaw przelewy ponownie.");
    } else if (blad && blad->isLockConflict()) {
        bOdmowa(sOPrzelewie() + " jest właśnie zmieniany przez innego użytkownika. Wystaw przelewy ponownie.");
    } else {
        ui::dialogs().showMessage("Błąd " + sBlad(e));
    }
}

// ---------------------------------------------------------------- other commands

void TfrmWystawPrzelewy::btnAnulujClick() {
    setModalResult(ui::mrCancel);
    if (isVisible()) close();
}

void TfrmWystawPrzelewy::btnHelpClick() { dmMain->ShowHelpWindow(*this, QStringLiteral("HTML/Przelewy.html")); }

void TfrmWystawPrzelewy::onClose() {
    for (data::Dataset* q : {&DMP->queBanki, &DMP->queWystawione, &DMP->queZrealizowane}) q->close();
}
