// AudioWorker: the object on QtAudioOutput's worker thread that plays the cues, and its
// one-slot mailbox. The window thread only swaps the newest image into the mailbox and,
// when the worker is not already due to look, posts it one wake-up: a burst of cues never
// queues up behind a slow server, and the newest one wins. The worker loads the audio
// module (moduleloader.h) at the first playable cue and plays through it; the window
// thread never touches the audio library.
#pragma once

#include "audio/audiobackend.h"

#include <QByteArray>
#include <QMutex>
#include <QObject>
#include <QString>

#include <memory>

class AudioWorker final : public QObject
{
public:
    // moduleFolder: where to look for the audio module first (see loadAudioBackend()).
    explicit AudioWorker(QString moduleFolder);

    // Window thread. Never blocks on the worker: the lock guards two fields only.
    void post(const QByteArray &wav);

    // Worker thread, last thing it does: stop the cue and end the thread's event loop.
    void close();

private:
    void playPending();
    void play(const QByteArray &wav);

    QMutex m_mutex;
    QByteArray m_pending; // the newest image not yet taken by the worker
    bool m_due = false;   // a wake-up is posted and not yet handled
    bool m_closed = false;
    const QString m_moduleFolder;
    std::unique_ptr<AudioBackend> m_backend; // loaded at the first cue that can be played
    bool m_backendTried = false;
};
