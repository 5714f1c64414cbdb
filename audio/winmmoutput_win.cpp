// WinmmOutput: PlaySound(image, SND_MEMORY | SND_ASYNC) on a thread of its own, with a
// mailbox of one image: a cue asked for while the thread is still busy replaces the one
// waiting, as a new cue cuts off the one sounding.
#include "audio/winmmoutput.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

#include <windows.h>

#include <mmsystem.h>

struct WinmmOutput::Mailbox
{
    std::mutex mutex;
    std::condition_variable changed;
    std::optional<QByteArray> waiting;
    bool closing = false;
    bool closed = false;

    // The sound thread. winmm plays an image asynchronously straight from the caller's
    // memory, so the image being played is held here until the next one has replaced it
    // or the sound has been stopped.
    void run()
    {
        QByteArray playing;
        std::unique_lock lock(mutex);
        for (;;) {
            changed.wait(lock, [this] { return waiting || closing; });
            if (closing)
                break;
            QByteArray next = std::move(*waiting);
            waiting.reset();
            lock.unlock();
            // SND_NODEFAULT: an image the system cannot play stays silent instead of
            // sounding the default beep. Failure is ignored, as everywhere on the sound path.
            PlaySoundW(reinterpret_cast<LPCWSTR>(next.constData()), nullptr, SND_MEMORY | SND_ASYNC | SND_NODEFAULT);
            playing = std::move(next);
            lock.lock();
        }
        lock.unlock();
        // Stops the sound before its image is freed.
        PlaySoundW(nullptr, nullptr, 0);
        playing.clear();
        lock.lock();
        closed = true;
        changed.notify_all();
    }
};

WinmmOutput::WinmmOutput() = default;

WinmmOutput::~WinmmOutput()
{
    if (!m_mailbox)
        return;
    std::unique_lock lock(m_mailbox->mutex);
    m_mailbox->closing = true;
    m_mailbox->changed.notify_all();
    // A thread stuck in the audio service is left to the end of the process: it owns its
    // share of the mailbox, so nothing it touches goes away under it.
    m_mailbox->changed.wait_for(lock, std::chrono::milliseconds(shutdownWaitMs), [this] { return m_mailbox->closed; });
}

void WinmmOutput::start(const QByteArray &wav)
{
    if (!m_mailbox) {
        m_mailbox = std::make_shared<Mailbox>();
        std::thread([mailbox = m_mailbox] { mailbox->run(); }).detach();
    }
    std::lock_guard lock(m_mailbox->mutex);
    m_mailbox->waiting = wav;
    m_mailbox->changed.notify_all();
}
