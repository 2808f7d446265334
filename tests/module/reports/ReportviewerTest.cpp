#include "PreviewFixture.h"

#include "platform/ui/FormBase.h"
#include "reportengine/PageView.h"
#include "reportengine/QrpFile.h"

#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

namespace {

using pxtest::PreviewFixture;

class ReportviewerTest : public PreviewFixture {};

void wheel(TfrmPreview& form, int delta, Qt::KeyboardModifiers modifiers) {
    QWidget* viewport = form.QRPreview->viewport();
    const QPointF at(20, 20);
    QWheelEvent event(at, viewport->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(viewport, &event);
}

bool pagingEnabled(const TfrmPreview& form) {
    return form.btnFirst->isEnabled() || form.btnPrev->isEnabled() || form.btnNext->isEnabled() ||
           form.btnLast->isEnabled();
}

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
            EXPECT_EQ(frmPreview, &form);
            EXPECT_FALSE(caller->isEnabled());
            form.actCancel->trigger();
            EXPECT_EQ(form.QRPreview->pages(), nullptr);
            return form.modalResult();
        });
        vPokazWydruk(caller, std::move(shown));
    }
    EXPECT_TRUE(alive.expired());
    EXPECT_EQ(frmPreview, nullptr);
    EXPECT_TRUE(caller->isEnabled());
    EXPECT_EQ(starts, 1);
    caller->close();
}

TEST_F(ReportviewerTest, PagingFollowsButtonsPageBoxAndWheel) {
    preview(report(80), [&](TfrmPreview& form) {
        form.actLast->trigger();
        form.actPrev->trigger();
        EXPECT_EQ(form.edtPage->text(), "2");
        form.actFirst->trigger();
        form.actNext->trigger();
        EXPECT_EQ(form.QRPreview->pageNumber(), 2);
        EXPECT_TRUE(form.btnPrev->isEnabled() && form.btnNext->isEnabled());

        // Typed pages: leading zeros go, letters never get in, too large a page becomes the last.
        form.edtPage->setFocus();
        form.edtPage->clear();
        QTest::keyClicks(form.edtPage, "0x1");
        EXPECT_EQ(form.edtPage->text(), "1");
        QTest::keyClicks(form.edtPage, "9");
        EXPECT_EQ(form.iWpisanaStrona(), 19);
        QTest::keyClick(form.edtPage, Qt::Key_Backspace);
        QTest::keyClick(form.edtPage, Qt::Key_Backspace);
        QTest::keyClicks(form.edtPage, "99");
        QTest::keyClick(form.edtPage, Qt::Key_Return);
        EXPECT_EQ(form.edtPage->text(), "3");

        // Shift turns pages; Ctrl scrolls across, the bare wheel up and down.
        wheel(form, 120, Qt::ShiftModifier);
        EXPECT_EQ(form.StatusPanel1->text(), "Strona 2 z 3");
        wheel(form, -120, Qt::ShiftModifier);
        EXPECT_EQ(form.QRPreview->pageNumber(), 3);
        form.actFit200->trigger();
        wheel(form, -120, Qt::ControlModifier);
        wheel(form, -120, Qt::NoModifier);
        wheel(form, -120, Qt::NoModifier);
        EXPECT_EQ(form.QRPreview->horizontalScrollBar()->value(), 25);
        EXPECT_EQ(form.QRPreview->verticalScrollBar()->value(), 50);
    });
}

TEST_F(ReportviewerTest, ReportWithoutPagesStillCountsOnePage) {
    preview(report(0), [&](TfrmPreview& form) {
        EXPECT_EQ(form.QRPreview->pageCount(), 0);
        EXPECT_EQ(form.edtPageCount->text(), "1");
        EXPECT_FALSE(pagingEnabled(form));
        // Nothing to save: a beep and no file.
        dialogs->expectSaveFile(path("pusty.qrp"), 0);
        form.actSave->trigger();
    });
    EXPECT_EQ(dialogs->beeps(), 1);
    EXPECT_FALSE(QFile::exists(path("pusty.qrp")));
}

TEST_F(ReportviewerTest, SavesAndExportsCheckTheExtensionAndSavedPagesReopen) {
    QByteArray saved;
    preview(report(80), [&](TfrmPreview& form) {
        dialogs->expectSaveFile(path("lista.PDF"));
        dialogs->expectMessage("Utworzono plik " + path("lista.PDF"), ui::Answer::Ok);
        form.actSavePDF->trigger();
        dialogs->expectSaveFile(path("bez-rozszerzenia"));
        form.actSavePDF->trigger();
        dialogs->expectSaveFile(path("lista.csv"));
        dialogs->expectMessage("Utworzono plik ", ui::Answer::Ok);
        form.actSaveCSV->trigger();
        dialogs->expectSaveFile(path("lista.txt"));
        dialogs->expectMessage("Utworzono plik ", ui::Answer::Ok);
        form.actSaveTXT->trigger();

        // Saving through the filter list: the native format, or one chosen by its place in the list.
        dialogs->expectSaveFile(path("wydruk.txt"), 0);
        dialogs->expectMessage("Rozszerzenie nazwy nie odpowiada wybranemu formatowi.", ui::Answer::Ok);
        form.actSave->trigger();
        dialogs->expectSaveFile(path("lista.qrp"), 0);
        form.actSave->trigger();
        saved = rpt::encodePages(*form.QRPreview->pages());

        // A damaged file is refused and what is shown stays.
        QFile damaged(path("zly.qrp"));
        ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
        damaged.write(bytes("lista.qrp").left(300));
        damaged.close();
        dialogs->expectOpenFile(path("zly.qrp"));
        dialogs->expectMessage("Plik wydruku jest uszkodzony.", ui::Answer::Ok);
        form.actOpen->trigger();
        EXPECT_EQ(form.QRPreview->pageCount(), 3);
        EXPECT_TRUE(form.btnSave->isEnabled());

        form.actLast->trigger();
        dialogs->expectOpenFile(path("lista.qrp"));
        form.actOpen->trigger();
        EXPECT_EQ(rpt::encodePages(*form.QRPreview->pages()), saved);
        EXPECT_EQ(form.StatusPanel1->text(), "Strona 1 z 3");
        EXPECT_FALSE(form.btnSave->isEnabled());
    });
    for (const char* unwritten : {"bez-rozszerzenia", "wydruk.txt"})
        EXPECT_FALSE(QFile::exists(path(unwritten))) << unwritten;
    EXPECT_EQ(rpttest::pdfPageCount(path("lista.PDF")), 3);
    // Text files leave in the suite's code page: "ż" is 0xBF there.
    const QByteArray csv = bytes("lista.csv");
    EXPECT_TRUE(
        csv.startsWith("Za\xbf\xf3\xb3\xe6 g\xea\x9cl\xb9 ja\x9f\xf1;Strona:1\r\n"
                       "L.p;Nazwa\r\n1;Pozycja 1\r\n"));
    EXPECT_EQ(csv.count("Pozycja"), 80);
    EXPECT_EQ(bytes("lista.txt").count("\f"), 2);
}

TEST_F(ReportviewerTest, PrintingRunsTheReportAgainOnThePrinter) {
    preview(report(80), [&](TfrmPreview& form) {
        form.actLast->trigger();
        form.actPrint->trigger();
        EXPECT_EQ(starts, 2);
        EXPECT_EQ(form.QRPreview->pageNumber(), 3);
        EXPECT_EQ(rpttest::pdfPageCount(path("drukarka.pdf")), 3);

        // Pages 2 to 3, twice.
        dialogs->expectPrint([&](QPrinter& printer) {
            EXPECT_EQ(printer.toPage(), 3);
            printer.setPrintRange(QPrinter::PageRange);
            printer.setFromTo(2, 3);
            printer.setCopyCount(2);
            return true;
        });
        form.actSettings->trigger();
        EXPECT_EQ(rpttest::pdfPageCount(path("drukarka.pdf")), 4);
        dialogs->expectPrint(false);
        form.actSettings->trigger();
        EXPECT_EQ(starts, 3);

        form.printer().setOutputFileName(path("brak/drukarka.pdf"));
        dialogs->expectMessage("Podczas drukowania nastąpił błąd :\n\n", ui::Answer::Ok);
        form.actPrint->trigger();
    });
}

TEST_F(ReportviewerTest, OpenedPagesPrintAsTheyAre) {
    rpttest::VectorRows other(rpttest::numberedRows(50));
    rpt::savePages(*rpttest::listReport(other)->prepare(), path("inny.qrp"));
    preview(report(3), [&](TfrmPreview& form) {
        dialogs->expectOpenFile(path("inny.qrp"));
        form.actOpen->trigger();
        form.actPrint->trigger();
        // The report's own pages would be one.
        EXPECT_EQ(rpttest::pdfPageCount(path("drukarka.pdf")), 2);
        EXPECT_EQ(starts, 1);
    });
}
