// What every run of the game is made of besides its sound and its launcher: the dialogs,
// the settings store with the top ten on it, and the registry. main() and the window tests'
// rig both build on it, so that the tests put the game together as main() does.
#pragma once

#include "topten/toptenlist.h"
#include "topten/qsettingsstore.h"
#include "ui/qtdialogs.h"
#include "platform/systemregistry.h"

struct GameParts
{
    // A save runs on the window's thread: it waits this long for another copy of the game
    // and, when that copy holds the list longer, goes on waiting in the background.
    static constexpr int SaveWaitMs = 250;

    GameParts() { topTen.setSaveWait(SaveWaitMs); }

    QtDialogs dialogs;
    QSettingsStore store;
    TopTenList topTen{store, dialogs};
    SystemRegistry registry;
};
