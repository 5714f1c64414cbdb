// Centring a borderless window over its owner, kept on the owner's screen.
#include "ui/centreover.h"

#include <QRect>
#include <QScreen>
#include <QWidget>

void centreOverOwner(QWidget *window, const QWidget *owner)
{
    if (!owner)
        return;
    const QRect ownerFrame = owner->window()->frameGeometry();
    QRect place(QPoint(0, 0), window->frameGeometry().size());
    place.moveCenter(ownerFrame.center());
    // A window without a title bar cannot be dragged back into view.
    if (const QScreen *screen = owner->screen()) {
        const QRect free = screen->availableGeometry();
        place.moveLeft(qMax(free.left(), qMin(place.left(), free.right() + 1 - place.width())));
        place.moveTop(qMax(free.top(), qMin(place.top(), free.bottom() + 1 - place.height())));
    }
    window->move(place.topLeft());
}
