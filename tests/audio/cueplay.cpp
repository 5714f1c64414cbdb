// cueplay: plays cues through the program's own sound path (SoundPlayer on QtAudioOutput,
// on WinmmOutput in the Windows build), for the recorded-audio test. Arguments run in
// order: a number plays that cue, "+N" lets the event loop run for N milliseconds. Prints
// the slowest play call and the slowest hand-over to the back end within it, then leaves
// the way the game does, destroying the back end on the way out.

#include "audio/soundplayer.h"

#include <QtGlobal>
#ifdef Q_OS_WIN
#include "audio/winmmoutput.h"
#else
#include "audio/audiooutput.h"
#endif

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

// Times the hand-over to the back end apart from the rest of play.
class TimedOutput final : public SoundOutput
{
public:
    explicit TimedOutput(SoundOutput &inner) : m_inner(inner) {}
    void start(const QByteArray &wav) override
    {
        QElapsedTimer timer;
        timer.start();
        m_inner.start(wav);
        slowestNs = std::max(slowestNs, timer.nsecsElapsed());
    }
    qint64 slowestNs = 0;

private:
    SoundOutput &m_inner;
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
#ifdef Q_OS_WIN
    WinmmOutput audio;
#else
    QtAudioOutput audio(QStringLiteral(TOBRINEL_AUDIO_MODULE_DIR));
#endif
    TimedOutput output(audio);
    SoundPlayer player(output);

    qint64 slowestNs = 0;
    const QStringList steps = app.arguments().mid(1);
    for (const QString &step : steps) {
        bool ok = false;
        if (step.startsWith(QLatin1Char('+'))) {
            const int ms = step.mid(1).toInt(&ok);
            if (!ok)
                return 2;
            QEventLoop loop;
            QTimer::singleShot(ms, &loop, &QEventLoop::quit);
            loop.exec();
            continue;
        }
        const int cue = step.toInt(&ok);
        if (!ok || cue < 1 || cue > 6)
            return 2;
        QElapsedTimer timer;
        timer.start();
        player.play(static_cast<Cue>(cue));
        slowestNs = std::max(slowestNs, timer.nsecsElapsed());
    }
    std::printf("slowest-play-us %lld\n", static_cast<long long>(slowestNs / 1000));
    std::printf("slowest-start-us %lld\n", static_cast<long long>(output.slowestNs / 1000));
    std::fflush(stdout);
    return 0;
}
