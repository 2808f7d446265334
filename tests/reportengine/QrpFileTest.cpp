#include "ReportFixture.h"

#include "reportengine/QrpFile.h"

#include <QCryptographicHash>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace rpt;
using namespace rpttest;

namespace {

std::string refusal(const QByteArray& bytes) {
    try {
        decodePages(bytes);
    } catch (const FileError& error) {
        return error.what();
    }
    return "accepted";
}

}  // namespace

// Saved pages, with shapes, frames and styled text, load back identically;
// damaged, foreign, later or missing files are refused with a message.
TEST(QrpFile, SavedPagesLoadBackAndDamagedOrForeignFilesAreRefused) {
    VectorRows rows(numberedRows(50, 20));
    auto report = listReport(rows);
    Band& detail = report->band(BandKind::Detail);
    detail.frame().bottom = true;
    detail.addShape({470, 2, 16, 16}, ShapeKind::Ellipse).setBrush(QColor(200, 30, 30));
    detail.addLabel({300, 0, 100, 20}, "kursywa", {.italic = true, .underline = true}, Qt::AlignRight);
    const auto pages = report->prepare();
    QTemporaryDir dir;
    savePages(*pages, dir.filePath("wydruk.qrp"));
    EXPECT_TRUE(*loadPages(dir.filePath("wydruk.qrp")) == *pages);

    const QByteArray good = encodePages(*pages);
    const std::string damaged = "Plik wydruku jest uszkodzony.";
    EXPECT_EQ(refusal(good.left(5)), "Plik nie jest zapisanym wydrukiem.");
    QByteArray later = good;
    later[11] = 2;  // the version's lowest byte
    EXPECT_EQ(refusal(later), "Wydruk zapisano w nieznanej wersji formatu (2).");
    // A right digest over a count beyond the file, as a careless or hostile writer would leave it.
    QByteArray huge = good.left(good.size() - 32);
    huge[12] = char(0x7f);
    EXPECT_EQ(refusal(huge + QCryptographicHash::hash(huge, QCryptographicHash::Sha256)), damaged);

    EXPECT_THROW(loadPages(dir.filePath("nie-ma.qrp")), FileError);
    EXPECT_THROW(savePages(PageStore(), dir.filePath("brak/wydruk.qrp")), FileError);
}
