// The floor the game is measured against: a Qt Widgets program of the main window's shape
// (the same fixed client area under the same menus, seventeen picture labels and a
// one-second timer), with no pictures, fonts, sound or settings of its own. A click on a
// label gives it another picture, the least a click can make a Qt window repaint: the
// floor for the game's clicks. The two pictures are made at the first click, so that they
// are not in the memory measured before.

#include <QApplication>
#include <QLabel>
#include <QLayout>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPixmap>
#include <QTimer>

#include "ui/boardlayout.h"

namespace {

class PictureLabel final : public QLabel
{
public:
    using QLabel::QLabel;

protected:
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        static const QPixmap pictures[2] = {filled(QColor(40, 40, 40)), filled(QColor(230, 230, 230))};
        if (event->button() == Qt::LeftButton)
            setPixmap(pictures[m_shown = 1 - m_shown]);
    }

private:
    static QPixmap filled(const QColor &colour)
    {
        QPixmap pixmap(CellPixels, CellPixels);
        pixmap.fill(colour);
        return pixmap;
    }

    int m_shown = 1;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                                    | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    window.setWindowTitle(QStringLiteral("Bare window"));

    auto *client = new QWidget(&window);
    client->setFixedSize(ClientPixels, ClientPixels);
    window.setCentralWidget(client);
    for (int cell = 1; cell <= int(CellTwips.size()); ++cell) {
        auto *label = new PictureLabel(client);
        const PixelPoint corner = cellTopLeft(cell);
        label->setGeometry(corner.x, corner.y, CellPixels, CellPixels);
    }

    QMenu *file = window.menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&Play"));
    file->addAction(QStringLiteral("&Black List"));
    file->addAction(QStringLiteral("&Exit"));
    QAction *sound = window.menuBar()->addMenu(QStringLiteral("&Setting"))->addAction(QStringLiteral("&Sound"));
    sound->setCheckable(true);
    sound->setChecked(true);
    QMenu *help = window.menuBar()->addMenu(QStringLiteral("&Help"));
    help->addAction(QStringLiteral("&Instructions"));
    help->addAction(QStringLiteral("&About"));

    int ticks = 0;
    QTimer timer;
    timer.setInterval(1000);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &window, [&ticks] { ++ticks; });
    timer.start();

    window.layout()->setSizeConstraint(QLayout::SetFixedSize);
    window.adjustSize();
    window.setFixedSize(window.sizeHint());
    window.show();
    return app.exec();
}
