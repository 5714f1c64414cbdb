#include "modalanswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDateTime>
#include <QDialog>
#include <QInputDialog>
#include <QLineEdit>

namespace {
const char *const SeenProperty = "modalAnswererSeen";
}

ModalAnswerer::ModalAnswerer(int unexpectedTimeoutMs)
    : m_timeoutMs(unexpectedTimeoutMs)
{
    m_timer.setInterval(5);
    connect(&m_timer, &QTimer::timeout, this, &ModalAnswerer::poll);
    m_timer.start();
}

void ModalAnswerer::poll()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible())
        return;
    if (modal->property(SeenProperty).toBool()) {
        // Still open after its handler, or nobody expected it: close it after the time-out.
        if (m_waiting != modal) {
            m_waiting = modal;
            m_waitingSince = QDateTime::currentMSecsSinceEpoch();
        } else if (QDateTime::currentMSecsSinceEpoch() - m_waitingSince > m_timeoutMs) {
            ++m_unexpected;
            modal->close();
        }
        return;
    }
    // Answered once it is the active window, as a player meets it: a window may fill itself
    // when it is activated, which on a slow machine (or under the sanitizers) follows its
    // showing by a moment. One that never becomes active is answered after two seconds.
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (!modal->isActiveWindow()) {
        if (m_activating != modal) {
            m_activating = modal;
            m_activatingSince = now;
            return;
        }
        if (now - m_activatingSince < 2000)
            return;
    }
    modal->setProperty(SeenProperty, true);

    Seen s;
    s.className = QString::fromLatin1(modal->metaObject()->className());
    s.title = modal->windowTitle();
    if (auto *box = qobject_cast<QMessageBox *>(modal)) {
        s.text = box->text();
        QStringList names;
        for (QAbstractButton *button : box->buttons())
            names << button->text().remove(QLatin1Char('&'));
        s.buttons = names.join(QLatin1Char('|'));
        s.hasIcon = box->icon() != QMessageBox::NoIcon;
    } else if (auto *input = qobject_cast<QInputDialog *>(modal)) {
        s.text = input->labelText();
    }
    seen << s;

    if (m_handlers.empty()) {
        m_waiting = modal;
        m_waitingSince = QDateTime::currentMSecsSinceEpoch();
        return;
    }
    Handler handler = std::move(m_handlers.front());
    m_handlers.pop_front();
    handler(modal);
}

ModalAnswerer::Handler ModalAnswerer::press(QMessageBox::StandardButton which)
{
    return [which](QWidget *modal) {
        if (auto *box = qobject_cast<QMessageBox *>(modal))
            if (QAbstractButton *button = box->button(which)) {
                button->click();
                return;
            }
        modal->close();
    };
}

ModalAnswerer::Handler ModalAnswerer::enterText(const QString &text)
{
    return [text](QWidget *modal) {
        if (auto *input = qobject_cast<QInputDialog *>(modal)) {
            input->setTextValue(text);
            input->accept();
            return;
        }
        modal->close();
    };
}

ModalAnswerer::Handler ModalAnswerer::cancelInput()
{
    return [](QWidget *modal) {
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
        else
            modal->close();
    };
}

ModalAnswerer::Handler ModalAnswerer::closeWindow()
{
    return [](QWidget *modal) { modal->close(); };
}
