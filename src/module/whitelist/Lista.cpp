#include "module/whitelist/Lista.h"

#include "platform/controls/EntryForm.h"
#include "platform/data/Formats.h"
#include "platform/ui/Dialogs.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace whitelist;

TfrmBialaLista::TfrmBialaLista(QWidget* owner, const WynikKontroli& kontrola)
    : Form(owner), m_poza(kontrola.pozaLista()), m_kontrola(kontrola) {
    setObjectName(QStringLiteral("frmBialaLista"));
    setWindowTitle(QStringLiteral("Rachunki spoza białej listy podatników VAT"));
    vZbudujOkno();
    vWypelnij();
}

void TfrmBialaLista::vZbudujOkno() {
    lblPlik = ui::named<QLabel>("lblPlik");
    lblPlik->setWordWrap(true);
    grdRachunki = ui::named<QTableWidget>("grdRachunki", 0, 5);
    grdRachunki->setHorizontalHeaderLabels({QStringLiteral("Kontrahent"), QStringLiteral("NIP"),
                                            QStringLiteral("Rachunek"), QStringLiteral("Kwota"),
                                            QStringLiteral("Wynik")});
    grdRachunki->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdRachunki->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdRachunki->verticalHeader()->hide();
    grdRachunki->horizontalHeader()->setStretchLastSection(true);
    btnPotwierdz = ui::named<QPushButton>("btnPotwierdz", QStringLiteral("Potwierdzam zapłatę"));
    btnPotwierdz->setToolTip(QStringLiteral("Zapłać na te rachunki; potwierdzenie zostanie zapisane"));
    btnWroc = ui::named<QPushButton>("btnWroc", QStringLiteral("Wróć do rejestru"));
    btnWroc->setToolTip(QStringLiteral("Nie wystawiaj przelewów: odznacz je w rejestrze"));
    connect(btnPotwierdz, &QPushButton::clicked, this, &TfrmBialaLista::btnPotwierdzClick);
    connect(btnWroc, &QPushButton::clicked, this, &TfrmBialaLista::btnWrocClick);
    connect(ui::formKey(*this, QKeySequence(Qt::Key_Escape)), &QAction::triggered, this, &TfrmBialaLista::btnWrocClick);

    auto* uklad = new QVBoxLayout(this);
    uklad->addWidget(lblPlik);
    uklad->addWidget(grdRachunki, 1);
    uklad->addLayout(ui::buttonRow({btnPotwierdz, btnWroc}));
    resize(820, 360);
}

void TfrmBialaLista::vWypelnij() {
    QString plik = m_kontrola.dataPliku.isValid()
                       ? "Rachunki sprawdzono według pliku płaskiego z dnia " +
                             m_kontrola.dataPliku.toString(QStringLiteral("yyyy-MM-dd")) + "."
                       : QString();
    if (!m_kontrola.ostrzezenie.isEmpty()) plik = m_kontrola.ostrzezenie;
    lblPlik->setText(plik + "\nTych rachunków nie ma na białej liście podatników VAT:");
    grdRachunki->setRowCount(static_cast<int>(m_poza.size()));
    for (int r = 0; r < grdRachunki->rowCount(); ++r) {
        const Sprawdzony& s = m_poza[static_cast<std::size_t>(r)];
        const QString kwota = data::formatNumber(fb::Decimal{s.przelew.grosze, 2}, QStringLiteral("### ### ##0.00"));
        const QStringList kolumny{s.przelew.kontrahent, s.przelew.nip, s.przelew.konto, kwota,
                                  opis(s.wynik, s.przezMaske)};
        for (int k = 0; k < kolumny.size(); ++k) {
            auto* pole = new QTableWidgetItem(kolumny[k]);
            if (k == 3) pole->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            grdRachunki->setItem(r, k, pole);
        }
    }
    grdRachunki->resizeColumnsToContents();
}

void TfrmBialaLista::btnPotwierdzClick() {
    runHandler("btnPotwierdzClick", [this] {
        potwierdz(m_poza);
        setModalResult(ui::mrOk);
        if (isVisible()) close();
    });
}

void TfrmBialaLista::btnWrocClick() {
    setModalResult(ui::mrCancel);
    if (isVisible()) close();
}
