// Every picture as the game stores it (24-bit RGB when opaque, premultiplied ARGB
// otherwise, rows padded to whole words) must hold exactly the pixels the build painted,
// at every ratio, and draw them exactly: the store is the only copy the game has.
#include "media/art/picturenames.h"
#include "ui/background.h"
#include "ui/imagestore.h"

#include <QDir>
#include <QPainter>
#include <QTest>

namespace {

// The PNG as painted, at a device pixel ratio of 1 as the store gives it (Qt reads "@2x"
// in a file name as a ratio of 2).
QImage painted(const QString &name)
{
    QImage png(QDir(QStringLiteral(TOBRINEL_ART_DIR)).filePath(name + QStringLiteral(".png")));
    png.setDevicePixelRatio(1);
    return png;
}

bool translucent(const QImage &image)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            if (qAlpha(line[x]) != 255)
                return true;
        }
    }
    return false;
}

} // namespace

class TestStoredArt final : public QObject
{
    Q_OBJECT

private slots:
    void thePixelsAreThePaintedOnes_data()
    {
        QTest::addColumn<QString>("name");
        const QLatin1String named[] = {pictures::board, pictures::ball, pictures::tileSelected, pictures::results,
                                       pictures::bannerStupid, pictures::blackList, pictures::about,
                                       pictures::instructions, pictures::tick16};
        for (const QLatin1String base : named) {
            for (const char *twin : {"", "@2x", "@3x"}) {
                const QString name = base + QLatin1String(twin);
                QTest::newRow(qPrintable(name)) << name;
            }
        }
        for (int size : pictures::iconSizes) {
            if (size <= pictures::windowIconMaxSize)
                QTest::newRow(qPrintable(pictures::icon(size))) << pictures::icon(size);
        }
    }

    void thePixelsAreThePaintedOnes()
    {
        QFETCH(QString, name);
        const QImage png = painted(name);
        QVERIFY2(!png.isNull(), qPrintable(name + QStringLiteral(".png is not in ") + QStringLiteral(TOBRINEL_ART_DIR)));
        const QImage stored = storedImage(name);
        QVERIFY(!stored.isNull());
        QCOMPARE(stored.size(), png.size());
        // Opaque pictures are kept a quarter smaller; only translucent ones need alpha.
        QCOMPARE(stored.format(), translucent(png) ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB888);
        // Compared premultiplied, as a pixmap holds them (going back from premultiplied loses
        // the colour of nearly clear pixels, which no screen shows).
        const QImage expected = png.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QCOMPARE(stored.convertToFormat(QImage::Format_ARGB32_Premultiplied), expected);
        QCOMPARE(storedPicture(name).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied), expected);
    }

    // A background is drawn from the stored picture as it is; on a 32-bit surface, the one
    // a window's backing store has, every pixel must come out as painted.
    void aBackgroundDrawsExactly_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("board") << QString(pictures::board);
        QTest::newRow("results, 385 wide") << QString(pictures::results);
        QTest::newRow("about at 2x") << QString(pictures::about) + QStringLiteral("@2x");
    }

    void aBackgroundDrawsExactly()
    {
        QFETCH(QString, name);
        const QImage stored = storedImage(name);
        QVERIFY(!stored.isNull());
        for (const QImage::Format surface : {QImage::Format_RGB32, QImage::Format_ARGB32_Premultiplied}) {
            QImage canvas(stored.size(), surface);
            canvas.fill(Qt::magenta);
            {
                QPainter painter(&canvas);
                painter.setRenderHint(QPainter::SmoothPixmapTransform);
                painter.drawImage(0, 0, stored);
            }
            QCOMPARE(canvas.convertToFormat(QImage::Format_RGB32), painted(name).convertToFormat(QImage::Format_RGB32));
        }
    }
};

QTEST_MAIN(TestStoredArt)
#include "tst_storedart.moc"
