// SoundOutput: the audio device SoundPlayer plays a cue's WAV image to. QtAudioOutput
// (audio/audiooutput.h) is the real one; SoundPlayer's own tests fake this seam. Tests of the
// game's logic fake CuePlayer (audio/cues.h) instead and never reach this far.
#pragma once

#include <QByteArray>

// Where the WAV image goes. start() returns at once and stays silent on every failure
// (no device, no server, an image it cannot play): it reports nothing, and play
// ignores an exception should one escape all the same. A new image cuts off the one
// still sounding. The output keeps its own reference to the bytes it plays.
class SoundOutput
{
public:
    virtual ~SoundOutput() = default;
    virtual void start(const QByteArray &wav) = 0;
};
