// Module1: the sound module. PlaySound fetches a cue from the resources into SoundBuffer,
// hands it to the output and runs one event pass.
#include "audio/module1.h"

#include "audio/soundresources.h"

Module1::Module1(SoundOutput &output, EventPass &eventPass)
    : m_output(output)
    , m_eventPass(eventPass)
{
}

void Module1::PlaySound(Cue cue)
{
    m_soundBuffer = soundResource(cue);
    // A cue is never worth stopping the game for: whatever the output does, the game goes on.
    try {
        m_output.start(m_soundBuffer);
    } catch (...) {
    }
    m_eventPass.run();
}
