// The printed batch: its rows read from the database as the issued batches
// window selects them, and the window's print mode on a batch issued for real.
#include "module/issuing/BatchFixture.h"
#include "module/issuing/BatchRows.h"
#include "module/issuing/Wyborwystawione.h"
#include "module/reports/Repraportzrealizowanych.h"
#include "module/reports/Reportviewer.h"
#include "reportengine/Export.h"
#include "reportengine/PageView.h"
#include "reportengine/ReportFixture.h"
#include "reportengine/Tools.h"

#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

const QDate kDay(2026, 12, 10);

class RaportZrealizowanychTest : public pxtest::BatchFixture {
protected:
    // The batch (kDay, 'B') paid from company bank 1, with the realized rows the test added.
    TfrmQRRaportZrealizowanych& batch()
    {
        db.exec("insert into PR_WYSTAWIONE (ID, DATA_REALIZACJI, KOLEJNY, ID_BANKU) values (9901, '2026-12-10', 'B', 1)");
        DMP->vWybierzZrealizowane(sWarunekPartii(kDay, 'B'), QStringLiteral("b.KOD_FK"));
        if (!DMP->queBanki.isActive())
            DMP->queBanki.open();
        data::Dataset& wystawione = DMP->queWystawione;
        wystawione.close();
        wystawione.setSql({QStringLiteral("select * from PR_WYSTAWIONE where ID = 9901")});
        wystawione.open();
        report = std::make_unique<TfrmQRRaportZrealizowanych>(DMP->queZrealizowane, wystawione);
        return *report;
    }
    // Each text of the pages with its top edge, in print order.
    std::vector<std::pair<QString, qreal>> texts()
    {
        const auto pages = report->rep->prepare();
        std::vector<std::pair<QString, qreal>> found;
        for (int i = 0; i < pages->pageCount(); ++i)
            for (const rpt::TextLine& line : rpt::textLines(pages->page(i)))
                for (const rpt::PageItem* item : line.items)
                    found.emplace_back(item->text, item->rect.top());
        return found;
    }
    QStringList lines()
    {
        const auto pages = report->rep->prepare();
        QStringList all;
        for (int i = 0; i < pages->pageCount(); ++i)
            all << rpttest::pageLines(pages->page(i));
        return all;
    }
    static qreal top(const std::vector<std::pair<QString, qreal>>& texts, const QString& text)
    {
        for (const auto& [t, y] : texts)
            if (t == text)
                return y;
        ADD_FAILURE() << "not printed: " << text.toStdString();
        return -1;
    }

    std::unique_ptr<TfrmQRRaportZrealizowanych> report;
};

} // namespace

// Names cut after 40 characters, titles after 40 and 80; a third title line makes the row taller.
TEST_F(RaportZrealizowanychTest, NamesAndTitlesAreCutIntoLinesOf40)
{
    const std::string n40 = "Przedsiębiorstwo Ąę Żółć " + std::string(15, 'n');
    const std::string n41 = n40 + "X";
    addContractor(9301, n40, "K40");
    addContractor(9302, n41, "K41");
    const std::string t80 = std::string(40, 'a') + std::string(40, 'b');
    const std::string t81 = std::string(40, 'c') + std::string(40, 'd') + "E";
    addRealized(9401, "2026-12-10", 'B', "10.01", t80, "", 9301);
    addRealized(9402, "2026-12-10", 'B', "20.02", t81, "", 9302);
    addContractor(9303, "Trzeci", "K42");
    addRealized(9403, "2026-12-10", 'B', "0", "krótki", "", 9303);
    batch();
    const auto printed = texts();
    const QString s40 = QString::fromStdString(n40);
    EXPECT_EQ(s40.size(), 40);
    EXPECT_GE(top(printed, s40), 0) << "40 characters on one line";
    EXPECT_GE(top(printed, "X"), 0) << "the 41st on the second";
    EXPECT_GE(top(printed, QString(40, 'b')), 0);
    EXPECT_GE(top(printed, "E"), 0) << "the 81st on the third";

    // Rows start 30 points apart, 40 after a row of three title lines.
    const qreal r1 = top(printed, "1."), r2 = top(printed, "2."), r3 = top(printed, "3.");
    EXPECT_DOUBLE_EQ(r2 - r1, 30);
    EXPECT_DOUBLE_EQ(r3 - r2, 40);

    const QStringList all = lines();
    EXPECT_TRUE(all.filter(QRegularExpression("^3\\.;.*;0,00;krótki")).size() == 1) << all.join('\n').toStdString();
    EXPECT_TRUE(all.contains("30,03")) << "total";
}

// A batch without rows prints its headers and a total of zero; the paying account is in the summary.
TEST_F(RaportZrealizowanychTest, EmptyBatchPrintsHeadersZeroTotalAndThePayingAccount)
{
    batch();
    const QStringList all = lines();
    const QString konto = QString::fromStdString(db.scalarText("select KONTO from ET_BANKI where ID = 1"));
    EXPECT_TRUE(rpttest::inOrder(all.join('\n'), {"Przelewy zrealizowane", "Kolejne:;B;dnia:;2026-12-10", "L.p;Konto",
                                                  "0,00", "Z konta : ;" + konto, "Drukowano dnia:"}))
        << all.join('\n').toStdString();

    QTemporaryDir dir;
    rpt::PdfFilter().write(*report->rep->prepare(), dir.filePath("p2.pdf"));
    const QString text = rpttest::pdfText(dir.filePath("p2.pdf"));
    EXPECT_TRUE(rpttest::inOrder(text, {"Przelewy zrealizowane", "( P2 )", "Tresc", "Kod FK", "0,00", "Z konta :"}))
        << text.toStdString();
}

// Printing a batch from the issued batches window: the batch's rows, or the
// grouped rows of a grouping bank, with the total of the database.
TEST_F(RaportZrealizowanychTest, IssuedBatchesWindowPrintsTheBatchGroupedForAGroupingBank)
{
    for (const int bank : {1, 6}) {
        SCOPED_TRACE(bank);
        db.exec("delete from PR_WYSTAWIONE where DATA_REALIZACJI = '2026-12-10'");
        db.exec("delete from PR_PRZELEWY_ZREALIZOWANE where DATA_REALIZACJI = '2026-12-10'");
        addTransfer(9201 + bank * 10, "FV/1", "10.10", "10.10");
        addTransfer(9202 + bank * 10, "FV/2", "20.20", "20.20");
        addTransfer(9203 + bank * 10, "FV/3", "7.01", "7.01", "0", kOther);
        const char letter = issue(kDay, bank);
        auto* window = new TfrmWyborWystawione(nullptr, 'W');
        window->runActivation();
        ASSERT_TRUE(DMP->queWystawione.locate(
            QStringLiteral("ID"), qint64(db.scalarCents("select ID from PR_WYSTAWIONE where DATA_REALIZACJI = "
                                                      "'2026-12-10' and KOLEJNY = '" + std::string(1, letter) + "'"))));
        QStringList all;
        dialogs->expectModal([&](QWidget& w) {
            auto& preview = static_cast<TfrmPreview&>(w);
            EXPECT_FALSE(window->isEnabled());
            for (int i = 0; i < preview.QRPreview->pageCount(); ++i)
                all << rpttest::pageLines(preview.QRPreview->pages()->page(i));
            preview.actCancel->trigger();
            return preview.modalResult();
        });
        window->btnWybierzClick();
        EXPECT_TRUE(window->isEnabled());
        EXPECT_EQ(frmWyborWystawione, window) << "the window stays open";
        const QStringList rows = all.filter(QRegularExpression("^\\d+\\.;"));
        EXPECT_EQ(rows.size(), bank == 6 ? 2 : 3) << all.join('\n').toStdString();
        if (bank == 6) {
            EXPECT_EQ(rows.filter(";30,30;").size(), 1) << "one row for the contractor's two transfers";
        }
        EXPECT_TRUE(all.contains("37,31")) << all.join('\n').toStdString();
        window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}
