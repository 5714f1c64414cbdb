// What every run of the game is made of besides its sound and its launcher: the dialogs,
// the settings store with the top ten on it, and the registry. main() and the window tests'
// rig both build on it, so that the tests put the game together as main() does.
#pragma once

#include "topten/hiscores.h"
#include "topten/qsettingsstore.h"
#include "ui/qtdialogs.h"
#include "ui/systemregistry.h"

struct GameParts
{
    // A save runs on the window's thread: it waits this long for another copy of the game
    // and, when that copy holds the list longer, goes on waiting in the background.
    static constexpr int SaveWaitMs = 250;

    GameParts() { hiScores.setSaveWait(SaveWaitMs); }

    QtDialogs dialogs;
    QSettingsStore store;
    modHiScores hiScores{store, dialogs};
    SystemRegistry registry;
};
