#include "module/register/Przelewydane.h"

#include "module/frame/CzescVat.h"
#include "module/frame/TDMP.h"
#include "module/register/Przelewy.h"
#include "platform/controls/DBCheckBox.h"
#include "platform/controls/DBEdit.h"
#include "platform/controls/DBLookupComboBox.h"
#include "platform/controls/DBMemo.h"
#include "platform/controls/EntryForm.h"
#include "platform/data/RowChanged.h"
#include "platform/data/SqlText.h"
#include "platform/data/UnitOfWork.h"
#include "platform/text/Nip.h"
#include "platform/text/Nrb.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Glyphs.h"
#include "siblings/core/TdmMain.h"
#include "siblings/finanse/TdmFinanse.h"
#include "siblings/kontr/TdmKontr.h"

#include <QAction>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <cstring>

namespace {

const QString kNieaktywne = QStringLiteral("Uwaga !  Konto kontrahenta zaznaczono jako NIEAKTYWNE ");

void warnInactive() { ui::dialogs().message(kNieaktywne, QString(), ui::Buttons::Ok, ui::Icon::Information); }

bool isInactive(const data::Dataset& konta) { return konta.fieldByName(QStringLiteral("AKTYWNE")).asInteger() == 0; }

QToolButton* chooserButton(const char* name, const QString& hint)
{
    auto* b = ui::named<QToolButton>(name);
    b->setIcon(dmMain->PobierzSrednie().value(0));
    b->setToolTip(hint);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

}  // namespace

TfrmPrzelewyDane::TfrmPrzelewyDane(QWidget* owner, bool zmiana) : Form(owner), bZmiana(zmiana)
{
    setObjectName(QStringLiteral("frmPrzelewyDane"));
    vZbudujOkno();
    vPolacz();
    try {
        vOtworz();
    } catch (const std::exception& e) {
        ui::showError(objectName(), "FormCreate", e);
    }
    connect(&przelewy(), &data::Dataset::dataChanged, this, [this] { bZmieniono = true; });
}

void TfrmPrzelewyDane::vZbudujOkno()
{
    resize(640, 470);
    edtNrFaktury = ui::named<ui::DBEdit>("edtNrFaktury");
    DBEdit2 = ui::named<ui::DBEdit>("DBEdit2");
    DBEdit3 = ui::named<ui::DBEdit>("DBEdit3");
    DBEdit4 = ui::named<ui::DBEdit>("DBEdit4");
    chbMpp = new ui::DBCheckBox(QStringLiteral("Podzielona płatność, VAT:"));
    chbMpp->setObjectName(QStringLiteral("chbMpp"));
    chbMpp->setToolTip(QStringLiteral("Mechanizm podzielonej płatności: VAT trafi na rachunek VAT dostawcy"));
    edtKwotaVat = ui::named<ui::DBEdit>("edtKwotaVat");
    DBMemo1 = ui::named<ui::DBMemo>("DBMemo1");
    DBMemo1->setFixedHeight(64);
    edtSymbol = ui::named<ui::DBEdit>("edtSymbol");
    edtSkrot = ui::named<ui::DBEdit>("edtSkrot");
    DBEdit1 = ui::named<ui::DBEdit>("DBEdit1");
    DBEdit1->setInfo(true);
    spbKontrahentSkrot = chooserButton("spbKontrahentSkrot", QStringLiteral("Kartoteka kontrahentów"));
    cmbBank = ui::named<ui::DBLookupComboBox>("cmbBank");
    spbKonto = chooserButton("spbKonto", QStringLiteral("Konta bankowe kontrahenta"));
    DBEdit8 = ui::named<ui::DBEdit>("DBEdit8");
    DBEdit8->setInfo(true);
    DBEdit6 = ui::named<ui::DBEdit>("DBEdit6");
    edtParagraf = ui::named<ui::DBEdit>("edtParagraf");
    spbParagraf = chooserButton("spbParagraf", QStringLiteral("Plan kont - klasyfikacja budżetowa"));

    // One label column for the whole form, the contractor's group aside.
    constexpr int kEtykiety = 120;
    auto* dane = new QGridLayout;
    dane->setColumnMinimumWidth(0, kEtykiety);
    dane->setColumnStretch(1, 1);
    dane->setColumnStretch(3, 1);
    const auto wiersz = [dane](int row, const QString& label, QWidget* field, int span = 3) {
        dane->addWidget(new QLabel(label), row, 0);
        dane->addWidget(field, row, 1, 1, span);
    };
    wiersz(0, QStringLiteral("Nr Faktury :"), edtNrFaktury);
    wiersz(1, QStringLiteral("Data wystawienia:"), DBEdit2, 1);
    dane->addWidget(new QLabel(QStringLiteral("Termin zapłaty")), 1, 2, Qt::AlignRight | Qt::AlignVCenter);
    dane->addWidget(DBEdit3, 1, 3);
    wiersz(2, QStringLiteral("Kwota"), DBEdit4, 1);
    dane->addWidget(chbMpp, 2, 2, Qt::AlignRight | Qt::AlignVCenter);
    dane->addWidget(edtKwotaVat, 2, 3);
    dane->addWidget(new QLabel(QStringLiteral("Treść :")), 3, 0, Qt::AlignTop);
    dane->addWidget(DBMemo1, 3, 1, 1, 3);

    grpKontrahent = ui::named<QGroupBox>("grpKontrahent", QStringLiteral(" Kontrahent : "));
    auto* kontrahent = new QGridLayout(grpKontrahent);
    kontrahent->addWidget(new QLabel(QStringLiteral(" Symbol :")), 0, 0);
    kontrahent->addWidget(edtSymbol, 0, 1);
    kontrahent->addWidget(new QLabel(QStringLiteral("Skrót :")), 0, 2);
    kontrahent->addWidget(edtSkrot, 0, 3);
    kontrahent->addWidget(spbKontrahentSkrot, 0, 4);
    kontrahent->addWidget(new QLabel(QStringLiteral("Ctrl-K")), 0, 5);
    kontrahent->addWidget(new QLabel(QStringLiteral(" Nazwa :")), 1, 0);
    kontrahent->addWidget(DBEdit1, 1, 1, 1, 5);
    kontrahent->setColumnStretch(3, 1);
    dane->addWidget(grpKontrahent, 4, 0, 1, 4);

    auto* konto = new QHBoxLayout;
    konto->addWidget(cmbBank, 1);
    konto->addWidget(spbKonto);
    dane->addWidget(new QLabel(QStringLiteral("Konto bankowe")), 5, 0);
    dane->addLayout(konto, 5, 1, 1, 3);
    wiersz(6, QStringLiteral("Bank"), DBEdit8);
    wiersz(7, QStringLiteral("K-to WN "), DBEdit6);

    pnlParagraf = ui::named<QFrame>("pnlParagraf");
    auto* paragraf = new QHBoxLayout(pnlParagraf);
    paragraf->setContentsMargins(0, 0, 0, 0);
    auto* etykieta = new QLabel(QStringLiteral("Paragraf:"));
    etykieta->setFixedWidth(kEtykiety);
    paragraf->addWidget(etykieta);
    paragraf->addWidget(edtParagraf, 1);
    paragraf->addWidget(spbParagraf);
    dane->addWidget(pnlParagraf, 8, 0, 1, 4);

    pnlBottom = ui::named<QFrame>("pnlBottom");
    pnlBottom->setFrameShape(QFrame::StyledPanel);
    btnHelp = ui::named<QPushButton>("btnHelp", QStringLiteral("Pomoc"));
    btnHelp->setToolTip(QStringLiteral("F1 - pomoc"));
    btnHelp->setIcon(dmMain->PobierzFiltry().value(5));
    btnZapisz = ui::named<QPushButton>("btnZapisz", QStringLiteral("Zapisz"));
    btnZapisz->setToolTip(QStringLiteral("Zapisz zmiany i zamknij okno"));
    btnAnuluj = ui::named<QPushButton>("btnAnuluj", QStringLiteral("Anuluj"));
    btnAnuluj->setToolTip(QStringLiteral("Anuluj zmiany i zamknij okno"));
    auto* dol = ui::buttonRow({btnZapisz, btnAnuluj}, pnlBottom);
    dol->insertWidget(0, btnHelp);

    auto* okno = new QVBoxLayout(this);
    okno->addLayout(dane);
    okno->addStretch(1);
    okno->addWidget(pnlBottom);

    QWidget* kolejnosc[] = {edtNrFaktury, DBEdit2, DBEdit3, DBEdit4, chbMpp, edtKwotaVat, DBMemo1, edtSymbol, edtSkrot, DBEdit1, cmbBank,
                            DBEdit8, DBEdit6, edtParagraf, btnZapisz, btnAnuluj, btnHelp};
    for (size_t i = 1; i < std::size(kolejnosc); ++i)
        setTabOrder(kolejnosc[i - 1], kolejnosc[i]);

    // Keys of this form only, not of the whole frame it may sit in.
    actZapisz = ui::formKey(*this, Qt::CTRL | Qt::Key_S, "actZapisz");
    actAnuluj = ui::formKey(*this, Qt::Key_Escape, "actAnuluj");
    connect(ui::formKey(*this, Qt::CTRL | Qt::Key_K, "actKontrahent"), &QAction::triggered, spbKontrahentSkrot,
            &QToolButton::click);
    connect(ui::formKey(*this, Qt::Key_F1, "actPomoc"), &QAction::triggered, btnHelp, &QPushButton::click);
    ui::enterMovesFocus(*this);
    ui::escapeClosesListFirst(*this);
}

template <class Sender, class Signal>
void TfrmPrzelewyDane::podlacz(Sender* sender, Signal signal, const char* operacja, std::function<void()> handler)
{
    connect(sender, signal, this, [this, operacja, handler = std::move(handler)] { runHandler(operacja, handler); });
}

void TfrmPrzelewyDane::vPolacz()
{
    data::Dataset& q = przelewy();
    const std::pair<ui::DBEdit*, const char*> pola[] = {
        {edtNrFaktury, "NR_FAKTURY"}, {DBEdit2, "DATA_WYSTAWIENIA"}, {DBEdit3, "TERMIN_ZAPLATY"},
        {DBEdit4, "WARTOSC_CALA"},    {edtSymbol, "SYMBOL_NAZWA"},  {edtSkrot, "KONTRAHENT_SKROT"},
        {DBEdit1, "KONTRAHENT_NAZWA"}, {DBEdit8, "KONTRAHENT_NAZWABANKU"}, {DBEdit6, "WN"},
        {edtParagraf, "PARAGRAF"}, {edtKwotaVat, "KWOTA_VAT_CALA"}};
    for (const auto& [edit, name] : pola)
        edit->setDataField(&q, QString::fromLatin1(name));
    DBMemo1->setDataField(&q, QStringLiteral("TRESC1"));
    chbMpp->setDataField(&q, QStringLiteral("MPP"));
    // The VAT is typed only for a split payment.
    connect(chbMpp, &QCheckBox::toggled, edtKwotaVat, &QWidget::setEnabled);
    cmbBank->setDataField(&q, QStringLiteral("ID_KONTA_BANK"));
    cmbBank->setListSource(&DMP->queBankiKontrahenta, QStringLiteral("ID"), QStringLiteral("KONTO;NAZWA"));

    // Leaving a field acts on the row only while the form edits it, not once
    // it was saved or cancelled and the focus goes away with the closing form.
    const auto wEdycji = [this](std::function<void()> handler) {
        return [this, handler = std::move(handler)] {
            if (przelewy().isEditing())
                handler();
        };
    };
    for (ui::DBEdit* e : {edtSkrot, edtSymbol})
        podlacz(e, &ui::DBEdit::exited, "edtSkrotExit", wEdycji([this, e] { edtSkrotExit(*e); }));
    podlacz(edtNrFaktury, &ui::DBEdit::exited, "edtNrFakturyExit", wEdycji([this] { edtNrFakturyExit(); }));
    podlacz(edtParagraf, &ui::DBEdit::exited, "edtParagrafExit", wEdycji([this] { edtParagrafExit(); }));
    podlacz(cmbBank, &ui::DBLookupComboBox::exited, "cmbBankExit", wEdycji([this] { cmbBankClick(); }));
    podlacz(cmbBank, &ui::DBLookupComboBox::clicked, "cmbBankClick", [this] { cmbBankClick(); });
    podlacz(spbKontrahentSkrot, &QToolButton::clicked, "spbKontrahentSkrotClick", [this] { spbKontrahentSkrotClick(); });
    podlacz(spbKonto, &QToolButton::clicked, "spbKontoClick", [this] { spbKontoClick(); });
    podlacz(spbParagraf, &QToolButton::clicked, "spbParagrafClick", [this] { spbParagrafClick(); });
    podlacz(btnZapisz, &QPushButton::clicked, "btnZapiszClick", [this] { btnZapiszClick(); });
    podlacz(actZapisz, &QAction::triggered, "btnZapiszClick", [this] { btnZapiszClick(); });
    podlacz(btnAnuluj, &QPushButton::clicked, "btnAnulujClick", [this] { btnAnulujClick(); });
    podlacz(actAnuluj, &QAction::triggered, "actAnulujExecute", [this] { actAnulujExecute(); });
    podlacz(btnHelp, &QPushButton::clicked, "btnHelpClick", [this] { btnHelpClick(); });
}

void TfrmPrzelewyDane::vOtworz()
{
    if (DMP->iPokazParagraf == 1 && !DMP->queProcParagraf.isActive())
        DMP->queProcParagraf.open();
    if (bZmiana) {
        setWindowTitle(QStringLiteral("Przelew-Zmiana "));
        przelewy().edit();
        iKontoSprawdzone = przelewy()["ID_KONTA_BANK"].asInteger();   // warned when it was picked
        vWczytajKonta();
    } else {
        setWindowTitle(QStringLiteral("Przelew-Dopis"));
        przelewy().append();
        przelewy()["DODAL"].setString(dmMain->PobierzUzytkownik());
        przelewy()["DATA_DODANIA"].setDateTime(QDate::currentDate().startOfDay());
        przelewy()["WPROWADZONY"].setInteger(1);
    }
    pnlParagraf->setVisible(DMP->iPokazParagraf == 1);
    edtKwotaVat->setEnabled(chbMpp->isChecked());
    dmMain->vAddWindowTab(*this);
    dmMain->vKolorForm(*this);
    ui::loadGlyphs({{btnAnuluj, "D_ANULUJ"}, {btnZapisz, "D_ZAPISZ"}});
}

data::Dataset& TfrmPrzelewyDane::przelewy() const { return DMP->quePrzelewy; }

// ---------------------------------------------------------------- contractor and account

void TfrmPrzelewyDane::vWczytajKonta()
{
    data::Dataset& konta = DMP->queBankiKontrahenta;
    konta.setSql({"Select * from ET_BANK_KONTO where ID_KONTR=" + QString::number(przelewy()["ID_KONTRAHENTA"].asInteger()) +
                  " order by DOMYSLNE DESC"});
    konta.open();
    konta.first();
}

void TfrmPrzelewyDane::vUstawKontrahenta()
{
    const data::Dataset& rob = DMP->queRob;
    const QString symbol = rob.fieldByName(QStringLiteral("KOD_FK")).asString();
    przelewy()["KONTRAHENT_NAZWA"].setString(rob.fieldByName(QStringLiteral("PELNA")).asString());
    przelewy()["KONTRAHENT_SKROT"].setString(rob.fieldByName(QStringLiteral("SKROT")).asString());
    przelewy()["SYMBOL_NAZWA"].setString(symbol);
    vWczytajKonta();
    const data::Dataset& konta = DMP->queBankiKontrahenta;
    if (konta.isEmpty()) {
        przelewy()["ID_KONTA_BANK"].clear();
        przelewy()["KONTRAHENT_NAZWABANKU"].clear();
    } else {
        if (isInactive(konta))
            warnInactive();
        przelewy()["ID_KONTA_BANK"].setInteger(konta.fieldByName(QStringLiteral("ID")).asInteger());
        przelewy()["KONTRAHENT_NAZWABANKU"].setString(konta.fieldByName(QStringLiteral("NAZWA")).asString());
        vSprawdzNumerKonta();
    }
    przelewy()["WN"].setString(DMP->sSyntetykaPrzelewow + "-" + symbol);
}

void TfrmPrzelewyDane::edtSkrotExit(ui::DBEdit& edit)
{
    if (!edit.modified())
        return;
    const QString kolumna = &edit == edtSkrot ? QStringLiteral("SKROT") : QStringLiteral("KOD_FK");
    data::Dataset& rob = DMP->queRob;
    rob.setSql({" select * from ET_KONTAKT where " + kolumna + " =" + data::sqlQuote(edit.text())});
    rob.open();
    if (rob.isEmpty()) {
        iWybor = 1;
        dmKontr->KontrahentModalneTekst(this, kolumna, edit.text());
        return;
    }
    przelewy().edit();
    przelewy()["ID_KONTRAHENTA"].setInteger(rob.fieldByName(QStringLiteral("ID")).asInteger());
    vUstawKontrahenta();
}

void TfrmPrzelewyDane::spbKontrahentSkrotClick()
{
    iWybor = 1;
    dmKontr->KontrahentModalne(this, static_cast<int>(przelewy()["ID_KONTRAHENTA"].asInteger()));
}

void TfrmPrzelewyDane::spbKontoClick()
{
    iWybor = 2;
    dmKontr->vKontrahentDane(this, static_cast<int>(przelewy()["ID_KONTRAHENTA"].asInteger()), 4);
}

QString TfrmPrzelewyDane::sNazwaKonta()
{
    data::Dataset& rob = DMP->queRob;
    rob.setSql({" select * from ET_BANK_KONTO where ID =" + QString::number(przelewy()["ID_KONTA_BANK"].asInteger())});
    rob.open();
    return rob.isEmpty() ? QString() : rob.fieldByName(QStringLiteral("NAZWA")).asString();
}

void TfrmPrzelewyDane::cmbBankClick()
{
    const data::Dataset& konta = DMP->queBankiKontrahenta;
    if (konta.isActive() && !konta.isEmpty() && isInactive(konta))
        warnInactive();
    const QString nazwa = sNazwaKonta();
    przelewy().edit();
    przelewy()["KONTRAHENT_NAZWABANKU"].setString(nazwa);
    vSprawdzNumerKonta();
}

void TfrmPrzelewyDane::vSprawdzNumerKonta()
{
    const data::Field& id = przelewy()["ID_KONTA_BANK"];
    if (id.isNull() || id.asInteger() == iKontoSprawdzone)
        return;
    iKontoSprawdzone = id.asInteger();
    const auto konto =
        dmMain->ibStworzIBSQL(true, "select KONTO from ET_BANK_KONTO where ID=" + QString::number(iKontoSprawdzone), false);
    const QString ostrzezenie = konto ? text::nrbWarning(konto->fieldByName(QStringLiteral("KONTO")).asString()) : QString();
    if (!ostrzezenie.isEmpty())
        ui::dialogs().message(ostrzezenie, QStringLiteral("Konto bankowe kontrahenta"), ui::Buttons::Ok,
                              ui::Icon::Warning);
}

// ---------------------------------------------------------------- title and classification

void TfrmPrzelewyDane::edtNrFakturyExit()
{
    // Passing over the empty number would leave the bare prefix as the title.
    if (!przelewy()["TRESC1"].isNull() || przelewy()["NR_FAKTURY"].isNull())
        return;
    przelewy().edit();
    przelewy()["TRESC1"].setString(DMP->sTrescPrzelewow + przelewy()["NR_FAKTURY"].asString());
}

int TfrmPrzelewyDane::iSprawdzParagraf(int kontoId, const QString& nazwa)
{
    const QString select = QStringLiteral("SELECT KONTO_ID,NAZWA_PAR FROM FK_DZIAL_PAR_PODP(0) WHERE ");
    QString sql;
    if (kontoId != 0)
        sql = select + "KONTO_ID=" + QString::number(kontoId);
    if (!nazwa.isEmpty())
        sql = select + "NAZWA_PAR=" + data::sqlQuote(nazwa);
    const auto wynik = dmMain->ibStworzIBSQL(true, sql, false);
    if (!wynik)
        return 0;
    const int id = static_cast<int>(wynik->fieldByName(QStringLiteral("KONTO_ID")).asInteger());
    if (id > 0) {
        sNazwaParagrafu = wynik->fieldByName(QStringLiteral("NAZWA_PAR")).asString();
    } else {
        sNazwaParagrafu.clear();
        ui::dialogs().beep();
    }
    return id;
}

void TfrmPrzelewyDane::spbParagrafClick()
{
    iWybor = 5;
    dmFinanse->vDzialParPodpModalne(this);
}

void TfrmPrzelewyDane::edtParagrafExit()
{
    const QString nazwa = edtParagraf->text();
    if (!nazwa.isEmpty() && iSprawdzParagraf(0, nazwa) <= 0)
        spbParagrafClick();
}

// ---------------------------------------------------------------- back from a chooser

void TfrmPrzelewyDane::onActivate()
{
    const int wybor = iWybor;
    iWybor = 0;
    const int id = tag();
    runHandler("FormActivate", [&] {
        switch (wybor) {
        case 1:
            if (id > 0 && id != przelewy()["ID_KONTRAHENTA"].asInteger()) {
                przelewy().edit();
                przelewy()["ID_KONTRAHENTA"].setInteger(id);
                DMP->queRob.setSql({" select * from ET_KONTAKT where ID=" + QString::number(id)});
                DMP->queRob.open();
                if (!DMP->queRob.isEmpty()) {
                    vUstawKontrahenta();
                } else {
                    for (const char* name : {"KONTRAHENT_NAZWA", "KONTRAHENT_SKROT", "SYMBOL_NAZWA"})
                        przelewy()[name].clear();
                    vWczytajKonta();
                    przelewy()["WN"].setString(DMP->sSyntetykaPrzelewow + "-");
                }
            }
            break;
        case 2:
            if (id > 0) {
                przelewy().edit();
                przelewy()["ID_KONTA_BANK"].setInteger(id);
                przelewy()["WN"].setString(DMP->sSyntetykaPrzelewow + "-" + przelewy()["SYMBOL_NAZWA"].asString());
                przelewy()["KONTRAHENT_NAZWABANKU"].setString(sNazwaKonta());
                vSprawdzNumerKonta();
            }
            vWczytajKonta();
            break;
        case 5:
            if (id > 0) {
                iSprawdzParagraf(id, QString());
                przelewy().edit();
                przelewy()["PARAGRAF"].setString(sNazwaParagrafu);
            }
            break;
        default:
            break;
        }
    });
}

// ---------------------------------------------------------------- checking and saving

bool TfrmPrzelewyDane::bSprawdz()
{
    if (!ui::applyEdits(*this))
        return false;
    QString bledy = QStringLiteral(" Znaleziono następujące błędy w formularzu : \n");
    int ile = 0;
    const auto blad = [&](const char* tekst) { bledy += QString::number(++ile) + QString::fromUtf8(tekst); };
    if (przelewy()["TERMIN_ZAPLATY"].isNull())
        blad(".Brak Terminu Zapłaty !\n");
    if (przelewy()["NR_FAKTURY"].isNull())
        blad(".Brak nr faktury \n");
    if (przelewy()["ID_KONTRAHENTA"].isNull())
        blad(".Brak kontrahenta !\n");
    if (przelewy()["ID_KONTA_BANK"].isNull())
        blad(".Brak konta bankowego !\n");
    if (przelewy()["WARTOSC_CALA"].isNull())
        blad(".Brak kwoty przelewu !\n");
    else if (przelewy()["WARTOSC_CALA"].asDouble() < 0)
        blad(".Kwota przelewu nie może być ujemna !\n");
    if (!edtParagraf->text().isEmpty() && iSprawdzParagraf(0, edtParagraf->text()) <= 0)
        blad(".Brak takiego PARAGRAFU w Planie Kont \n");
    for (const QString& mpp : sBledyMpp())
        blad(qUtf8Printable("." + mpp));
    if (ile == 0)
        return true;
    ui::dialogs().message(bledy, QStringLiteral("Znaleziono błędy !! "), ui::Buttons::Ok, ui::Icon::Error);
    return false;
}

QStringList TfrmPrzelewyDane::sBledyMpp()
{
    if (przelewy()["MPP"].asInteger() != 1)
        return {};
    QStringList bledy;
    const auto grosze = [this](const char* kolumna) {
        const data::Field& pole = przelewy()[kolumna];
        return pole.isNull() ? std::int64_t(0) : pole.asDecimal().rescaled(2).units;
    };
    QString vat = mpp::vatRefusal(!przelewy()["KWOTA_VAT_CALA"].isNull(), grosze("KWOTA_VAT_CALA"),
                                  grosze("WARTOSC_CALA"));
    // What is still owed must still be able to carry the VAT still owed.
    if (vat.isEmpty() && grosze("WARTOSC_WYPLACONA") > 0)
        vat = mpp::vatRefusal(true, grosze("KWOTA_VAT_CALA") - grosze("KWOTA_VAT_WYPLACONA"),
                              grosze("WARTOSC_CALA") - grosze("WARTOSC_WYPLACONA"));
    if (!vat.isEmpty())
        bledy << vat + " !\n";
    if (!przelewy()["ID_KONTRAHENTA"].isNull()) {
        const QString nip = text::nipError(mpp::contractorNip(przelewy()["ID_KONTRAHENTA"].asInteger()));
        if (!nip.isEmpty())
            bledy << "Podzielona płatność wymaga poprawnego NIP kontrahenta: " + nip + "\n";
    }
    return bledy;
}

bool TfrmPrzelewyDane::bZapisz()
{
    data::Dataset& q = przelewy();
    q.edit();
    if (!bSprawdz())
        return false;
    const auto zapis = [&] {
        // The form's row is not the unit's to cancel: a failed save leaves it
        // in the form to be corrected or cancelled.
        data::UnitOfWork uow(dmMain->transaction());
        if (q.state() == data::Dataset::State::Edit) {
            przelewy()["WARTOSC"].setDouble(
                dmMain->zaokr(przelewy()["WARTOSC_CALA"].asDouble() - przelewy()["WARTOSC_WYPLACONA"].asDouble(), 2));
        } else {
            przelewy()["ID"].setInteger(
                dmMain->iPobierzGenerator(QStringLiteral("SELECT GEN_ID(GEN_PR_PRZELEWY_ID,1) AS ILE FROM RDB$DATABASE")));
            przelewy()["WARTOSC"].setValue(przelewy()["WARTOSC_CALA"].value());
        }
        if (przelewy()["MPP"].asInteger() == 1) {
            // The next issue pays the whole rest, so it carries the whole VAT rest.
            if (przelewy()["KWOTA_VAT_WYPLACONA"].isNull())
                przelewy()["KWOTA_VAT_WYPLACONA"].setDouble(0);
            przelewy()["KWOTA_VAT"].setDouble(dmMain->zaokr(
                przelewy()["KWOTA_VAT_CALA"].asDouble() - przelewy()["KWOTA_VAT_WYPLACONA"].asDouble(), 2));
        }
        q.post();
        uow.commit();
    };
    bool zmieniony = false;
    if (runHandler("bZapisz", zapis, [&zmieniony](const std::exception& e) {
            if (dynamic_cast<const data::RowChanged*>(&e)) {
                zmieniony = true;
                return;
            }
            ui::dialogs().message(QStringLiteral("Błąd podczas zapisu"), QStringLiteral(" Błąd !! "),
                                  ui::Buttons::Ok, ui::Icon::Error);
        }))
        return true;
    if (zmieniony) {
        // Saved over another user's change, the row would lose it: the form
        // of a row that is no longer as shown closes and the list is read again.
        q.cancel();
        close();
        DMP->vPrzelewZmieniony();
    }
    return false;
}

void TfrmPrzelewyDane::btnZapiszClick()
{
    // A row that failed its checks stays in the form to be corrected.
    if (bZapisz())
        close();
}

void TfrmPrzelewyDane::btnAnulujClick()
{
    przelewy().cancel();
    close();
}

void TfrmPrzelewyDane::actAnulujExecute()
{
    // Typed work is not thrown away by one key: Escape asks as closing does.
    if (bZmieniono || ui::hasPendingEdits(*this))
        close();
    else
        btnAnulujClick();
}

void TfrmPrzelewyDane::btnHelpClick() { dmMain->ShowHelpWindow(*this, QStringLiteral("HTML/Przelewy.html")); }

// ---------------------------------------------------------------- closing

bool TfrmPrzelewyDane::onCloseQuery()
{
    if (!przelewy().isEditing())
        return true;
    switch (ui::dialogs().message(QStringLiteral("Czy Zapisać zmiany w Przelewach ?"), QString(),
                                  ui::Buttons::YesNoCancel, ui::Icon::Question)) {
    case ui::Answer::Yes:
        return bZapisz();
    case ui::Answer::No:
        przelewy().cancel();
        return true;
    default:
        return false;
    }
}

void TfrmPrzelewyDane::onHandlerFailed(const char* operacja)
{
    // A row still in edit is the user's to correct. One that was written and
    // then undone (the commit failed) no longer matches the database: the
    // form closes and the register reads its list again.
    if (std::strcmp(operacja, "bZapisz") != 0 || przelewy().isEditing())
        return;
    close();
    if (frmPrzelewy)
        frmPrzelewy->vOdswiez();
}

void TfrmPrzelewyDane::onClose()
{
    if (frmPrzelewy) {
        frmPrzelewy->pnlBottom->show();
        frmPrzelewy->pnlRecord->show();
    }
    dmMain->vRemoveWindowTab(*this);
}
