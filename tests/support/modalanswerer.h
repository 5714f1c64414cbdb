// Answers the real modal dialogs and windows that a test opens. It polls
// QApplication::activeModalWidget() every few milliseconds and hands each new modal widget
// to the next handler in its queue. A modal widget that no handler expects is closed after
// a time-out and counted, so a test fails instead of hanging.
//
// Handlers must not use QVERIFY/QCOMPARE (they would return early and leave the dialog
// open): record what you need, answer, and compare after the call returns.
#pragma once

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <deque>
#include <functional>

class ModalAnswerer final : public QObject
{
public:
    using Handler = std::function<void(QWidget *modal)>;

    explicit ModalAnswerer(int unexpectedTimeoutMs = 3000);

    void expect(Handler handler) { m_handlers.push_back(std::move(handler)); }

    // Ready-made handlers.
    static Handler press(QMessageBox::StandardButton button);
    static Handler enterText(const QString &text); // OK in a QInputDialog
    static Handler cancelInput();
    static Handler closeWindow();                   // as the window manager's close would

    bool allAnswered() const { return m_handlers.empty(); }
    int unexpected() const { return m_unexpected; }

    struct Seen
    {
        QString className;
        QString title;
        QString text;       // a message box's text or an input dialog's label
        QString buttons;    // a message box's button texts, joined by '|'
        bool hasIcon = false;
    };
    QList<Seen> seen;

private:
    void poll();

    QTimer m_timer;
    std::deque<Handler> m_handlers;
    QPointer<QWidget> m_waiting;   // an unexpected modal widget and when it appeared
    qint64 m_waitingSince = 0;
    QPointer<QWidget> m_activating; // a new modal widget not yet active, and since when
    qint64 m_activatingSince = 0;
    int m_timeoutMs;
    int m_unexpected = 0;
};
