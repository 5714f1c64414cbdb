// The four piece pictures as the game loads them, at every painted ratio: a ball and a tile
// must differ in lightness, not only in pattern, so that a glance (or a grey screenshot)
// tells them apart; and a selected piece must stand out from both.
#include "media/art/picturenames.h"
#include "ui/boardlayout.h"
#include "ui/imagestore.h"

#include <QImage>
#include <QTest>

namespace {

struct Tone
{
    double luminance = 0; // mean over the piece's opaque pixels, 0 to 1
    double colourfulness = 0; // mean of max - min channel, 0 to 1
    int opaque = 0;
};

Tone toneOf(const QString &name, int ratio)
{
    const QString stored = ratio == 1 ? name : QStringLiteral("%1@%2x").arg(name).arg(ratio);
    const QImage image = storedPicture(stored).toImage().convertToFormat(QImage::Format_ARGB32);
    Tone tone;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qAlpha(p) != 255)
                continue;
            const int hi = std::max({qRed(p), qGreen(p), qBlue(p)}), lo = std::min({qRed(p), qGreen(p), qBlue(p)});
            tone.luminance += (0.2126 * qRed(p) + 0.7152 * qGreen(p) + 0.0722 * qBlue(p)) / 255;
            tone.colourfulness += (hi - lo) / 255.0;
            ++tone.opaque;
        }
    }
    if (tone.opaque > 0) {
        tone.luminance /= tone.opaque;
        tone.colourfulness /= tone.opaque;
    }
    return tone;
}

} // namespace

class TestPieces final : public QObject
{
    Q_OBJECT

private slots:
    void ballsAndTilesDifferInLightness_data()
    {
        QTest::addColumn<int>("ratio");
        QTest::newRow("1x") << 1;
        QTest::newRow("2x") << 2;
        QTest::newRow("3x") << 3;
    }

    void ballsAndTilesDifferInLightness()
    {
        QFETCH(int, ratio);
        const Tone ball = toneOf(pictures::ball, ratio), tile = toneOf(pictures::tile, ratio);
        const Tone ballSelected = toneOf(pictures::ballSelected, ratio);
        const Tone tileSelected = toneOf(pictures::tileSelected, ratio);
        for (const Tone &t : {ball, tile, ballSelected, tileSelected})
            QVERIFY2(t.opaque > CellPixels * CellPixels * ratio * ratio / 2, "a piece picture is missing or mostly transparent");
        qInfo("luminance: ball %.3f, tile %.3f, selected ball %.3f, selected tile %.3f", ball.luminance,
              tile.luminance, ballSelected.luminance, tileSelected.luminance);

        // Light ball, dark tile: a clear margin, whatever the pattern.
        QVERIFY2(ball.luminance - tile.luminance > 0.2, "the ball is not clearly lighter than the tile");
        // Selected pieces keep their kind's side of the scale...
        QVERIFY(ballSelected.luminance > tileSelected.luminance + 0.1);
        // ...yet each differs from its unselected self in tone and is far more colourful.
        QVERIFY(std::abs(ballSelected.luminance - ball.luminance) > 0.03);
        QVERIFY(std::abs(tileSelected.luminance - tile.luminance) > 0.03);
        for (const Tone &plain : {ball, tile})
            for (const Tone &selected : {ballSelected, tileSelected})
                QVERIFY2(selected.colourfulness > plain.colourfulness + 0.2, "a selected piece is not clearly tinted");
    }
};

QTEST_MAIN(TestPieces)
#include "tst_pieces.moc"
