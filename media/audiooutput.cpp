// QtAudioOutput and its worker. The window thread only swaps the newest image into a
// one-slot mailbox and, when the worker is not already due to look, posts it one wake-up:
// a burst of cues never queues up behind a slow server, and the newest one wins. The
// worker loads the audio module (audiosink.cpp) at the first playable cue and plays
// through it; the window thread never touches the audio library.

#include "media/audiooutput.h"

#include "media/audiobackend.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLibrary>
#include <QMutex>
#include <QMutexLocker>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <thread>
#include <utility>

#if defined(Q_OS_LINUX)
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace {

quint32 readLe(const QByteArray &bytes, qsizetype at, int width)
{
    quint32 value = 0;
    for (int i = width - 1; i >= 0; --i)
        value = (value << 8) | static_cast<quint8>(bytes.at(at + i));
    return value;
}

// The audio module's factory, from the folder the owner named (tests, which run from
// folders of their own, name the build tree), from beside the program (as built), or from
// the library folder of the tree it is installed in. Only places found from the program's
// own: a folder compiled in could be made by anyone where it does not exist. It is never
// unloaded: the audio library's threads outlive any one cue.
AudioBackendFactory findBackendFactory(const QString &moduleFolder)
{
    const QString home = QCoreApplication::applicationDirPath();
    QStringList places{home, home + QStringLiteral("/../lib/tobrinel")};
    if (!moduleFolder.isEmpty())
        places.prepend(moduleFolder);
    for (const QString &place : places) {
        QLibrary module(place + QStringLiteral("/tobrinel_audio"));
        module.setLoadHints(QLibrary::PreventUnloadHint);
        if (const auto factory = reinterpret_cast<AudioBackendFactory>(module.resolve(AudioBackendEntry)))
            return factory;
    }
    return nullptr;
}

// Loading the audio library is some milliseconds of work that no one waits for. A thread of
// its own does it at a lower priority (nice 10), so that it yields a core to the window
// thread and the X server while they answer a click, and is still never starved. The worker,
// and the sound server's threads that its sink makes later, keep the normal priority.
std::unique_ptr<AudioBackend> loadBackend(const QString &moduleFolder)
{
    AudioBackendFactory factory = nullptr;
    std::thread loader([&factory, &moduleFolder] {
#if defined(Q_OS_LINUX)
        setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 10);
#endif
        factory = findBackendFactory(moduleFolder);
    });
    loader.join();
    return factory ? std::unique_ptr<AudioBackend>(factory()) : nullptr;
}

// Set once the audio module is in the process; it stays for the rest of the run.
std::atomic<bool> audioLibraryLoaded{false};

// The audio library's teardown at exit is not safe to run. Qt Multimedia's PulseAudio
// engine is a static that the exit handlers destroy while its libpulse event thread is
// still running: a reply or event from the server that arrives in that moment (a stream
// closed just before leaving makes the server send some) is dispatched on a connection
// already being freed, and libpulse aborts ("pdispatch.c: Assertion
// 'pa_atomic_load(&(pd)->_ref) >= 1' failed", status 134). It aborts too while one of its
// calls is stuck waiting on a frozen server. The program is ending anyway: once main()
// returns, it ends with main's status but without that teardown, after flushing its output.
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
    explicit AudioWorker(QString moduleFolder)
        : m_moduleFolder(std::move(moduleFolder))
    {
    }

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
        if (m_backend)
            m_backend->stop();
        m_backend.reset();
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
        if (m_backend)
            m_backend->stop();
        const std::optional<WaveImage> wave = parseWave(wav);
        if (!wave)
            return;
        if (!m_backendTried) {
            m_backendTried = true;
            m_backend = loadBackend(m_moduleFolder);
            audioLibraryLoaded = m_backend != nullptr;
        }
        if (m_backend)
            m_backend->play(wav.mid(wave->dataOffset, wave->dataLength), wave->sampleRate, wave->channels,
                            wave->bitsPerSample);
    }

    QMutex m_mutex;
    QByteArray m_pending; // the newest image not yet taken by the worker
    bool m_due = false;   // a wake-up is posted and not yet handled
    bool m_closed = false;
    const QString m_moduleFolder;
    std::unique_ptr<AudioBackend> m_backend; // loaded at the first cue that can be played
    bool m_backendTried = false;
};

QtAudioOutput::QtAudioOutput(QString moduleFolder)
    : m_moduleFolder(std::move(moduleFolder))
{
}

QtAudioOutput::~QtAudioOutput()
{
    if (!m_thread)
        return;
    QMetaObject::invokeMethod(m_worker, [worker = m_worker] { worker->close(); }, Qt::QueuedConnection);
    if (m_thread->wait(QDeadlineTimer(shutdownWaitMs))) {
        delete m_thread;
        // Registered now, after the audio library's statics, so it runs before them.
        if (audioLibraryLoaded)
            skipStaticTeardownAtExit();
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
        m_worker = new AudioWorker(m_moduleFolder);
        m_worker->moveToThread(m_thread);
        QObject::connect(m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
        m_thread->start();
    }
    m_worker->post(wav);
}
