// The summaries window: its options, the contractor choice by short name and
// by the picker, the refusal without a contractor, and both prints.
#include "RaportyFixture.h"

#include "module/reports/Zestawienia.h"
#include "reportengine/PageView.h"
#include "siblings/core/ChooserWindow.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>

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
            EXPECT_FALSE(okno->isEnabled());
            lines = rpttest::allLines(*preview.QRPreview->pages());
            preview.actCancel->trigger();
            return preview.modalResult();
        });
        (okno->*przycisk)();
        EXPECT_TRUE(okno->isEnabled());
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

// A short name with an apostrophe finds its contractor; one that matches
// nobody empties the choice, and printing is refused until there is one.
TEST_F(ZestawieniaTest, ShortNameChoosesTheContractorOrPrintingIsRefused) {
    skrot("O'Neill");
    EXPECT_EQ(okno->iWybranyKontrahent, 9101);
    QStringList lines = drukuj(&TfrmZestawienia::btnDrukujClick);
    EXPECT_EQ(wiersze(lines), 2);
    EXPECT_FALSE(lines.filter(" - wybrany kontrahent ").isEmpty());
    // The choice outlives the preview's closing: a second print is the same.
    EXPECT_EQ(wiersze(drukuj(&TfrmZestawienia::btnDrukuj2Click)), 2);

    skrot("NIKT");
    EXPECT_EQ(okno->iWybranyKontrahent, -1);
    dialogs->expectMessage("Określ prawidłowo kontrahenta ", ui::Answer::Ok);
    okno->btnDrukujClick();

    okno->grpCzyWybranyKontrahent->button(0)->click();
    EXPECT_EQ(okno->iWybranyKontrahent, -1);
    EXPECT_EQ(wiersze(drukuj(&TfrmZestawienia::btnDrukujClick)), 3);
}

// The picker's choice arrives through the tag; one that is not found prints everybody.
TEST_F(ZestawieniaTest, PickerChoiceAndAChoiceNotFound) {
    okno->grpCzyWybranyKontrahent->button(1)->click();
    wybierz(9102);
    EXPECT_EQ(wiersze(drukuj(&TfrmZestawienia::btnDrukujClick)), 1);

    wybierz(777777);
    EXPECT_EQ(okno->iWybranyKontrahent, -100);
    const QStringList lines = drukuj(&TfrmZestawienia::btnDrukuj2Click);
    EXPECT_EQ(wiersze(lines), 3);
    EXPECT_TRUE(lines.filter("wybrany kontrahent").isEmpty());

    wybierz(0);
    EXPECT_EQ(okno->iWybranyKontrahent, -1);
}

// Printing by contractor code leaves the register in that order; the register's own order is kept otherwise.
TEST_F(ZestawieniaTest, ContractorLayoutReordersTheRegister) {
    okno->grpUklad->button(1)->click();
    drukuj(&TfrmZestawienia::btnDrukujClick);
    EXPECT_EQ(DMP->quePrzelewy.sql().value(8), "a.id  DESC");

    okno->grpUklad->button(0)->click();
    const QStringList lines = drukuj(&TfrmZestawienia::btnDrukujClick);
    EXPECT_EQ(DMP->quePrzelewy.sql().value(8), "UPPER(b.KOD_FK) COLLATE PXW_PLK ASC");
    EXPECT_EQ(lines.filter("R  A  Z  E  M      K").value(0).section(';', 1), "A01;44,44");
    EXPECT_TRUE(lines.contains("66,66"));
}
