#include "game/gamecontroller.h"

#include "topten/toptenlist.h"
#include "platform/dialogs.h"

#include <algorithm>
#include <utility>

namespace {

// Asked before the first help of a game: a hint, or watching the best finish.
bool helpAccepted(Dialogs &dialogs)
{
    return dialogs.showMessage(QStringLiteral("A game with hints does not enter the Black List. Show a hint?"),
                          DialogButtons::YesNo)
           == Answer::Yes;
}

} // namespace

int rankForSteps(std::int64_t steps)
{
    if (steps <= ShortestWinSteps)
        return 1;
    if (steps <= 53)
        return 2;
    return 3;
}

GameController::GameController(GameView &view, Dialogs &dialogs, CuePlayer &sound, TopTenList &topTen)
    : m_view(view)
    , m_dialogs(dialogs)
    , m_sound(sound)
    , m_topTen(topTen)
{
    QObject::connect(&m_solver, &Solver::ready, &m_solver, [this] {
        if (m_hintWaiting)
            showHint();
        if (m_reviewWaiting)
            startReview();
        if (m_pickWaiting)
            showPicked();
    });
    m_watchTimer.setInterval(WatchIntervalMs);
    m_clockTimer.setInterval(ClockIntervalMs);
    m_clockTimer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&m_clockTimer, &QTimer::timeout, &m_solver, [this] { clockTicked(); });
    QObject::connect(&m_watchTimer, &QTimer::timeout, &m_solver, [this] { watchTick(); });
}

void GameController::cue(Cue which)
{
    if (m_soundOn)
        m_sound.play(which);
}

void GameController::showNormal(int cell)
{
    m_view.showCell(cell, m_board[cell], false);
}

void GameController::showSelected(int cell)
{
    m_view.showCell(cell, m_board[cell], true);
}

void GameController::start()
{
    m_gameOver = true;
    m_soundOn = true;
    m_topTen.load();
    m_topTen.addWaitingResults();
}

void GameController::newGameRequested()
{
    handBoardBack();
    if (m_gameOver) {
        startNewGame();
        return;
    }
    if (m_dialogs.showMessage(QStringLiteral("Mau ngulang game, kong / Restart Game ??"), DialogButtons::YesNo,
                         QStringLiteral("Hi, Siluman Ketombe !"))
        == Answer::Yes)
        startNewGame();
}

void GameController::startNewGame()
{
    recordLeft();
    // The clock and the two labels are left alone: time runs on from game to game, and
    // the step label shows the last count until the first move.
    const Board start = Board::startPosition();
    for (int k = FirstCell; k <= LastCell; ++k) {
        m_board.set(k, start[k]);
        showNormal(k);
    }
    m_steps = 0;
    m_selected = 0;
    m_gameOver = false;
    resetAssists();
    if (!m_clockTimer.isActive())
        m_clockTimer.start();
    m_view.focusCell(SharedCell);
    recorder.started();
    cue(Cue::NewGame);
}

void GameController::cellClicked(int cell)
{
    if (watching()) {
        stopWatching();
        return;
    }
    if (m_gameOver)
        return;
    if (m_selected == 0 && m_board[cell] == Piece::Empty)
        return;
    if (m_selected == 0) {
        m_selected = cell;
        showSelected(cell);
        cue(Cue::Select);
        return;
    }
    if (cell == m_selected) {
        m_selected = 0;
        showNormal(cell);
        cue(Cue::Select);
        return;
    }
    if (m_board[cell] != Piece::Empty) {
        showNormal(m_selected);
        m_selected = cell;
        showSelected(cell);
        cue(Cue::Select);
        return;
    }

    const int s = m_selected;
    if (findMove(m_board, s, cell) == MoveKind::None)
        return;
    m_history.played({s, cell});
    makeMove(s, cell);
}

void GameController::makeMove(int from, int to)
{
    executeMove(m_board, from, to);
    showNormal(to);
    showNormal(from);
    m_selected = 0;
    m_view.hideHint(); // the marks showed the position before this move
    ++m_steps;
    m_view.setStepText(QString::number(m_steps));
    cue(Cue::Move);
    checkWin();
}

void GameController::clockTicked()
{
    m_clock.tick();
    recorder.tick();
    m_view.setTimeText(m_clock.text());
}

void GameController::checkWin()
{
    if (isGoal(m_board))
        gameWon();
}

void GameController::gameWon()
{
    m_gameOver = true;
    m_won = true;
    const QString notRecorded = recorder.ended(true, m_history.moves());
    stopWatching();
    m_clockTimer.stop();
    m_view.showResults(rankForSteps(m_steps), m_clock.text(), QString::number(m_steps));
    cue(Cue::Victory);

    // A game won with hints keeps its rank but stays out of the Black List.
    if (!m_assisted) {
        m_topTen.setNewResult(StoredScore(m_steps));
        m_topTen.considerNewResult();
        if (m_topTen.newResultAdded()) {
            // Stored before the list shows, and again once it closes ("&Clear" may have
            // emptied it meanwhile): a session that ends while the list is open keeps the win.
            m_topTen.save();
            m_view.showModal(WindowId::BlackList);
            m_topTen.save();
        }
    }
    // The name question and the Black List stand over the main window, which a window
    // manager raises with them; the results are what the player should see last.
    m_view.showInFront(WindowId::Results);
    report(notRecorded);
}

void GameController::blackListRequested()
{
    handBoardBack();
    m_topTen.load();
    cue(Cue::BlackList);
    m_view.showModal(WindowId::BlackList);
}

void GameController::quitRequested()
{
    if (m_dialogs.showMessage(QStringLiteral("Are you sure to leave this world ??"), DialogButtons::OkCancel,
                         QStringLiteral("I miss you.."))
        != Answer::Ok)
        return;
    recordLeft();
    handBoardBack();
    cue(Cue::NewGame);
    for (WindowId form : {WindowId::Main, WindowId::Instructions, WindowId::BlackList, WindowId::Results, WindowId::About})
        m_view.unload(form);
    m_view.endProgram();
}

void GameController::mainWindowClosed()
{
    recordLeft();
    cue(Cue::NewGame);
    // MainWindow is already unloading, so its own unload here does nothing.
    for (WindowId form : {WindowId::Main, WindowId::Instructions, WindowId::BlackList, WindowId::Results, WindowId::About})
        m_view.unload(form);
}

void GameController::soundToggled()
{
    // m_soundOn is the truth; the check mark only shows it.
    m_soundOn = !m_soundOn;
    m_view.setSoundChecked(m_soundOn);
}

void GameController::instructionsRequested()
{
    handBoardBack();
    m_view.load(WindowId::Instructions);
    m_view.showModal(WindowId::Instructions);
}

void GameController::aboutRequested()
{
    handBoardBack();
    m_view.load(WindowId::About);
    cue(Cue::About);
    m_view.showModal(WindowId::About);
}

// Undo and hint.

void GameController::resetAssists()
{
    handBoardBack();
    m_history.clear();
    m_won = false;
    m_assisted = false;
    m_hintWaiting = false;
    m_view.hideHint();
}

bool GameController::canUndo() const
{
    // At the start position there is nothing to take back, also when the player came
    // back to it by hand.
    return !m_gameOver && m_history.lastToUndo() && m_board != Board::startPosition();
}

bool GameController::canHint() const
{
    return !m_gameOver;
}

void GameController::undoRequested()
{
    stopWatching(); // any key hands the board back
    if (!canUndo())
        return;
    const BoardMove last = *m_history.lastToUndo();
    // Every slide and jump can be made backwards: the piece returns along the same line.
    const int s = last.to;
    const int t = last.from;
    if (findMove(m_board, s, t) == MoveKind::None)
        return;
    m_history.undone({s, t});
    recorder.undone();

    // A selected piece loses its highlight; the move below redraws the two cells it uses.
    if (m_selected != 0 && m_selected != s && m_selected != t)
        showNormal(m_selected);
    // Undo is a move, so it ends with the goal test like any move. It cannot win: the
    // position it returns to was passed in this game without ending it.
    makeMove(s, t);
}

bool GameController::acceptHelp()
{
    // Started before the question, so the table is usually there by the answer.
    m_solver.request();
    if (!m_assisted) {
        if (!helpAccepted(m_dialogs) || !canHint())
            return false;
        m_assisted = true;
    }
    return true;
}

void GameController::hintRequested()
{
    stopWatching(); // any key hands the board back
    if (canHint() && acceptHelp())
        withTable(m_hintWaiting, &GameController::showHint);
}

void GameController::withTable(bool &waiting, void (GameController::*then)())
{
    m_solver.request();
    if (m_solver.table()) {
        (this->*then)();
        return;
    }
    // The ready signal runs it once the search is done.
    waiting = true;
}

void GameController::showHint()
{
    m_hintWaiting = false;
    const DistanceTable *table = m_solver.table();
    if (!table || !canHint())
        return;
    const std::optional<BoardMove> move = table->nextMove(m_board);
    if (!move)
        return;
    recorder.hintShown();
    m_view.showHint(move->from, move->to, table->distance(m_board));
}

// Review.

bool GameController::canReview() const
{
    return m_gameOver && m_won && !m_history.empty();
}

void GameController::reviewRequested()
{
    stopWatching(); // any key hands the board back
    if (reviewing() || m_reviewWaiting) {
        leaveReview();
        return;
    }
    if (canReview())
        withTable(m_reviewWaiting, &GameController::startReview);
}

void GameController::startReview()
{
    m_reviewWaiting = false;
    const DistanceTable *table = m_solver.table();
    if (!table || !canReview())
        return;
    m_review.emplace(m_history.moves(), *table);
    showReviewAt(m_review->moveCount());
}

void GameController::showReviewAt(int move)
{
    m_reviewAt = move;
    const Board shown = m_review->positionAfter(move);
    for (int k = FirstCell; k <= LastCell; ++k)
        m_view.showCell(k, shown[k], false);
    const int last = m_review->moveCount();
    if (move == 0) {
        m_view.showBoardNote(0, 0, QStringLiteral("The start, before move 1 of %1.").arg(last));
        return;
    }
    QString text = m_review->moveText(move);
    if (move == last)
        text += QLatin1Char('\n') + m_review->summaryText();
    const BoardMove played = m_review->move(move);
    m_view.showBoardNote(played.from, played.to, text);
}

void GameController::reviewStep(int delta)
{
    if (reviewing())
        reviewGo(std::clamp(m_reviewAt + delta, 0, m_review->moveCount()));
}

void GameController::reviewGo(int move)
{
    if (reviewing() && move >= 0 && move <= m_review->moveCount() && move != m_reviewAt)
        showReviewAt(move);
}

void GameController::leaveReview()
{
    m_reviewWaiting = false;
    if (!reviewing())
        return;
    m_review.reset();
    m_reviewAt = 0;
    for (int k = FirstCell; k <= LastCell; ++k)
        showNormal(k);
    m_view.hideBoardNote();
}

// Watching.

void GameController::watchRequested()
{
    if (watching()) {
        stopWatching();
        return;
    }
    leaveReview();
    if (m_gameOver) {
        // The question comes before the new game: a No keeps the game just played, its
        // final position and its review.
        m_solver.request();
        if (!helpAccepted(m_dialogs))
            return;
        startNewGame();
        m_assisted = true;
    }
    if (!canHint() || !acceptHelp())
        return;
    if (m_selected != 0) {
        showNormal(m_selected);
        m_selected = 0;
    }
    recorder.watchStarted();
    m_watchTimer.start();
    m_view.showBoardNote(0, 0, QStringLiteral("Watching the best finish.\nAny key or click stops it."));
}

void GameController::watchTick()
{
    if (m_replaying) {
        if (reviewing() && m_reviewAt < m_review->moveCount())
            showReviewAt(m_reviewAt + 1);
        else
            m_watchTimer.stop(); // the end of the game stays shown, as a review
        return;
    }
    if (m_gameOver) {
        stopWatching();
        return;
    }
    // Until the search is done, the first move simply waits for the next tick.
    const DistanceTable *table = m_solver.table();
    if (!table)
        return;
    const std::optional<BoardMove> move = table->nextMove(m_board);
    if (!move) {
        stopWatching();
        return;
    }
    m_history.played(*move);
    makeMove(move->from, move->to);
}

void GameController::handBoardBack()
{
    stopWatching();
    leaveReview();
}

void GameController::stopWatching()
{
    if (!watching())
        return;
    m_watchTimer.stop();
    m_view.hideBoardNote();
    if (std::exchange(m_replaying, false))
        leaveReview();
}

// Your games.

void GameController::report(const QString &failure)
{
    if (!failure.isEmpty())
        m_dialogs.showMessage(failure, DialogButtons::Ok, QStringLiteral("Your games"));
}

void GameController::recordLeft()
{
    if (!m_gameOver)
        report(recorder.ended(false, m_history.moves()));
}

void GameController::yourGamesRequested()
{
    handBoardBack();
    m_picked.reset();
    m_pickWaiting = false;
    m_solver.request(); // for where the steps go, and for what the player may pick
    m_view.showModal(WindowId::YourGames);
    if (!m_picked)
        return;
    if (!m_gameOver) {
        if (m_dialogs.showMessage(QStringLiteral("Leave the game in progress? It is kept in your games as left."),
                                  DialogButtons::YesNo, QStringLiteral("Your games"))
            != Answer::Yes) {
            m_picked.reset();
            return;
        }
        recordLeft();
        m_gameOver = true;
        m_selected = 0;
        m_clockTimer.stop();
    }
    withTable(m_pickWaiting, &GameController::showPicked);
}

void GameController::pickPastGame(const std::vector<BoardMove> &moves, bool replay)
{
    m_picked = Picked{moves, replay, {}, {}};
}

void GameController::pickPosition(const std::vector<BoardMove> &movesThere, BoardMove best, const QString &text)
{
    m_picked = Picked{movesThere, false, best, text};
}

void GameController::showPicked()
{
    m_pickWaiting = false;
    const DistanceTable *table = m_solver.table();
    if (!table || !m_picked || !m_gameOver)
        return;
    Picked picked = std::move(*m_picked);
    m_picked.reset();
    // The review reads the moves where they are kept, so a past game's stay here.
    m_review.reset();
    m_pastMoves = std::move(picked.moves);
    m_review.emplace(m_pastMoves, *table);
    if (picked.replay) {
        m_replaying = true;
        showReviewAt(0);
        m_watchTimer.start();
    } else if (picked.text.isEmpty()) {
        showReviewAt(m_review->moveCount());
    } else {
        m_reviewAt = m_review->moveCount();
        const Board shown = m_review->positionAfter(m_reviewAt);
        for (int k = FirstCell; k <= LastCell; ++k)
            m_view.showCell(k, shown[k], false);
        m_view.showBoardNote(picked.best.from, picked.best.to, picked.text);
    }
}
