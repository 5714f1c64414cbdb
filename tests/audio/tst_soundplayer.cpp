// SoundPlayer's play through a recording output and a logging event pass: the buffer
// holds the requested cue's image, the output gets those bytes, the event pass runs once
// and after the start, a failing output changes nothing for the caller, and a cue asked
// for from inside the event pass (a queued click) ends up as the one in the buffer.

#include "audio/soundplayer.h"
#include "audio/soundresources.h"

#include <QStringList>
#include <QTest>

#include <functional>
#include <stdexcept>
#include <vector>

namespace {

class RecordingOutput final : public SoundOutput
{
public:
    explicit RecordingOutput(QStringList &log) : m_log(log) {}
    void start(const QByteArray &wav) override
    {
        m_log << QStringLiteral("start %1").arg(received.size() + 1);
        received.push_back(wav);
        if (fail)
            fail();
    }
    std::vector<QByteArray> received;
    std::function<void()> fail;

private:
    QStringList &m_log;
};

class LoggingEventPass final : public EventPass
{
public:
    explicit LoggingEventPass(QStringList &log) : m_log(log) {}
    void run() override
    {
        m_log << QStringLiteral("pass");
        if (during)
            during();
    }
    std::function<void()> during;

private:
    QStringList &m_log;
};

using Failure = std::function<void()>;

} // namespace

Q_DECLARE_METATYPE(Cue)
Q_DECLARE_METATYPE(Failure)

class TestSoundPlayer final : public QObject
{
    Q_OBJECT

private slots:
    void playsTheRequestedCue_data();
    void playsTheRequestedCue();
    void nextCueReplacesTheBuffer();
    void failingOutputIsIgnored_data();
    void failingOutputIsIgnored();
    void cueFromInsideTheEventPassComesLast();
    void qtEventPassHandlesWaitingEventsOnce();
};

void TestSoundPlayer::playsTheRequestedCue_data()
{
    QTest::addColumn<Cue>("cue");
    QTest::newRow("victory") << Cue::Victory;
    QTest::newRow("about") << Cue::About;
    QTest::newRow("new game") << Cue::NewGame;
    QTest::newRow("black list") << Cue::BlackList;
    QTest::newRow("move") << Cue::Move;
    QTest::newRow("select") << Cue::Select;
}

void TestSoundPlayer::playsTheRequestedCue()
{
    QFETCH(Cue, cue);
    QStringList log;
    RecordingOutput output(log);
    LoggingEventPass pass(log);
    SoundPlayer module(output, pass);
    QVERIFY(module.image().isEmpty());

    module.play(cue);

    const QByteArray expected = soundResource(cue);
    QVERIFY(expected.startsWith("RIFF"));
    QCOMPARE(module.image(), expected);
    QCOMPARE(output.received.size(), 1u);
    QCOMPARE(output.received.front(), expected);
    QCOMPARE(log, QStringList({"start 1", "pass"}));
}

void TestSoundPlayer::nextCueReplacesTheBuffer()
{
    QStringList log;
    RecordingOutput output(log);
    LoggingEventPass pass(log);
    SoundPlayer module(output, pass);

    module.play(Cue::About);
    module.play(Cue::Select);

    QCOMPARE(module.image(), soundResource(Cue::Select));
    // What the output was given first must not change under it while it still sounds.
    QCOMPARE(output.received.at(0), soundResource(Cue::About));
    QCOMPARE(output.received.at(1), soundResource(Cue::Select));
    QCOMPARE(log, QStringList({"start 1", "pass", "start 2", "pass"}));
}

void TestSoundPlayer::failingOutputIsIgnored_data()
{
    QTest::addColumn<Failure>("fail");
    QTest::newRow("std exception") << Failure([] { throw std::runtime_error("no device"); });
    QTest::newRow("anything else") << Failure([] { throw 42; });
}

void TestSoundPlayer::failingOutputIsIgnored()
{
    QFETCH(Failure, fail);
    QStringList log;
    RecordingOutput output(log);
    output.fail = fail;
    LoggingEventPass pass(log);
    SoundPlayer module(output, pass);

    module.play(Cue::Move);
    module.play(Cue::Select);

    QCOMPARE(module.image(), soundResource(Cue::Select));
    QCOMPARE(log, QStringList({"start 1", "pass", "start 2", "pass"}));
}

void TestSoundPlayer::cueFromInsideTheEventPassComesLast()
{
    QStringList log;
    RecordingOutput output(log);
    LoggingEventPass pass(log);
    SoundPlayer module(output, pass);
    pass.during = [&] {
        pass.during = nullptr;
        module.play(Cue::Select); // a click that was waiting in the queue
    };

    module.play(Cue::Move);

    QCOMPARE(log, QStringList({"start 1", "pass", "start 2", "pass"}));
    QCOMPARE(module.image(), soundResource(Cue::Select));
    QCOMPARE(output.received.at(0), soundResource(Cue::Move));
}

void TestSoundPlayer::qtEventPassHandlesWaitingEventsOnce()
{
    // An event that posts itself again must not keep the pass going: one pass handles
    // what was waiting, and play returns.
    int runs = 0;
    QObject context;
    std::function<void()> repost = [&] {
        ++runs;
        QMetaObject::invokeMethod(&context, repost, Qt::QueuedConnection);
    };
    QMetaObject::invokeMethod(&context, repost, Qt::QueuedConnection);
    QCOMPARE(runs, 0);

    QtEventPass pass;
    pass.run();
    QCOMPARE(runs, 1);
    pass.run();
    QCOMPARE(runs, 2);
}

QTEST_GUILESS_MAIN(TestSoundPlayer)
#include "tst_soundplayer.moc"
