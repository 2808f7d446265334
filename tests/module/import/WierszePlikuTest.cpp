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
        {"one line without ending", "abc", {"abc"}},
        {"CR LF", "a\r\nb\r\n", {"a", "b"}},
        {"LF and a last line without ending", "a\nb", {"a", "b"}},
        {"lone CR", "a\rb\r", {"a", "b"}},
        {"empty lines stay", "\r\n\r\na\n\n", {"", "", "a", ""}},
        {"CR CR LF is an empty line", "a\r\r\nb", {"a", "", "b"}},
    };
    for (const auto& p : przypadki) {
        const TWierszePliku w(p.bajty);
        EXPECT_EQ(p.wiersze, w.wszystkie()) << p.dlaczego;
        EXPECT_EQ(p.wiersze.size(), w.iIlosc()) << p.dlaczego;
    }
}

TEST(WierszePliku, ReadsWindows1250FromDisk) {
    QTemporaryDir katalog;
    const QString sciezka = katalog.filePath("plik.txt");
    QFile plik(sciezka);
    ASSERT_TRUE(plik.open(QIODevice::WriteOnly));
    // "Zażółć gęślą jaźń" and "Łódź" in Windows-1250.
    plik.write("Za\xbf\xf3\xb3\xe6 g\xea\x9cl\xb9 ja\x9f\xf1\r\n\xa3\xf3\x64\x9f\r\n");
    plik.close();

    const TWierszePliku w = TWierszePliku::wczytaj(sciezka);
    ASSERT_EQ(2, w.iIlosc());
    EXPECT_EQ(QStringLiteral("Zażółć gęślą jaźń"), w.wiersz(0));
    EXPECT_EQ(QStringLiteral("Łódź"), w.wiersz(1));
    EXPECT_EQ(QStringLiteral("Zażółć gęślą jaźń\r\nŁódź\r\n"), w.tekst());

    try {
        TWierszePliku::wczytaj(katalog.filePath("brak.txt"));
        FAIL() << "a missing file must be told";
    } catch (const std::runtime_error& e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).contains("brak.txt")) << e.what();
    }
}

}  // namespace
