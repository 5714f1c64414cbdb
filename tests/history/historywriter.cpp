// Another copy of the game, for the history's tests: adds count games to the history at
// path, the i-th taking first + i seconds, so that the test can tell whose games came back.
#include "fixturegames.h"

#include "history/historyfile.h"
#include "topten/settingsstore.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 4)
        return 2;
    HistoryFile history(QString::fromLocal8Bit(argv[1]));
    const long long count = QByteArray(argv[2]).toLongLong();
    const long long first = QByteArray(argv[3]).toLongLong();
    GameRecord game = Fixture::game(Fixture::leftAfter(7));
    for (long long i = 0; i < count; ++i) {
        game.seconds = first + i;
        try {
            history.append(game);
        } catch (const StoreError &failure) {
            std::fprintf(stderr, "%s\n", failure.what());
            return 1;
        }
    }
    return 0;
}
