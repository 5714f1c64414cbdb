// The instructions window: the picture, and a click that unloads it.
#include "ui/form2.h"

#include "ui/centreover.h"
#include "ui/imagecell.h"

#include <QMouseEvent>
#include <QShowEvent>

Form2::Form2(std::function<void()> unload, QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint)
    , m_unload(std::move(unload))
{
    setWindowTitle(QStringLiteral("Instructions"));
    setFixedSize(499, 335);
    m_picture = artPixmap(QStringLiteral("instructions"), devicePixelRatioF());
}

void Form2::Form_Click()
{
    m_unload();
}

void Form2::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        Form_Click();
}

void Form2::paintEvent(QPaintEvent *)
{
    paintBackground(this, m_picture);
}

void Form2::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        centreOverOwner(this, parentWidget());
    QDialog::showEvent(event);
}
