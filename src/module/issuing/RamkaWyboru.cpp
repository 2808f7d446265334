#include "module/issuing/RamkaWyboru.h"

#include "platform/ui/Glyphs.h"
#include "siblings/core/TdmMain.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

TPrzyciskiWyboru przyciskiWyboru(QWidget& okno, QHBoxLayout* gora, QWidget* siatka) {
    QPalette tlo = okno.palette();
    tlo.setColor(QPalette::Window, QColor(0xE2, 0xE2, 0xE2));
    okno.setPalette(tlo);
    okno.setAutoFillBackground(true);

    TPrzyciskiWyboru p;
    p.pomoc = ui::named<QToolButton>("btnHelp");
    p.pomoc->setAutoRaise(true);
    p.pomoc->setToolTip(QStringLiteral("F1 - pomoc"));
    p.pomoc->setIcon(dmMain->PobierzFiltry().value(5));
    p.wybierz = ui::named<QPushButton>("btnWybierz", QStringLiteral("Wybierz"));
    p.wybierz->setToolTip(QStringLiteral("Zapisz zmiany i zamknij okno"));
    p.anuluj = ui::named<QPushButton>("btnAnuluj", QStringLiteral("Anuluj"));
    p.anuluj->setToolTip(QStringLiteral("Anuluj zmiany i zamknij okno"));
    ui::loadGlyphs({{p.anuluj, "D_ANULUJ"}, {p.wybierz, "D_WYBIERZ"}});

    gora->setContentsMargins(0, 0, 8, 0);
    gora->addWidget(p.pomoc);
    auto* uklad = new QVBoxLayout(&okno);
    uklad->addLayout(gora);
    uklad->addWidget(siatka, 1);
    uklad->addLayout(ui::buttonRow({p.wybierz, p.anuluj}));
    return p;
}
