// The summaries window: its options, the contractor choice by short name and
// by the picker, the refusal without a contractor, and both prints.
#include "PreviewFixture.h"

#include "module/reports/Zestawienia.h"
#include "siblings/core/ChooserWindow.h"

#include <QAbstractButton>
#include <QButtonGroup>

namespace {

class ZestawieniaTest : public pxtest::RaportyFixture {
protected:
    void SetUp() override {
        RaportyFixture::SetUp();
        kontrahent(9101, "Jan O'Neill i Syn", "O'Neill", "A01");
        kontrahent(9102, "Beta", "BETA", "B02");
        przelew({.id = 101, .kontrahent = 9101, .kwota = "11.11"});
        przelew({.id = 102, .kontrahent = 9102, .kwota = "22.22"});
        przelew({.id = 103, .kontrahent = 9101, .kwota = "33.33"});
        rejestr();
        okno = new TfrmZestawienia(nullptr);
        okno->show();
    }
    void TearDown() override {
        if (frmZestawienia) frmZestawienia->close();
        RaportyFixture::TearDown();
    }

    void skrot(const QString& text) {
        okno->edtSkrot->setText(text);
        okno->edtSkrotExit();
    }
    // The lines of the preview's pages after pressing the button.
    QStringList drukuj(void (TfrmZestawienia::*przycisk)()) {
        QStringList lines;
        dialogs->expectModal([&](QWidget& w) {
            auto& preview = static_cast<TfrmPreview&>(w);
            lines = rpttest::allLines(*preview.QRPreview->pages());
            preview.actCancel->trigger();
            return preview.modalResult();
        });
        (okno->*przycisk)();
        return lines;
    }
    static int wiersze(const QStringList& lines) { return int(lines.filter(QRegularExpression("^\\d+\\.;")).size()); }
    // Picks the contractor of that ID in the host's picker; one not listed
    // stands for a contractor deleted meanwhile (0: nothing picked).
    void wybierz(int id) {
        dialogs->expectModal([this, id](QWidget& w) {
            auto& rejestr = dynamic_cast<siblings::ChooserWindow&>(w);
            if (rejestr.locateKey(id)) {
                rejestr.choose();
            } else {
                okno->setTag(id);
                rejestr.close();
            }
            return ui::mrOk;
        });
        okno->spbDajKontrahentaClick();
    }

    TfrmZestawienia* okno = nullptr;
};

}  // namespace

// A short name with an apostrophe finds its contractor, one that matches
// nobody empties the choice and printing is refused until there is one; the
// picker's choice arrives through the tag, and one not found prints everybody.
TEST_F(ZestawieniaTest, ShortNameOrPickerChoosesTheContractorOrPrintingIsRefused) {
    skrot("O'Neill");
    EXPECT_EQ(okno->iWybranyKontrahent, 9101);
    EXPECT_EQ(wiersze(drukuj(&TfrmZestawienia::btnDrukujClick)), 2);

    skrot("NIKT");
    EXPECT_EQ(okno->iWybranyKontrahent, -1);
    dialogs->expectMessage("Określ prawidłowo kontrahenta ", ui::Answer::Ok);
    okno->btnDrukujClick();

    wybierz(9102);
    EXPECT_EQ(wiersze(drukuj(&TfrmZestawienia::btnDrukujClick)), 1);
    wybierz(777777);
    EXPECT_EQ(okno->iWybranyKontrahent, -100);
    EXPECT_EQ(wiersze(drukuj(&TfrmZestawienia::btnDrukuj2Click)), 3);

    // By contractor code the register is left in that order.
    okno->grpUklad->button(0)->click();
    drukuj(&TfrmZestawienia::btnDrukujClick);
    EXPECT_EQ(DMP->quePrzelewy.sql().value(8), "UPPER(b.KOD_FK) COLLATE PXW_PLK ASC");
}
