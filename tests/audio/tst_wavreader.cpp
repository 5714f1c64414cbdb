// The WAV reader the audio worker plays from, on well-formed, odd and broken images built
// chunk by chunk, and on the six cues the program carries.

#include "audio/cueformats.h"
#include "audio/soundresources.h"
#include "audio/wavreader.h"

#include <QTest>

namespace {

QByteArray le(quint32 value, int width)
{
    QByteArray bytes;
    for (int i = 0; i < width; ++i)
        bytes.append(static_cast<char>((value >> (8 * i)) & 0xff));
    return bytes;
}

QByteArray chunk(const QByteArray &id, const QByteArray &body, qint64 declaredSize = -1)
{
    QByteArray bytes = id + le(declaredSize < 0 ? body.size() : quint32(declaredSize), 4) + body;
    if (body.size() % 2)
        bytes.append('\0');
    return bytes;
}

QByteArray fmt(int tag, int channels, int rate, int bits, int extra = 0)
{
    const int frame = channels * bits / 8;
    QByteArray body = le(tag, 2) + le(channels, 2) + le(rate, 4) + le(rate * frame, 4) + le(frame, 2) + le(bits, 2);
    if (extra)
        body += le(0, extra);
    return chunk("fmt ", body);
}

QByteArray riff(const QByteArray &chunks)
{
    return "RIFF" + le(4 + chunks.size(), 4) + "WAVE" + chunks;
}

QByteArray bytes(int count)
{
    return QByteArray(count, '\x40');
}

} // namespace

class TestWavReader final : public QObject
{
    Q_OBJECT

private slots:
    void parseWave_data();
    void parseWave();
    void parsesTheSixCues();
};

void TestWavReader::parseWave_data()
{
    QTest::addColumn<QByteArray>("image");
    QTest::addColumn<bool>("playable");
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("bits");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("length");

    QTest::newRow("8-bit mono") << riff(fmt(1, 1, 11025, 8) + chunk("data", bytes(5))) << true << 11025 << 1 << 8 << 44 << 5;
    QTest::newRow("16-bit, odd byte not played") << riff(fmt(1, 1, 22050, 16) + chunk("data", bytes(7))) << true << 22050 << 1 << 16 << 44 << 6;
    QTest::newRow("16-bit stereo, part frame not played") << riff(fmt(1, 2, 44100, 16) + chunk("data", bytes(10))) << true << 44100 << 2 << 16 << 44 << 8;
    QTest::newRow("data cut short: only what is there") << riff(fmt(1, 1, 22050, 16) + chunk("data", bytes(6), 1000)) << true << 22050 << 1 << 16 << 44 << 6;
    QTest::newRow("odd chunk before fmt skipped with its pad") << riff(chunk("LIST", bytes(3)) + fmt(1, 1, 8000, 8) + chunk("data", bytes(4))) << true << 8000 << 1 << 8 << 56 << 4;
    QTest::newRow("fmt with extension size") << riff(fmt(1, 1, 8000, 8, 2) + chunk("data", bytes(4))) << true << 8000 << 1 << 8 << 46 << 4;
    QTest::newRow("RIFF length wrong") << ("RIFF" + le(3, 4) + "WAVE" + fmt(1, 1, 8000, 8) + chunk("data", bytes(4))) << true << 8000 << 1 << 8 << 44 << 4;

    const QByteArray good = riff(fmt(1, 1, 8000, 8) + chunk("data", bytes(4)));
    QTest::newRow("empty") << QByteArray() << false << 0 << 0 << 0 << 0 << 0;
    QTest::newRow("not RIFF") << ("RIFX" + good.mid(4)) << false << 0 << 0 << 0 << 0 << 0;
    QTest::newRow("not WAVE") << (good.left(8) + "AVI " + good.mid(12)) << false << 0 << 0 << 0 << 0 << 0;
    QTest::newRow("header only") << good.left(12) << false << 0 << 0 << 0 << 0 << 0;
    QTest::newRow("fmt cut short") << good.left(30) << false << 0 << 0 << 0 << 0 << 0;
    QTest::newRow("no data chunk") << riff(fmt(1, 1, 8000, 8)) << false << 0 << 0 << 0 << 0 << 0;
    QTest::newRow("data before fmt") << riff(chunk("data", bytes(4)) + fmt(1, 1, 8000, 8)) << false << 0 << 0 << 0 << 0 << 0;
    QTest::newRow("float samples") << riff(fmt(3, 1, 8000, 32) + chunk("data", bytes(8))) << false << 0 << 0 << 0 << 0 << 0;
    QTest::newRow("24-bit samples") << riff(fmt(1, 1, 8000, 24) + chunk("data", bytes(6))) << false << 0 << 0 << 0 << 0 << 0;
    QTest::newRow("no channels") << riff(fmt(1, 0, 8000, 8) + chunk("data", bytes(4))) << false << 0 << 0 << 0 << 0 << 0;
    QTest::newRow("rate zero") << riff(fmt(1, 1, 0, 8) + chunk("data", bytes(4))) << false << 0 << 0 << 0 << 0 << 0;
    QTest::newRow("empty data") << riff(fmt(1, 1, 8000, 8) + chunk("data", QByteArray())) << false << 0 << 0 << 0 << 0 << 0;
    QTest::newRow("16-bit data of one byte") << riff(fmt(1, 1, 8000, 16) + chunk("data", bytes(1))) << false << 0 << 0 << 0 << 0 << 0;
    QTest::newRow("chunk size past the end") << riff(fmt(1, 1, 8000, 8) + chunk("junk", bytes(2), 0xfffffff0u) + chunk("data", bytes(4))) << false << 0 << 0 << 0 << 0 << 0;
}

void TestWavReader::parseWave()
{
    QFETCH(QByteArray, image);
    QFETCH(bool, playable);

    const std::optional<WaveImage> wave = ::parseWave(image);
    QCOMPARE(wave.has_value(), playable);
    if (!playable)
        return;
    QTEST(wave->sampleRate, "rate");
    QTEST(wave->channels, "channels");
    QTEST(wave->bitsPerSample, "bits");
    QTEST(int(wave->dataOffset), "offset");
    QTEST(int(wave->dataLength), "length");
}

void TestWavReader::parsesTheSixCues()
{
    for (int id = 1; id <= 6; ++id) {
        const std::optional<WaveImage> wave = ::parseWave(soundResource(static_cast<Cue>(id)));
        QVERIFY2(wave, qPrintable(QString::number(id)));
        QCOMPARE(wave->dataOffset, qsizetype(44));
        QCOMPARE(wave->dataLength, qsizetype(cueFormat(id).dataBytes)); // the pad byte after cue 2 is not sound
    }
}

QTEST_GUILESS_MAIN(TestWavReader)
#include "tst_wavreader.moc"
