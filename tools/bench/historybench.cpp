// The "Your games" window with a long history: writes a history of N games played by the
// rule (wins at various lengths with and without help, and left games), then opens the
// window as the game does and measures, in the game's own process, the time to the window
// shown with its figures, chart and list, the time to where the steps go, and the longest
// the window's thread went without turning its event loop meanwhile.
//
// Usage: tobrinel_bench_history --write PATH N     (writes the history and prints its size)
//        tobrinel_bench_history --open ROUNDS      (the history of the data folder in use)
#include "game/gamecontroller.h"
#include "game/solver.h"
#include "history/historyfile.h"
#include "history/historyloader.h"
#include "app/gameparts.h"
#include "app/gamewindows.h"
#include "platform/systemlauncher.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

class Silence final : public CuePlayer
{
public:
    void play(Cue) override {}
};

GameRecord played(const DistanceTable &table, QRandomGenerator &random, int n)
{
    GameRecord game;
    game.ended = QDateTime(QDate(2026, 1, 1), QTime(12, 0), Qt::UTC).addSecs(n * 600LL);
    Board board = Board::startPosition();
    const bool leave = random.bounded(6) == 0;
    const int leaveAfter = 3 + int(random.bounded(40));
    // Wrong moves grow rarer as the player learns.
    const int wrongIn = 6 + n / 500;
    while (!isGoal(board) && !(leave && int(game.moves.size()) == leaveAfter)) {
        std::vector<BoardMove> open = legalMoves(board);
        BoardMove move = *table.nextMove(board);
        if (random.bounded(wrongIn) == 0)
            move = open[random.bounded(qsizetype(open.size()))];
        executeMove(board, move.from, move.to);
        game.moves.push_back(move);
    }
    game.won = isGoal(board);
    game.seconds = qint64(game.moves.size()) * (2 + random.bounded(4));
    game.hints = random.bounded(8) == 0 ? 1 : 0;
    game.undos = random.bounded(5) == 0 ? 1 + int(random.bounded(3)) : 0;
    return game;
}

int write(const QString &path, int count)
{
    const DistanceTable table = DistanceTable::build();
    QRandomGenerator random(29);
    // Written in one go: the game adds a game at a time, but 10,000 appends under the lock
    // would take a minute here.
    QByteArray lines;
    for (int n = 0; n < count; ++n)
        lines += GameRecords::encode(played(table, random, n));
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(lines) != lines.size()) {
        std::fprintf(stderr, "bench: cannot write %s\n", qPrintable(path));
        return 1;
    }
    file.close();
    std::printf("  %-34s %9.2f MB for %d games\n", "history file", double(QFileInfo(path).size()) / 1048576, count);
    return 0;
}

struct Program : GameParts
{
    Program() { windows.setGame(game); }
    Silence silence;
    SystemLauncher launcher;
    GameWindows windows{topTen, dialogs, registry, launcher};
    GameController game{windows, dialogs, silence, topTen};
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Tobrinel"));
    QCoreApplication::setApplicationName(QStringLiteral("Tobrinel"));
    const QStringList args = app.arguments();
    if (args.size() == 4 && args[1] == QLatin1String("--write"))
        return write(args[2], args[3].toInt());
    if (args.size() != 3 || args[1] != QLatin1String("--open"))
        return 2;

    Program program;
    program.windows.load(WindowId::Main);
    program.windows.mainWindow.showModeless();
    std::vector<double> shown, spots, pause;
    for (int round = 0; round < args[2].toInt(); ++round) {
        QElapsedTimer clock;
        QElapsedTimer sinceTurn;
        double longest = 0;
        QTimer beat;
        beat.setInterval(1);
        QObject::connect(&beat, &QTimer::timeout, [&] {
            longest = std::max(longest, double(sinceTurn.nsecsElapsed()) / 1e6);
            sinceTurn.restart();
        });
        clock.start();
        sinceTurn.start();
        beat.start();
        YourGamesWindow &window = program.windows.yourGamesWindow.load();
        window.show();
        bool loaded = false, ready = false;
        QObject::connect(&window.loader(), &HistoryLoader::loaded, &window, [&] {
            window.repaint(); // what the player sees, painted
            shown.push_back(double(clock.nsecsElapsed()) / 1e6);
            loaded = true;
        });
        QObject::connect(&window.loader(), &HistoryLoader::spotsReady, &window, [&] {
            spots.push_back(double(clock.nsecsElapsed()) / 1e6);
            ready = true;
        });
        while (!loaded || !ready)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        pause.push_back(longest);
        beat.stop();
        if (round == 0)
            std::printf("  %-34s %9zu games, %zu wins\n", "history read", window.loader().view().read.games.size(),
                        std::size_t(window.loader().view().figures.won));
        program.windows.unload(WindowId::YourGames);
        QCoreApplication::processEvents();
    }
    std::printf("  %-34s %9.1f ms (median of %zu)\n", "Your games: figures, chart, list", median(shown), shown.size());
    std::printf("  %-34s %9.1f ms\n", "Your games: where the steps go", median(spots));
    std::printf("  %-34s %9.1f ms\n", "Your games: longest event-loop gap", median(pause));
    return 0;
}
