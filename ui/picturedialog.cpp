#include "ui/picturedialog.h"

#include "ui/centreover.h"
#include "ui/waylandextras.h"
#include "ui/artpictures.h"
#include "ui/background.h"

#include <QPaintEvent>
#include <QShowEvent>

PictureDialog::PictureDialog(QWidget *owner, const QString &title, QSize size, const QString &picture)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint)
{
    setWindowTitle(title);
    setFixedSize(size);
    m_picture = artImage(picture, devicePixelRatioF());
}

void PictureDialog::paintEvent(QPaintEvent *event)
{
    paintBackground(this, m_picture, event->rect());
}

void PictureDialog::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        centreOverOwner(this, parentWidget());
    QDialog::showEvent(event);
}

void PictureDialog::setVisible(bool visible)
{
    QDialog::setVisible(visible);
    if (visible)
        markModalForShell(this);
}
