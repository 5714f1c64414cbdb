// The instructions window: the picture, and a click that unloads it.
#include "ui/form2.h"

#include <QMouseEvent>

Form2::Form2(std::function<void()> unload, QWidget *owner)
    : PictureDialog(owner, QStringLiteral("Instructions"), QSize(499, 335), QStringLiteral("instructions"))
    , m_unload(std::move(unload))
{
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
