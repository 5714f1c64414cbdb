// A main window larger than the screen (a large scale factor on a small screen) keeps its
// title bar and menu bar on the screen, where the mouse reaches them.
#include "apprig.h"

#include <QApplication>
#include <QMenuBar>
#include <QScreen>

class TestBigWindow final : public QObject
{
    Q_OBJECT

private slots:
    void theTopStaysOnTheScreen()
    {
        AppRig rig;
        MainWindow &window = rig.window();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QRect free = window.screen()->availableGeometry();
        const QRect frame = window.frameGeometry();
        // The case this is about: the window does not fit.
        QVERIFY2(frame.height() > free.height() && frame.width() > free.width(),
                 qPrintable(QStringLiteral("%1x%2 fits in %3x%4")
                                .arg(frame.width()).arg(frame.height()).arg(free.width()).arg(free.height())));
        QCOMPARE(frame.top(), free.top());
        QCOMPARE(frame.left(), free.left());
        const QPoint menu = window.menuBar()->mapToGlobal(QPoint(0, 0));
        QVERIFY(free.contains(menu));
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
