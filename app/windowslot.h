// The one mechanism behind all five windows: a window exists at most once, is created by
// its first use, destroyed by its unload and created fresh (with its design-time
// contents) by the next use. A window that closes itself (close(), Escape, the window
// manager) is unloaded too, so the next use finds a fresh one.
#pragma once

#include <QDialog>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <type_traits>
#include <utility>

// What every window's slot does, whatever the window's class: GameWindows keeps its five
// slots in one table of these.
class WindowSlot
{
public:
    virtual ~WindowSlot() = default;
    virtual QWidget *loadWindow() = 0;
    virtual QWidget *loadedWindow() const = 0;
    virtual void showModal() = 0; // nothing for a window that is no dialog
    virtual void unload() = 0;
};

template <class Window>
class WindowSlotOf final : public WindowSlot
{
public:
    using Factory = std::function<Window *()>;

    // afterClose runs once a window that closed itself has been unloaded.
    explicit WindowSlotOf(Factory make, std::function<void()> afterClose = {})
        : m_make(std::move(make))
        , m_afterClose(std::move(afterClose))
    {
    }
    WindowSlotOf(const WindowSlotOf &) = delete;
    WindowSlotOf &operator=(const WindowSlotOf &) = delete;
    ~WindowSlotOf() override { delete m_form.data(); }

    // Creates the window if it does not exist; it stays hidden.
    Window &load()
    {
        if (!m_form) {
            m_form = m_make();
            watchClose(m_form.data());
        }
        return *m_form;
    }

    Window *loaded() const { return m_form.data(); }

    QWidget *loadWindow() override { return &load(); }
    QWidget *loadedWindow() const override { return loaded(); }

    // Makes it visible and returns at once; an open window stays open.
    void showModeless()
    {
        Window &form = load();
        form.show();
        form.raise();
    }

    // Shows it modally over its owner and returns once it has been unloaded. Only a
    // dialog runs modally; the main window and the results window are never shown so.
    void showModal() override
    {
        if constexpr (std::is_base_of_v<QDialog, Window>) {
            QPointer<Window> form = &load();
            form->exec();
            // Closed some other way than through unload (the window manager, say): the
            // window is gone all the same.
            if (form)
                unload();
        }
    }

    // Closes and destroys the window. Nothing happens when it is not loaded or is
    // already unloading.
    void unload() override
    {
        if (!m_form || m_unloading)
            return;
        m_unloading = true;
        QPointer<Window> form = m_form;
        form->close(); // runs the window's own unload handler, if it has one
        if (form) {
            if constexpr (std::is_base_of_v<QDialog, Window>)
                form->done(QDialog::Rejected); // ends a modal display
            form->hide();
            form->deleteLater();
        }
        m_form.clear();
        m_unloading = false;
    }

private:
    // A dialog reports its closing with finished, the results window with closed; the
    // main window unloads everything through its own handler.
    void watchClose(Window *form)
    {
        if constexpr (std::is_base_of_v<QDialog, Window>)
            QObject::connect(form, &QDialog::finished, form, [this] { closedItself(); });
        else if constexpr (requires { &Window::closed; })
            QObject::connect(form, &Window::closed, form, [this] { closedItself(); });
    }

    void closedItself()
    {
        if (m_unloading) // the close that unload itself makes
            return;
        unload();
        if (m_afterClose)
            m_afterClose();
    }

    Factory m_make;
    std::function<void()> m_afterClose;
    QPointer<Window> m_form;
    bool m_unloading = false;
};
