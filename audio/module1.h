// Module1: PlaySound loads a cue's WAV image from the program's resources (type
// "SOUNDS", identifiers 1 to 6), keeps it in SoundBuffer, starts it without waiting and
// lets the waiting window events run once. Playback failures are ignored.
#pragma once

#include "audio/cues.h"
#include "audio/eventpass.h"
#include "audio/soundoutput.h"

#include <QByteArray>

class Module1 final : public CuePlayer
{
public:
    Module1(SoundOutput &output, EventPass &eventPass);

    void PlaySound(Cue cue) override;

    // The image of the cue requested last; the output may read it while it sounds.
    const QByteArray &SoundBuffer() const { return m_soundBuffer; }

private:
    SoundOutput &m_output;
    EventPass &m_eventPass;
    QByteArray m_soundBuffer;
};
