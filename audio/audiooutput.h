// QtAudioOutput: the real SoundOutput. Each cue plays on a fresh QAudioSink owned by one
// worker thread (audioworker.h), so nothing the audio server does (no server, a busy
// device, a frozen server) can hold up the window thread: start() only hands the image over
// and returns. Nothing of the audio system is loaded or touched before the first cue: the
// audio library comes with a module that the worker loads then (see audiobackend.h).
#pragma once

#include "audio/soundoutput.h"

#include <QByteArray>
#include <QString>

class QThread;
class AudioWorker;

class QtAudioOutput final : public SoundOutput
{
public:
    // moduleFolder: a folder to look for the audio module in before the program's own
    // places; empty for the game, the build tree for tests that run elsewhere.
    explicit QtAudioOutput(QString moduleFolder = {});
    ~QtAudioOutput() override;
    QtAudioOutput(const QtAudioOutput &) = delete;
    QtAudioOutput &operator=(const QtAudioOutput &) = delete;

    void start(const QByteArray &wav) override;

    // How long leaving waits for a worker stuck on the audio server before giving up on it.
    static constexpr int shutdownWaitMs = 400;

private:
    const QString m_moduleFolder;
    QThread *m_thread = nullptr;
    AudioWorker *m_worker = nullptr;
};
