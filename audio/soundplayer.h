// The real CuePlayer: play loads a cue's WAV image from the program's resources
// (":/SOUNDS/1" to "6"), keeps it, hands it to the output and returns: the output plays it
// on a thread of its own, and no event of the game runs meanwhile. Playback failures are
// ignored.
#pragma once

#include "audio/cues.h"
#include "audio/soundoutput.h"

#include <QByteArray>

class SoundPlayer final : public CuePlayer
{
public:
    explicit SoundPlayer(SoundOutput &output);

    void play(Cue cue) override;

    // The image of the cue requested last; the output may read it while it sounds.
    const QByteArray &image() const { return m_image; }

private:
    SoundOutput &m_output;
    QByteArray m_image;
};
