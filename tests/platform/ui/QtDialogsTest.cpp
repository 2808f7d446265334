#include "platform/ui/Dialogs.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTextLayout>
#include <QTimer>
#include <algorithm>
#include <functional>

#include <gtest/gtest.h>

// The Qt service itself, as the user meets it: real message boxes answered by key presses.
namespace {

// Runs the check on whatever modal box is open once the event loop runs.
void inModalBox(std::function<void(QWidget&)> check) {
    QTimer::singleShot(0, [check] {
        if (QWidget* box = QApplication::activeModalWidget()) check(*box);
    });
}

// The lines the label's text falls into at the label's width.
QStringList linesOf(const QLabel& label) {
    QTextLayout layout(label.text(), label.font());
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(label.contentsRect().width());
        lines << label.text().mid(line.textStart(), line.textLength()).remove(QChar(0x2060));
    }
    layout.endLayout();
    return lines;
}

}  // namespace

TEST(QtDialogs, LettersAnswerTheQuestionBoxes) {
    const auto ask = [](ui::Buttons buttons, Qt::Key key) {
        inModalBox([key](QWidget& box) { QTest::keyClick(&box, key); });
        return ui::dialogs().message(QStringLiteral("Zapisać zmiany?"), QStringLiteral("Przelewy"), buttons,
                                     ui::Icon::Question);
    };
    EXPECT_EQ(ask(ui::Buttons::YesNo, Qt::Key_N), ui::Answer::No);
    EXPECT_EQ(ask(ui::Buttons::YesNo, Qt::Key_T), ui::Answer::Yes);
    EXPECT_EQ(ask(ui::Buttons::YesNoCancel, Qt::Key_N), ui::Answer::No);
    EXPECT_EQ(ask(ui::Buttons::YesNoCancel, Qt::Key_A), ui::Answer::Cancel);
    // Enter takes the default, the first answer.
    EXPECT_EQ(ask(ui::Buttons::YesNoCancel, Qt::Key_Return), ui::Answer::Yes);
}

TEST(QtDialogs, AFileNameStaysOnOneLine) {
    const QString name = QStringLiteral("P-2026-12-07-A.PLI");
    // Folders of every length, so that the box's line ends somewhere inside the name in some of them.
    for (int length = 1; length <= 40; ++length) {
        const QString text = QStringLiteral("Stworzono plik do banku: /") + QString(length, u'k') + u'/' + name;
        QStringList lines;
        QString shown;
        inModalBox([&](QWidget& box) {
            const auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
            ASSERT_NE(label, nullptr);
            shown = label->text();
            lines = linesOf(*label);
            QTest::keyClick(&box, Qt::Key_Return);
        });
        ui::dialogs().message(text, QString(), ui::Buttons::Ok, ui::Icon::None);
        EXPECT_EQ(shown.remove(QChar(0x2060)), text) << "only invisible joiners are added";
        if (lines.size() < 2) continue;  // the box is as wide as the text
        EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [&](const QString& l) { return l.contains(name); }))
            << lines.join(u'|').toStdString();
    }
}
