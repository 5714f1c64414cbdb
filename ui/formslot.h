// The one mechanism behind all five windows: a window exists at most once, is created by
// its first use, destroyed by its unload and created fresh (with its design-time
// contents) by the next use.
#pragma once

#include <QDialog>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <utility>

template <class Form>
class FormSlot
{
public:
    using Factory = std::function<Form *()>;

    explicit FormSlot(Factory make)
        : m_make(std::move(make))
    {
    }
    FormSlot(const FormSlot &) = delete;
    FormSlot &operator=(const FormSlot &) = delete;
    ~FormSlot() { delete m_form.data(); }

    // Creates the window if it does not exist; it stays hidden.
    Form &load()
    {
        if (!m_form)
            m_form = m_make();
        return *m_form;
    }

    Form *loaded() const { return m_form.data(); }

    // Makes it visible and returns at once; an open window stays open.
    void showModeless()
    {
        Form &form = load();
        form.show();
        form.raise();
    }

    // Shows it modally over its owner and returns once it has been unloaded.
    void showModal()
    {
        static_assert(std::is_base_of_v<QDialog, Form>, "a modal window is a QDialog");
        QPointer<Form> form = &load();
        form->exec();
        // Closed some other way than through unload (the window manager, say): the
        // window is gone all the same.
        if (form)
            unload();
    }

    // Closes and destroys the window. Nothing happens when it is not loaded or is
    // already unloading.
    void unload()
    {
        if (!m_form || m_unloading)
            return;
        m_unloading = true;
        QPointer<Form> form = m_form;
        form->close(); // runs the window's own unload handler, if it has one
        if (form) {
            if constexpr (std::is_base_of_v<QDialog, Form>)
                form->done(QDialog::Rejected); // ends a modal display
            form->hide();
            form->deleteLater();
        }
        m_form.clear();
        m_unloading = false;
    }

private:
    Factory m_make;
    QPointer<Form> m_form;
    bool m_unloading = false;
};
