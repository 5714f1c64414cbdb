// The real audio back end without an audio server (PULSE_SERVER names a socket that does
// not exist): nothing of it starts before the first cue, start() returns at once, no
// window appears, and the back end is gone promptly when destroyed. Also the WAV reader
// it plays from, on well-formed, odd and broken images.

#include "media/audiooutput.h"
#include "media/cueformats.h"
#include "media/soundresources.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <vector>

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

// Threads of this process that carry the back end's name (Linux shows names in /proc).
int audioThreads()
{
    int count = 0;
    const QDir tasks(QStringLiteral("/proc/self/task"));
    for (const QString &task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile comm(tasks.filePath(task + QStringLiteral("/comm")));
        if (comm.open(QIODevice::ReadOnly) && comm.readAll().trimmed() == "tobrinel-audio")
            ++count;
    }
    return count;
}

} // namespace

class TestAudioOutput final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void parseWave_data();
    void parseWave();
    void parsesTheSixCues();
    void nothingStartsBeforeTheFirstCue();
    void startReturnsAtOnceWithoutServer();
    void leavesPromptlyWithoutServer();

private:
    QTemporaryDir m_noServer;
};

void TestAudioOutput::initTestCase()
{
    QVERIFY(m_noServer.isValid());
    // Read by libpulse when the back end first connects, which is after this point.
    qputenv("PULSE_SERVER", "unix:" + m_noServer.filePath(QStringLiteral("missing-socket")).toLocal8Bit());
}

void TestAudioOutput::parseWave_data()
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

void TestAudioOutput::parseWave()
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

void TestAudioOutput::parsesTheSixCues()
{
    for (int id = 1; id <= 6; ++id) {
        const std::optional<WaveImage> wave = ::parseWave(soundResource(static_cast<Cue>(id)));
        QVERIFY2(wave, qPrintable(QString::number(id)));
        QCOMPARE(wave->dataOffset, qsizetype(44));
        QCOMPARE(wave->dataLength, qsizetype(cueFormat(id).dataBytes)); // the pad byte after cue 2 is not sound
    }
}

void TestAudioOutput::nothingStartsBeforeTheFirstCue()
{
    auto output = std::make_unique<QtAudioOutput>(QStringLiteral(TOBRINEL_AUDIO_MODULE_DIR));
    QCoreApplication::processEvents();
    QCOMPARE(audioThreads(), 0);

    output->start(soundResource(Cue::Select));
    // A thread the audio library starts from the worker carries the worker's name for a
    // moment, until it names itself: count at least one, not exactly one.
    QTRY_VERIFY(audioThreads() >= 1);

    output.reset();
    // wait() returns as the thread finishes; the kernel drops its task a moment later.
    QTRY_COMPARE_WITH_TIMEOUT(audioThreads(), 0, 200);
}

void TestAudioOutput::startReturnsAtOnceWithoutServer()
{
    std::vector<QByteArray> images;
    for (int id = 1; id <= 6; ++id)
        images.push_back(soundResource(static_cast<Cue>(id)));
    images.push_back(QByteArray("not a wave image"));

    QtAudioOutput output(QStringLiteral(TOBRINEL_AUDIO_MODULE_DIR));
    std::vector<qint64> nanoseconds;
    for (int i = 0; i < 200; ++i) {
        QElapsedTimer timer;
        timer.start();
        output.start(images[i % images.size()]);
        nanoseconds.push_back(timer.nsecsElapsed());
        // Half the requests come in a burst, the other half with the worker given time to act.
        if (i % 2)
            QTest::qWait(2);
    }
    std::sort(nanoseconds.begin(), nanoseconds.end());
    const qint64 median = nanoseconds[nanoseconds.size() / 2];
    qInfo("start(): median %lld us, p95 %lld us, max %lld us", median / 1000,
          nanoseconds[nanoseconds.size() * 95 / 100] / 1000, nanoseconds.back() / 1000);
    QVERIFY2(median < 500'000, "start() waits for the audio system");

    // Failing silently means no message and no window of any kind.
    QTest::qWait(100);
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
    QVERIFY(QGuiApplication::topLevelWindows().isEmpty());
}

void TestAudioOutput::leavesPromptlyWithoutServer()
{
    auto output = std::make_unique<QtAudioOutput>(QStringLiteral(TOBRINEL_AUDIO_MODULE_DIR));
    output->start(soundResource(Cue::About));
    QTest::qWait(50);
    output->start(soundResource(Cue::Victory));

    QElapsedTimer timer;
    timer.start();
    output.reset();
    // Well inside the time a stuck worker would be given: this one was not stuck.
    QVERIFY2(timer.elapsed() < QtAudioOutput::shutdownWaitMs / 2, qPrintable(QString::number(timer.elapsed())));
    QTRY_COMPARE_WITH_TIMEOUT(audioThreads(), 0, 200);
}

QTEST_MAIN(TestAudioOutput)
#include "tst_audiooutput.moc"
