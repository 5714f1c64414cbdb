// A copy of the game, put together as main() does, that plays a best game and stops at a
// chosen point of its win for the test to end it with a signal. It says where it is on
// stdout, one line a point:
//   winning        the winning move is being made right now
//   asked          the name box is open and empty
//   typed          the name box holds argv[3], typed but not confirmed
// Usage: namebox_player <settings folder> <winning|asked|typed> [name]
#include "apprig.h"
#include "shortestpath.h"

#include "platform/sessionend.h"

#include <QApplication>
#include <QInputDialog>
#include <QSettings>
#include <QTimer>

#include <cstdio>

namespace {

void say(const char *where)
{
    std::printf("%s\n", where);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 3)
        return 2;
    const QString point = QString::fromLocal8Bit(argv[2]);
    const QString name = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString();
    quitOnSessionEnd(app);

    AppRig rig;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromLocal8Bit(argv[1]));
    rig.game.newGameRequested();
    const auto moves = solveShortest(Board::startPosition());
    for (std::size_t i = 0; i + 1 < moves.size(); ++i)
        rig.move(moves[i].first, moves[i].second);

    // The name box, once it is open, made ready as the point asks.
    QTimer watch;
    watch.setInterval(5);
    QObject::connect(&watch, &QTimer::timeout, &watch, [&] {
        auto *box = qobject_cast<QInputDialog *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        watch.stop();
        if (point == QLatin1String("typed")) {
            box->setTextValue(name);
            say("typed");
        } else {
            box->setTextValue(QString());
            say("asked");
        }
    });

    QTimer::singleShot(0, &app, [&] {
        if (point == QLatin1String("winning"))
            say("winning");
        else
            watch.start();
        rig.move(moves.back().first, moves.back().second);
    });
    const int result = app.exec();
    rig.topTen.storeBeforeQuit(); // as main() does
    return result;
}
