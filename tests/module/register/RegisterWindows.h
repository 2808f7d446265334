#pragma once
// The register's windows opened as a user opens them and closed after every
// test, with the few gestures the tests share: typing into an edit, filling a
// complete transfer and reading the current row.
#include "module/ModuleFixture.h"
#include "module/register/Podzialkwoty.h"
#include "module/register/Przelewy.h"
#include "module/register/Przelewydane.h"
#include "platform/controls/DBEdit.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace pxtest {

class RegisterWindows : public ModuleFixture {
protected:
    void TearDown() override {
        if (frmPodzialKwoty) frmPodzialKwoty->close();
        if (frmPrzelewyDane) {
            q().cancel();
            frmPrzelewyDane->close();
        }
        if (frmPrzelewy) frmPrzelewy->close();
        zamknieto();
        ModuleFixture::TearDown();
    }

    TfrmPrzelewy& rejestr() {
        module->vPrzelewyMDI(qApp);
        frmPrzelewy->runActivation();
        return *frmPrzelewy;
    }
    static void pokaz(QWidget& okno) {
        okno.show();
        okno.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&okno));
    }
    // Types into the edit key by key (keyClicks knows ASCII only) and leaves it with Enter.
    static void wpisz(QLineEdit* edit, const QString& text) {
        edit->setFocus();
        edit->selectAll();
        for (const QChar c : text) QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    // A complete transfer to Ołówek (K0001), due 2026-11-05.
    static void wypelnij(TfrmPrzelewyDane& f, const QString& nr, const QString& kwota) {
        wpisz(f.edtNrFaktury, nr);
        wpisz(f.DBEdit3, QStringLiteral("20261105"));
        wpisz(f.DBEdit4, kwota);
        wpisz(f.edtSkrot, QStringLiteral("Ołówek"));
    }
    static void zamknieto() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
    data::Dataset& q() { return DMP->quePrzelewy; }
    QString tekst(const char* name) { return q()[name].asString(); }
    void naWiersz(qint64 id) { ASSERT_TRUE(q().locate(QStringLiteral("ID"), id)); }
    void sql(const std::string& statement) { dmMain->database().execute(dmMain->transaction(), statement); }
};

}  // namespace pxtest
