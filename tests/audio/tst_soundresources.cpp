// The six cues as the program finds them in its resources: each a complete RIFF/WAVE image
// of its fixed format and size, and a sound that starts and ends in silence, is not
// clipped and is still heard near its end. Linking the core alone also proves that the
// resources of the static library reach a program that uses it.

#include "audio/cueformats.h"
#include "audio/soundresources.h"

#include <QtEndian>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// The little-endian field of 2 or 4 bytes at byte offset at.
quint32 le(const QByteArray &image, qsizetype at, int width)
{
    const char *field = image.constData() + at;
    return width == 2 ? qFromLittleEndian<quint16>(field) : qFromLittleEndian<quint32>(field);
}

QByteArray cueImage(int id)
{
    return soundResource(static_cast<Cue>(id));
}

// Sample i of the data chunk as a fraction of full scale.
double sampleAt(const QByteArray &image, int bits, qsizetype i)
{
    if (bits == 8)
        return (static_cast<quint8>(image.at(44 + i)) - 128) / 128.0;
    return static_cast<qint16>(le(image, 44 + 2 * i, 2)) / 32768.0;
}

} // namespace

class TestSoundResources final : public QObject
{
    Q_OBJECT

private slots:
    void image_data();
    void image();
    void sound_data();
    void sound();
};

void TestSoundResources::image_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("fileBytes");
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("bits");
    QTest::addColumn<int>("dataBytes");
    QTest::addColumn<double>("seconds");

    const std::pair<const char *, double> rows[] = {
        {"1 victory fanfare", 2.83},
        {"2 about jingle, odd data and pad byte", 5.60},
        {"3 new game chime", 2.71},
        {"4 black list sting", 1.23},
        {"5 move, 16 bit", 0.48},
        {"6 selection click", 0.10},
    };
    for (const CueFormat &f : CueFormats) {
        const auto &[name, seconds] = rows[f.id - 1];
        QTest::newRow(name) << f.id << int(f.fileBytes) << f.sampleRate << f.bitsPerSample << int(f.dataBytes)
                            << seconds;
    }
}

void TestSoundResources::image()
{
    QFETCH(int, id);
    QFETCH(int, fileBytes);
    QFETCH(int, rate);
    QFETCH(int, bits);
    QFETCH(int, dataBytes);
    QFETCH(double, seconds);

    const QByteArray image = cueImage(id);
    QCOMPARE(image.size(), fileBytes);

    QCOMPARE(image.left(4), QByteArray("RIFF"));
    QCOMPARE(le(image, 4, 4), quint32(fileBytes - 8));
    QCOMPARE(image.mid(8, 4), QByteArray("WAVE"));

    QCOMPARE(image.mid(12, 4), QByteArray("fmt "));
    QCOMPARE(le(image, 16, 4), 16u);
    QCOMPARE(le(image, 20, 2), 1u); // PCM
    QCOMPARE(le(image, 22, 2), 1u); // mono
    QCOMPARE(le(image, 24, 4), quint32(rate));
    QCOMPARE(le(image, 28, 4), quint32(rate * bits / 8)); // bytes per second
    QCOMPARE(le(image, 32, 2), quint32(bits / 8));        // bytes per frame
    QCOMPARE(le(image, 34, 2), quint32(bits));

    QCOMPARE(image.mid(36, 4), QByteArray("data"));
    QCOMPARE(le(image, 40, 4), quint32(dataBytes));

    // One data chunk and nothing after it but the pad byte an odd-sized chunk needs.
    const int pad = dataBytes % 2;
    QCOMPARE(44 + dataBytes + pad, fileBytes);
    if (pad)
        QCOMPARE(image.at(fileBytes - 1), '\0');

    const double length = double(dataBytes) / (bits / 8) / rate;
    QVERIFY2(std::abs(length - seconds) < 0.005, qPrintable(QString::number(length)));
}

void TestSoundResources::sound_data()
{
    QTest::addColumn<int>("id");
    for (int id = 1; id <= 6; ++id)
        QTest::addRow("cue %d", id) << id;
}

void TestSoundResources::sound()
{
    QFETCH(int, id);
    const QByteArray image = cueImage(id);
    QVERIFY(image.size() > 44);
    const int bits = static_cast<int>(le(image, 34, 2));
    const int rate = static_cast<int>(le(image, 24, 4));
    const qsizetype frames = le(image, 40, 4) / (bits / 8);

    // 8-bit silence is 128; anything else at the edges is an audible click.
    const double oneStep = bits == 8 ? 1.0 / 128 : 1.0 / 32768;
    QVERIFY2(std::abs(sampleAt(image, bits, 0)) <= oneStep, "starts with a click");
    QVERIFY2(std::abs(sampleAt(image, bits, frames - 1)) <= oneStep, "ends with a click");

    double peak = 0;
    for (qsizetype i = 0; i < frames; ++i)
        peak = std::max(peak, std::abs(sampleAt(image, bits, i)));
    QVERIFY2(peak < 0.9, qPrintable(QStringLiteral("too close to clipping: %1").arg(peak)));
    QVERIFY2(peak > 0.3, qPrintable(QStringLiteral("too quiet: %1").arg(peak)));

    // Still sounding 60 ms before the end (half that for the 0.1 s click): a cue lasts its
    // whole length, it does not end early in silence.
    const qsizetype from = frames - rate * (id == 6 ? 30 : 60) / 1000;
    double late = 0;
    for (qsizetype i = from; i < from + rate / 100; ++i)
        late = std::max(late, std::abs(sampleAt(image, bits, i)));
    QVERIFY2(late > 0.02, qPrintable(QStringLiteral("silent before its end: %1").arg(late)));
}

QTEST_GUILESS_MAIN(TestSoundResources)
#include "tst_soundresources.moc"
