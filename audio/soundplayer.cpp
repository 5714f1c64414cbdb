#include "audio/soundplayer.h"

#include "audio/soundresources.h"

SoundPlayer::SoundPlayer(SoundOutput &output)
    : m_output(output)
{
}

void SoundPlayer::play(Cue cue)
{
    m_image = soundResource(cue);
    // A cue is never worth stopping the game for: whatever the output does, the game goes on.
    try {
        m_output.start(m_image);
    } catch (...) {
    }
}
