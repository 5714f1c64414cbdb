// Undo and hint through the real main window under the offscreen platform: the board's
// right-click menu and what it greys out, Ctrl+Z and H as keys of the window, the hint's
// marks and spoken text, and a whole game won by following the hints with the mouse.
#include "apprig.h"
#include "shortestpath.h"
#include "cuenames.h"
#include "game/solver.h"
#include "modalanswerer.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>

namespace {

// The game with the board's menu and the keys a player uses for undo and hint.
struct App : AppRig
{
    BoardMenu &menu() { return *window().boardMenu; }
    HintMarks *marks() { return window().hints->marks(); }

    // The window active, as a player finds it, with a new game begun.
    bool newGameInTheActiveWindow()
    {
        if (!QTest::qWaitForWindowActive(&window()))
            return false;
        window().newGameAction->trigger();
        return true;
    }

    // A new game as above, with Yes to come for the question before the first hint.
    bool newGameWithHintsAllowed(ModalAnswerer &answerer)
    {
        answerer.expect(ModalAnswerer::press(QMessageBox::Yes));
        return newGameInTheActiveWindow();
    }

    // QTest's mouse click goes straight to the widget, past the window that turns a
    // right-click into a context-menu request; send that request as the window would.
    void rightClick(int cell)
    {
        QWidget *target = window().cells[cell];
        const QPoint pos = target->rect().center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, pos, target->mapToGlobal(pos));
        QApplication::sendEvent(target, &event);
    }

    // A key as the player types it into the main window, wherever its focus is.
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        // Offscreen has no window manager to give the activation back after a message
        // box, and window shortcuts need the active window.
        if (!window().isActiveWindow()) {
            window().activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&window()));
        }
        QWidget *focus = window().focusWidget();
        QTest::keyClick(focus ? focus : &window(), key, modifiers);
    }

    // H, then until the marks are up: the first hint waits for the table.
    bool hint()
    {
        key(Qt::Key_H);
        return QTest::qWaitFor([this] { return marks()->isVisible(); }, 30000);
    }
};

} // namespace

class TestUndoHint final : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void menuBarIsUnchanged()
    {
        App app;
        int items = 0;
        for (QAction *menu : app.window().menuBar()->actions())
            for (QAction *item : menu->menu()->actions()) {
                ++items;
                QVERIFY(item != app.menu().undoMove && item != app.menu().hint);
                QVERIFY(item->shortcut().isEmpty());
            }
        QCOMPARE(items, 7); // with "Your games"
    }

    void rightClickMenuGreysOutWhatCannotAct_data()
    {
        QTest::addColumn<bool>("play");
        QTest::addColumn<QList<int>>("clicks");
        QTest::addColumn<int>("undos");
        QTest::addColumn<bool>("win");
        QTest::addColumn<bool>("undoEnabled");
        QTest::addColumn<bool>("hintEnabled");

        QTest::newRow("before a game") << false << QList<int>{} << 0 << false << false << false;
        QTest::newRow("start of a game") << true << QList<int>{} << 0 << false << false << true;
        QTest::newRow("after a move") << true << QList<int>{8, 9} << 0 << false << true << true;
        QTest::newRow("a piece selected") << true << QList<int>{8, 9, 5} << 0 << false << true << true;
        QTest::newRow("back at the start by hand") << true << QList<int>{8, 9, 9, 8} << 0 << false << false << true;
        QTest::newRow("the only move undone") << true << QList<int>{8, 9} << 1 << false << false << true;
        QTest::newRow("after a win") << true << QList<int>{} << 0 << true << false << false;
    }

    void rightClickMenuGreysOutWhatCannotAct()
    {
        QFETCH(bool, play);
        QFETCH(QList<int>, clicks);
        QFETCH(int, undos);
        QFETCH(bool, win);
        QFETCH(bool, undoEnabled);
        QFETCH(bool, hintEnabled);

        App app;
        MainWindow &w = app.window();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        ModalAnswerer answerer;
        if (play)
            w.newGameAction->trigger();
        for (int cell : clicks)
            app.click(cell);
        for (int i = 0; i < undos; ++i)
            app.key(Qt::Key_Z, Qt::ControlModifier);
        if (win) {
            // Hinted, so the win asks for no name.
            answerer.expect(ModalAnswerer::press(QMessageBox::Yes));
            QVERIFY(app.hint());
            for (const auto &[from, to] : solveShortest(Board::startPosition()))
                app.move(from, to);
            QVERIFY(app.game.gameOver());
        }

        app.rightClick(5);
        QMenu *menu = app.menu().menu;
        QTRY_VERIFY(menu->isVisible());
        QCOMPARE(QApplication::activePopupWidget(), menu);
        QCOMPARE(menu->actions().size(), 5);
        QCOMPARE(menu->actions()[0]->text(), QStringLiteral("Undo move"));
        QCOMPARE(menu->actions()[0]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
        QCOMPARE(menu->actions()[1]->text(), QStringLiteral("Hint"));
        QCOMPARE(menu->actions()[1]->shortcut(), QKeySequence(Qt::Key_H));
        QVERIFY(menu->actions()[2]->isSeparator());
        QCOMPARE(menu->actions()[3]->text(), QStringLiteral("Review this game"));
        QCOMPARE(menu->actions()[3]->shortcut(), QKeySequence(Qt::Key_R));
        QCOMPARE(menu->actions()[4]->text(), QStringLiteral("Watch the best finish"));
        QCOMPARE(menu->actions()[4]->shortcut(), QKeySequence(Qt::Key_W));
        QCOMPARE(app.menu().undoMove->isEnabled(), undoEnabled);
        QCOMPARE(app.menu().hint->isEnabled(), hintEnabled);
        QCOMPARE(app.menu().review->isEnabled(), win); // only a game that was won
        QVERIFY(app.menu().watch->isEnabled());

        menu->hide();
        // Closed again, the keys reach the game, which decides for itself.
        QVERIFY(app.menu().undoMove->isEnabled() && app.menu().hint->isEnabled() && app.menu().review->isEnabled());
        QCOMPARE(answerer.unexpected(), 0);
    }

    void undoMoveInTheMenuTakesTheMoveBack()
    {
        App app;
        MainWindow &w = app.window();
        QVERIFY(app.newGameInTheActiveWindow());
        app.move(8, 9);
        app.cues.cues.clear();

        app.rightClick(9);
        QMenu *menu = app.menu().menu;
        QTRY_VERIFY(menu->isVisible());
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(app.menu().undoMove).center());

        QTRY_VERIFY(!menu->isVisible());
        QCOMPARE(w.stepLabel->text(), QStringLiteral("2"));
        QVERIFY(w.cells[9]->picture().isNull());
        QCOMPARE(w.cells[8]->picture().cacheKey(), w.piecePictures[BallPic].cacheKey());
        QCOMPARE(app.cues.cues, Cues{Cue::Move});
    }

    void keysWorkWithoutTheMenu()
    {
        App app;
        MainWindow &w = app.window();
        QVERIFY(app.newGameInTheActiveWindow());
        app.move(8, 9);
        app.move(5, 8);
        app.click(12); // a tile selected

        app.key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w.stepLabel->text(), QStringLiteral("3"));
        QVERIFY(w.cells[8]->picture().isNull());
        QCOMPARE(w.cells[5]->picture().cacheKey(), w.piecePictures[BallPic].cacheKey());
        QCOMPARE(w.cells[12]->picture().cacheKey(), w.piecePictures[TilePic].cacheKey()); // selection cleared
        QCOMPARE(app.game.selectedCell(), 0);

        ModalAnswerer answerer;
        answerer.expect(ModalAnswerer::press(QMessageBox::Yes));
        QVERIFY(app.hint());
        QCOMPARE(answerer.seen.size(), 1);
        QCOMPARE(answerer.seen.front().text, QStringLiteral("A game with hints does not enter the Black List. Show a hint?"));
        QCOMPARE(answerer.seen.front().buttons, QStringLiteral("Yes|No"));
    }

    void hintMarksTheMoveAndSaysHowFarTheGoalIs()
    {
        App app;
        MainWindow &w = app.window();
        ModalAnswerer answerer;
        QVERIFY(app.newGameWithHintsAllowed(answerer));
        QVERIFY(app.hint());

        HintMarks *marks = app.marks();
        const Board start = Board::startPosition();
        QVERIFY(start[marks->from()] != Piece::Empty);
        QCOMPARE(start[marks->to()], Piece::Empty);
        QCOMPARE(marks->geometry(), w.centralWidget()->rect());
        QVERIFY(marks->testAttribute(Qt::WA_TransparentForMouseEvents));
        const QString spoken = w.centralWidget()->accessibleDescription();
        QVERIFY2(spoken.contains(QStringLiteral("46 moves to go")), qPrintable(spoken));
        QVERIFY2(spoken.contains(QStringLiteral("cell %1 to cell %2").arg(marks->from()).arg(marks->to())), qPrintable(spoken));

        // The marks paint on the board: a grab with them differs from one without.
        const QImage with = w.centralWidget()->grab().toImage();
        QTRY_VERIFY_WITH_TIMEOUT(!marks->isVisible(), 5000); // gone after about a second
        const QImage without = w.centralWidget()->grab().toImage();
        QVERIFY(with != without);
    }

    // The proof: from the start, the hints alone, followed with the mouse, win in
    // the best number of moves; the results come, the Black List does not.
    void aGameWonByFollowingTheHintsWithTheMouse()
    {
        App app;
        MainWindow &w = app.window();
        ModalAnswerer answerer;
        QVERIFY(app.newGameWithHintsAllowed(answerer));

        int moves = 0;
        while (!app.game.gameOver() && moves < 60) {
            QVERIFY2(app.hint(), qPrintable(QStringLiteral("hint %1 does not show").arg(moves + 1)));
            const int from = app.marks()->from();
            const int to = app.marks()->to();
            app.move(from, to);
            ++moves;
            QCOMPARE(w.stepLabel->text(), QString::number(moves)); // each hint was a legal move
        }
        QCOMPARE(moves, 46);
        QVERIFY(app.game.gameOver());
        QCOMPARE(answerer.seen.size(), 1); // the hint question, once; no name prompt
        QCOMPARE(answerer.unexpected(), 0);

        ResultsWindow *results = app.windows.resultsWindow.loaded();
        QVERIFY(results && results->isVisible());
        QCOMPARE(results->stepsLabel->text(), QStringLiteral("46"));
        QCOMPARE(results->rankBanner->pixmap().cacheKey(), results->rankPictures[1].cacheKey()); // GENIUS
        QVERIFY(!app.windows.blackListWindow.loaded());
        QSettings stored(QStringLiteral("Tobrinel"), QStringLiteral("Tobrinel"));
        QVERIFY(stored.childGroups().isEmpty()); // nothing saved
    }

    void aKeyStopsWatchingAtOnce()
    {
        App app;
        ModalAnswerer answerer;
        QVERIFY(app.newGameWithHintsAllowed(answerer));
        app.key(Qt::Key_W);
        QTRY_VERIFY(app.game.watching());
        QTRY_VERIFY_WITH_TIMEOUT(app.game.steps() >= 2, 30000); // the table, then the moves

        app.key(Qt::Key_Tab);
        QVERIFY(!app.game.watching());
        const std::int64_t steps = app.game.steps();
        QTest::qWait(3 * GameController::WatchIntervalMs);
        QCOMPARE(app.game.steps(), steps); // handed back: nothing moves on its own
        QVERIFY(app.game.assisted());
        QCOMPARE(answerer.unexpected(), 0);
    }

    void reviewByKeysWithWhatAScreenReaderHears()
    {
        App app;
        MainWindow &w = app.window();
        ModalAnswerer answerer;
        QVERIFY(app.newGameWithHintsAllowed(answerer));
        QVERIFY(app.hint()); // hinted, so the win asks for no name
        const auto best = solveShortest(Board::startPosition());
        for (const auto &[from, to] : best)
            app.move(from, to);
        QVERIFY(app.game.gameOver());
        // The results have the keyboard; "Great" closes them and the board has it again.
        ResultsWindow *results = app.windows.resultsWindow.loaded();
        QTRY_VERIFY(results && results->isActiveWindow());
        results->greatButton->click();
        QTRY_VERIFY(!app.windows.resultsWindow.loaded());

        app.key(Qt::Key_R);
        QTRY_VERIFY_WITH_TIMEOUT(app.game.reviewing(), 30000);
        QWidget *board = w.centralWidget();
        const auto [lastFrom, lastTo] = best.back();
        QCOMPARE(board->accessibleDescription(),
                 QStringLiteral("Move 46 of 46: %1 to %2, best. 46 steps, the best possible.").arg(lastFrom).arg(lastTo));
        QVERIFY(w.noteLabel() && w.noteLabel()->isVisible());
        QCOMPARE(w.noteLabel()->text().replace(QLatin1Char('\n'), QLatin1Char(' ')), board->accessibleDescription());
        QCOMPARE(std::pair(app.marks()->from(), app.marks()->to()), std::pair(lastFrom, lastTo));
        // The verdict stands clear of every cell.
        for (int k = FirstCell; k <= LastCell; ++k)
            QVERIFY(!w.noteLabel()->geometry().intersects(w.cells[k]->geometry()));

        app.key(Qt::Key_Left);
        const auto [from45, to45] = best[44];
        QCOMPARE(board->accessibleDescription(), QStringLiteral("Move 45 of 46: %1 to %2, best.").arg(from45).arg(to45));
        app.key(Qt::Key_Home);
        QVERIFY(!app.marks()->isVisible());
        QCOMPARE(w.cells[SharedCell]->accessibleName(), QStringLiteral("Cell 9: empty"));
        QTest::qWait(2 * HintMarks::ShowMs);
        app.key(Qt::Key_End);
        QVERIFY(app.marks()->isVisible()); // a review's marks stay until it moves on

        app.key(Qt::Key_Escape);
        QVERIFY(!app.game.reviewing());
        QVERIFY(!w.noteLabel()->isVisible());
        QVERIFY(!app.marks()->isVisible());
        QCOMPARE(w.cells[1]->accessibleName(), QStringLiteral("Cell 1: tile"));
        QCOMPARE(answerer.unexpected(), 0);
    }
};

QTEST_MAIN(TestUndoHint)
#include "tst_undohint.moc"
