#include "siblings/kartoteka/BankWindow.h"

#include "platform/data/RowChanged.h"
#include "platform/data/UnitOfWork.h"
#include "platform/ui/Dialogs.h"
#include "siblings/core/TdmMain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QToolButton>

namespace siblings {
namespace {

const QString kRead = QStringLiteral(
    "NAZWA, KONTO, KOD_FK, PROCEDURA, SCIEZKA_PRZELEWOW, GRUPOWANIE, OBSLUGA_PARAGRAF, KOD_MPP, ZMIENIL, DATA_ZMIANY");
const QString kWritten = QStringLiteral(
    "PROCEDURA, SCIEZKA_PRZELEWOW, GRUPOWANIE, OBSLUGA_PARAGRAF, KOD_MPP, ZMIENIL, DATA_ZMIANY");
const QString kChanged = QStringLiteral(
    "Ustawienia banku zmienił w tym czasie inny użytkownik.\n"
    "Nic nie zapisano; lista zostanie odczytana ponownie.");

// Writes the settings only while the row holds every value the window read
// (NULL equal to NULL): another user's save in between changes no row.
QString bankUpdate() {
    QStringList sets, conditions{QStringLiteral("ID = :OLD_ID")};
    for (const QString& c : kWritten.split(QStringLiteral(", "))) sets << c + QStringLiteral(" = :") + c;
    for (const QString& c : kRead.split(QStringLiteral(", ")))
        conditions << c + QStringLiteral(" is not distinct from :OLD_") + c;
    return QStringLiteral("update ET_BANKI set ") + sets.join(QStringLiteral(", ")) + QStringLiteral(" where ") +
           conditions.join(QStringLiteral(" and "));
}

ChooserSetup bankRegister() {
    ChooserSetup setup;
    setup.caption = QStringLiteral("Banki firmy");
    setup.select = QStringLiteral("select ID, ") + kRead + QStringLiteral(" from ET_BANKI");
    setup.condition = QStringLiteral("ID > 0");
    setup.order = QStringLiteral("ID");
    setup.columns = {{"NAZWA", QStringLiteral("Bank"), 200},
                     {"KONTO", QStringLiteral("Rachunek"), 260},
                     {"KOD_FK", QStringLiteral("Konto F-K"), 80},
                     {"PROCEDURA", QStringLiteral("Procedura"), 70},
                     {"SCIEZKA_PRZELEWOW", QStringLiteral("Folder plików"), 200}};
    return setup;
}

}  // namespace

BankWindow::BankWindow(QWidget* owner)
    : ChooserWindow(owner, bankRegister(), false),
      m_procedure(new QComboBox(this)),
      m_folder(new QLineEdit(this)),
      m_grouping(new QCheckBox(QStringLiteral("Grupowanie przelewów jednego odbiorcy"), this)),
      m_paragraph(new QCheckBox(QStringLiteral("Przekazywanie paragrafu do banku"), this)),
      m_splitCode(new QLineEdit(this)) {
    // Two digits of the Elixir-O order; empty: the usual code of a split payment.
    m_splitCode->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,2}")), m_splitCode));
    m_splitCode->setPlaceholderText(QStringLiteral("53"));
    // As long as the column holds: a longer folder would fail only on saving.
    m_folder->setMaxLength(255);
    m_splitCode->setMaximumWidth(60);
    // Without the bank's own procedure no payment file can be written.
    m_procedure->addItem(QStringLiteral("0 - brak"), 0);
    m_procedure->addItem(QStringLiteral("1 - polecenia przelewu Elixir-O (.PLI)"), 1);
    m_procedure->addItem(QStringLiteral("2 - plik importu (.IMP)"), 2);
    m_procedure->addItem(QStringLiteral("3 - plik importu z kodem F-K (.IMP)"), 3);
    m_procedure->addItem(QStringLiteral("4 - plik importu (.IMP)"), 4);
    m_procedure->addItem(QStringLiteral("5 - plik tekstowy bez polskich liter (.TXT)"), 5);

    auto* box = new QGroupBox(QStringLiteral(" Ustawienia banku : "), this);
    auto* form = new QFormLayout(box);
    form->addRow(QStringLiteral("Procedura:"), m_procedure);
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(m_folder, 1);
    auto* browse = new QToolButton(box);
    browse->setIcon(dmMain->PobierzSrednie().value(0));
    folderRow->addWidget(browse);
    form->addRow(QStringLiteral("Folder plików przelewów:"), folderRow);
    form->addRow(m_grouping);
    form->addRow(m_paragraph);
    form->addRow(QStringLiteral("Kod przelewu w podzielonej płatności:"), m_splitCode);
    auto* saveButton = new QPushButton(dmMain->PobierzPrzyciski().value(1), QStringLiteral("Zapisz"), box);
    form->addRow(saveButton);
    extraArea().addWidget(box);

    connect(browse, &QToolButton::clicked, this, &BankWindow::chooseFolder);
    connect(saveButton, &QPushButton::clicked, this, &BankWindow::save);
    connect(&dataset(), &data::Dataset::afterScroll, this, &BankWindow::showCurrent);
    connect(&dataset(), &data::Dataset::afterOpen, this, &BankWindow::showCurrent);
    dataset().setModifySql(bankUpdate());
    dataset().setRowChangedText(kChanged);
    showCurrent();
}

void BankWindow::showCurrent() {
    data::Dataset& ds = dataset();
    const bool hasRow = ds.isActive() && !ds.isEmpty();
    for (QWidget* w : std::initializer_list<QWidget*>{m_procedure, m_folder, m_grouping, m_paragraph, m_splitCode})
        w->setEnabled(hasRow);
    if (!hasRow) return;
    const int procedureIndex = m_procedure->findData(int(ds.fieldByName("PROCEDURA").asInteger()));
    m_procedure->setCurrentIndex(std::max(procedureIndex, 0));
    m_folder->setText(ds.fieldByName("SCIEZKA_PRZELEWOW").asString());
    m_grouping->setChecked(ds.fieldByName("GRUPOWANIE").asInteger() == 1);
    m_paragraph->setChecked(ds.fieldByName("OBSLUGA_PARAGRAF").asInteger() == 1);
    m_splitCode->setText(ds.fieldByName("KOD_MPP").asString());
}

void BankWindow::chooseFolder() {
    const QString folder = ui::dialogs().folder(QStringLiteral("Folder plików przelewów"), m_folder->text());
    if (!folder.isEmpty()) m_folder->setText(folder);
}

bool BankWindow::save() {
    data::Dataset& ds = dataset();
    if (!ds.isActive() || ds.isEmpty()) return false;
    const auto zapis = [&] {
        data::UnitOfWork uow(dmMain->transaction(), {&ds});
        ds.edit();
        ds.fieldByName("PROCEDURA").setInteger(m_procedure->currentData().toInt());
        ds.fieldByName("SCIEZKA_PRZELEWOW").setString(m_folder->text().trimmed());
        ds.fieldByName("GRUPOWANIE").setInteger(m_grouping->isChecked() ? 1 : 0);
        ds.fieldByName("OBSLUGA_PARAGRAF").setInteger(m_paragraph->isChecked() ? 1 : 0);
        if (m_splitCode->text().isEmpty())
            ds.fieldByName("KOD_MPP").clear();
        else
            ds.fieldByName("KOD_MPP").setString(m_splitCode->text());
        ds.fieldByName("ZMIENIL").setString(dmMain->PobierzUzytkownik());
        ds.fieldByName("DATA_ZMIANY").setDateTime(QDateTime::currentDateTime());
        ds.post();
        uow.commit();
    };
    return runHandler("save", zapis, [](const std::exception& e) {
        if (dynamic_cast<const data::RowChanged*>(&e))
            ui::dialogs().message(kChanged, QStringLiteral("Ostrzeżenie"), ui::Buttons::Ok, ui::Icon::Warning);
        else
            ui::dialogs().message(QStringLiteral("Błąd zapisu danych banku\n\n") + QString::fromUtf8(e.what()),
                                  QString(), ui::Buttons::Ok, ui::Icon::Error);
    });
}

// The undone edit leaves the screen with what the user typed: show the bank as it is now.
void BankWindow::onHandlerFailed(const char*) { requery(); }

}  // namespace siblings
