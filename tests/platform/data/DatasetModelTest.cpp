#include "RegisterFixture.h"

#include "platform/data/DatasetGrid.h"

#include <QAbstractItemModelTester>

using data::Dataset;
using data::DatasetModel;

class ModelTest : public RegisterFixture {
protected:
    ModelTest() : model(&register_) {}
    void SetUp() override {
        model.addColumn("ID", "Id", 40);
        model.addColumn("NR_FAKTURY", "Nr faktury", 120);
        model.addColumn("WARTOSC", "Kwota przelewu");
        register_.declareField("WARTOSC").setDisplayFormat("### ### ##0.00");
    }
    QString cell(int row, int column) { return model.index(row, column).data().toString(); }

    DatasetModel model;
};

TEST_F(ModelTest, FollowsTheDatasetThroughItsLife) {
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    EXPECT_EQ(model.rowCount(), 0);
    register_.open();
    ASSERT_EQ(model.rowCount(), 3);
    EXPECT_EQ(cell(0, 2), "1 234,57");

    register_.edit();
    register_.fieldByName("NR_FAKTURY").setString("FV/3a");
    EXPECT_EQ(cell(0, 1), "FV/3a");  // the row being edited shows its new values
    appendTransfer(7);  // posts the edit first
    register_.post();
    ASSERT_EQ(model.rowCount(), 4);
    EXPECT_EQ(cell(0, 1) + cell(3, 0), "FV/3a7");

    register_.disableControls();
    appendTransfer(8);
    register_.post();
    EXPECT_EQ(model.rowCount(), 4) << "a detached view waits for the end of the walk";
    register_.enableControls();
    EXPECT_EQ(model.rowCount(), 5);
}

// Both-way following is covered through DbGrid; here a click while an edit
// cannot be posted leaves the view and the dataset together.
TEST_F(ModelTest, FailedMoveLeavesGridAndDatasetOnTheEditedRow) {
    QTableView view;
    auto* binder = new data::DatasetGridBinder(&view, &model);
    QStringList failures;
    QObject::connect(binder, &data::DatasetGridBinder::moveFailed, [&](const QString& m) { failures << m; });
    register_.open();
    view.setCurrentIndex(model.index(2, 1));
    register_.edit();
    register_.fieldByName("ID").clear();
    view.setCurrentIndex(model.index(1, 0));
    EXPECT_EQ(failures.size(), 1);
    EXPECT_EQ(register_.recNo(), 2);
    EXPECT_EQ(view.currentIndex().row(), 2);
    register_.cancel();
}
