#include "module/import/WierszePliku.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(WierszePliku, EveryLineEndingEndsALine) {
    const struct {
        const char* dlaczego;
        QByteArray bajty;
        QStringList wiersze;
    } przypadki[] = {
        {"empty file", "", {}},
        {"CR LF", "a\r\nb\r\n", {"a", "b"}},
        {"LF and a last line without ending", "a\nb", {"a", "b"}},
        {"lone CR", "a\rb\r", {"a", "b"}},
        {"CR CR LF is an empty line", "a\r\r\nb", {"a", "", "b"}},
    };
    for (const auto& p : przypadki) {
        const TWierszePliku w(p.bajty);
        EXPECT_EQ(p.wiersze, w.wszystkie()) << p.dlaczego;
        EXPECT_EQ(p.wiersze.size(), w.iIlosc()) << p.dlaczego;
    }
}

TEST(WierszePliku, ReadsWindows1250FromDiskAndNamesAFileItCannotRead) {
    QTemporaryDir katalog;
    QFile plik(katalog.filePath("plik.txt"));
    ASSERT_TRUE(plik.open(QIODevice::WriteOnly));
    plik.write("\xa3\xf3\x64\x9f\r\n");  // "Łódź" in Windows-1250
    plik.close();
    EXPECT_EQ(QStringList{QStringLiteral("Łódź")}, TWierszePliku::wczytaj(plik.fileName()).wszystkie());

    try {
        TWierszePliku::wczytaj(katalog.filePath("brak.txt"));
        FAIL() << "a missing file must be told";
    } catch (const std::runtime_error& e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).contains("brak.txt")) << e.what();
    }
}

}  // namespace
