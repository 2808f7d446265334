#include "SuiteFixture.h"

#include "siblings/core/ChooserWindow.h"

namespace pxtest {

ScriptedDialogs::Driver chooseRow(int key)
{
    return [key](QWidget& w) {
        auto& chooser = dynamic_cast<siblings::ChooserWindow&>(w);
        EXPECT_TRUE(chooser.locateKey(key));
        chooser.choose();
        return int(ui::mrOk);
    };
}

}  // namespace pxtest
