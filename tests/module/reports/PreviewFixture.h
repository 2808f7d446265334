#pragma once
// The preview run the way a report window runs it, on a module brought up over
// a demo database, with the report's rows held in memory.

#include "module/ModuleFixture.h"
#include "module/reports/Reportviewer.h"
#include "reportengine/ReportFixture.h"
#include "reportengine/Tools.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <functional>

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

}  // namespace pxtest
