#pragma once
// The frame of the issuing windows that pick a row of a grid: a grey window,
// a top row ending with the help button, the grid, and the "Wybierz" and
// "Anuluj" buttons under it. Esc cancels and F1 opens the help wherever the
// focus is.

#include "platform/controls/EntryForm.h"

#include <QPushButton>
#include <QToolButton>

class QHBoxLayout;

struct TPrzyciskiWyboru {
    QPushButton* wybierz;
    QPushButton* anuluj;
    QToolButton* pomoc;
};

// Lays the frame out in `okno` around the window's own top row and grid.
TPrzyciskiWyboru przyciskiWyboru(QWidget& okno, QHBoxLayout* gora, QWidget* siatka);

// The same for a window with the buttons btnWybierz, btnAnuluj and btnHelp
// and the handlers of their names, which the buttons and keys are bound to.
template <class Okno>
void vZbudujRamkeWyboru(Okno& okno, QHBoxLayout* gora, QWidget* siatka) {
    const TPrzyciskiWyboru p = przyciskiWyboru(okno, gora, siatka);
    okno.btnWybierz = p.wybierz;
    okno.btnAnuluj = p.anuluj;
    okno.btnHelp = p.pomoc;
    QObject::connect(p.wybierz, &QPushButton::clicked, &okno, &Okno::btnWybierzClick);
    QObject::connect(p.anuluj, &QPushButton::clicked, &okno, &Okno::btnAnulujClick);
    QObject::connect(ui::formKey(okno, Qt::Key_Escape), &QAction::triggered, &okno, &Okno::btnAnulujClick);
    QObject::connect(p.pomoc, &QToolButton::clicked, &okno, &Okno::btnHelpClick);
    QObject::connect(ui::formKey(okno, Qt::Key_F1), &QAction::triggered, &okno, &Okno::btnHelpClick);
}
