// Tobrinel: puts the game together and runs it.
#include "game/gamecontroller.h"
#ifdef Q_OS_WIN
#include "audio/winmmoutput.h"
#else
#include "audio/audiooutput.h"
#endif
#include "audio/soundplayer.h"
#include "topten/settingsfolder.h"
#include "ui/artpictures.h"
#include "app/gameparts.h"
#include "app/gamewindows.h"
#include "history/historyfile.h"
#include "platform/appname.h"
#include "platform/sessionend.h"
#include "platform/platformchoice.h"
#include "platform/sysinfo.h"
#include "ui/waylandextras.h"

#include <QApplication>

#include <vector>

namespace {

// What the game is made of, for the whole run, each part built before it is handed on. The
// logic drives the windows and the main window forwards its events to the logic, so the
// windows come first, then the controller on them, and then the windows are given it.
struct Program : GameParts
{
    Program()
    {
        windows.setGame(game);
        game.recorder.setArchive(&history);
    }
    HistoryFile history{HistoryFile::defaultPath()}; // not read until "Your games" opens

#ifdef Q_OS_WIN
    WinmmOutput audio;
#else
    QtAudioOutput audio;
#endif
    SoundPlayer sound{audio};
    SystemLauncher launcher;
    GameWindows windows{topTen, dialogs, registry, launcher};
    GameController game{windows, dialogs, sound, topTen};
};

} // namespace

int main(int argc, char *argv[])
{
    // Chosen before the application exists, through the command line rather than the
    // environment, so that programs the game opens do not inherit the choice.
    std::vector<char *> args(argv, argv + argc);
    QByteArray platform = preferredPlatform(argc, argv, waylandFractionalScale);
    char platformOption[] = "-platform";
    if (!platform.isEmpty())
        args.insert(args.begin() + 1, {platformOption, platform.data()});
    int argCount = int(args.size());
    args.push_back(nullptr);
    QApplication app(argCount, args.data());
    QCoreApplication::setOrganizationName(QString::fromLatin1(AppName));
    QCoreApplication::setApplicationName(QString::fromLatin1(AppName));
    useSettingsFolder(); // before the first QSettings
    QGuiApplication::setDesktopFileName(QStringLiteral(TOBRINEL_APP_ID));
    QApplication::setWindowIcon(applicationIcon());
    quitOnSessionEnd(app);

    Program program;
    program.windows.load(WindowId::Main);
    program.windows.mainWindow.showModeless();
    // The main window's load handler reads the stored top ten, the one slow step of
    // starting. It runs first thing in the event loop, once the window is on its way: the
    // window appears sooner, and a box about an unreadable file has its window to stand
    // over. No click can come before it: the window is not even mapped yet.
    QMetaObject::invokeMethod(&app, [&program] { program.game.start(); }, Qt::QueuedConnection);
    const int result = app.exec();
    // However the run ended (the menu, the window closed, a signal), a result that is still
    // waiting for another copy's lock is stored now or kept for the next start, and a game
    // in progress goes into the history as left.
    program.topTen.storeBeforeQuit();
    program.game.recordLeft();
    return result;
}
