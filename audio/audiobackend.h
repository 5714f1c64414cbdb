// The part of the sound path that needs the audio library. It is built as a module of its
// own (tobrinel_audio) that the audio worker loads on its own thread at the first cue, so
// that neither the library nor anything of the audio system is loaded before a cue is
// played, and the window thread never waits for it.
#pragma once

#include <QByteArray>

class AudioBackend
{
public:
    virtual ~AudioBackend() = default;

    // Worker thread. Plays PCM samples of whole frames, cutting off the cue still
    // sounding; stays silent on every failure.
    virtual void play(const QByteArray &samples, int sampleRate, int channels, int bitsPerSample) = 0;

    // Worker thread. Stops the cue and closes its stream; the last call before the
    // backend is destroyed.
    virtual void stop() = 0;
};

// The module's one entry point: a new backend, owned by the caller.
using AudioBackendFactory = AudioBackend *(*)();
inline constexpr char AudioBackendEntry[] = "tobrinel_audio_backend";
