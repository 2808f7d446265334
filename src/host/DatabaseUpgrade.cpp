#include "host/DatabaseUpgrade.h"

#include "platform/ui/Dialogs.h"
#include "suitedb/Backup.h"

#include <QStringList>

namespace host {

namespace {

const QString kCaption = QStringLiteral("Aktualizacja bazy danych");

QString number(int n) { return QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0')); }

QString listed(const std::vector<suitedb::Upgrade>& upgrades) {
    QStringList lines;
    for (const auto& u : upgrades) lines << QStringLiteral("%1 – %2").arg(number(u.number), u.description);
    return lines.join(QLatin1Char('\n'));
}

void refuseNewer(const QString& database, const suitedb::LayoutState& state) {
    ui::dialogs().message(QStringLiteral("Baza danych %1 ma nowszy układ (zmiana nr %2) niż ten program, który zna "
                                         "zmiany do nr %3.\n\nZainstaluj nowszą wersję programu. Ta wersja nie otworzy "
                                         "tej bazy, żeby jej nie uszkodzić.")
                              .arg(database, number(state.newestApplied), number(state.newestKnown)),
                          kCaption, ui::Buttons::Ok, ui::Icon::Error);
}

enum class Backup { Taken, Skipped, Declined };

Backup backUp(const fb::ConnectParams& params, const QString& backupFile) {
    try {
        suitedb::backupDatabase(params, backupFile.toStdString());
        return Backup::Taken;
    } catch (const fb::Error& e) {
        const QString text = QStringLiteral(
                                 "Nie udało się zapisać kopii zapasowej bazy danych do pliku\n%1\n\n%2\n\n"
                                 "Każda zmiana układu wykonuje się w całości albo wcale, ale bez kopii nie "
                                 "będzie powrotu do poprzedniego układu. Zaktualizować bazę bez kopii?")
                                 .arg(backupFile, QString::fromUtf8(e.what()));
        const bool goOn = ui::dialogs().message(text, kCaption, ui::Buttons::YesNo, ui::Icon::Warning) ==
                          ui::Answer::Yes;
        return goOn ? Backup::Skipped : Backup::Declined;
    }
}

}  // namespace

bool upgradeDatabase(const fb::ConnectParams& params, const std::string& backupFile,
                     const std::vector<suitedb::Upgrade>& known) {
    const QString database = QString::fromStdString(params.database);
    fb::Attachment att = fb::Attachment::connect(params);
    const suitedb::LayoutState state = suitedb::layoutState(att, known);
    if (state.newerThanProgram()) {
        refuseNewer(database, state);
        return false;
    }
    if (state.pending.empty()) return true;

    const QString backup = QString::fromStdString(backupFile);
    const Backup taken = backUp(params, backup);
    if (taken == Backup::Declined) {
        ui::dialogs().message(QStringLiteral("Baza danych %1 nie została zmieniona.").arg(database), kCaption,
                              ui::Buttons::Ok, ui::Icon::Information);
        return false;
    }
    const bool backedUp = taken == Backup::Taken;
    std::vector<suitedb::Upgrade> done;
    for (const auto& upgrade : state.pending) {
        try {
            if (done.empty()) suitedb::createUpgradeTable(att);
            suitedb::applyUpgrade(att, upgrade);
            done.push_back(upgrade);
        } catch (const fb::Error& e) {
            QString text = QStringLiteral(
                               "Aktualizacja bazy danych %1 nie powiodła się przy zmianie\n%2 – %3\n\n%4\n\n"
                               "Ta zmiana została wycofana w całości. Program nie otworzy bazy, dopóki "
                               "jej układ nie jest pełny.")
                               .arg(database, number(upgrade.number), upgrade.description, QString::fromUtf8(e.what()));
            if (!done.empty()) text += QStringLiteral("\n\nWykonane wcześniej zmiany zostają:\n") + listed(done);
            if (backedUp) text += QStringLiteral("\n\nKopia zapasowa sprzed aktualizacji: ") + backup;
            ui::dialogs().message(text, kCaption, ui::Buttons::Ok, ui::Icon::Error);
            return false;
        }
    }
    const QString copy = backedUp ? QStringLiteral("Kopia zapasowa sprzed aktualizacji: ") + backup
                                  : QStringLiteral("Bez kopii zapasowej.");
    ui::dialogs().message(QStringLiteral("Baza danych %1 miała starszy układ i została zaktualizowana.\n%2\n\n"
                                         "Wykonane zmiany:\n%3")
                              .arg(database, copy, listed(done)),
                          kCaption, ui::Buttons::Ok, ui::Icon::Information);
    return true;
}

}  // namespace host
