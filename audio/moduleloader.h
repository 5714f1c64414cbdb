// Finding and loading the audio module (tobrinel_audio, see audiobackend.h) on a thread of
// its own at a low priority, and remembering whether the audio library came into the
// process: from then on it stays, and leaving the program has to step around its teardown
// (audioexit.h).
#pragma once

#include "audio/audiobackend.h"

#include <QString>

#include <memory>

// Worker thread, at the first playable cue. A new backend from the module found first in
// moduleFolder (when not empty), beside the program, or in the installed tree's library
// folder; nothing when there is none or it does not load.
std::unique_ptr<AudioBackend> loadAudioBackend(const QString &moduleFolder);

// Whether the last load made a backend, so that the audio library is in the process.
bool audioLibraryLoaded();
