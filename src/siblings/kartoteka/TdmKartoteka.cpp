#include "siblings/kartoteka/TdmKartoteka.h"

#include "siblings/core/TdmMain.h"
#include "siblings/kartoteka/BankWindow.h"

#include "platform/ui/Dialogs.h"

TdmKartoteka::TdmKartoteka(QObject* parent) : QObject(parent) {}

void TdmKartoteka::BankModalne(QWidget* owner)
{
    ui::dialogs().runModal(*new siblings::BankWindow(owner));
}

int TdmKartoteka::iIDOkresu(int year, int month)
{
    try {
        const auto id = fb::selectValue(dmMain->transaction(), "select ID from FK_OKRESY where ROK = ? and MIESIAC = ?",
                                        {std::int64_t(year), std::int64_t(month)});
        if (id && std::holds_alternative<std::int64_t>(*id))
            return static_cast<int>(std::get<std::int64_t>(*id));
    } catch (const fb::Error&) {
        // An unreadable period table answers as a missing period.
    }
    return -1;
}
