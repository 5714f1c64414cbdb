// Tobrinel: puts the game together and runs it.
#include "game/gamecontroller.h"
#ifdef Q_OS_WIN
#include "media/winmmoutput.h"
#else
#include "media/audiooutput.h"
#endif
#include "media/module1.h"
#include "ui/artpictures.h"
#include "ui/gameparts.h"
#include "ui/gamewindows.h"
#include "ui/sessionend.h"
#include "ui/platformchoice.h"
#include "ui/sysinfo.h"

#include <QApplication>

#include <vector>

namespace {

// What the game is made of, for the whole run, each part built before it is handed on. The
// logic drives the windows and the main window forwards its events to the logic, so the
// windows come first, then the controller on them, and then the windows are given it.
struct Program : GameParts
{
    Program() { windows.setGame(game); }

#ifdef Q_OS_WIN
    WinmmOutput audio;
#else
    QtAudioOutput audio;
#endif
    QtEventPass eventPass;
    Module1 sound{audio, eventPass};
    SystemLauncher launcher;
    GameWindows windows{hiScores, dialogs, registry, launcher};
    GameController game{windows, dialogs, sound, hiScores};
};

} // namespace

int main(int argc, char *argv[])
{
    // Chosen before the application exists, through the command line rather than the
    // environment, so that programs the game opens do not inherit the choice.
    std::vector<char *> args(argv, argv + argc);
    QByteArray platform = preferredPlatform(argc, argv);
    char platformOption[] = "-platform";
    if (!platform.isEmpty())
        args.insert(args.begin() + 1, {platformOption, platform.data()});
    int argCount = int(args.size());
    args.push_back(nullptr);
    QApplication app(argCount, args.data());
    QCoreApplication::setOrganizationName(QStringLiteral("Tobrinel"));
    QCoreApplication::setApplicationName(QStringLiteral("Tobrinel"));
    QGuiApplication::setDesktopFileName(QStringLiteral(TOBRINEL_APP_ID));
    QApplication::setWindowIcon(applicationIcon());
    quitOnSessionEnd(app);

    Program program;
    program.windows.load(FormId::Form1);
    program.windows.form1.showModeless();
    // The main window's load handler reads the stored top ten, the one slow step of
    // starting. It runs first thing in the event loop, once the window is on its way: the
    // window appears sooner, and a box about an unreadable file has its window to stand
    // over. No click can come before it: the window is not even mapped yet.
    QMetaObject::invokeMethod(&app, [&program] { program.game.Form_Load(); }, Qt::QueuedConnection);
    return app.exec();
}
