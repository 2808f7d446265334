#pragma once
// The marking-set controls of the windows that mark transfers into sets: the
// choice of the set and the count and sum of the rows marked in it.

class QBoxLayout;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QWidget;

// The group box "Zaznaczanie" of the three sets; its items, ids 0..2, in `pozycje`.
QGroupBox* grupaZestawow(QWidget* rodzic, QButtonGroup*& pozycje);

// The sunken count and sum of the marked rows, each after its label, added to `uklad`.
void vLicznikiZestawu(QBoxLayout& uklad, QWidget* rodzic, QLabel*& ilosc, QLabel*& razem);
