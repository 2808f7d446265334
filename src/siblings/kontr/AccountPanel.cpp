#include "siblings/kontr/AccountPanel.h"

#include "platform/data/UnitOfWork.h"
#include "platform/text/Nrb.h"
#include "platform/ui/Dialogs.h"
#include "siblings/core/ChooserWindow.h"
#include "siblings/core/TdmMain.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace siblings {
namespace {

const QString kCaption = QStringLiteral("Konto bankowe");

void tell(const QString& text, ui::Icon icon = ui::Icon::Warning)
{
    ui::dialogs().message(text, kCaption, ui::Buttons::Ok, icon);
}

std::int64_t flag(const QCheckBox& box) { return box.isChecked() ? 1 : 0; }

}  // namespace

AccountPanel::AccountPanel(ChooserWindow& window, int contractorId)
    : QGroupBox(QStringLiteral(" Konto bankowe : "), &window), m_window(window), m_contractor(contractorId),
      m_account(new QLineEdit(this)), m_bank(new QLineEdit(this)),
      m_default(new QCheckBox(QStringLiteral("Domyślne"), this)),
      m_active(new QCheckBox(QStringLiteral("Aktywne"), this)),
      m_newButton(new QPushButton(dmMain->PobierzPrzyciski().value(3), QStringLiteral("Nowe konto"), this)),
      m_saveButton(new QPushButton(dmMain->PobierzPrzyciski().value(1), QStringLiteral("Zapisz konto"), this))
{
    m_account->setObjectName(QStringLiteral("edtKonto"));
    m_account->setMaxLength(60);
    m_bank->setObjectName(QStringLiteral("edtBank"));
    m_bank->setMaxLength(60);
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("Numer konta:"), m_account);
    form->addRow(QStringLiteral("Bank:"), m_bank);
    auto* flags = new QHBoxLayout;
    flags->addWidget(m_default);
    flags->addWidget(m_active);
    flags->addStretch();
    flags->addWidget(m_newButton);
    flags->addWidget(m_saveButton);
    form->addRow(flags);

    connect(m_newButton, &QPushButton::clicked, this, &AccountPanel::startNew);
    connect(m_saveButton, &QPushButton::clicked, this, &AccountPanel::save);
    connect(&window.dataset(), &data::Dataset::afterScroll, this, &AccountPanel::showCurrent);
    connect(&window.dataset(), &data::Dataset::afterOpen, this, &AccountPanel::showCurrent);
    showCurrent();
}

void AccountPanel::showCurrent()
{
    data::Dataset& ds = m_window.dataset();
    m_new = !ds.isActive() || ds.isEmpty();
    const auto text = [&](const char* name) { return m_new ? QString() : ds.fieldByName(name).asString(); };
    m_account->setText(text("KONTO"));
    m_bank->setText(text("NAZWA"));
    m_default->setChecked(!m_new && ds.fieldByName("DOMYSLNE").asInteger() == 1);
    m_active->setChecked(m_new || ds.fieldByName("AKTYWNE").asInteger() == 1);
}

void AccountPanel::startNew()
{
    m_new = true;
    m_account->clear();
    m_bank->clear();
    m_default->setChecked(false);
    m_active->setChecked(true);
    m_account->setFocus();
}

bool AccountPanel::save()
{
    const QString number = m_account->text().trimmed();
    if (number.isEmpty()) {
        tell(QStringLiteral("Wpisz numer konta."));
        m_account->setFocus();
        return false;
    }
    // A mistyped number may still be what the contractor gave; the user decides.
    const QString warning = text::nrbWarning(number);
    if (!warning.isEmpty() &&
        ui::dialogs().message(warning + QStringLiteral("\n\nZapisać to konto mimo to?"), kCaption, ui::Buttons::YesNo,
                              ui::Icon::Warning) != ui::Answer::Yes) {
        m_account->setFocus();
        return false;
    }
    try {
        return write(number);
    } catch (const std::exception& e) {
        tell(QStringLiteral("Błąd zapisu konta bankowego\n\n") + QString::fromUtf8(e.what()), ui::Icon::Error);
        return false;
    }
}

bool AccountPanel::write(const QString& number)
{
    data::Dataset& ds = m_window.dataset();
    fb::Transaction& tr = dmMain->transaction();
    data::UnitOfWork uow(tr);
    const std::string user = dmMain->PobierzUzytkownik().toStdString();
    std::int64_t id = 0;
    if (m_new) {
        const auto key = fb::selectValue(tr, "select gen_id(GEN_ET_BANK_KONTO_ID, 1) from RDB$DATABASE");
        id = key ? std::get<std::int64_t>(*key) : 0;
        fb::Statement st(tr, "insert into ET_BANK_KONTO (ID, ID_KONTR, KONTO, NAZWA, DOMYSLNE, AKTYWNE, ZAAKCEPTOWANE, "
                             "DODAL, DATA_DODANIA) values (?, ?, ?, ?, ?, ?, 0, ?, CURRENT_TIMESTAMP)");
        st.setParams({id, std::int64_t(m_contractor), number.toStdString(), m_bank->text().trimmed().toStdString(),
                      flag(*m_default), flag(*m_active), user});
        st.execute(tr);
    } else {
        // Only the row the user saw; the database drops the acceptance of a changed number.
        id = ds.fieldByName("ID").asInteger();
        fb::Statement st(tr, "update ET_BANK_KONTO set KONTO = ?, NAZWA = ?, DOMYSLNE = ?, AKTYWNE = ?, "
                             "ZMIENIL = ?, DATA_ZMIANY = CURRENT_TIMESTAMP "
                             "where ID = ? and KONTO is not distinct from ? and NAZWA is not distinct from ?");
        st.setParams({number.toStdString(), m_bank->text().trimmed().toStdString(), flag(*m_default),
                      flag(*m_active), user, id, ds.fieldByName("KONTO").value(), ds.fieldByName("NAZWA").value()});
        if (st.execute(tr) != 1) {
            tell(QStringLiteral("Konto zmienił lub usunął w tym czasie inny użytkownik.\n"
                                "Nic nie zapisano; lista zostanie odczytana ponownie."));
            m_window.requery();
            return false;
        }
    }
    uow.commit();
    m_window.requery();
    m_window.locateKey(static_cast<int>(id));
    return true;
}

}  // namespace siblings
