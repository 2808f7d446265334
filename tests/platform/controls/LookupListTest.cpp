#include "platform/controls/DBLookupComboBox.h"
#include "platform/data/RegisterFixture.h"

#include <QAbstractItemView>
#include <QHeaderView>
#include <QTableView>
#include <QTest>

namespace {

class LookupListTest : public RegisterFixture {
protected:
    void SetUp() override {
        db.exec(
            "update ET_BANK_KONTO set NAZWA = 'Bank Gospodarstwa Krajowego Oddział w Bielsku-Białej' where ID = 12");
        register_.open();
        accounts.setTransaction(&db.transaction());
        accounts.setSql({"select ID, KONTO, NAZWA from ET_BANK_KONTO order by ID"});
        accounts.open();
        box.setDataField(&register_, "ID_KONTA_BANK");
        box.setListSource(&accounts, "ID", "KONTO;NAZWA");
        box.resize(180, box.sizeHint().height());
        box.show();
    }

    data::Dataset accounts;
    ui::DBLookupComboBox box;
};

}  // namespace

TEST_F(LookupListTest, TheOpenListShowsItsEntriesWhole) {
    QTest::mouseClick(&box, Qt::LeftButton);
    auto* list = qobject_cast<QTableView*>(box.view());
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(list->isVisible());
    const int visible = list->viewport()->width();
    for (int c = 0; c < 2; ++c) {
        const QString text = list->model()->index(1, c).data().toString();
        EXPECT_GE(list->columnWidth(c), list->fontMetrics().horizontalAdvance(text)) << text.toStdString();
        EXPECT_LE(list->columnViewportPosition(c) + list->columnWidth(c), visible) << "column " << c << " is cut off";
    }
    box.hidePopup();
}
