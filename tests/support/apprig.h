// The whole game put together as main() does, through its real windows and dialogs, with
// cues recorded instead of played, a launcher that finds nothing and the settings in a
// temporary folder of its own. Window tests derive their own fixture from it.
#pragma once

#include "fakes.h"

#include "game/gamecontroller.h"
#include "app/gameparts.h"
#include "app/gamewindows.h"
#include "platform/sysinfo.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

// Points QSettings at a fresh temporary folder while it lives, so that every game starts
// from empty settings and none reach the user's.
class ScratchSettings
{
public:
    ScratchSettings() { QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_folder.path()); }

private:
    QTemporaryDir m_folder;
};

// ScratchSettings first, so that it outlives the store.
struct AppRig : ScratchSettings, GameParts
{
    RecordingCuePlayer cues;
    FakeLauncher launcher;
    GameWindows windows{topTen, dialogs, registry, launcher};
    GameController game{windows, dialogs, cues, topTen};
    bool ended = false; // the program was told to end

    AppRig()
    {
        windows.setGame(game);
        windows.onEnd = [this] { ended = true; };
        windows.load(WindowId::Main);
        game.start();
        windows.mainWindow.showModeless();
    }

    MainWindow &window() { return *windows.mainWindow.loaded(); }

    void click(int cell) { QTest::mouseClick(window().cells[cell], Qt::LeftButton); }

    // A move the way a player makes it: click the piece, then the empty cell.
    void move(int from, int to)
    {
        click(from);
        click(to);
    }
};
