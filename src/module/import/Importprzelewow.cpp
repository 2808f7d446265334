#include "module/import/Importprzelewow.h"

#include "module/frame/TDMP.h"
#include "module/import/KartotekaImportu.h"
#include "module/import/WierszImportu.h"
#include "platform/controls/EntryForm.h"
#include "platform/data/UnitOfWork.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Glyphs.h"
#include "siblings/core/TdmMain.h"

#include <QAction>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kWprowadzonyZPliku = 3;

QLabel* panel(const char* nazwa) {
    auto* p = ui::named<QLabel>(nazwa);
    p->setFrameShape(QFrame::Panel);
    p->setFrameShadow(QFrame::Sunken);
    p->setAutoFillBackground(true);
    p->setBackgroundRole(QPalette::ToolTipBase);   // the info colour
    return p;
}

// The register query while a file is imported through it: its views hear of
// nothing until the end, and a new row is not read back for the names the
// register joins to it: the import has them from its own lookups.
class RejestrWImporcie {
public:
    explicit RejestrWImporcie(data::Dataset& przelewy) : m_przelewy(przelewy), m_odczyt(przelewy.refreshSql()) {
        m_przelewy.disableControls();
        m_przelewy.setRefreshSql(QString());
    }
    ~RejestrWImporcie() {
        m_przelewy.setRefreshSql(m_odczyt);
        m_przelewy.enableControls();
    }
    RejestrWImporcie(const RejestrWImporcie&) = delete;
    RejestrWImporcie& operator=(const RejestrWImporcie&) = delete;

private:
    data::Dataset& m_przelewy;
    QString m_odczyt;
};

}  // namespace

TfrmImportPrzelewow::TfrmImportPrzelewow(QWidget* owner, const QString& sciezka) : Form(owner), m_sciezka(sciezka) {
    setObjectName(QStringLiteral("frmImportPrzelewow"));
    setWindowTitle(QStringLiteral("Import przelewów z systemu PŁACE (DOS)"));
    vZbudujOkno();
    ui::loadGlyphs({{btnWybierz, "D_OK"}, {btnAnuluj, "D_ANULUJ"}});
    dmMain->vKolorForm(*this);
}

TfrmImportPrzelewow::~TfrmImportPrzelewow() = default;

void TfrmImportPrzelewow::vZbudujOkno() {
    pnlZbioru = panel("pnlZbioru");
    pnlImportu = panel("pnlImportu");
    ProgressBar1 = ui::named<QProgressBar>("ProgressBar1");
    btnWybierz = ui::named<QPushButton>("btnWybierz", QStringLiteral("Importuj"));
    btnWybierz->setToolTip(QStringLiteral("Rozpocznik Import"));
    btnAnuluj = ui::named<QPushButton>("btnAnuluj", QStringLiteral("Anuluj"));
    btnAnuluj->setToolTip(QStringLiteral("Anuluj i zamknij okno"));

    auto* okno = new QVBoxLayout(this);
    okno->addWidget(pnlZbioru);
    okno->addWidget(pnlImportu);
    okno->addWidget(ProgressBar1);
    okno->addStretch();
    okno->addLayout(ui::buttonRow({btnWybierz, btnAnuluj}));
    setMinimumSize(560, 170);


    connect(btnWybierz, &QPushButton::clicked, this, &TfrmImportPrzelewow::btnWybierzClick);
    connect(btnAnuluj, &QPushButton::clicked, this, &TfrmImportPrzelewow::btnAnulujClick);
    connect(ui::formKey(*this, Qt::Key_Escape), &QAction::triggered, this, &TfrmImportPrzelewow::btnAnulujClick);
}

void TfrmImportPrzelewow::onActivate() {
    if (m_aktywowane) return;
    m_aktywowane = true;
    pnlZbioru->setText(m_sciezka);
    runHandler("FormActivate", [this] { m_wiersze = TWierszePliku::wczytaj(m_sciezka); });
    pnlImportu->setText(QStringLiteral(" Liczba przelewów do zaimportowania: ") + QString::number(m_wiersze.iIlosc()));
}

void TfrmImportPrzelewow::btnWybierzClick() { runHandler("btnWybierzClick", [this] { vImportuj(); }); }

void TfrmImportPrzelewow::btnAnulujClick() { close(); }

void TfrmImportPrzelewow::vImportuj() {
    const int ilosc = m_wiersze.iIlosc();
    ProgressBar1->setRange(0, std::max(ilosc - 1, 0));
    m_dobre = m_bledne = 0;
    {
        RejestrWImporcie rejestr(DMP->quePrzelewy);
        for (int i = 0; i < ilosc; ++i) {
            ProgressBar1->setValue(i);
            const QString wiersz = m_wiersze.wiersz(i);
            if (bImportujWiersz(wiersz)) {
                ++m_dobre;
                continue;
            }
            ui::dialogs().showMessage(
                QStringLiteral("Błędna struktura pliku  lub błędne dane \nNie dopisano przelewu\n\n") + wiersz);
            ++m_bledne;
        }
        // A row whose commit failed stays in the register's rows: read them again.
        if (m_rejestrDoOdczytu) {
            DMP->quePrzelewy.close();
            DMP->quePrzelewy.open();
        }
    }
    ui::dialogs().showMessage(QStringLiteral("Przegrano przelewów : %1\n\nBłednych przelewów : %2")
                                  .arg(m_dobre)
                                  .arg(m_bledne));
    close();
}

bool TfrmImportPrzelewow::bImportujWiersz(const QString& wiersz) {
    const std::optional<TPrzelewImportu> p = przelewZWiersza(wiersz);
    if (!p) return false;
    // Both lookups run, so a missing contractor is told about its account too.
    const int idKontrahenta = iDaj_ID_KONTR(p->kodFK);
    const int idKonta = iDaj_ID_KONTA(idKontrahenta);
    if (idKontrahenta < 1 || idKonta < 1) return false;
    return bDopiszPrzelew(idKontrahenta, idKonta, p->wn, p->data, p->kwota, p->tresc);
}

TKartotekaImportu& TfrmImportPrzelewow::kartoteka() {
    if (!m_kartoteka) m_kartoteka = std::make_unique<TKartotekaImportu>(dmMain->transaction());
    return *m_kartoteka;
}

int TfrmImportPrzelewow::iDaj_ID_KONTR(const QString& kod) {
    try {
        const int id = kartoteka().iKontrahent(kod);
        if (id == 0) ui::dialogs().showMessage(QStringLiteral("Brak kontrahenta o symbolu FK:    ") + kod);
        return id;
    } catch (const std::exception& e) {
        ui::dialogs().showMessage(QStringLiteral(" frmImportPrzelewow->iDaj_ID_KONTR(...) \n\n") +
                                  QString::fromUtf8(e.what()));
        return 0;
    }
}

int TfrmImportPrzelewow::iDaj_ID_KONTA(int idKontrahenta) {
    try {
        const int id = kartoteka().iDomyslneKonto(idKontrahenta);
        if (id == 0)
            ui::dialogs().showMessage(
                QStringLiteral("W kartotece kont bankowych brakuje AKTYWNEGO konta dla -> ID_KONTR :  ") +
                QString::number(idKontrahenta));
        return id;
    } catch (const std::exception& e) {
        ui::dialogs().showMessage(QStringLiteral(" frmImportPrzelewow->iDaj_ID_KONTA(...) \n\n") +
                                  QString::fromUtf8(e.what()));
        return 0;
    }
}

bool TfrmImportPrzelewow::bDopiszPrzelew(int idKontrahenta, int idKonta, const QString& wn, const QDate& data,
                                         const fb::Decimal& kwota, const QString& tresc) {
    data::Dataset& q = DMP->quePrzelewy;
    bool wRejestrze = false;
    try {
        if (!q.isActive()) q.open();
        // Adding would post an edit made elsewhere as part of this line.
        if (q.isEditing()) return false;
        data::UnitOfWork uow(dmMain->transaction(), {&q});
        q.append();
        q["ID"].setInteger(kartoteka().iNoweId());
        q["ID_FAKTURY"].clear();
        q["ID_KONTRAHENTA"].setInteger(idKontrahenta);
        q["ID_KONTA_BANK"].setInteger(idKonta);
        q["NR_FAKTURY"].setString(tresc.left(5));
        q["WN"].setString(wn);
        q["DATA_WYSTAWIENIA"].setDate(data);
        q["TERMIN_ZAPLATY"].setDate(data);
        q["WARTOSC"].setDecimal(kwota);
        q["WARTOSC_CALA"].setDecimal(kwota);
        q["WPROWADZONY"].setInteger(kWprowadzonyZPliku);
        q["TRESC1"].setString(tresc);
        q["DODAL"].setString(dmMain->PobierzUzytkownik());
        q["DATA_DODANIA"].setDate(QDate::currentDate());
        for (const auto& [nazwa, wartosc] : kartoteka().opis(idKontrahenta, idKonta))
            if (data::Field* f = q.findField(nazwa)) f->setValue(wartosc);
        q.post();
        wRejestrze = true;
        uow.commit();
        return true;
    } catch (const std::exception&) {
        m_rejestrDoOdczytu = m_rejestrDoOdczytu || wRejestrze;
        return false;
    }
}

void TfrmImportPrzelewow::onClose() {
    m_wiersze = TWierszePliku();
    m_kartoteka.reset();
}
