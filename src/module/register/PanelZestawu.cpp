#include "module/register/PanelZestawu.h"

#include "platform/controls/EntryForm.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

QGroupBox* grupaZestawow(QWidget* rodzic, QButtonGroup*& pozycje) {
    auto* grupa = ui::named<QGroupBox>("rgKtoryZestaw", QStringLiteral("Zaznaczanie"), rodzic);
    auto* uklad = new QHBoxLayout(grupa);
    pozycje = new QButtonGroup(grupa);
    const QString nazwy[] = {QStringLiteral("1- Zestaw"), QStringLiteral("2- Zestaw"), QStringLiteral("3 -Zestaw")};
    for (int i = 0; i < 3; ++i) {
        auto* pozycja = new QRadioButton(nazwy[i], grupa);
        pozycja->setObjectName(QStringLiteral("rgKtoryZestaw%1").arg(i + 1));
        pozycje->addButton(pozycja, i);
        uklad->addWidget(pozycja);
    }
    return grupa;
}

void vLicznikiZestawu(QBoxLayout& uklad, QWidget* rodzic, QLabel*& ilosc, QLabel*& razem) {
    const auto licznik = [&](const char* nazwa, const QString& etykieta, int szerokosc) {
        uklad.addWidget(new QLabel(etykieta, rodzic));
        auto* panel = ui::named<QLabel>(nazwa, rodzic);
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setMinimumWidth(szerokosc);
        panel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        uklad.addWidget(panel, 0, Qt::AlignVCenter);
        return panel;
    };
    ilosc = licznik("pnlIlosc", QStringLiteral("Ilość zaznacz. faktur:"), 50);
    razem = licznik("pnlRazem", QStringLiteral("Razem:"), 120);
}
