#pragma once
// The preview run the way a report window runs it, on a module brought up over
// a demo database, with the report's rows held in memory.

#include "module/ModuleFixture.h"
#include "module/frame/TDMP.h"
#include "module/reports/Reportviewer.h"
#include "platform/data/Dataset.h"
#include "platform/data/Field.h"
#include "platform/data/Formats.h"
#include "platform/data/SqlText.h"
#include "reportengine/PageView.h"
#include "reportengine/ReportFixture.h"
#include "reportengine/Tools.h"

#include <QCoreApplication>
#include <QFile>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <functional>
#include <string>

namespace pxtest {

class PreviewFixture : public ModuleFixture {
protected:
    void TearDown() override {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ModuleFixture::TearDown();
    }

    // A list of n rows (35 to a page) whose start hook counts its runs.
    std::unique_ptr<rpt::Report> report(int n) {
        rows.rows() = rpttest::numberedRows(n);
        auto made = rpttest::listReport(rows);
        made->setBeforePrint([this] { ++starts; });
        return made;
    }

    // Runs the preview of the report; `drive` acts as the user while it is shown.
    void preview(std::unique_ptr<rpt::Report> shown, const std::function<void(TfrmPreview&)>& drive) {
        dialogs->expectModal([&](QWidget& window) {
            auto& form = static_cast<TfrmPreview&>(window);
            form.printer().setOutputFormat(QPrinter::PdfFormat);
            form.printer().setOutputFileName(path("drukarka.pdf"));
            drive(form);
            form.actCancel->trigger();
            return form.modalResult();
        });
        vPokazWydruk(nullptr, std::move(shown));
    }

    QString path(const QString& name) const { return dir.filePath(name); }

    QByteArray bytes(const QString& name) const {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    rpttest::VectorRows rows;
    int starts = 0;
    QTemporaryDir dir;
};

// Pending transfers of the tests' own contractors on an otherwise empty
// register, and the printed lines of a report with the database's sums to compare.
class RaportyFixture : public PreviewFixture {
protected:
    void SetUp() override {
        PreviewFixture::SetUp();
        db.exec("delete from PR_PRZELEWY");
    }

    static std::string q(const std::string& text) { return data::sqlQuote(QString::fromStdString(text)).toStdString(); }

    // A contractor whose only account (ID = contractor ID) is accepted or not.
    void kontrahent(int id, const std::string& nazwa, const std::string& skrot, const std::string& kod,
                    int zaakceptowane = 1) {
        const std::string key = std::to_string(id);
        db.exec("insert into ET_KONTAKT (ID, PELNA, SKROT, KOD_FK) values (" + key + ", " + q(nazwa) + ", " + q(skrot) +
                ", " + q(kod) + ")");
        db.exec("insert into ET_BANK_KONTO (ID, ID_KONTR, KONTO, NAZWA, DOMYSLNE, AKTYWNE, ZAAKCEPTOWANE) values (" +
                key + ", " + key + ", '11 2222 3333 4444 5555 6666 " + std::to_string(7000 + id % 1000) +
                "', 'Bank', 1, 1, " + std::to_string(zaakceptowane) + ")");
    }

    struct Przelew {
        int id;
        int kontrahent;
        std::string kwota;
        std::string termin = "2026-12-01";  // empty: none
        int zaznacz = 0;
    };
    // Titled "T<id>", invoice "FV/<id>".
    void przelew(const Przelew& p) {
        const std::string id = std::to_string(p.id), k = std::to_string(p.kontrahent);
        db.exec(
            "insert into PR_PRZELEWY (ID, ID_KONTRAHENTA, ID_KONTA_BANK, NR_FAKTURY, TRESC1, WN, DATA_WYSTAWIENIA, "
            "TERMIN_ZAPLATY, WPROWADZONY, WARTOSC_CALA, WARTOSC_WYPLACONA, WARTOSC, ZAZNACZ, ZAZNACZ2, ZAZNACZ3) "
            "values (" +
            id + ", " + k + ", " + k + ", 'FV/" + id + "', 'T" + id + "', '201-1', '2026-11-01', " +
            (p.termin.empty() ? "null" : "'" + p.termin + "'") + ", 1, " + p.kwota + ", 0, " + p.kwota + ", " +
            std::to_string(p.zaznacz) + ", 0, 0)");
    }

    // The register query opened again over what the test wrote.
    data::Dataset& rejestr() {
        data::Dataset& przelewy = DMP->quePrzelewy;
        przelewy.close();
        przelewy.open();
        return przelewy;
    }

    // A sum of the database in the report's money text.
    QString suma(const std::string& sql) {
        return data::formatNumber(
            fb::Decimal{db.scalarCents("select cast(coalesce(sum(WARTOSC), 0) * 100 as bigint) " + sql), 2},
            "### ### ##0.00");
    }
};

}  // namespace pxtest
