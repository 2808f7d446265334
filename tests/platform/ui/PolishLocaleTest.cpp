#include "platform/ui/PolishLocale.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

TEST(PolishLocale, CalendarsAndQtsOwnButtonsSpeakPolish) {
    ASSERT_TRUE(ui::usePolish(*qApp)) << "Qt's Polish translations are missing";
    QDateEdit date(QDate(2026, 12, 7));
    date.setCalendarPopup(true);
    date.show();
    QTest::mouseClick(&date, Qt::LeftButton, {}, QPoint(date.width() - 6, date.height() / 2));  // the drop-down arrow
    QCalendarWidget* calendar = date.calendarWidget();
    ASSERT_TRUE(calendar->isVisible());
    const auto* month = calendar->findChild<QToolButton*>(QStringLiteral("qt_calendar_monthbutton"));
    ASSERT_NE(month, nullptr);
    EXPECT_EQ(month->text(), QStringLiteral("grudzień"));
    EXPECT_EQ(calendar->firstDayOfWeek(), Qt::Monday);
    EXPECT_EQ(date.locale().dayName(1, QLocale::ShortFormat), QStringLiteral("pon."));
    QTest::keyClick(calendar, Qt::Key_Escape);

    QDialogButtonBox buttons(QDialogButtonBox::Cancel | QDialogButtonBox::Close);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Anuluj"));
    EXPECT_EQ(buttons.button(QDialogButtonBox::Close)->text(), QStringLiteral("Zamknij"));
}
