#include "module/issuing/Wyborwystawione.h"

#include "module/frame/TDMP.h"
#include "module/issuing/BankFile.h"
#include "module/issuing/BatchRows.h"
#include "module/issuing/BatchSteps.h"
#include "module/issuing/RamkaWyboru.h"
#include "module/issuing/Wycofanie.h"
#include "module/issuing/Wystawprzelewy.h"
#include "module/reports/Reportviewer.h"
#include "module/reports/Repraportzrealizowanych.h"
#include "platform/controls/EntryForm.h"
#include "platform/data/SqlText.h"
#include "platform/data/UnitOfWork.h"
#include "platform/ui/Dialogs.h"
#include "siblings/core/TdmMain.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <memory>

namespace {

const QString kBlad = QStringLiteral("Bład");
const QString kPolePartii = QStringLiteral("DATA_REALIZACJI");

void vBlad(const QString& tekst) { ui::dialogs().message(tekst, kBlad, ui::Buttons::Ok, ui::Icon::Error); }

bool bTak(const QString& tekst, const QString& tytul) {
    return ui::dialogs().message(tekst, tytul, ui::Buttons::YesNo, ui::Icon::Question) == ui::Answer::Yes;
}

char cPierwszaLitera(const data::Field& kolejny) {
    const QString tekst = kolejny.asString();
    return tekst.isEmpty() ? ' ' : tekst.at(0).toLatin1();
}

QString sTytul(char tryb) {
    switch (tryb) {
    case 'W': return QStringLiteral("Wydruk :");
    case 'B': return QStringLiteral("Tworzenie zbioru do banku :");
    default: return QStringLiteral("WYCOFANIE ZREALIZOWANYCH PRZELEWÓW :");
    }
}

}  // namespace

TfrmWyborWystawione::TfrmWyborWystawione(QWidget* owner, char tryb) : Form(owner), cTryb(tryb) {
    setObjectName(QStringLiteral("frmWyborWystawione"));
    setWindowTitle(QStringLiteral("Wybierz przelewy z dnia:"));
    setMinimumSize(400, 300);
    vZbudujOkno();
    lblTytul->setText(sTytul(cTryb));

    // The batch of the realized row the user stood on, if there was one.
    const data::Dataset& zrealizowane = DMP->queZrealizowane;
    if (zrealizowane.isActive() && !zrealizowane.isEmpty()) {
        dtWybrana = zrealizowane.fieldByName(kPolePartii).asDateTime();
        cWybranaLitera = cPierwszaLitera(zrealizowane.fieldByName(QStringLiteral("KOLEJNY")));
    } else {
        dtWybrana = QDateTime(QDate::currentDate(), QTime(0, 0));
    }
    dmMain->vKolorForm(*this);
}

void TfrmWyborWystawione::vZbudujOkno() {
    lblTytul = ui::named<QLabel>("lblTytul");
    QPalette granat = lblTytul->palette();
    granat.setColor(QPalette::WindowText, QColor(0, 0, 0x80));
    lblTytul->setPalette(granat);
    QFont gruba = lblTytul->font();
    gruba.setBold(true);
    lblTytul->setFont(gruba);

    DBGrid1 = ui::named<ui::DbGrid>("DBGrid1");
    DBGrid1->setColumns({{kPolePartii, QStringLiteral("Data realizacji"), 99},
                         {QStringLiteral("KOLEJNY"), QStringLiteral("  "), 18},
                         {QStringLiteral("KONTO_BANKU_look"), QStringLiteral("Z konta:"), 290}});
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->setDefaultDrawing(false);
    DBGrid1->setCellPainter([this](const ui::DbGrid::Cell& cell) { DBGrid1DrawColumnCell(cell); });
    DBGrid1->setDataset(&DMP->queWystawione);
    DMP->grdWystawione = DBGrid1;

    auto* gora = new QHBoxLayout;
    gora->addWidget(lblTytul, 1);
    vZbudujRamkeWyboru(*this, gora, DBGrid1);
    resize(460, 360);
    connect(DBGrid1, &ui::DbGrid::rowActivated, this, &TfrmWyborWystawione::btnWybierzClick);
}

void TfrmWyborWystawione::onActivate() {
    if (!bPierwszaAktywacja) return;
    bPierwszaAktywacja = false;
    // A batch is picked with the arrow keys from the moment the window opens.
    DBGrid1->setFocus();
    runHandler("FormActivate", [this] {
        if (!DMP->queBanki.isActive()) DMP->queBanki.open();
        data::Dataset& wystawione = DMP->queWystawione;
        wystawione.close();
        wystawione.setSql({QStringLiteral("select * from PR_WYSTAWIONE where ID >0 order by id  DESC")});
        wystawione.open();
        if (cWybranaLitera == '*') return;
        // No such batch any more: the walk ends on the oldest one.
        for (wystawione.first(); !wystawione.eof(); wystawione.next())
            if (wystawione["DATA_REALIZACJI"].asDateTime() == dtWybrana &&
                cPierwszaLitera(wystawione["KOLEJNY"]) == cWybranaLitera)
                break;
        DBGrid1->showCurrentRow();
    });
}

void TfrmWyborWystawione::onClose() { DMP->grdWystawione = nullptr; }

void TfrmWyborWystawione::DBGrid1DrawColumnCell(const ui::DbGrid::Cell& cell) {
    dmMain->vKolory(*cell.painter, cell.rect, *DBGrid1, cell.field, cell.row, cell.selected, cell.column, true,
                    kPolePartii, kPolePartii, QString());
}

void TfrmWyborWystawione::btnAnulujClick() { close(); }

void TfrmWyborWystawione::btnHelpClick() { dmMain->ShowHelpWindow(*this, QStringLiteral("HTML/Przelewy.html")); }

// ---------------------------------------------------------------- the action

void TfrmWyborWystawione::btnWybierzClick() {
    runHandler("btnWybierzClick", [this] {
        if (!bWybierzPartie()) return;
        switch (cTryb) {
        case 'W': vWydruk(); break;
        case 'B': vPlikDoBanku(); break;
        case 'A': vWycofaj(); break;
        default: break;
        }
    });
}

bool TfrmWyborWystawione::bWybierzPartie() {
    data::Dataset& wystawione = DMP->queWystawione;
    if (!wystawione.isActive() || wystawione.isEmpty()) return false;
    m_data = wystawione["DATA_REALIZACJI"].asDate();
    m_litera = cPierwszaLitera(wystawione["KOLEJNY"]);
    m_idBanku = static_cast<int>(wystawione["ID_BANKU"].asInteger());

    DMP->vWybierzZrealizowane(sWarunekPartii(m_data, m_litera), QStringLiteral("b.KOD_FK"));
    data::Dataset& zrealizowane = DMP->queZrealizowane;
    if (zrealizowane.isEmpty()) {
        vBlad(QStringLiteral("Brak przelewów z tego wystawienia  ! "));
        return false;
    }
    data::Dataset& banki = DMP->queBanki;
    if (!banki.isActive()) banki.open();
    if (!banki.locate(QStringLiteral("ID"), zrealizowane["ID_KONTA_FIRMY"].asInteger())) {
        vBlad(QStringLiteral("Brak takiego banku firmy ! "));
        return false;
    }
    m_grupuje = banki["GRUPOWANIE"].asInteger() == 1;
    return true;
}

void TfrmWyborWystawione::vPogrupuj() {
    data::Dataset& zrealizowane = DMP->queZrealizowane;
    zrealizowane.close();
    zrealizowane.setSql({"SELECT * FROM PR_PRZELEWY_GRUPOWANIE(" + data::sqlDate(m_data) + ',' +
                         data::sqlQuote(QString(QLatin1Char(m_litera))) + ',' +
                         data::sqlQuote(DMP->sTrescPrzelewowGrupowanych) + ") order by SYMBOL_NAZWA"});
    zrealizowane.open();
}

void TfrmWyborWystawione::vWydruk() {
    if (m_grupuje) vPogrupuj();
    lblTytul->setText(QStringLiteral("Wydruk"));
    TfrmQRRaportZrealizowanych raport(DMP->queZrealizowane, DMP->queWystawione);
    vPokazWydruk(this, std::move(raport.rep));
}

void TfrmWyborWystawione::vPlikDoBanku() {
    lblTytul->setText(QStringLiteral("Plik do Banku:"));
    // A hidden issuing window lends the file writer its issue context. Its
    // date is the batch's, as when the batch was issued: some banks' files carry it.
    const std::unique_ptr<TfrmWystawPrzelewy> wystawianie(new TfrmWystawPrzelewy(this));
    wystawianie->dtPrzelewu->setDate(m_data);
    wystawianie->kontekst.dataPrzelewu = m_data;
    // The writer selects the batch again, grouped when the bank groups.
    if (!bUtworzPlikDoBanku(wystawianie->kontekst, m_data, m_litera, m_idBanku))
        vBlad(QStringLiteral("Nie stworzono zbioru bankowego "));
}

void TfrmWyborWystawione::vWycofaj() {
    lblTytul->setText(QStringLiteral("WYCOFANIE ZREALIZOWANYCH:"));
    const QString litera = QString(QLatin1Char(m_litera));
    if (!bTak("Zostaną WYCOFANE ze zrealizowanych przelewy z dnia :" + m_data.toString(QStringLiteral("yyyy-MM-dd")) +
                  " - " + litera + "\nCzy akepujesz?",
              QStringLiteral("WYCOFANIE wystawionych")))
        return;
    const bool zaznacz = bTak(QStringLiteral("Czy wycofane przelewy zaznaczyć do realizacji?"), QString());

    data::UnitOfWork uow(dmMain->transaction());
    bWycofywanie = true;
    if (wycofajPartie(m_data, zaznacz) == WynikWycofania::DokumentNieUsuniety) {
        bWycofywanie = false;
        return;
    }
    uow.commit();
    ui::dialogs().showMessage(QStringLiteral("Operacja wycofania - zakończona poprawnie"));
    vZakonczWycofanie();
}

void TfrmWyborWystawione::onHandlerFailed(const char*) {
    if (!bWycofywanie) return;
    ui::dialogs().showMessage(QStringLiteral("Błednie zakończona operacja wycofania ! "));
    vZakonczWycofanie();
}

void TfrmWyborWystawione::vZakonczWycofanie() {
    bWycofywanie = false;
    try {
        data::Dataset& przelewy = DMP->quePrzelewy;
        przelewy.close();
        przelewy.setSqlLine(TDMP::kLiniaWarunku, QStringLiteral("and a.DATA_REALIZACJI is NULL "));
        przelewy.open();
    } catch (const std::exception& e) {
        ui::showError(objectName(), "btnWybierzClick", e);
    }
    close();
}
