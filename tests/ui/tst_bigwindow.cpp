// A main window too large for the screen (a large scale factor on a small screen) fits the
// screen, with its title bar and menu bar on it, and the board scrolls inside it.
#include "apprig.h"

#include "ui/boardlayout.h"

#include <QApplication>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>

class TestBigWindow final : public QObject
{
    Q_OBJECT

private slots:
    void theWindowFitsTheScreen()
    {
        AppRig rig;
        MainWindow &window = rig.window();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QRect free = window.screen()->availableGeometry();
        // The case this is about: the board alone is taller and wider than the screen.
        QVERIFY(ClientPixels > free.height() && ClientPixels > free.width());
        // Top to bottom in the free area; across, the window fits and its frame's edge may
        // not (the right border can go over the screen's edge).
        const QRect frame = window.frameGeometry();
        QVERIFY2(frame.top() >= free.top() && frame.bottom() <= free.bottom() && frame.left() >= free.left()
                     && window.width() <= free.width(),
                 qPrintable(QStringLiteral("%1,%2 %3x%4 is not within %5x%6")
                                .arg(frame.x()).arg(frame.y()).arg(frame.width()).arg(frame.height())
                                .arg(free.width()).arg(free.height())));
        QVERIFY(free.contains(window.menuBar()->mapToGlobal(QPoint(0, 0))));
        // Still no resizing by the player.
        QCOMPARE(window.minimumSize(), window.maximumSize());

        auto *scroller = qobject_cast<QScrollArea *>(window.centralWidget());
        QVERIFY(scroller);
        QCOMPARE(scroller->widget()->size(), QSize(ClientPixels, ClientPixels));
        QVERIFY(scroller->verticalScrollBar()->maximum() > 0);
        // The ring starts where it does on any screen.
        QCOMPARE(window.focusedCell(), SharedCell);
    }

    // The arrows still walk the focus ring over the board, to its far corners, and the
    // board scrolls to show the cell that has it.
    void theArrowsReachEveryEdge()
    {
        AppRig rig;
        MainWindow &window = rig.window();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *scroller = qobject_cast<QScrollArea *>(window.centralWidget());
        QVERIFY(scroller);
        QWidget *viewport = scroller->viewport();
        for (const int key : {Qt::Key_Down, Qt::Key_Right, Qt::Key_Up, Qt::Key_Left}) {
            for (int step = 0; step < LastCell; ++step) {
                const int from = window.focusedCell();
                QVERIFY(from != 0);
                QTest::keyClick(window.cells[from], Qt::Key(key));
                if (MainWindow::cellInDirection(from, key) == 0)
                    break;
                QCOMPARE(window.focusedCell(), MainWindow::cellInDirection(from, key));
            }
            const ImageCell *cell = window.cells[window.focusedCell()];
            const QRect shown(cell->mapTo(viewport, QPoint(0, 0)), cell->size());
            QVERIFY2(viewport->rect().contains(shown),
                     qPrintable(QStringLiteral("cell %1 at %2,%3 outside the %4x%5 view")
                                    .arg(window.focusedCell()).arg(shown.x()).arg(shown.y())
                                    .arg(viewport->width()).arg(viewport->height())));
        }
    }

    // A click on a cell half in view selects it and leaves the board where it is, so the
    // release lands on the cell the press did.
    void aClickLeavesTheBoardWhereItIs()
    {
        AppRig rig;
        MainWindow &window = rig.window();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.newGameAction->trigger();
        auto *scroller = qobject_cast<QScrollArea *>(window.centralWidget());
        QVERIFY(scroller);
        QScrollBar *bar = scroller->verticalScrollBar();
        const int cell = 8; // a ball next to the empty cell
        bar->setValue(window.cells[cell]->y() + CellPixels / 2 - scroller->viewport()->height());
        const int shown = bar->value();
        QTest::mouseClick(window.cells[cell], Qt::LeftButton, {}, QPoint(CellPixels / 2, CellPixels / 4));
        QCOMPARE(rig.game.selectedCell(), cell);
        QCOMPARE(bar->value(), shown);
    }
};

int main(int argc, char *argv[])
{
    // An 800x800 offscreen screen at three times: 267 points a side, smaller than the window.
    qputenv("QT_SCALE_FACTOR", "3");
    QApplication app(argc, argv);
    TestBigWindow test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_bigwindow.moc"
