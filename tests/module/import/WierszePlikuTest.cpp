#include "module/import/WierszePliku.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Every line ending ends a line: CR LF, LF, a lone CR; CR CR LF is an empty line.
TEST(WierszePliku, EveryLineEndingEndsALine) {
    const std::pair<QByteArray, QStringList> przypadki[] = {{"", {}},
                                                            {"a\r\nb\r\n", {"a", "b"}},
                                                            {"a\nb", {"a", "b"}},
                                                            {"a\rb\r", {"a", "b"}},
                                                            {"a\r\r\nb", {"a", "", "b"}}};
    for (const auto& [bajty, wiersze] : przypadki) {
        const TWierszePliku w(bajty);
        EXPECT_EQ(wiersze, w.wszystkie()) << bajty.toStdString();
        EXPECT_EQ(wiersze.size(), w.iIlosc()) << bajty.toStdString();
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
