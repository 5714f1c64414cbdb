// QtAudioOutput and its worker. The window thread only swaps the newest image into a
// one-slot mailbox and, when the worker is not already due to look, posts it one wake-up:
// a burst of cues never queues up behind a slow server, and the newest one wins. The
// worker owns every QAudioSink; a sink is stopped and left to deleteLater(), because
// destroying one runs the event loop and a plain delete re-entered the worker mid-cue.

#include "media/audiooutput.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QDeadlineTimer>
#include <QMediaDevices>
#include <QMutex>
#include <QMutexLocker>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace {

quint32 readLe(const QByteArray &bytes, qsizetype at, int width)
{
    quint32 value = 0;
    for (int i = width - 1; i >= 0; --i)
        value = (value << 8) | static_cast<quint8>(bytes.at(at + i));
    return value;
}

// A finished cue's stream is closed this long after its last bytes left for the server,
// so that what the server still holds plays out; an idle stream would keep the device busy.
constexpr int idleReleaseMs = 1000;

// libpulse aborts in the program's static teardown while one of its calls is still stuck
// waiting on a frozen server. The program is ending anyway: once main() returns, it ends
// with main's status but without that teardown, after flushing its output.
void skipStaticTeardownAtExit()
{
#if defined(__GLIBC__)
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    // Registered after the audio library's own statics, so it runs before their destructors.
    on_exit([](int status, void *) {
        std::fflush(nullptr);
        std::_Exit(status);
    }, nullptr);
#endif
}

} // namespace

std::optional<WaveImage> parseWave(const QByteArray &image)
{
    if (image.size() < 12 || !image.startsWith("RIFF") || image.mid(8, 4) != "WAVE")
        return std::nullopt;

    // The RIFF length is not trusted: the chunks are walked up to the real end of the image.
    std::optional<WaveImage> wave;
    qsizetype at = 12;
    while (at + 8 <= image.size()) {
        const QByteArray id = image.mid(at, 4);
        const qsizetype size = readLe(image, at + 4, 4);
        const qsizetype body = at + 8;
        if (id == "fmt ") {
            if (size < 16 || body + 16 > image.size())
                return std::nullopt;
            const quint32 formatTag = readLe(image, body, 2);
            const int channels = static_cast<int>(readLe(image, body + 2, 2));
            const quint32 sampleRate = readLe(image, body + 4, 4);
            const int bits = static_cast<int>(readLe(image, body + 14, 2));
            if (formatTag != 1 || channels < 1 || channels > 8 || sampleRate < 1000 || sampleRate > 384000
                || (bits != 8 && bits != 16))
                return std::nullopt;
            wave = WaveImage{static_cast<int>(sampleRate), channels, bits, 0, 0};
        } else if (id == "data") {
            if (!wave)
                return std::nullopt;
            const qsizetype frameBytes = qsizetype(wave->channels) * (wave->bitsPerSample / 8);
            const qsizetype available = std::min(size, image.size() - body);
            // A sink handed a part of a frame can hang; the odd byte is simply not played.
            wave->dataOffset = body;
            wave->dataLength = available - available % frameBytes;
            if (wave->dataLength <= 0)
                return std::nullopt;
            return wave;
        }
        at = body + size + (size & 1);
    }
    return std::nullopt;
}

class AudioWorker final : public QObject
{
public:
    // Window thread. Never blocks on the worker: the lock guards two fields only.
    void post(const QByteArray &wav)
    {
        bool wake = false;
        {
            QMutexLocker lock(&m_mutex);
            if (m_closed)
                return;
            m_pending = wav;
            wake = !m_due;
            m_due = true;
        }
        if (wake)
            QMetaObject::invokeMethod(this, [this] { playPending(); }, Qt::QueuedConnection);
    }

    // Worker thread, last thing it does: stop the cue and end the thread's event loop.
    void close()
    {
        {
            QMutexLocker lock(&m_mutex);
            m_closed = true;
            m_pending.clear();
        }
        release();
        QThread::currentThread()->quit();
    }

private:
    void playPending()
    {
        QByteArray wav;
        {
            QMutexLocker lock(&m_mutex);
            if (m_closed)
                return;
            wav = std::exchange(m_pending, QByteArray());
            m_due = false;
        }
        play(wav);
    }

    void play(const QByteArray &wav)
    {
        release();
        const std::optional<WaveImage> wave = parseWave(wav);
        if (!wave)
            return;
        // Qt would otherwise pick the server's first sink, not the one the user chose.
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (device.isNull())
            return;
        QAudioFormat format;
        format.setSampleRate(wave->sampleRate);
        format.setChannelCount(wave->channels);
        format.setSampleFormat(wave->bitsPerSample == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);

        // No parent: the worker may be deleted while the event pass inside a sink's
        // destructor runs, and it must not take that sink with it a second time.
        auto *sink = new QAudioSink(device, format);
        auto *source = new QBuffer(sink);
        source->setData(wav.mid(wave->dataOffset, wave->dataLength));
        source->open(QIODevice::ReadOnly);
        m_sink = sink;
        connect(sink, &QAudioSink::stateChanged, sink, [this, sink](QAudio::State state) {
            if (state == QAudio::IdleState)
                QTimer::singleShot(idleReleaseMs, sink, [this, sink] {
                    if (m_sink == sink)
                        release();
                });
        });
        sink->start(source);
        if (sink->error() != QAudio::NoError)
            release();
    }

    void release()
    {
        if (!m_sink)
            return;
        m_sink->stop();
        m_sink->deleteLater();
        m_sink = nullptr;
    }

    QMutex m_mutex;
    QByteArray m_pending; // the newest image not yet taken by the worker
    bool m_due = false;   // a wake-up is posted and not yet handled
    bool m_closed = false;
    QAudioSink *m_sink = nullptr;
};

QtAudioOutput::QtAudioOutput() = default;

QtAudioOutput::~QtAudioOutput()
{
    if (!m_thread)
        return;
    QMetaObject::invokeMethod(m_worker, [worker = m_worker] { worker->close(); }, Qt::QueuedConnection);
    if (m_thread->wait(QDeadlineTimer(shutdownWaitMs))) {
        delete m_thread;
        return;
    }
    // The worker is stuck inside the audio library (a frozen server). Destroying a running
    // QThread aborts the program, so the thread and its worker are left to the end of the
    // process instead of holding it up, and that end skips the teardown that would abort.
    skipStaticTeardownAtExit();
}

void QtAudioOutput::start(const QByteArray &wav)
{
    if (!m_thread) {
        m_thread = new QThread;
        m_thread->setObjectName(QStringLiteral("tobrinel-audio"));
        m_worker = new AudioWorker;
        m_worker->moveToThread(m_thread);
        QObject::connect(m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
        m_thread->start();
    }
    m_worker->post(wav);
}
