// WinmmOutput: the SoundOutput of the Windows build. A cue's WAV image goes to the
// system's own wave output, PlaySound of winmm, played from memory without waiting. The
// call is made on a thread of its own: the first one opens the audio device, which a busy
// or frozen audio service can hold up, and the window thread must never wait for that.
#pragma once

#include "audio/soundoutput.h"

#include <QByteArray>

#include <memory>

class WinmmOutput final : public SoundOutput
{
public:
    WinmmOutput();
    ~WinmmOutput() override;
    WinmmOutput(const WinmmOutput &) = delete;
    WinmmOutput &operator=(const WinmmOutput &) = delete;

    // Hands the image to the sound thread (made at the first cue) and returns.
    void start(const QByteArray &wav) override;

    // How long leaving waits for a sound thread stuck in the audio service before leaving
    // it to the end of the process.
    static constexpr int shutdownWaitMs = 400;

    struct Mailbox;

private:
    std::shared_ptr<Mailbox> m_mailbox;
};
