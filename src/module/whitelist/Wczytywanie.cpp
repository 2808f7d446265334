#include "module/whitelist/Wczytywanie.h"

#include "module/whitelist/Folder.h"
#include "module/whitelist/Kontrola.h"
#include "module/whitelist/Magazyn.h"
#include "module/whitelist/ZnaneSkroty.h"
#include "platform/data/UnitOfWork.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/FormBase.h"
#include "siblings/core/TdmMain.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QProgressDialog>

namespace whitelist {

namespace {

const QString kTytul = QStringLiteral("Biała lista podatników VAT");

// The register's transfers hashed now, while the user waits for the file
// anyway, so that the check at issue on every workstation finds them done.
// Stopping leaves the rest to be hashed at issue.
void policzSkrotyRejestru(const QDate& dzien, QProgressDialog& postep) {
    const auto magazyn = Magazyn::otworz(dzien);
    if (!magazyn) return;
    std::vector<Para> pary;
    for (const auto& p : przelewyRejestruOdProgu(dmMain->transaction()))
        pary.push_back({p.nip.toStdString(), p.konto.toStdString()});
    postep.reset();
    sprawdzZeSkrotamiDnia(*magazyn, pary, [&](std::size_t zrobione, std::size_t wszystkie) {
        postep.setMaximum(static_cast<int>(wszystkie));
        postep.setLabelText(QStringLiteral("Obliczanie skrótów rachunków przelewów z rejestru: %1 z %2...")
                                .arg(zrobione)
                                .arg(wszystkie));
        postep.setValue(static_cast<int>(zrobione));
        QCoreApplication::processEvents();
        return !postep.wasCanceled();
    });
}

}  // namespace

void zapiszWczytanie(const OpisMagazynu& o) {
    fb::Transaction& tr = dmMain->transaction();
    data::UnitOfWork uow(tr);
    fb::Statement st(tr,
                     "update or insert into PR_BIALA_LISTA_PLIKI (DATA_PLIKU, LICZBA_TRANSFORMACJI, CZYNNYCH, "
                     "ZWOLNIONYCH, MASEK, WCZYTAL, WCZYTANO) values (?, ?, ?, ?, ?, ?, current_timestamp) "
                     "matching (DATA_PLIKU)");
    st.setParams({fb::Timestamp{o.data.year(), o.data.month(), o.data.day()}, std::int64_t{o.rundy},
                  static_cast<std::int64_t>(o.czynnych), static_cast<std::int64_t>(o.zwolnionych),
                  static_cast<std::int64_t>(o.masek), dmMain->PobierzUzytkownik().toStdString()});
    st.execute(tr);
    uow.commit();
}

void vWczytajPlikPlaskiZMenu(QWidget* rodzic) {
    const QString sciezka = ui::dialogs().openFileName(QStringLiteral("Plik płaski białej listy podatników VAT"),
                                                       QString(),
                                                       QStringLiteral("Plik płaski (*.json);;Wszystkie (*)"));
    if (sciezka.isEmpty()) return;
    try {
        uzyjFolderuZParametrow(dmMain->transaction());
    } catch (const std::exception& e) {
        ui::showError(QStringLiteral("frmBialaLista"), "vWczytajPlikPlaski", e);
        return;
    }
    QFile plik(sciezka);
    if (!plik.open(QIODevice::ReadOnly)) {
        ui::dialogs().message("Nie można otworzyć pliku " + sciezka + ": " + plik.errorString(), kTytul,
                              ui::Buttons::Ok, ui::Icon::Error);
        return;
    }
    // The bar counts in thousandths: a file of gigabytes does not fit an int of bytes.
    const qint64 rozmiar = std::max<qint64>(plik.size(), 1);
    QProgressDialog postep(QStringLiteral("Wczytywanie pliku płaskiego białej listy..."), QStringLiteral("Przerwij"), 0,
                           1000, rodzic);
    postep.setWindowTitle(kTytul);
    postep.setWindowModality(Qt::WindowModal);
    postep.setMinimumDuration(0);
    try {
        const OpisMagazynu o = wczytajPlikPlaski(plik, [&](qint64 przeczytane) {
            postep.setValue(static_cast<int>(przeczytane * 1000 / rozmiar));
            QCoreApplication::processEvents();
            return !postep.wasCanceled();
        });
        postep.setValue(1000);
        zapiszWczytanie(o);
        policzSkrotyRejestru(o.data, postep);
        // Counts after a colon read right in Polish whatever their number.
        const QLocale pl;
        ui::dialogs().message(QStringLiteral("Wczytano plik płaski z dnia %1.\nSkróty podatników czynnych: %2, "
                                             "zwolnionych: %3, maski rachunków wirtualnych: %4.")
                                  .arg(o.data.toString(QStringLiteral("yyyy-MM-dd")), pl.toString(o.czynnych),
                                       pl.toString(o.zwolnionych), pl.toString(o.masek)),
                              kTytul, ui::Buttons::Ok, ui::Icon::Information);
    } catch (const BladPliku& e) {
        ui::dialogs().message(e.tekst(), kTytul, ui::Buttons::Ok,
                              e.przerwano() ? ui::Icon::Information : ui::Icon::Error);
    } catch (const std::exception& e) {
        ui::showError(QStringLiteral("frmBialaLista"), "vWczytajPlikPlaski", e);
    }
}

}  // namespace whitelist
