// The real audio back end without an audio server (PULSE_SERVER names a socket that does
// not exist): nothing of it starts before the first cue, start() returns at once, no
// window appears, and the back end is gone promptly when destroyed.

#include "audio/audiooutput.h"
#include "audio/soundresources.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <vector>

namespace {

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
