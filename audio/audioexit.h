// Leaving the program without the audio library's own teardown, which is not safe to run
// (why: audioexit.cpp). QtAudioOutput asks for it when it is done with the worker.
#pragma once

// From now on, the process ends with main's status once main() returns, after flushing its
// output, and without running the destructors of statics registered before this call.
// Asking again changes nothing.
void skipStaticTeardownAtExit();
