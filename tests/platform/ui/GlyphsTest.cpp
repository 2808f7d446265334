#include "platform/ui/Glyphs.h"

#include <QFile>
#include <QImage>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

bool hasInk(const QIcon& icon) {
    const QImage image = icon.pixmap(24, 24).toImage();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 0) return true;
    return false;
}

}  // namespace

TEST(Glyphs, ButtonsKeepTheirGlyphsAfterThePackIsReleased) {
    {
        ui::GlyphLibrary library;
        ASSERT_TRUE(library.isLoaded()) << "btnkit.rcc was not found above the test program";
        for (const char* name : {"D_ANULUJ", "D_OK", "D_ZAPISZ", "D_ZMIEN", "D_WYBIERZ", "D_WYDRUK", "D_USUN"})
            EXPECT_TRUE(hasInk(library.icon(name))) << name;
    }
    QPushButton cancel(QStringLiteral("Anuluj")), modify(QStringLiteral("Modyfikuj")), other(QStringLiteral("Inny"));
    EXPECT_TRUE(ui::loadGlyphs({{&cancel, "D_ANULUJ"}, {&modify, "D_ZMIEN", ui::Caption::Keep}, {&other, "D_NIEMA"}}));
    EXPECT_FALSE(QFile::exists(QStringLiteral(":/pxglyphs/btnkit/D_ANULUJ")));  // released at once
    EXPECT_TRUE(hasInk(cancel.icon()));
    EXPECT_TRUE(cancel.text().isEmpty());
    EXPECT_EQ(modify.text(), QStringLiteral("Modyfikuj"));
    EXPECT_EQ(other.text(), QStringLiteral("Inny"));  // an unknown glyph leaves its button alone
}

TEST(Glyphs, MissingPackLeavesCaptions) {
    qputenv("PXFER_BTNKIT", "/nonexistent/btnkit.rcc");
    QPushButton ok(QStringLiteral("OK"));
    EXPECT_FALSE(ui::loadGlyphs({{&ok, "D_OK"}}));
    qunsetenv("PXFER_BTNKIT");
    EXPECT_EQ(ok.text(), QStringLiteral("OK"));
}
