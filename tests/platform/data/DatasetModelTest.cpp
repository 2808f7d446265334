#include "RegisterFixture.h"

#include "platform/data/DatasetGrid.h"

#include <QAbstractItemModelTester>
#include <QImage>
#include <QPainter>

using data::Dataset;
using data::DatasetModel;

class ModelTest : public RegisterFixture {
protected:
    ModelTest() : model(&register_) {}
    void SetUp() override {
        model.addColumn("ID", "Id", 40);
        model.addColumn("NR_FAKTURY", "Nr faktury", 120);
        model.addColumn("WARTOSC", "Kwota przelewu");
        model.addColumn("KOLEJNY", "");
        model.addColumn("TRESC1");
        register_.declareField("WARTOSC").setDisplayFormat("### ### ##0.00");
    }
    QString cell(int row, int column) { return model.index(row, column).data().toString(); }
    void appendRow(int id) {
        register_.append();
        register_.fieldByName("ID").setInteger(id);
        register_.fieldByName("ID_KONTRAHENTA").setInteger(2);
        register_.fieldByName("ID_KONTA_BANK").setInteger(12);
        register_.post();
    }

    DatasetModel model;
};

TEST_F(ModelTest, FollowsTheDatasetThroughItsLife) {
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    EXPECT_EQ(model.rowCount(), 0);
    register_.open();
    ASSERT_EQ(model.rowCount(), 3);
    EXPECT_EQ(cell(0, 2), "1 234,57");
    EXPECT_EQ(cell(2, 1), "FV/1");
    EXPECT_EQ(model.index(0, 2).data(Qt::TextAlignmentRole).toInt() & Qt::AlignRight, Qt::AlignRight);
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), "Nr faktury");
    EXPECT_EQ(model.headerData(3, Qt::Horizontal).toString(), "");
    EXPECT_EQ(model.headerData(4, Qt::Horizontal).toString(), "TRESC1");

    register_.edit();
    register_.fieldByName("NR_FAKTURY").setString("FV/3a");
    EXPECT_EQ(cell(0, 1), "FV/3a");   // the row being edited shows its new values
    register_.post();
    EXPECT_EQ(cell(0, 1), "FV/3a");

    appendRow(7);
    ASSERT_EQ(model.rowCount(), 4);
    EXPECT_EQ(cell(3, 0), "7");

    register_.first();
    register_.remove();
    EXPECT_EQ(model.rowCount(), 3);
    EXPECT_EQ(cell(0, 0), "2");

    register_.disableControls();
    appendRow(8);
    EXPECT_EQ(model.rowCount(), 3);
    register_.enableControls();
    EXPECT_EQ(model.rowCount(), 4);

    register_.close();
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(cell(0, 0), "");
}

TEST_F(ModelTest, GridAndDatasetShareTheCurrentRow) {
    QTableView view;
    auto* binder = new data::DatasetGridBinder(&view, &model);
    register_.open();
    EXPECT_EQ(view.currentIndex().row(), 0);
    EXPECT_EQ(view.columnWidth(1), 120);

    register_.next();
    EXPECT_EQ(view.currentIndex().row(), 1);
    view.setCurrentIndex(model.index(2, 1));
    EXPECT_EQ(register_.recNo(), 2);
    EXPECT_EQ(currentId(), 1);

    register_.disableControls();
    register_.first();
    EXPECT_EQ(view.currentIndex().row(), 2);   // detached
    register_.enableControls();
    EXPECT_EQ(view.currentIndex().row(), 0);

    // A click while an edit cannot be posted leaves both on the edited row.
    QStringList failures;
    QObject::connect(binder, &data::DatasetGridBinder::moveFailed, [&](const QString& m) { failures << m; });
    register_.edit();
    register_.fieldByName("ID").clear();
    view.setCurrentIndex(model.index(1, 0));
    EXPECT_EQ(failures.size(), 1);
    EXPECT_EQ(register_.recNo(), 0);
    EXPECT_EQ(view.currentIndex().row(), 0);
    register_.cancel();
}

TEST_F(ModelTest, CellPainterSeesTheRowItPaints) {
    QTableView view;
    new data::DatasetGridBinder(&view, &model);
    QMap<int, QString> painted;   // row -> invoice number read while painting its amount
    auto* delegate = new data::DatasetCellDelegate(&model, [&](const data::CellPaint& c) {
        if (c.field->name() != "WARTOSC") return false;
        painted[c.row] = register_.fieldByName("NR_FAKTURY").asString();
        c.painter->fillRect(c.rect, Qt::red);
        return true;
    }, &view);
    view.setItemDelegate(delegate);
    register_.open();
    register_.last();
    view.resize(600, 200);
    QImage image(view.size(), QImage::Format_ARGB32);
    view.render(&image);
    EXPECT_EQ(painted, (QMap<int, QString>{{0, "FV/3"}, {1, "FV/2"}, {2, "FV/1"}}));
    EXPECT_EQ(register_.recNo(), 2);
    const QRect amount = view.visualRect(model.index(1, 2)).translated(view.viewport()->pos());
    EXPECT_EQ(image.pixelColor(amount.center()), QColor(Qt::red));
}
