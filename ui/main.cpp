// Tobrinel: puts the game together and runs it.
#include "game/gamecontroller.h"
#include "media/audiooutput.h"
#include "media/module1.h"
#include "topten/hiscores.h"
#include "topten/qsettingsstore.h"
#include "ui/artpictures.h"
#include "ui/qtdialogs.h"
#include "ui/shell.h"
#include "ui/sysinfo.h"

#include <QApplication>

namespace {

// What the game is made of, for the whole run. The main window forwards its events to the
// logic and the logic drives the windows, so Shell is given the controller built right
// after it; it uses it only once the main window is loaded.
struct Program
{
    QtDialogs dialogs;
    QSettingsStore store;
    modHiScores hiScores{store, dialogs};
    QtAudioOutput audio;
    QtEventPass eventPass;
    Module1 sound{audio, eventPass};
    SystemRegistry registry;
    SystemLauncher launcher;
    Shell shell{game, hiScores, dialogs, registry, launcher};
    GameController game{shell, dialogs, sound, hiScores};
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Tobrinel"));
    QCoreApplication::setApplicationName(QStringLiteral("Tobrinel"));
    QGuiApplication::setDesktopFileName(QStringLiteral(TOBRINEL_APP_ID));
    QApplication::setWindowIcon(applicationIcon());

    Program program;
    program.shell.load(FormId::Form1);
    program.game.Form_Load(); // the main window's load handler, before it is shown
    program.shell.form1.showModeless();
    return app.exec();
}
