// The real CuePlayer: play loads a cue's WAV image from the program's resources
// (":/SOUNDS/1" to "6"), keeps it, starts it without waiting and lets the waiting window
// events run once. Playback failures are ignored.
#pragma once

#include "audio/cues.h"
#include "audio/eventpass.h"
#include "audio/soundoutput.h"

#include <QByteArray>

class SoundPlayer final : public CuePlayer
{
public:
    SoundPlayer(SoundOutput &output, EventPass &eventPass);

    void play(Cue cue) override;

    // The image of the cue requested last; the output may read it while it sounds.
    const QByteArray &image() const { return m_image; }

private:
    SoundOutput &m_output;
    EventPass &m_eventPass;
    QByteArray m_image;
};
