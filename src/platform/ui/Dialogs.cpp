#include "Dialogs.h"

#include "FormBase.h"
#include "Placement.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>

#include <utility>
#include <vector>

namespace ui {
namespace {

QPointer<QWidget>& mainWindowSlot()
{
    static QPointer<QWidget> window;
    return window;
}

QMessageBox::Icon toQt(Icon icon)
{
    switch (icon) {
    case Icon::Information: return QMessageBox::Information;
    case Icon::Warning: return QMessageBox::Warning;
    case Icon::Error: return QMessageBox::Critical;
    case Icon::Question: return QMessageBox::Question;
    case Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

// A message box breaks its lines after hyphens too; file names such as
// "P-2026-12-07-A.PLI" and account numbers are read in one piece, so a word
// joiner after each hyphen inside a word keeps them on one line.
QString unbrokenAtHyphens(QString text)
{
    static const QRegularExpression hyphen(QStringLiteral("-(?=\\S)"));
    return text.replace(hyphen, QStringLiteral("-\u2060"));
}

// Ends a local event loop once the watched window is hidden (closed).
class HideWatcher : public QObject {
public:
    HideWatcher(QWidget& window, QEventLoop& loop) : m_loop(loop) { window.installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // A spontaneous hide is the window being minimised, not closed.
        if (event->type() == QEvent::Hide && !event->spontaneous())
            m_loop.quit();
        return QObject::eventFilter(watched, event);
    }

private:
    QEventLoop& m_loop;
};

class QtDialogs final : public Dialogs {
public:
    Answer message(const QString& text, const QString& caption, Buttons buttons, Icon icon) override
    {
        QMessageBox box(toQt(icon), caption, unbrokenAtHyphens(text), QMessageBox::NoButton, mainWindow());
        // The first button added is the default; Esc gives the last cancelling one.
        // T, N and A answer as their underlined letters say.
        std::vector<std::pair<QPushButton*, Answer>> answers;
        const auto add = [&](const QString& label, QMessageBox::ButtonRole role, Answer answer) {
            answers.emplace_back(box.addButton(label, role), answer);
        };
        switch (buttons) {
        case Buttons::Ok:
            add(QStringLiteral("OK"), QMessageBox::AcceptRole, Answer::Ok);
            break;
        case Buttons::OkCancel:
            add(QStringLiteral("OK"), QMessageBox::AcceptRole, Answer::Ok);
            add(QStringLiteral("&Anuluj"), QMessageBox::RejectRole, Answer::Cancel);
            break;
        case Buttons::YesNo:
            add(QStringLiteral("&Tak"), QMessageBox::YesRole, Answer::Yes);
            add(QStringLiteral("&Nie"), QMessageBox::NoRole, Answer::No);
            break;
        case Buttons::YesNoCancel:
            add(QStringLiteral("&Tak"), QMessageBox::YesRole, Answer::Yes);
            add(QStringLiteral("&Nie"), QMessageBox::NoRole, Answer::No);
            add(QStringLiteral("&Anuluj"), QMessageBox::RejectRole, Answer::Cancel);
            break;
        }
        box.setDefaultButton(answers.front().first);
        box.setEscapeButton(answers.back().first);
        box.exec();
        for (const auto& [button, answer] : answers)
            if (box.clickedButton() == button)
                return answer;
        return answers.back().second;
    }

    void showMessage(const QString& text) override
    {
        message(text, QGuiApplication::applicationDisplayName(), Buttons::Ok, Icon::None);
    }

    int runModal(QWidget& window) override
    {
        if (auto* dialog = qobject_cast<QDialog*>(&window))
            return dialog->exec();
        QPointer<QWidget> guard(&window);
        window.setWindowModality(Qt::ApplicationModal);
        auto* owned = qobject_cast<FormBase*>(&window);
        centreOnOwner(window, owned && owned->owner() ? owned->owner() : mainWindow());
        QEventLoop loop;
        HideWatcher watcher(window, loop);
        QObject::connect(&window, &QObject::destroyed, &loop, &QEventLoop::quit);
        window.show();
        if (window.isVisible())
            loop.exec(QEventLoop::DialogExec);
        // A freed-on-close window is only scheduled for deletion here, so it is still readable.
        auto* form = qobject_cast<FormBase*>(guard.data());
        return form ? form->modalResult() : mrNone;
    }

    QString openFileName(const QString& caption, const QString& dir, const QString& filter) override
    {
        return QFileDialog::getOpenFileName(mainWindow(), caption, dir, filter);
    }

    QString saveFileName(const QString& caption, const QString& dir, const QString& filter) override
    {
        return QFileDialog::getSaveFileName(mainWindow(), caption, dir, filter);
    }

    QString saveFileName(const QString& caption, const QString& dir, const QString& filter,
                         int& chosenFilter) override
    {
        QString selected;
        const QString name = QFileDialog::getSaveFileName(mainWindow(), caption, dir, filter, &selected);
        chosenFilter = std::max(0, int(filter.split(QStringLiteral(";;")).indexOf(selected)));
        return name;
    }

    QString folder(const QString& caption, const QString& dir) override
    {
        return QFileDialog::getExistingDirectory(mainWindow(), caption, dir);
    }

    bool print(QPrinter& printer) override
    {
        QPrintDialog dialog(&printer, mainWindow());
        if (printer.toPage() > 0) {
            dialog.setOption(QAbstractPrintDialog::PrintPageRange);
            dialog.setMinMax(printer.fromPage(), printer.toPage());
        }
        return dialog.exec() == QDialog::Accepted;
    }

    void beep() override { QApplication::beep(); }
};

std::unique_ptr<Dialogs>& serviceSlot()
{
    static std::unique_ptr<Dialogs> service;
    return service;
}

} // namespace

Dialogs& dialogs()
{
    auto& service = serviceSlot();
    if (!service)
        service = std::make_unique<QtDialogs>();
    return *service;
}

std::unique_ptr<Dialogs> setDialogs(std::unique_ptr<Dialogs> service)
{
    return std::exchange(serviceSlot(), std::move(service));
}

void setMainWindow(QWidget* window) { mainWindowSlot() = window; }
QWidget* mainWindow() { return mainWindowSlot(); }

} // namespace ui
