#include "siblings/kontr/TdmKontr.h"

#include "platform/data/UnitOfWork.h"
#include "platform/ui/Dialogs.h"
#include "siblings/core/ChooserWindow.h"
#include "siblings/core/TdmMain.h"
#include "siblings/kontr/AccountPanel.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <stdexcept>
#include <string_view>

namespace {

// The database's four-eyes constraint, and what the user reads when it bites.
constexpr std::string_view kFourEyes = "CK_ET_BANK_KONTO_CZTERY_OCZY";
constexpr const char* kOwnNumber = "Numer tego konta bankowego wpisał lub zmienił ten sam użytkownik - "
                                   "zaakceptować je musi inna osoba.";

siblings::ChooserSetup contractorRegister()
{
    siblings::ChooserSetup setup;
    setup.caption = QStringLiteral("Kartoteka kontrahentów");
    setup.select = QStringLiteral("select ID, SKROT, KOD_FK, PELNA, MIEJSCOWOSC, ULICA, NIP from ET_KONTAKT");
    setup.condition = QStringLiteral("ID > 0");
    setup.order = QStringLiteral("UPPER(SKROT) COLLATE PXW_PLK");
    setup.columns = {{"SKROT", QStringLiteral("Skrót"), 170},
                    {"KOD_FK", QStringLiteral("Symbol"), 80},
                    {"PELNA", QStringLiteral("Nazwa"), 300},
                    {"MIEJSCOWOSC", QStringLiteral("Miejscowość"), 120},
                    {"ULICA", QStringLiteral("Ulica"), 140},
                    {"NIP", QStringLiteral("NIP"), 110}};
    setup.searches = {{QStringLiteral("Skrót"), "SKROT"},
                     {QStringLiteral("Symbol"), "KOD_FK"},
                     {QStringLiteral("Nazwa"), "PELNA"}};
    return setup;
}

QString yesNo(const data::Field& field, bool)
{
    return field.asInteger() == 1 ? QStringLiteral("Tak") : QStringLiteral("Nie");
}

siblings::ChooserSetup accountList(int contractorId)
{
    siblings::ChooserSetup setup;
    setup.caption = QStringLiteral("Dane kontrahenta");
    setup.select = QStringLiteral("select ID, KONTO, NAZWA, DOMYSLNE, AKTYWNE, ZAAKCEPTOWANE from ET_BANK_KONTO");
    setup.condition = QStringLiteral("ID_KONTR = ") + QString::number(contractorId);
    setup.order = QStringLiteral("DOMYSLNE DESC, ID");
    setup.columns = {{"KONTO", QStringLiteral("Konto"), 260},
                    {"NAZWA", QStringLiteral("Bank"), 200},
                    {"DOMYSLNE", QStringLiteral("Domyślne"), 70},
                    {"AKTYWNE", QStringLiteral("Aktywne"), 70},
                    {"ZAAKCEPTOWANE", QStringLiteral("Zaakceptowane"), 100}};
    setup.prepare = [](data::Dataset& ds) {
        for (const char* name : {"DOMYSLNE", "AKTYWNE", "ZAAKCEPTOWANE"})
            ds.declareField(name).setGetText(yesNo);
    };
    return setup;
}

// The contractor's own data above the list of accounts.
QGroupBox* contractorPanel(QWidget* parent, int contractorId)
{
    auto* box = new QGroupBox(QStringLiteral(" Kontrahent : "), parent);
    auto* grid = new QGridLayout(box);
    auto ds = dmMain->ibStworzIBSQL(true,
                                    "select PELNA, SKROT, KOD_FK, KOD_POCZT, MIEJSCOWOSC, ULICA, BUDYNEK, LOKAL, NIP "
                                    "from ET_KONTAKT where ID = " + QString::number(contractorId),
                                    false);
    const auto value = [&](const char* name) { return ds && !ds->isEmpty() ? ds->fieldByName(name).asString() : QString(); };
    QString address = value("ULICA") + u' ' + value("BUDYNEK");
    if (!value("LOKAL").isEmpty())
        address += u'/' + value("LOKAL");
    const QList<QPair<QString, QString>> rows{{QStringLiteral("Nazwa :"), value("PELNA")},
                                              {QStringLiteral("Skrót :"), value("SKROT")},
                                              {QStringLiteral("Symbol :"), value("KOD_FK")},
                                              {QStringLiteral("Adres :"),
                                               address.trimmed() + ", " + value("KOD_POCZT") + u' ' + value("MIEJSCOWOSC")},
                                              {QStringLiteral("NIP :"), value("NIP")}};
    for (int r = 0; r < rows.size(); ++r) {
        grid->addWidget(new QLabel(rows[r].first, box), r, 0);
        auto* text = new QLabel(rows[r].second, box);
        text->setTextInteractionFlags(Qt::TextSelectableByMouse);
        grid->addWidget(text, r, 1);
    }
    grid->setColumnStretch(1, 1);
    return box;
}

}  // namespace

TdmKontr::TdmKontr(QObject* parent) : QObject(parent) {}

void TdmKontr::KontrahentModalne(QWidget* owner, int currentId)
{
    auto* window = new siblings::ChooserWindow(owner, contractorRegister(), true);
    window->locateKey(currentId);
    ui::dialogs().runModal(*window);
}

void TdmKontr::KontrahentModalneTekst(QWidget* owner, const QString& column, const QString& text)
{
    auto* window = new siblings::ChooserWindow(owner, contractorRegister(), true);
    window->search(column, text);
    ui::dialogs().runModal(*window);
}

void TdmKontr::vKontrahentDane(QWidget* owner, int contractorId, int)
{
    auto* window = new siblings::ChooserWindow(owner, accountList(contractorId), true);
    window->headerArea().addWidget(contractorPanel(window, contractorId));
    window->extraArea().addWidget(new siblings::AccountPanel(*window, contractorId));
    ui::dialogs().runModal(*window);
}

void TdmKontr::vUstawKontoZakceptowane(data::Dataset*, int seenState, int accountId, bool)
{
    const bool accept = seenState != 1;
    data::UnitOfWork uow(dmMain->transaction());
    try {
        fb::Statement st(dmMain->transaction(),
                         std::string("update ET_BANK_KONTO set ZAAKCEPTOWANE = ?, ZAAKCEPTOWAL = ?, "
                                     "DATA_AKCEPTACJI = ") +
                             (accept ? "CURRENT_TIMESTAMP" : "null") + " where ID = ? and ZAAKCEPTOWANE " +
                             (accept ? "is distinct from 1" : "= 1"));
        st.setParams({std::int64_t(accept ? 1 : 0),
                      accept ? fb::Value(dmMain->PobierzUzytkownik().toStdString()) : fb::Value(),
                      std::int64_t(accountId)});
        if (st.execute(dmMain->transaction()) != 1)
            throw std::runtime_error("Akceptację konta bankowego zmienił w międzyczasie inny użytkownik "
                                     "albo konta już nie ma. Odśwież listę.");
    } catch (const fb::Error& e) {
        if (std::string_view(e.what()).find(kFourEyes) != std::string_view::npos)
            throw std::runtime_error(kOwnNumber);
        throw;
    }
    uow.commit();
}

QString TdmKontr::sKontoWpisal(int accountId)
{
    const auto who = fb::selectValue(dmMain->transaction(), "select KONTO_WPISAL from ET_BANK_KONTO where ID = ?",
                                     {std::int64_t(accountId)});
    if (!who || fb::isNull(*who))
        return {};
    return QString::fromStdString(std::get<std::string>(*who)).trimmed().toUpper();
}

QString TdmKontr::sOdmowaAkceptacji(int accountId)
{
    const QString author = sKontoWpisal(accountId);
    if (author.isEmpty() || author.compare(dmMain->PobierzUzytkownik(), Qt::CaseInsensitive) != 0)
        return {};
    return QString::fromUtf8(kOwnNumber);
}
