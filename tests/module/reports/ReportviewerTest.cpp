#include "PreviewFixture.h"

#include "platform/ui/FormBase.h"
#include "reportengine/QrpFile.h"

#include <QTest>

namespace {

using ReportviewerTest = pxtest::PreviewFixture;

}  // namespace

TEST_F(ReportviewerTest, CallerIsDisabledWhileTheReportIsShownAndTheReportIsGoneAfter) {
    auto* caller = new ui::FormBase(nullptr);
    caller->show();
    std::weak_ptr<int> alive;
    {
        auto shown = report(3);
        auto token = std::make_shared<int>(0);
        alive = token;
        shown->band(rpt::BandKind::Summary).setBeforePrint([token](rpt::Band&, bool&) {});
        dialogs->expectModal([&](QWidget& window) {
            auto& form = static_cast<TfrmPreview&>(window);
            EXPECT_FALSE(caller->isEnabled());
            form.actCancel->trigger();
            return form.modalResult();
        });
        vPokazWydruk(caller, std::move(shown));
    }
    EXPECT_TRUE(alive.expired());
    EXPECT_TRUE(caller->isEnabled());
    EXPECT_EQ(starts, 1);
    caller->close();
}

// Typed pages: leading zeros go, letters never get in, too large a page becomes the last.
TEST_F(ReportviewerTest, TypedPageIsCutToThePagesThereAre) {
    preview(report(80), [&](TfrmPreview& form) {
        form.edtPage->setFocus();
        form.edtPage->clear();
        QTest::keyClicks(form.edtPage, "0x1");
        EXPECT_EQ(form.edtPage->text(), "1");
        QTest::keyClicks(form.edtPage, "9");
        QTest::keyClick(form.edtPage, Qt::Key_Return);
        EXPECT_EQ(form.QRPreview->pageNumber(), 3);
    });
}

TEST_F(ReportviewerTest, SavesAndExportsCheckTheExtensionAndSavedPagesReopen) {
    QByteArray saved;
    preview(report(80), [&](TfrmPreview& form) {
        dialogs->expectSaveFile(path("lista.PDF"));
        dialogs->expectMessage("Utworzono plik " + path("lista.PDF"), ui::Answer::Ok);
        form.actSavePDF->trigger();
        dialogs->expectSaveFile(path("lista.csv"));
        dialogs->expectMessage("Utworzono plik ", ui::Answer::Ok);
        form.actSaveCSV->trigger();

        // Saving through the filter list: the native format, or one chosen by its place in the list.
        dialogs->expectSaveFile(path("wydruk.txt"), 0);
        dialogs->expectMessage("Rozszerzenie nazwy nie odpowiada wybranemu formatowi.", ui::Answer::Ok);
        form.actSave->trigger();
        dialogs->expectSaveFile(path("lista.qrp"), 0);
        form.actSave->trigger();
        saved = rpt::encodePages(*form.QRPreview->pages());

        // A damaged file is refused and what is shown stays.
        rpt::savePages(*form.QRPreview->pages(), path("zly.qrp"));
        QFile(path("zly.qrp")).resize(300);
        dialogs->expectOpenFile(path("zly.qrp"));
        dialogs->expectMessage("Plik wydruku jest uszkodzony.", ui::Answer::Ok);
        form.actOpen->trigger();
        EXPECT_EQ(form.QRPreview->pageCount(), 3);

        dialogs->expectOpenFile(path("lista.qrp"));
        form.actOpen->trigger();
        EXPECT_EQ(rpt::encodePages(*form.QRPreview->pages()), saved);
    });
    EXPECT_FALSE(QFile::exists(path("wydruk.txt")));
    EXPECT_EQ(rpttest::pdfPageCount(path("lista.PDF")), 3);
    // Text files leave in the suite's code page: "ż" is 0xBF there.
    EXPECT_TRUE(bytes("lista.csv")
                    .startsWith("Za\xbf\xf3\xb3\xe6 g\xea\x9cl\xb9 ja\x9f\xf1;Strona:1\r\n"
                                "L.p;Nazwa\r\n1;Pozycja 1\r\n"));
}

// Printing runs the report again, except for pages opened from a file, which print as they are.
TEST_F(ReportviewerTest, PrintingRunsTheReportAgainOnThePrinter) {
    rpttest::VectorRows other(rpttest::numberedRows(50));
    rpt::savePages(*rpttest::listReport(other)->prepare(), path("inny.qrp"));
    preview(report(80), [&](TfrmPreview& form) {
        form.actPrint->trigger();
        EXPECT_EQ(starts, 2);
        EXPECT_EQ(rpttest::pdfPageCount(path("drukarka.pdf")), 3);

        // Pages 2 to 3, twice.
        dialogs->expectPrint([&](QPrinter& printer) {
            printer.setPrintRange(QPrinter::PageRange);
            printer.setFromTo(2, 3);
            printer.setCopyCount(2);
            return true;
        });
        form.actSettings->trigger();
        EXPECT_EQ(rpttest::pdfPageCount(path("drukarka.pdf")), 4);
        EXPECT_EQ(starts, 3);

        // Opened pages print as they are, under the settings chosen (the report's own would be 4 pages).
        dialogs->expectOpenFile(path("inny.qrp"));
        form.actOpen->trigger();
        form.actPrint->trigger();
        EXPECT_EQ(rpttest::pdfPageCount(path("drukarka.pdf")), 2);
        EXPECT_EQ(starts, 3);

        form.printer().setOutputFileName(path("brak/drukarka.pdf"));
        dialogs->expectMessage("Podczas drukowania nastąpił błąd :\n\n", ui::Answer::Ok);
        form.actPrint->trigger();
    });
}
