// The main window on a scaled screen (CTest runs this at QT_SCALE_FACTOR 1.5 and 3): what
// it shows must be the sharper picture made smaller, never the 1x picture stretched. A
// grab of the window is compared, region by region, with both.
#include "fakes.h"
#include "game/gamecontroller.h"
#include "media/art/picturenames.h"
#include "topten/toptenlist.h"
#include "ui/boardlayout.h"
#include "ui/mainwindow.h"
#include "ui/imagestore.h"

#include <QTest>

#include <cmath>

namespace {

// Mean difference per channel, 0 to 255, between two images of the same size.
double meanDifference(const QImage &a, const QImage &b)
{
    const QImage x = a.convertToFormat(QImage::Format_RGB32), y = b.convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int j = 0; j < x.height(); ++j)
        for (int i = 0; i < x.width(); ++i) {
            const QRgb p = x.pixel(i, j), q = y.pixel(i, j);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * x.width() * x.height());
}

// The part of a picture painted at pictureRatio under the window rectangle logical, brought
// to the size it has on a screen of screenRatio.
QImage expected(const QString &name, int pictureRatio, const QRect &logical, qreal screenRatio)
{
    const QImage picture = storedPicture(name).toImage();
    const QRect source(logical.topLeft() * pictureRatio, logical.size() * pictureRatio);
    const QSize onScreen = (QSizeF(logical.size()) * screenRatio).toSize();
    return picture.copy(source).scaled(onScreen, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace

class TestScaledArt final : public QObject
{
    Q_OBJECT

private slots:
    void theWindowShowsTheSharperPictureMadeSmaller_data()
    {
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QRect>("region"); // window pixels; even, so that 1.5x lands on whole pixels
        QTest::newRow("title on the background") << QString(pictures::board) << QRect(10, 10, 270, 90);
        QTest::newRow("ball in cell 5") << QString(pictures::ball) << QRect(116, 276, 20, 20);
    }

    void theWindowShowsTheSharperPictureMadeSmaller()
    {
        QFETCH(QString, picture);
        QFETCH(QRect, region);

        FakeDialogs dialogs;
        MemoryStore store;
        RecordingCuePlayer cues;
        RecordingView view;
        TopTenList topTen(store, dialogs);
        GameController game(view, dialogs, cues, topTen);
        MainWindow window(game);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        const qreal ratio = window.devicePixelRatioF();
        QVERIFY2(ratio > 1, "run this test with QT_SCALE_FACTOR above 1");
        const int sharp = int(std::ceil(ratio - 1e-6));
        QWidget *client = window.centralWidget();
        QRect inClient = region;
        if (picture != pictures::board) {
            // The ball region is given in window pixels; the picture starts at the cell.
            const QPoint cell(cellTopLeft(5).x, cellTopLeft(5).y);
            QCOMPARE(window.cells[5]->pos(), cell);
            inClient = region.translated(-cell);
        }

        const QImage shot = client->grab().toImage();
        const QRect device((QRectF(region.topLeft(), region.size()).topLeft() * ratio).toPoint(),
                           (QSizeF(region.size()) * ratio).toSize());
        const QImage shown = shot.copy(device);
        const double fromSharp = meanDifference(shown, expected(QStringLiteral("%1@%2x").arg(picture).arg(sharp), sharp,
                                                               inClient, ratio));
        const double fromStretched = meanDifference(shown, expected(picture, 1, inClient, ratio));
        qInfo("ratio %.2f: differs from the @%dx picture by %.2f, from the 1x picture stretched by %.2f", ratio, sharp,
              fromSharp, fromStretched);
        QVERIFY2(fromSharp < 4, "the window does not show the sharp picture");
        QVERIFY2(fromSharp * 2 < fromStretched, "the window looks like the 1x picture stretched");
    }
};

QTEST_MAIN(TestScaledArt)
#include "tst_scaledart.moc"
