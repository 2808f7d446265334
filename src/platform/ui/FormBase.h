#pragma once

#include <QPointer>
#include <QWidget>

#include <exception>
#include <functional>

class QMdiArea;

namespace ui {

// Shows a caught error as the suite reports it: "<where>-><operation>() \n\n" and
// the message, through the dialog service.
void showError(const QString& where, const char* operation, const std::exception& error);

// Modal results as the windows of the suite know them.
enum ModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7 };

// The host's MDI area; windows open as its children while one is registered.
void setMdiArea(QMdiArea* area);
QMdiArea* mdiArea();

// Base of every window of the module: an owner that it disables while a child is
// open, an activation hook, a close query, free-on-close, an integer tag through
// which choosers return an ID, and a modal result.
class FormBase : public QWidget {
    Q_OBJECT
public:
    explicit FormBase(QWidget* owner);
    ~FormBase() override;

    QWidget* owner() const { return m_owner; }
    // Whether closing re-enables the owner and runs its activation hook.
    bool reenablesOwner() const { return m_reenablesOwner; }
    void setReenablesOwner(bool reenable) { m_reenablesOwner = reenable; }

    // Disables this window and shows the child, which becomes owned by it.
    void openChild(FormBase* child, bool reenableOwner = true);

    // As an MDI child of the registered area, else top-level; brought to front if shown.
    void showWindow();

    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }

    int modalResult() const { return m_modalResult; }
    // During a modal run a non-zero result closes the window.
    void setModalResult(int result);

    // Runs the activation hook now; platform activations of a window already
    // active do not run it again.
    void runActivation();

    // Runs a handler of this window. What it throws has already undone its
    // unit of work while unwinding; the error is shown with this window's
    // object name and the operation, then onHandlerFailed lets the window show
    // the database again. False when the handler failed.
    bool runHandler(const char* operation, const std::function<void()>& handler);
    // The same for an operation whose failure the user knows by a message of
    // its own: `report` shows it instead of the operation and error text.
    bool runHandler(const char* operation, const std::function<void()>& handler,
                    const std::function<void(const std::exception&)>& report);

signals:
    // Emitted once the window has accepted closing.
    void closed();

protected:
    virtual void onActivate() {}
    // False refuses closing.
    virtual bool onCloseQuery() { return true; }
    // Runs once the window closes, before it is freed.
    virtual void onClose() {}
    // After a failed handler: re-read the counters and lists that the undone
    // work had changed on screen.
    virtual void onHandlerFailed(const char* operation) { (void)operation; }
    // Lets the single-instance holder clear its pointer as soon as the window closes.
    virtual void forgetInstance() {}

    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void platformActivated();
    void releaseOwner();

    QPointer<QWidget> m_owner;
    bool m_reenablesOwner = true;
    bool m_ownerDisabled = false; // by openChild, so that it is undone even without a close
    bool m_active = false;
    bool m_closed = false;
    int m_tag = 0;
    int m_modalResult = mrNone;
};

// A window class with one instance at most, kept in a global pointer that is
// set on creation and cleared when the window closes or is destroyed:
//
//   class TfrmX;
//   inline TfrmX* frmX = nullptr;
//   class TfrmX : public ui::Form<TfrmX, frmX> { ... };
template <class T, T*& Instance>
class Form : public FormBase {
public:
    // T is still being built here: its address is taken, nothing of it is used.
    __attribute__((no_sanitize("vptr"))) explicit Form(QWidget* owner) : FormBase(owner)
    {
        Instance = static_cast<T*>(this);
        m_self = Instance;
    }
    ~Form() override { forgetInstance(); }

protected:
    void forgetInstance() final
    {
        if (static_cast<const void*>(Instance) == m_self)
            Instance = nullptr;
    }

private:
    const void* m_self = nullptr; // compared as an address only: T is gone in ~Form
};

} // namespace ui
