#include "ui/imagecell.h"

#include "ui/imagestore.h"

#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

int artRatio(qreal devicePixelRatio)
{
    // A hair of tolerance: a ratio computed as 2.0000001 is still a 2x screen.
    for (int ratio = 1; ratio < maxArtRatio; ++ratio) {
        if (ratio >= devicePixelRatio - 1e-6)
            return ratio;
    }
    return maxArtRatio;
}

QPixmap artPixmap(const QString &name, qreal devicePixelRatio)
{
    for (int ratio = artRatio(devicePixelRatio); ratio > 1; --ratio) {
        QPixmap sharp = storedPicture(QStringLiteral("%1@%2x").arg(name).arg(ratio));
        if (!sharp.isNull()) {
            sharp.setDevicePixelRatio(ratio);
            return sharp;
        }
    }
    return storedPicture(name);
}

QIcon applicationIcon()
{
    // Made once and shared, so its pictures are decompressed once for every window. Only
    // the sizes up to 64 px go into a window's icon; larger ones are the icon theme's.
    static QIcon *icon = nullptr;
    if (!icon) {
        icon = new QIcon;
        for (int size : {16, 22, 24, 32, 48, 64})
            icon->addPixmap(storedPicture(QStringLiteral("icon-%1").arg(size)));
        qAddPostRoutine([] {
            delete icon;
            icon = nullptr;
        });
    }
    return *icon;
}

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

void ImageCell::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!m_picture.isNull())
        painter.drawPixmap(0, 0, m_picture);
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

void paintBackground(QWidget *window, const QPixmap &picture)
{
    if (picture.isNull())
        return;
    QPainter painter(window);
    // Between two painted ratios the picture is made smaller, never larger: smoothly, so it
    // stays crisp.
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(0, 0, picture);

    // Where the window is larger than its picture, the picture's last column and last row
    // are drawn out to the window's edges, so the margin carries on the picture's own edge
    // colours instead of showing a strip of another colour. Unsmoothed, so that no colour
    // from further inside bleeds into it.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const QSizeF size = picture.deviceIndependentSize();
    const qreal right = window->width() - size.width(), bottom = window->height() - size.height();
    const qreal w = picture.width(), h = picture.height();
    if (right > 0)
        painter.drawPixmap(QRectF(size.width(), 0, right, size.height()), picture, QRectF(w - 1, 0, 1, h));
    if (bottom > 0)
        painter.drawPixmap(QRectF(0, size.height(), size.width(), bottom), picture, QRectF(0, h - 1, w, 1));
    if (right > 0 && bottom > 0)
        painter.drawPixmap(QRectF(size.width(), size.height(), right, bottom), picture, QRectF(w - 1, h - 1, 1, 1));
}
