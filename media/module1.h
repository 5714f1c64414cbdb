// Module1: PlaySound loads a cue's WAV image from the program's resources (type
// "SOUNDS", identifiers 1 to 6), keeps it in SoundBuffer, starts it without waiting and
// lets the waiting window events run once. Playback failures are ignored.
#pragma once

#include "media/cues.h"

#include <QByteArray>

// Where the WAV image goes. start() returns at once and stays silent on every failure
// (no device, no server, an image it cannot play): it reports nothing, and PlaySound
// ignores an exception should one escape all the same. A new image cuts off the one
// still sounding. The output keeps its own reference to the bytes it plays.
class SoundOutput
{
public:
    virtual ~SoundOutput() = default;
    virtual void start(const QByteArray &wav) = 0;
};

// One pass of the event loop.
class EventPass
{
public:
    virtual ~EventPass() = default;
    virtual void run() = 0;
};

class QtEventPass final : public EventPass
{
public:
    void run() override;
};

// The resource path of a cue, ":/SOUNDS/<n>".
QString soundResourcePath(Cue cue);

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
