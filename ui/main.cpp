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

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Tobrinel"));
    QCoreApplication::setApplicationName(QStringLiteral("Tobrinel"));
    QGuiApplication::setDesktopFileName(QStringLiteral(TOBRINEL_APP_ID));
    QApplication::setWindowIcon(applicationIcon());

    QtDialogs dialogs;
    QSettingsStore store;
    modHiScores hiScores(store, dialogs);
    QtAudioOutput audio;
    QtEventPass eventPass;
    Module1 sound(audio, eventPass);
    SystemRegistry registry;
    SystemLauncher launcher;

    Shell shell(hiScores, dialogs, registry, launcher);
    GameController game(shell, dialogs, sound, hiScores);
    shell.setGame(game);

    shell.load(FormId::Form1);
    shell.form1.showModeless();
    return app.exec();
}
