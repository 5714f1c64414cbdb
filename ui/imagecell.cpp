#include "ui/imagecell.h"

#include "ui/background.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace {

// What assistive technology sees of an ImageCell: its role, its name, and a press that is
// the same click as the mouse's.
class ImageCellAccessible final : public QAccessibleWidget
{
public:
    explicit ImageCellAccessible(ImageCell *cell)
        : QAccessibleWidget(cell, cell->accessibleRole())
    {
    }

    QStringList actionNames() const override
    {
        QStringList names = QAccessibleWidget::actionNames();
        if (role() == QAccessible::Button)
            names.prepend(pressAction());
        return names;
    }

    void doAction(const QString &actionName) override
    {
        if (actionName == pressAction() && role() == QAccessible::Button)
            static_cast<ImageCell *>(widget())->click();
        else
            QAccessibleWidget::doAction(actionName);
    }
};

QAccessibleInterface *imageCellAccessible(const QString &className, QObject *object)
{
    if (className == QLatin1String("ImageCell") && object && object->isWidgetType())
        return new ImageCellAccessible(static_cast<ImageCell *>(object));
    return nullptr;
}

} // namespace

ImageCell::ImageCell(QWidget *parent, QAccessible::Role role)
    : QWidget(parent)
    , m_role(role)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(imageCellAccessible);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    setAttribute(Qt::WA_NoSystemBackground);
}

void ImageCell::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    update();
}

void ImageCell::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!m_picture.isNull())
        paintInBands(painter, event->rect(), [&] { painter.drawPixmap(0, 0, m_picture); });
    if (hasFocus())
        paintFocusRing(painter);
}

void ImageCell::paintFocusRing(QPainter &painter) const
{
    // Engraved like the board's grid: a dark violet band with a white line inside, square
    // and on whole logical pixels, so it stays sharp at 1x and 2x. Cut corners keep it
    // clear of the pieces' round edges.
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const auto frame = [&box](qreal inset, qreal cut) {
        const QRectF r = box.adjusted(inset, inset, -inset, -inset);
        return QPolygonF({r.topLeft() + QPointF(cut, 0), r.topRight() - QPointF(cut, 0),
                          r.topRight() + QPointF(0, cut), r.bottomRight() - QPointF(0, cut),
                          r.bottomRight() - QPointF(cut, 0), r.bottomLeft() + QPointF(cut, 0),
                          r.bottomLeft() - QPointF(0, cut), r.topLeft() + QPointF(0, cut),
                          r.topLeft() + QPointF(cut, 0)});
    };
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(84, 80, 94), 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawPolyline(frame(0, 6));
    painter.drawPolyline(frame(1, 6));
    painter.setPen(QPen(QColor(250, 250, 255), 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawPolyline(frame(2, 6));
    painter.restore();
}

void ImageCell::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
}

void ImageCell::mouseReleaseEvent(QMouseEvent *event)
{
    // A click is a press and a release on the same cell.
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        emit clicked();
}

void ImageCell::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    const bool press = key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
    if (!press || (event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        event->ignore(); // the window's keys
        return;
    }
    // A held key is one press, as a held mouse button is one click.
    if (!event->isAutoRepeat())
        click();
}
