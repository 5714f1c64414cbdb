// Undo and hint in the main window's logic, with recording windows, scripted dialogs and
// a recording cue player: undo is a move back that costs a step, the hint shows a best
// move once the player agrees, and a game won with hints stays out of the Black List.
#include "shortestpath.h"
#include "controllerrig.h"
#include "cuenames.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>

Q_DECLARE_METATYPE(Cues)

namespace {

constexpr const char *StartPicture = "bbbbbbbb . tttttttt";
const QString HintQuestion = QStringLiteral("A game with hints does not enter the Black List. Show a hint?");

struct Game : ControllerRig
{
    Game() { game.start(); }

    void startGame()
    {
        game.newGameRequested();
        cues.cues.clear();
    }

    void clicks(const QList<int> &cells)
    {
        for (int cell : cells)
            game.cellClicked(cell);
    }

    void move(int from, int to) { clicks({from, to}); }

    // H, answered with the given buttons if the question comes, then until the table is
    // there: the first hint of a controller starts its search.
    void hint()
    {
        QSignalSpy ready(&game.solver(), &Solver::ready);
        game.hintRequested();
        if (!game.solver().table())
            QVERIFY(ready.wait(30000));
    }

    int questionsAsked() const
    {
        int n = 0;
        for (const FakeDialogs::Call &call : dialogs.calls)
            n += call.prompt == HintQuestion;
        return n;
    }
};

} // namespace

class TestAssists final : public QObject
{
    Q_OBJECT

private slots:
    void undo_data()
    {
        QTest::addColumn<QList<int>>("clicks");
        QTest::addColumn<int>("undos");
        QTest::addColumn<QString>("pictures");
        QTest::addColumn<QString>("stepLabel");
        QTest::addColumn<Cues>("undoCues");

        QTest::newRow("a slide") << QList<int>{8, 9} << 1 << StartPicture << "2" << Cues{Cue::Move};
        QTest::newRow("a jump") << QList<int>{7, 9} << 1 << StartPicture << "2" << Cues{Cue::Move};
        QTest::newRow("a jump across the shared cell")
            << QList<int>{8, 9, 10, 8} << 1 << "bbbbbbb. b tttttttt" << "3" << Cues{Cue::Move};
        QTest::newRow("another piece selected") << QList<int>{8, 9, 12} << 1 << StartPicture << "2" << Cues{Cue::Move};
        QTest::newRow("the moved piece selected") << QList<int>{8, 9, 9} << 1 << StartPicture << "2" << Cues{Cue::Move};
        QTest::newRow("two moves back") << QList<int>{8, 9, 5, 8} << 2 << StartPicture << "4" << Cues{Cue::Move, Cue::Move};
        QTest::newRow("no further than the start") << QList<int>{8, 9} << 3 << StartPicture << "2" << Cues{Cue::Move};
        QTest::newRow("nothing at the start of a game") << QList<int>{} << 1 << StartPicture << "00" << Cues{};
        QTest::newRow("nothing back at the start by hand")
            << QList<int>{8, 9, 9, 8} << 1 << StartPicture << "2" << Cues{};
        QTest::newRow("to the start by hand, then one move out and back")
            << QList<int>{8, 9, 9, 8, 12, 9} << 2 << StartPicture << "4" << Cues{Cue::Move};
    }

    void undo()
    {
        QFETCH(QList<int>, clicks);
        QFETCH(int, undos);
        QFETCH(QString, pictures);
        QFETCH(QString, stepLabel);
        QFETCH(Cues, undoCues);

        Game g;
        g.startGame();
        g.clicks(clicks);
        g.cues.cues.clear();
        for (int i = 0; i < undos; ++i)
            g.game.undoRequested();

        QCOMPARE(g.view.cellsText(), pictures);
        QCOMPARE(g.view.stepText, stepLabel);
        QCOMPARE(g.cues.cues, undoCues);
        QCOMPARE(g.game.selectedCell(), 0);
        QVERIFY(!g.game.gameOver());
    }

    // Forty random moves taken back one by one: each undo restores the board as it was
    // before that move and raises the step count by one.
    void undoRetracesAWalkStepByStep()
    {
        Game g;
        g.startGame();
        QRandomGenerator random(14);
        std::vector<Board> before;
        for (int i = 0; i < 40; ++i) {
            const std::vector<BoardMove> moves = legalMoves(g.game.board());
            const BoardMove move = moves[random.bounded(static_cast<quint32>(moves.size()))];
            before.push_back(g.game.board());
            g.move(move.from, move.to);
        }
        QCOMPARE(g.game.steps(), std::int64_t(40));
        for (int i = 39; i >= 0 && g.game.canUndo(); --i) {
            const std::int64_t steps = g.game.steps();
            g.game.undoRequested();
            QVERIFY2(g.game.board() == before[static_cast<std::size_t>(i)], qPrintable(QStringLiteral("undo of move %1").arg(i + 1)));
            QCOMPARE(g.game.steps(), steps + 1);
            QCOMPARE(g.view.stepText, QString::number(steps + 1));
        }
        QVERIFY(g.game.board() == Board::startPosition());
    }

    void undoOutsideAGameDoesNothing()
    {
        Game g;
        g.dialogs.inputAnswers = {QStringLiteral("Winner")};
        g.game.undoRequested(); // before the first game
        QCOMPARE(g.view.cellsText(), QStringLiteral("bbbbbbbb b bbbbbbbb"));
        QVERIFY(g.cues.cues.empty());

        g.startGame();
        for (const auto &[from, to] : solveShortest(Board::startPosition()))
            g.move(from, to);
        QVERIFY(g.game.gameOver());
        g.cues.cues.clear();
        g.game.undoRequested(); // after a win
        QCOMPARE(g.view.cellsText(), QStringLiteral("tttttttt . bbbbbbbb"));
        QCOMPARE(g.view.stepText, QStringLiteral("46"));
        QVERIFY(g.cues.cues.empty());
    }

    // An undo queued while the winning move's cue plays runs after the win and cannot
    // take the winning move back.
    void undoDuringTheWinningMovesCueCannotMissTheWin()
    {
        Game g;
        g.dialogs.inputAnswers = {QStringLiteral("Quick")};
        g.startGame();
        const auto solution = solveShortest(Board::startPosition());
        for (std::size_t i = 0; i + 1 < solution.size(); ++i)
            g.move(solution[i].first, solution[i].second);
        QObject queue;
        g.cues.onPlay = [&](Cue cue) {
            if (cue == Cue::Move)
                QMetaObject::invokeMethod(&queue, [&] { g.game.undoRequested(); }, Qt::QueuedConnection);
        };
        g.move(solution.back().first, solution.back().second);
        QCoreApplication::processEvents();
        QCOMPARE(g.view.cellsText(), QStringLiteral("tttttttt . bbbbbbbb"));
        QVERIFY(g.game.gameOver());
        QCOMPARE(g.view.results.size(), std::size_t(1));
        QCOMPARE(g.view.results.back().steps, QStringLiteral("46"));
    }

    void hintQuestion_data()
    {
        QTest::addColumn<QList<Answer>>("answers"); // to each question, in order
        QTest::addColumn<int>("presses");
        QTest::addColumn<int>("questions");
        QTest::addColumn<int>("hintsShown");

        QTest::newRow("No shows nothing") << QList<Answer>{Answer::No} << 1 << 1 << 0;
        QTest::newRow("No, then asked again") << QList<Answer>{Answer::No, Answer::Yes} << 2 << 2 << 1;
        QTest::newRow("Yes is asked once a game") << QList<Answer>{Answer::Yes} << 3 << 1 << 3;
        QTest::newRow("closing the box is a No") << QList<Answer>{Answer::Cancel} << 1 << 1 << 0;
    }

    void hintQuestion()
    {
        QFETCH(QList<Answer>, answers);
        QFETCH(int, presses);
        QFETCH(int, questions);
        QFETCH(int, hintsShown);

        Game g;
        g.startGame();
        for (Answer answer : answers)
            g.dialogs.answers.push_back(answer);
        for (int i = 0; i < presses; ++i)
            g.hint();
        QCOMPARE(g.questionsAsked(), questions);
        QCOMPARE(int(g.view.hints.size()), hintsShown);
        QCOMPARE(g.dialogs.calls.front().buttons, int(DialogButtons::YesNo));
        QVERIFY(g.cues.cues.empty()); // a hint changes nothing on the board and plays nothing
        QCOMPARE(g.game.assisted(), hintsShown > 0);

        g.dialogs.answers = {Answer::Yes, Answer::Yes};
        g.game.newGameRequested(); // the restart question
        g.hint();
        QCOMPARE(g.questionsAsked(), questions + 1); // a new game asks again
    }

    void hintIsTheNextBestMoveFromHere()
    {
        Game g;
        g.startGame();
        g.clicks({8, 9, 5, 8, 6, 5});
        g.game.cellClicked(1);      // a selection stays as it is
        g.dialogs.answers = {Answer::Yes};
        g.hint();

        QCOMPARE(g.view.hints.size(), std::size_t(1));
        const RecordingView::Hint hint = g.view.hints.front();
        const DistanceTable &table = sharedDistanceTable();
        QCOMPARE(hint.movesLeft, table.distance(g.game.board()));
        QVERIFY(findMove(g.game.board(), hint.from, hint.to) != MoveKind::None);
        Board next = g.game.board();
        executeMove(next, hint.from, hint.to);
        QCOMPARE(table.distance(next), hint.movesLeft - 1);
        QCOMPARE(g.game.selectedCell(), 1);
        QCOMPARE(g.view.stepText, QStringLiteral("3"));
    }

    // Asked for while the table is being built, the hint comes when it is ready, for the
    // board as it stands then.
    void hintWaitsForTheTable()
    {
        Game g;
        g.startGame();
        g.dialogs.answers = {Answer::Yes};
        QSignalSpy ready(&g.game.solver(), &Solver::ready);
        g.game.hintRequested();
        g.move(8, 9); // before the ready signal can arrive: no event has run since the key
        QVERIFY(ready.wait(30000));
        QCOMPARE(g.view.hints.size(), std::size_t(1));
        QCOMPARE(g.view.hints.front().movesLeft, sharedDistanceTable().distance(g.game.board()));
    }

    void marksGoWhenTheBoardChanges()
    {
        Game g;
        g.startGame();
        g.dialogs.answers = {Answer::Yes};
        g.hint();
        QVERIFY(g.view.hintShown);
        const RecordingView::Hint hint = g.view.hints.front();
        g.move(hint.from, hint.to);
        QVERIFY(!g.view.hintShown);

        g.hint();
        QVERIFY(g.view.hintShown);
        g.game.undoRequested();
        QVERIFY(!g.view.hintShown);
    }

    void hintOutsideAGameDoesNothing()
    {
        Game g;
        g.dialogs.inputAnswers = {QStringLiteral("Winner")};
        g.game.hintRequested();
        g.startGame();
        for (const auto &[from, to] : solveShortest(Board::startPosition()))
            g.move(from, to);
        g.dialogs.calls.clear();
        g.game.hintRequested();
        QVERIFY(g.dialogs.calls.empty());
        QVERIFY(g.view.hints.empty());
        QVERIFY(g.game.solver().table() == nullptr); // nothing was asked of the solver
    }

    void blackListAfterAWin_data()
    {
        QTest::addColumn<QList<Answer>>("hintAnswers"); // one question per row, before the first move
        QTest::addColumn<bool>("hintInEarlierGame");
        QTest::addColumn<bool>("offered");

        QTest::newRow("plain win") << QList<Answer>{} << false << true;
        QTest::newRow("hint declined") << QList<Answer>{Answer::No} << false << true;
        QTest::newRow("hint shown") << QList<Answer>{Answer::Yes} << false << false;
        QTest::newRow("hint shown in the game before only") << QList<Answer>{} << true << true;
    }

    void blackListAfterAWin()
    {
        QFETCH(QList<Answer>, hintAnswers);
        QFETCH(bool, hintInEarlierGame);
        QFETCH(bool, offered);

        Game g;
        g.startGame();
        if (hintInEarlierGame) {
            g.dialogs.answers = {Answer::Yes, Answer::Yes}; // the hint, then the restart question
            g.hint();
            QVERIFY(g.game.assisted());
            g.game.newGameRequested();
        }
        for (Answer answer : hintAnswers) {
            g.dialogs.answers.push_back(answer);
            g.hint();
        }
        g.dialogs.inputAnswers = {QStringLiteral("Lucky")};
        g.view.events.clear();
        for (const auto &[from, to] : solveShortest(Board::startPosition()))
            g.move(from, to);

        // The results window and its rank come either way.
        QVERIFY(g.game.gameOver());
        QCOMPARE(g.view.results.size(), std::size_t(1));
        QCOMPARE(g.view.results.front().rank, 1);
        QCOMPARE(g.view.results.front().steps, QStringLiteral("46"));
        QCOMPARE(g.cues.cues.back(), Cue::Victory);

        const bool askedName = std::any_of(g.dialogs.calls.begin(), g.dialogs.calls.end(),
                                           [](const FakeDialogs::Call &call) { return call.kind == QLatin1String("askText"); });
        QCOMPARE(askedName, offered);
        QCOMPARE(g.view.events.contains(QStringLiteral("modal BlackListWindow")), offered);
        QCOMPARE(g.store.values.value(MemoryStore::path(QStringLiteral("Tobrinel"), QStringLiteral("HiScores"), QStringLiteral("9"))),
                 offered ? QStringLiteral("Lucky 46") : QString());
        QCOMPARE(g.dialogs.unexpected, 0);
    }
};

QTEST_GUILESS_MAIN(TestAssists)
#include "tst_assists.moc"
