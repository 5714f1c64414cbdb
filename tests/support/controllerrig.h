// The game's logic wired to the recording fakes, the way main() wires it to the real
// windows. Tests derive their own fixture from it and call Form_Load when they are ready.
#pragma once

#include "fakes.h"

#include "game/gamecontroller.h"
#include "topten/hiscores.h"

struct ControllerRig
{
    RecordingView view;
    FakeDialogs dialogs;
    RecordingCuePlayer cues;
    MemoryStore store;
    modHiScores hiScores{store, dialogs};
    GameController game{view, dialogs, cues, hiScores};
};
