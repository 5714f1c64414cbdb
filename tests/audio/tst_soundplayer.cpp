// SoundPlayer's play through a recording output: it keeps the requested cue's image, the
// output gets those bytes, a failing output changes nothing for the caller, and play
// returns without running any event that waits in the queue.

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
    void playRunsNoWaitingEvent();
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
    SoundPlayer player(output);
    QVERIFY(player.image().isEmpty());

    player.play(cue);

    const QByteArray expected = soundResource(cue);
    QVERIFY(expected.startsWith("RIFF"));
    QCOMPARE(player.image(), expected);
    QCOMPARE(output.received.size(), 1u);
    QCOMPARE(output.received.front(), expected);
    QCOMPARE(log, QStringList({"start 1"}));
}

void TestSoundPlayer::nextCueReplacesTheBuffer()
{
    QStringList log;
    RecordingOutput output(log);
    SoundPlayer player(output);

    player.play(Cue::About);
    player.play(Cue::Select);

    QCOMPARE(player.image(), soundResource(Cue::Select));
    // What the output was given first must not change under it while it still sounds.
    QCOMPARE(output.received.at(0), soundResource(Cue::About));
    QCOMPARE(output.received.at(1), soundResource(Cue::Select));
    QCOMPARE(log, QStringList({"start 1", "start 2"}));
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
    SoundPlayer player(output);

    player.play(Cue::Move);
    player.play(Cue::Select);

    QCOMPARE(player.image(), soundResource(Cue::Select));
    QCOMPARE(log, QStringList({"start 1", "start 2"}));
}

void TestSoundPlayer::playRunsNoWaitingEvent()
{
    // A click waiting in the queue runs once the handler that asked for the cue has
    // returned, never in the middle of it.
    QStringList log;
    RecordingOutput output(log);
    SoundPlayer player(output);
    QObject context;
    QMetaObject::invokeMethod(&context, [&] { log << QStringLiteral("waiting event"); }, Qt::QueuedConnection);

    player.play(Cue::Move);
    QCOMPARE(log, QStringList({"start 1"}));

    QCoreApplication::processEvents();
    QCOMPARE(log, QStringList({"start 1", "waiting event"}));
}

QTEST_GUILESS_MAIN(TestSoundPlayer)
#include "tst_soundplayer.moc"
