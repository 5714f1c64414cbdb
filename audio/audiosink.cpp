// tobrinel_audio, the loadable audio module: the backend that plays each cue on a fresh
// QAudioSink. Everything here runs on the audio worker's thread. A sink is stopped and left
// to deleteLater(), because destroying one runs the event loop and a plain delete
// re-entered the worker mid-cue.

#include "audio/audiobackend.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>
#include <QPointer>
#include <QTimer>

namespace {

// A finished cue's stream is closed this long after its last bytes left for the server,
// so that what the server still holds plays out; an idle stream would keep the device busy.
constexpr int idleReleaseMs = 1000;

class SinkBackend final : public AudioBackend
{
public:
    ~SinkBackend() override { stop(); }

    void play(const QByteArray &samples, int sampleRate, int channels, int bitsPerSample) override
    {
        stop();
        // Qt would otherwise pick the server's first sink, not the one the user chose.
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (device.isNull())
            return;
        QAudioFormat format;
        format.setSampleRate(sampleRate);
        format.setChannelCount(channels);
        format.setSampleFormat(bitsPerSample == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);

        // No parent: the backend may be gone while the event pass inside a sink's
        // destructor runs, and it must not take that sink with it a second time.
        auto *sink = new QAudioSink(device, format);
        auto *source = new QBuffer(sink);
        source->setData(samples);
        source->open(QIODevice::ReadOnly);
        m_sink = sink;
        // The sink closes itself; m_sink (a guarded pointer) then reads null.
        QObject::connect(sink, &QAudioSink::stateChanged, sink, [sink](QAudio::State state) {
            if (state == QAudio::IdleState)
                QTimer::singleShot(idleReleaseMs, sink, [sink] {
                    sink->stop();
                    sink->deleteLater();
                });
        });
        sink->start(source);
        if (sink->error() != QAudio::NoError)
            stop();
    }

    void stop() override
    {
        if (!m_sink)
            return;
        m_sink->stop();
        m_sink->deleteLater();
        m_sink = nullptr;
    }

private:
    QPointer<QAudioSink> m_sink;
};

} // namespace

extern "C" Q_DECL_EXPORT AudioBackend *tobrinel_audio_backend()
{
    return new SinkBackend;
}
