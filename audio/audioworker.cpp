// The worker's two sides: post() on the window thread, which only touches the mailbox,
// and everything else on the worker thread, which alone touches the backend.

#include "audio/audioworker.h"

#include "audio/moduleloader.h"
#include "audio/wavreader.h"

#include <QMetaObject>
#include <QMutexLocker>
#include <QThread>

#include <optional>
#include <utility>

AudioWorker::AudioWorker(QString moduleFolder)
    : m_moduleFolder(std::move(moduleFolder))
{
}

void AudioWorker::post(const QByteArray &wav)
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

void AudioWorker::close()
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

void AudioWorker::playPending()
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

void AudioWorker::play(const QByteArray &wav)
{
    if (m_backend)
        m_backend->stop();
    const std::optional<WaveImage> wave = parseWave(wav);
    if (!wave)
        return;
    if (!m_backendTried) {
        m_backendTried = true;
        m_backend = loadAudioBackend(m_moduleFolder);
    }
    if (m_backend)
        m_backend->play(wav.mid(wave->dataOffset, wave->dataLength), wave->sampleRate, wave->channels,
                        wave->bitsPerSample);
}
