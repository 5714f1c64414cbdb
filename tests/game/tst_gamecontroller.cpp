// The main window's logic driven through its handlers, with recording windows, scripted
// dialogs and a recording cue player: what each click shows, which cues it requests and
// in what order, the restart question, the clock and the victory.
#include "shortestpath.h"
#include "controllerrig.h"
#include "cuenames.h"

#include <QTest>

#include <memory>

Q_DECLARE_METATYPE(Cues)

namespace {

constexpr const char *StartPicture = "bbbbbbbb . tttttttt";

struct Game : ControllerRig
{
    std::function<void(Cue)> duringCue; // looks at the state inside a cue request
    // What a player does while a cue plays: queued, it runs once the handler that asked
    // for the cue has returned (runQueued), as the event loop would run it.
    std::function<void(Cue)> queuedDuringCue;
    QObject queue;

    Game()
    {
        cues.onPlay = [this](Cue cue) {
            view.events << QStringLiteral("cue ") + cueName(cue);
            if (duringCue)
                duringCue(cue);
            if (queuedDuringCue)
                QMetaObject::invokeMethod(&queue, [this, cue] { queuedDuringCue(cue); }, Qt::QueuedConnection);
        };
        game.start();
    }

    void runQueued() { QCoreApplication::processEvents(); }

    void startGame()
    {
        game.newGameRequested();
        cues.cues.clear();
        view.events.clear();
    }

    // A move the way a player makes it: select the piece, click the empty cell.
    void move(int from, int to)
    {
        game.cellClicked(from);
        game.cellClicked(to);
    }

    void play(const std::vector<std::pair<int, int>> &moves)
    {
        for (const auto &[from, to] : moves)
            move(from, to);
    }
};

const std::vector<std::pair<int, int>> &bestSolution()
{
    static const auto solution = solveShortest(Board::startPosition());
    return solution;
}

} // namespace

class TestGameController final : public QObject
{
    Q_OBJECT

private slots:
    void startUpShowsTheDesignAndIgnoresClicks()
    {
        Game g;
        QVERIFY(g.game.gameOver());
        QVERIFY(g.game.soundOn());
        for (int k = FirstCell; k <= LastCell; ++k)
            g.game.cellClicked(k);
        QCOMPARE(g.view.cellsText(), QStringLiteral("bbbbbbbb b bbbbbbbb"));
        QVERIFY(g.cues.cues.empty());
        QCOMPARE(g.view.stepText, QStringLiteral("00"));
        QVERIFY(!g.game.clockRunning());
    }

    void newGameLaysOutTheStartAndStartsTheClock()
    {
        Game g;
        g.game.newGameRequested();
        QCOMPARE(g.view.cellsText(), QString::fromLatin1(StartPicture));
        QVERIFY(!g.game.gameOver());
        QVERIFY(g.game.clockRunning());
        QCOMPARE(g.game.steps(), std::int64_t(0));
        QCOMPARE(g.cues.cues, Cues{Cue::NewGame});
        QVERIFY(g.dialogs.calls.empty()); // no question when no game runs
        QCOMPARE(g.view.stepText, QStringLiteral("00"));
        QCOMPARE(g.view.focusedCell, 9); // the keyboard starts on the empty cell
    }

    void clicks_data()
    {
        QTest::addColumn<QList<int>>("clicks");
        QTest::addColumn<QString>("pictures");
        QTest::addColumn<Cues>("cues");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("stepLabel");

        QTest::newRow("empty cell, nothing selected") << QList<int>{9} << StartPicture << Cues{} << 0 << "00";
        QTest::newRow("select a ball") << QList<int>{8} << "bbbbbbbB . tttttttt" << Cues{Cue::Select} << 8 << "00";
        QTest::newRow("select a tile") << QList<int>{12} << "bbbbbbbb . ttTttttt" << Cues{Cue::Select} << 12 << "00";
        QTest::newRow("drop the selection") << QList<int>{8, 8} << StartPicture << Cues{Cue::Select, Cue::Select} << 0 << "00";
        QTest::newRow("select again after a drop") << QList<int>{8, 8, 8} << "bbbbbbbB . tttttttt" << Cues{Cue::Select, Cue::Select, Cue::Select} << 8 << "00";
        QTest::newRow("change from ball to tile") << QList<int>{8, 10} << "bbbbbbbb . Tttttttt" << Cues{Cue::Select, Cue::Select} << 10 << "00";
        QTest::newRow("change from ball to ball") << QList<int>{8, 1} << "Bbbbbbbb . tttttttt" << Cues{Cue::Select, Cue::Select} << 1 << "00";
        QTest::newRow("slide 8 to 9") << QList<int>{8, 9} << "bbbbbbb. b tttttttt" << Cues{Cue::Select, Cue::Move} << 0 << "1";
        QTest::newRow("jump 7 over 8 to 9") << QList<int>{7, 9} << "bbbbbb.b b tttttttt" << Cues{Cue::Select, Cue::Move} << 0 << "1";
        QTest::newRow("jump 11 over 10 to 9") << QList<int>{11, 9} << "bbbbbbbb t t.tttttt" << Cues{Cue::Select, Cue::Move} << 0 << "1";
        QTest::newRow("empty cell out of reach keeps the selection") << QList<int>{1, 9} << "Bbbbbbbb . tttttttt" << Cues{Cue::Select} << 1 << "00";
        QTest::newRow("out of reach, then drop") << QList<int>{1, 9, 1} << StartPicture << Cues{Cue::Select, Cue::Select} << 0 << "00";
        QTest::newRow("two moves") << QList<int>{8, 9, 5, 8} << "bbbb.bbb b tttttttt" << Cues{Cue::Select, Cue::Move, Cue::Select, Cue::Move} << 0 << "2";
        QTest::newRow("move there and back") << QList<int>{8, 9, 9, 8} << StartPicture << Cues{Cue::Select, Cue::Move, Cue::Select, Cue::Move} << 0 << "2";
    }
    void clicks()
    {
        QFETCH(QList<int>, clicks);
        QFETCH(QString, pictures);
        QFETCH(Cues, cues);
        QFETCH(int, selected);
        QFETCH(QString, stepLabel);

        Game g;
        g.startGame();
        for (int cell : clicks)
            g.game.cellClicked(cell);
        QCOMPARE(g.view.cellsText(), pictures);
        QCOMPARE(g.cues.cues, cues);
        QCOMPARE(g.game.selectedCell(), selected);
        QCOMPARE(g.view.stepText, stepLabel);
    }

    void moveCueComesAfterTheStateIsComplete()
    {
        Game g;
        g.startGame();
        g.game.cellClicked(8);
        QString seen;
        g.duringCue = [&](Cue cue) {
            if (cue == Cue::Move)
                seen = QStringLiteral("%1 %2 %3 %4").arg(g.game.selectedCell()).arg(g.game.steps()).arg(g.view.stepText,
                                                                                              g.view.cellsText());
        };
        g.game.cellClicked(9);
        QCOMPARE(seen, QStringLiteral("0 1 1 bbbbbbb. b tttttttt"));
    }

    void restartQuestion_data()
    {
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<bool>("restarted");
        QTest::newRow("Yes restarts") << Answer::Yes << true;
        QTest::newRow("No keeps the game") << Answer::No << false;
        QTest::newRow("closed keeps the game") << Answer::Cancel << false;
    }
    void restartQuestion()
    {
        QFETCH(Answer, answer);
        QFETCH(bool, restarted);

        Game g;
        g.startGame();
        g.move(8, 9);
        g.game.cellClicked(5); // a selection that a restart must clear
        for (int i = 0; i < 5; ++i)
            g.game.clockTicked();
        g.cues.cues.clear();

        g.dialogs.answers = {answer};
        g.game.newGameRequested();

        QCOMPARE(int(g.dialogs.calls.size()), 1);
        const FakeDialogs::Call &call = g.dialogs.calls.front();
        QCOMPARE(call.prompt, QStringLiteral("Mau ngulang game, kong / Restart Game ??"));
        QCOMPARE(call.title, QStringLiteral("Hi, Siluman Ketombe !"));
        QCOMPARE(call.buttons, int(DialogButtons::YesNo));

        QVERIFY(g.game.clockRunning());
        QCOMPARE(g.view.timeLabel, QStringLiteral("00:00:05")); // never reset
        QCOMPARE(g.view.stepText, QStringLiteral("1"));         // the old count until the first move
        if (restarted) {
            QCOMPARE(g.view.cellsText(), QString::fromLatin1(StartPicture));
            QCOMPARE(g.game.selectedCell(), 0);
            QCOMPARE(g.game.steps(), std::int64_t(0));
            QCOMPARE(g.cues.cues, Cues{Cue::NewGame});
            g.move(8, 9);
            QCOMPARE(g.view.stepText, QStringLiteral("1"));
        } else {
            QCOMPARE(g.view.cellsText(), QStringLiteral("bbbbBbb. b tttttttt"));
            QCOMPARE(g.game.selectedCell(), 5);
            QCOMPARE(g.game.steps(), std::int64_t(1));
            QVERIFY(g.cues.cues.empty());
        }
    }

    void soundOffRequestsNoCue()
    {
        Game g;
        g.game.soundToggled();
        QVERIFY(!g.game.soundOn());
        QVERIFY(!g.view.soundCheck);
        g.dialogs.inputAnswers = {QStringLiteral("Quiet")};
        g.game.newGameRequested();
        g.play(bestSolution());
        g.game.blackListRequested();
        g.game.aboutRequested();
        g.game.quitRequested(); // answered Cancel by the fake
        g.game.mainWindowClosed();
        QVERIFY(g.cues.cues.empty());
        QVERIFY(g.game.gameOver());

        g.game.soundToggled();
        QVERIFY(g.game.soundOn());
        QVERIFY(g.view.soundCheck);
    }

    void clockTicksAndContinuesIntoTheNextGame()
    {
        Game g;
        g.game.clockTicked();
        QCOMPARE(g.view.timeLabel, QStringLiteral("00:00:01"));
        g.startGame();
        for (int i = 0; i < 191; ++i)
            g.game.clockTicked();
        QCOMPARE(g.view.timeLabel, QStringLiteral("00:03:12"));
        g.dialogs.inputAnswers = {QStringLiteral("Abc")};
        g.play(bestSolution());
        QVERIFY(!g.game.clockRunning());
        QCOMPARE(g.view.results.back().time, QStringLiteral("00:03:12"));
        g.game.newGameRequested();
        QVERIFY(g.game.clockRunning());
        g.game.clockTicked();
        QCOMPARE(g.view.timeLabel, QStringLiteral("00:03:13"));
    }

    void winningInFortySixMovesEndsTheGame()
    {
        Game g;
        g.startGame();
        g.dialogs.inputAnswers = {QStringLiteral("Abc")};
        std::size_t resultsAtCue = 0, dialogsAtCue = 99;
        g.duringCue = [&](Cue cue) {
            if (cue == Cue::Victory) {
                resultsAtCue = g.view.results.size();
                dialogsAtCue = g.dialogs.calls.size();
            }
        };
        g.play(bestSolution());

        QCOMPARE(resultsAtCue, std::size_t(1)); // the victory cue follows the results window
        QCOMPARE(dialogsAtCue, std::size_t(0)); // and comes before the top-ten test asks a name
        QVERIFY(g.game.gameOver());
        QCOMPARE(g.game.steps(), std::int64_t(46));
        QCOMPARE(g.view.stepText, QStringLiteral("46"));
        QCOMPARE(g.view.cellsText(), QStringLiteral("tttttttt . bbbbbbbb"));
        QVERIFY(!g.game.clockRunning());
        // The victory in its order: results shown, cue 1, name asked, list shown, saved.
        const QStringList tail = g.view.events.mid(g.view.events.indexOf(QStringLiteral("results 1 00:00:00 46")));
        QCOMPARE(tail, (QStringList{QStringLiteral("results 1 00:00:00 46"), QStringLiteral("cue Victory"),
                                    QStringLiteral("modal BlackListWindow"), QStringLiteral("front ResultsWindow")}));
        QCOMPARE(g.cues.cues.back(), Cue::Victory);
        QCOMPARE(g.cues.cues[g.cues.cues.size() - 2], Cue::Move);
        QCOMPARE(g.topTen.entries()[9].score, StoredScore(46));
        QCOMPARE(g.store.values.value(MemoryStore::path("Tobrinel", "HiScores", "9")), QStringLiteral("Abc   46"));

        // Clicks after the win change nothing; the play command starts at once.
        const QString goal = g.view.cellsText();
        g.cues.cues.clear();
        for (int k = FirstCell; k <= LastCell; ++k)
            g.game.cellClicked(k);
        QCOMPARE(g.view.cellsText(), goal);
        QVERIFY(g.cues.cues.empty());
        g.game.newGameRequested();
        QCOMPARE(int(g.dialogs.calls.size()), 1); // only the name, no restart question
        QCOMPARE(g.view.cellsText(), QString::fromLatin1(StartPicture));
    }

    void aWinIsStoredBeforeTheBlackListShows()
    {
        // A session that ends while the list is open (a logout) must not take the win
        // along: it is in the store before the list opens, and stays after it closes.
        Game g;
        g.startGame();
        g.dialogs.inputAnswers = {QStringLiteral("Early")};
        const QString key = MemoryStore::path("Tobrinel", "HiScores", "9");
        QString storedWhileOpen;
        g.view.onModal = [&](WindowId form) {
            if (form == WindowId::BlackList)
                storedWhileOpen = g.store.values.value(key);
        };
        g.play(bestSolution());
        QCOMPARE(storedWhileOpen, QStringLiteral("Early 46"));
        QCOMPARE(g.store.values.value(key), QStringLiteral("Early 46"));
        QCOMPARE(g.topTen.entries()[9].score, StoredScore(46)); // the list shows what is stored
        QVERIFY(g.dialogs.reportTitles().isEmpty());       // and no failure was reported
    }

    void rankBySteps_data()
    {
        QTest::addColumn<qint64>("steps");
        QTest::addColumn<int>("rank");
        QTest::newRow("1") << qint64(1) << 1;
        QTest::newRow("46") << qint64(46) << 1;
        QTest::newRow("47") << qint64(47) << 2;
        QTest::newRow("53") << qint64(53) << 2;
        QTest::newRow("54") << qint64(54) << 3;
        QTest::newRow("past 32767") << qint64(40000) << 3;
    }
    void rankBySteps()
    {
        QFETCH(qint64, steps);
        QFETCH(int, rank);
        QCOMPARE(rankForSteps(steps), rank);
    }

    void resultThatDoesNotQualifyIsNeitherListedNorSaved()
    {
        Game g;
        for (int key = 0; key <= 9; ++key)
            g.store.values.insert(MemoryStore::path("Tobrinel", "HiScores", QString::number(key)),
                                  QStringLiteral("Best  46"));
        g.game.start();
        g.startGame();
        g.play(bestSolution());
        QCOMPARE(g.view.results.size(), std::size_t(1));
        QVERIFY(!g.view.events.contains(QStringLiteral("modal BlackListWindow")));
        QVERIFY(!g.topTen.newResultAdded());
        QVERIFY(g.dialogs.calls.empty());
        QCOMPARE(g.store.values.value(MemoryStore::path("Tobrinel", "HiScores", "0")), QStringLiteral("Best  46"));
    }

    void aWinIsHandledOnceWhenAQueuedClickCompletesIt()
    {
        // A click queued while the 45th move's cue plays completes the win once that move
        // has been handled whole.
        Game g;
        g.startGame();
        g.dialogs.inputAnswers = {QStringLiteral("Once")};
        const auto &moves = bestSolution();
        g.play({moves.begin(), moves.end() - 2});
        bool queued = true;
        g.queuedDuringCue = [&](Cue cue) {
            if (cue == Cue::Move && queued) {
                queued = false;
                g.move(moves.back().first, moves.back().second);
            }
        };
        g.move(moves[44].first, moves[44].second);
        QVERIFY(g.view.results.empty()); // nothing ran inside the 45th move
        g.runQueued();

        QCOMPARE(g.view.results.size(), std::size_t(1));
        QCOMPARE(g.view.results.front().steps, QStringLiteral("46"));
        QCOMPARE(g.view.events.count(QStringLiteral("modal BlackListWindow")), 1);
        QCOMPARE(int(g.dialogs.calls.size()), 1);
        int entries = 0;
        for (const TopTenEntry &entry : g.topTen.entries())
            entries += entry.name.text() == QStringLiteral("Once  ");
        QCOMPARE(entries, 1);
    }

    void whatTheWinningCueLetsRunCannotTakeTheWinAway_data()
    {
        QTest::addColumn<QString>("queued");
        QTest::newRow("select 8, click 9: a tile off the goal") << QStringLiteral("8 9");
        QTest::newRow("select 8") << QStringLiteral("8");
        QTest::newRow("select 8, play command") << QStringLiteral("8 play");
        QTest::newRow("play command") << QStringLiteral("play");
    }
    // Clicks and keys queued while the winning cue plays run once the win has been handled
    // whole: the results are shown and the result stored first, no piece moves, and a play
    // command starts the next game only after all of that, as a play command after a win does.
    void whatTheWinningCueLetsRunCannotTakeTheWinAway()
    {
        QFETCH(QString, queued);
        Game g;
        g.startGame();
        g.dialogs.inputAnswers = {QStringLiteral("Kept")};
        g.dialogs.answers = {Answer::Yes}; // a restart question, if one were asked, says Yes
        const auto &moves = bestSolution();
        g.play({moves.begin(), moves.end() - 1});
        bool pending = true;
        g.queuedDuringCue = [&](Cue cue) {
            if (cue != Cue::Move || !pending)
                return;
            pending = false;
            for (const QString &click : queued.split(QLatin1Char(' '))) {
                if (click == QLatin1String("play"))
                    g.game.newGameRequested();
                else
                    g.game.cellClicked(click.toInt());
            }
        };
        g.move(moves.back().first, moves.back().second);
        const QStringList won = g.view.events;
        QVERIFY(pending); // nothing queued ran inside the winning move
        g.runQueued();

        QVERIFY(!pending);
        QCOMPARE(g.view.results.size(), std::size_t(1));
        QCOMPARE(g.view.results.front().steps, QStringLiteral("46"));
        QCOMPARE(int(g.dialogs.calls.size()), 1); // the name only, no restart question
        QCOMPARE(g.dialogs.calls.front().kind, QStringLiteral("askText"));
        QCOMPARE(g.topTen.entries()[9].name.text(), QStringLiteral("Kept  "));
        QCOMPARE(g.store.values.value(MemoryStore::path("Tobrinel", "HiScores", "9")), QStringLiteral("Kept  46"));
        QCOMPARE(won.mid(won.indexOf(QStringLiteral("results 1 00:00:00 46"))),
                 (QStringList{QStringLiteral("results 1 00:00:00 46"), QStringLiteral("cue Victory"),
                              QStringLiteral("modal BlackListWindow"), QStringLiteral("front ResultsWindow")}));
        if (queued.contains(QLatin1String("play"))) {
            QVERIFY(!g.game.gameOver());
            QCOMPARE(g.view.cellsText(), QString::fromLatin1(StartPicture));
            QCOMPARE(g.view.events.mid(won.size()).front(), QStringLiteral("cue NewGame"));
            return;
        }
        QVERIFY(g.game.gameOver());
        QVERIFY(!g.game.clockRunning());
        QCOMPARE(g.view.cellsText(), QStringLiteral("tttttttt . bbbbbbbb"));
        QCOMPARE(g.view.stepText, QStringLiteral("46"));
        QCOMPARE(g.view.events, won);
    }

    void aMoveThatDoesNotWinLeavesTheBoardOpenToQueuedClicks()
    {
        // A click queued while a move's cue plays is the next click of the game.
        Game g;
        g.startGame();
        g.queuedDuringCue = [&](Cue cue) {
            if (cue == Cue::Move && g.game.steps() == 1)
                g.game.cellClicked(5);
        };
        g.move(8, 9);
        g.runQueued();
        QCOMPARE(g.game.selectedCell(), 5);
        QCOMPARE(g.view.cellsText(), QStringLiteral("bbbbBbb. b tttttttt"));
    }

    void theScoreIsTheWonGameEvenWhenTheVictoryCueStartsANewOne()
    {
        Game g;
        g.startGame();
        g.dialogs.inputAnswers = {QStringLiteral("Fast")};
        g.queuedDuringCue = [&](Cue cue) {
            if (cue == Cue::Victory)
                g.game.newGameRequested(); // a queued play command
        };
        g.play(bestSolution());
        g.runQueued();
        QCOMPARE(g.game.steps(), std::int64_t(0));
        QCOMPARE(g.topTen.newResult(), StoredScore(46));
        QCOMPARE(g.topTen.entries()[9].score, StoredScore(46));
        QCOMPARE(g.topTen.entries()[9].name.text(), QStringLiteral("Fast  "));
    }

    void stepsDoNotOverflowPast32767()
    {
        Game g;
        g.startGame();
        for (int i = 0; i < 20000; ++i)
            g.move(i % 2 ? 9 : 8, i % 2 ? 8 : 9);
        QCOMPARE(g.game.steps(), std::int64_t(20000));
        g.game.setSteps(2147483647);
        g.move(8, 9);
        QCOMPARE(g.view.stepText, QStringLiteral("2147483648"));
    }

    void menuCommandsInTheirOrder()
    {
        Game g;
        g.store.values.insert(MemoryStore::path("Tobrinel", "HiScores", "9"), QStringLiteral("Late  12"));
        g.view.events.clear();
        g.game.blackListRequested();
        QCOMPARE(g.view.events, (QStringList{QStringLiteral("cue BlackList"), QStringLiteral("modal BlackListWindow")}));
        QCOMPARE(g.topTen.entries()[9].name.text(), QStringLiteral("Late  ")); // reloaded first

        g.view.events.clear();
        g.game.aboutRequested();
        QCOMPARE(g.view.events, (QStringList{QStringLiteral("load AboutWindow"), QStringLiteral("cue About"),
                                             QStringLiteral("modal AboutWindow")}));
        g.view.events.clear();
        g.game.instructionsRequested();
        QCOMPARE(g.view.events, (QStringList{QStringLiteral("load InstructionsWindow"), QStringLiteral("modal InstructionsWindow")}));
    }

    void exitCommand_data()
    {
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<QStringList>("events");
        const QStringList unloadAll{QStringLiteral("unload MainWindow"), QStringLiteral("unload InstructionsWindow"),
                                    QStringLiteral("unload BlackListWindow"), QStringLiteral("unload ResultsWindow"),
                                    QStringLiteral("unload AboutWindow")};
        QTest::newRow("OK leaves") << Answer::Ok << (QStringList{QStringLiteral("cue NewGame")} + unloadAll);
        QTest::newRow("Cancel stays") << Answer::Cancel << QStringList{};
    }
    void exitCommand()
    {
        QFETCH(Answer, answer);
        QFETCH(QStringList, events);
        Game g;
        g.startGame();
        g.game.cellClicked(8);
        g.view.events.clear();
        g.dialogs.answers = {answer};
        g.game.quitRequested();
        QCOMPARE(g.dialogs.calls.front().prompt, QStringLiteral("Are you sure to leave this world ??"));
        QCOMPARE(g.dialogs.calls.front().title, QStringLiteral("I miss you.."));
        QCOMPARE(g.dialogs.calls.front().buttons, int(DialogButtons::OkCancel));
        QCOMPARE(g.view.events, events);
        QCOMPARE(g.view.ended, answer == Answer::Ok);
        if (answer != Answer::Ok) {
            QCOMPARE(g.game.selectedCell(), 8);
            QVERIFY(g.game.clockRunning());
        }
    }

    void unloadOfTheMainWindowRequestsTheCueAndUnloadsAll()
    {
        Game g;
        g.game.mainWindowClosed();
        QCOMPARE(g.view.events, (QStringList{QStringLiteral("cue NewGame"), QStringLiteral("unload MainWindow"),
                                             QStringLiteral("unload InstructionsWindow"), QStringLiteral("unload BlackListWindow"),
                                             QStringLiteral("unload ResultsWindow"), QStringLiteral("unload AboutWindow")}));
        QVERIFY(g.dialogs.calls.empty());
    }
};

QTEST_GUILESS_MAIN(TestGameController)
#include "tst_gamecontroller.moc"
