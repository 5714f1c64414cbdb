// The game's logic wired to the recording fakes, the way main() wires it to the real
// windows. Tests derive their own fixture from it and call start() when they are ready.
#pragma once

#include "fakes.h"

#include "game/gamecontroller.h"
#include "topten/toptenlist.h"

struct ControllerRig
{
    RecordingView view;
    FakeDialogs dialogs;
    RecordingCuePlayer cues;
    MemoryStore store;
    TopTenList topTen{store, dialogs};
    GameController game{view, dialogs, cues, topTen};
};
