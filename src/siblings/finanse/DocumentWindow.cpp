#include "siblings/finanse/DocumentWindow.h"

#include "siblings/core/TdmMain.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace siblings {

DocumentWindow::DocumentWindow(QWidget* owner, int documentId)
    : FormBase(owner), m_entries(new data::Dataset(this)), m_grid(new ui::DbGrid(this))
{
    // Looking at a document changes nothing the owner would have to act on.
    setReenablesOwner(false);
    setWindowTitle(QStringLiteral("Dokument księgowy"));
    resize(820, 420);
    const QString id = QString::number(documentId);
    if (auto doc = dmMain->ibStworzIBSQL(true,
                                         "select NUMER_DOK, DATA_DOK, DATA_OPERACJI, OPIS from FK_DOKUMENTY where ID = " + id,
                                         false);
        doc && !doc->isEmpty()) {
        m_header = QStringLiteral("Dokument: %1    Data dokumentu: %2    Data operacji: %3\n%4")
                       .arg(doc->fieldByName("NUMER_DOK").asString(),
                            doc->fieldByName("DATA_DOK").asDateTime().toString(QStringLiteral("yyyy-MM-dd")),
                            doc->fieldByName("DATA_OPERACJI").asDateTime().toString(QStringLiteral("yyyy-MM-dd")),
                            doc->fieldByName("OPIS").asString());
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(m_header, this));

    m_entries->setTransaction(&dmMain->transaction());
    m_entries->setSql({"select LP, KONTO_WN, KONTO_MA, KWOTA, OPIS, NAZWA_MA, PARAGRAF from FK_DEKRETY",
                       "where ID_DOKUMENTU = " + id, "order by LP"});
    m_entries->declareField("KWOTA").setDisplayFormat(QStringLiteral("### ### ##0.00"));
    m_grid->setDataset(m_entries);
    m_grid->setColumns({{"LP", QStringLiteral("Lp."), 40},
                        {"KONTO_WN", QStringLiteral("Konto Wn"), 110},
                        {"KONTO_MA", QStringLiteral("Konto Ma"), 110},
                        {"KWOTA", QStringLiteral("Kwota"), 100},
                        {"OPIS", QStringLiteral("Opis"), 220},
                        {"NAZWA_MA", QStringLiteral("Nr faktury"), 110},
                        {"PARAGRAF", QStringLiteral("Paragraf"), 110}});
    m_grid->setRowColors(QColor(Qt::white), dmMain->clPobierzParzysty());
    layout->addWidget(m_grid, 1);
    auto* close = new QPushButton(dmMain->PobierzPrzyciski().value(0), QStringLiteral("Zamknij"), this);
    connect(close, &QPushButton::clicked, this, [this] {
        setModalResult(ui::mrOk);
        this->close();
    });
    layout->addWidget(close, 0, Qt::AlignRight);
    dmMain->vKolorForm(*this);
    m_entries->open();
}

}  // namespace siblings
