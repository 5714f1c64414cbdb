// The audio library's teardown at exit is not safe to run. Qt Multimedia's PulseAudio
// engine is a static that the exit handlers destroy while its libpulse event thread is
// still running: a reply or event from the server that arrives in that moment (a stream
// closed just before leaving makes the server send some) is dispatched on a connection
// already being freed, and libpulse aborts ("pdispatch.c: Assertion
// 'pa_atomic_load(&(pd)->_ref) >= 1' failed", status 134). It aborts too while one of its
// calls is stuck waiting on a frozen server. The program is ending anyway: once main()
// returns, it ends with main's status but without that teardown, after flushing its output.

#include "audio/audioexit.h"

#include <cstdio>
#include <cstdlib>

void skipStaticTeardownAtExit()
{
#if defined(__GLIBC__)
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    // Registered after the audio library's own statics, so it runs before their destructors.
    on_exit([](int status, void *) {
        std::fflush(nullptr);
        std::_Exit(status);
    }, nullptr);
#endif
}
