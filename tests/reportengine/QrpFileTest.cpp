#include "ReportFixture.h"

#include "reportengine/QrpFile.h"

#include <QCryptographicHash>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace rpt;
using namespace rpttest;

namespace {

std::unique_ptr<PageStore> samplePages() {
    static VectorRows rows(numberedRows(50, 20));
    auto report = listReport(rows);
    Band& detail = report->band(BandKind::Detail);
    detail.frame().bottom = true;
    detail.addShape({470, 2, 16, 16}, ShapeKind::Ellipse).setBrush(QColor(200, 30, 30));
    detail.addShape({490, 2, 16, 16}, ShapeKind::Rectangle);
    detail.addLabel({300, 0, 100, 20}, "kursywa", {.italic = true, .underline = true}, Qt::AlignRight);
    return report->prepare();
}

// The bytes with their digest made right again, as a careless or hostile writer would leave them.
QByteArray resealed(QByteArray bytes) {
    bytes.chop(32);
    return bytes + QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

std::string refusal(const QByteArray& bytes) {
    try {
        decodePages(bytes);
    } catch (const FileError& error) {
        return error.what();
    }
    return "accepted";
}

}  // namespace

TEST(QrpFile, SavedPagesLoadBackIdentically) {
    QTemporaryDir dir;
    const auto pages = samplePages();
    ASSERT_EQ(pages->pageCount(), 2);
    savePages(*pages, dir.filePath("wydruk.qrp"));
    const auto loaded = loadPages(dir.filePath("wydruk.qrp"));
    EXPECT_TRUE(*loaded == *pages);

    // An empty store is a valid file too.
    EXPECT_EQ(decodePages(encodePages(PageStore()))->pageCount(), 0);
}

TEST(QrpFile, DamagedForeignOrMissingFilesAreRefusedWithAMessage) {
    const QByteArray good = encodePages(*samplePages());
    const std::string damaged = "Plik wydruku jest uszkodzony.";
    const std::string foreign = "Plik nie jest zapisanym wydrukiem.";

    for (const qsizetype cut : {qsizetype(5), qsizetype(40), good.size() - 1})
        EXPECT_EQ(refusal(good.left(cut)), cut < 8 ? foreign : damaged) << "cut at " << cut;
    EXPECT_EQ(refusal("%PDF-1.4\n%\xe2\xe3\xcf\xd3\n"), foreign);

    QByteArray flipped = good;
    flipped[good.size() / 3] = char(flipped[good.size() / 3] ^ 0x10);
    EXPECT_EQ(refusal(flipped), damaged);

    QByteArray later = good;
    later[11] = 2;  // the version's lowest byte
    EXPECT_EQ(refusal(later), "Wydruk zapisano w nieznanej wersji formatu (2).");

    // Right digests over wrong contents: counts beyond the file, unknown records, trailing bytes.
    QByteArray hugeCount = good;
    hugeCount[12] = char(0x7f);
    EXPECT_EQ(refusal(resealed(hugeCount)), damaged);
    QByteArray trailing = good;
    trailing.insert(good.size() - 32, "xyz");
    EXPECT_EQ(refusal(resealed(trailing)), damaged);

    QTemporaryDir dir;
    EXPECT_THROW(loadPages(dir.filePath("nie-ma.qrp")), FileError);
    EXPECT_THROW(savePages(PageStore(), dir.filePath("brak/wydruk.qrp")), FileError);
}
