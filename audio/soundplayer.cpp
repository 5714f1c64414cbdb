#include "audio/soundplayer.h"

#include "audio/soundresources.h"

SoundPlayer::SoundPlayer(SoundOutput &output, EventPass &eventPass)
    : m_output(output)
    , m_eventPass(eventPass)
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
    m_eventPass.run();
}
