// Centring a window over its owner, kept on the owner's screen.
#include "ui/centreover.h"

#include <QApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

namespace {

QMargins frameOf(const QWidget *window)
{
    const QRect frame = window->frameGeometry(), client = window->geometry();
    return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
            frame.bottom() - client.bottom()};
}

// The frame the window manager will put round a window that is not on screen yet: the one
// it put round another of the program's framed windows.
QMargins expectedFrame(const QWidget *window)
{
    if (window->windowFlags().testFlag(Qt::FramelessWindowHint))
        return {};
    if (window->isVisible() && !frameOf(window).isNull())
        return frameOf(window);
    for (const QWidget *other : QApplication::topLevelWidgets()) {
        if (other != window && other->isVisible() && !other->windowFlags().testFlag(Qt::FramelessWindowHint)
            && !frameOf(other).isNull())
            return frameOf(other);
    }
    return {};
}

} // namespace

void centreOverOwner(QWidget *window, const QWidget *owner)
{
    if (!owner)
        return;
    // The owner's geometry as the widget knows it: a window placed while it was being shown
    // can still have its native position at 0,0, which Qt's own placing would use, and
    // a frame strut that makes no sense. A borderless owner has no frame to ask about.
    const QWidget *ownerWindow = owner->window();
    const QRect ownerFrame = ownerWindow->windowFlags().testFlag(Qt::FramelessWindowHint)
                                 ? ownerWindow->geometry()
                                 : ownerWindow->frameGeometry();
    const QMargins frame = expectedFrame(window);
    QRect place(QPoint(0, 0), window->size().grownBy(frame));
    place.moveCenter(ownerFrame.center());
    // A window without a title bar cannot be dragged back into view.
    if (const QScreen *screen = owner->screen()) {
        const QRect free = screen->availableGeometry();
        place.moveLeft(qMax(free.left(), qMin(place.left(), free.right() + 1 - place.width())));
        place.moveTop(qMax(free.top(), qMin(place.top(), free.bottom() + 1 - place.height())));
    }
    // move() places the frame of a window on screen, and the client area of one that is not.
    if (window->isVisible() && window->testAttribute(Qt::WA_Mapped))
        window->move(place.topLeft());
    else
        window->move(place.topLeft() + QPoint(frame.left(), frame.top()));
}
