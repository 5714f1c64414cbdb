#include "game/gamecontroller.h"

#include "topten/hiscores.h"
#include "ui/dialogs.h"

#include <algorithm>
#include <utility>

namespace {

// Asked before the first help of a game: a hint, or watching the best finish.
bool helpAccepted(Dialogs &dialogs)
{
    return dialogs.MsgBox(QStringLiteral("A game with hints does not enter the Black List. Show a hint?"),
                          MsgButtons::YesNo)
           == vbYes;
}

} // namespace

int rankForSteps(std::int64_t steps)
{
    if (steps <= 46)
        return 1;
    if (steps <= 53)
        return 2;
    return 3;
}

GameController::GameController(GameView &view, Dialogs &dialogs, CuePlayer &sound, modHiScores &hiScores)
    : m_view(view)
    , m_dialogs(dialogs)
    , m_sound(sound)
    , m_hiScores(hiScores)
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
    QObject::connect(&m_watchTimer, &QTimer::timeout, &m_solver, [this] { watchTick(); });
}

void GameController::cue(Cue which)
{
    if (SoundOn)
        m_sound.PlaySound(which);
}

void GameController::showNormal(int cell)
{
    m_view.showCell(cell, Cells[cell], false);
}

void GameController::showSelected(int cell)
{
    m_view.showCell(cell, Cells[cell], true);
}

void GameController::Form_Load()
{
    GameOver = true;
    SoundOn = true;
    m_hiScores.LoadTopTenBoard();
    m_hiScores.addWaitingResults();
}

void GameController::new_Click()
{
    if (m_goalPending)
        return;
    handBoardBack();
    if (GameOver) {
        NewGame();
        return;
    }
    if (m_dialogs.MsgBox(QStringLiteral("Mau ngulang game, kong / Restart Game ??"), MsgButtons::YesNo,
                         QStringLiteral("Hi, Siluman Ketombe !"))
        == vbYes)
        NewGame();
}

void GameController::NewGame()
{
    recordLeft();
    // The clock and the two labels are left alone: time runs on from game to game, and
    // the step label shows the last count until the first move.
    const Board start = Board::startPosition();
    for (int k = FirstCell; k <= LastCell; ++k) {
        Cells.set(k, start[k]);
        showNormal(k);
    }
    Steps = 0;
    Selected = 0;
    GameOver = false;
    resetAssists();
    m_view.setTimerEnabled(true);
    m_view.focusCell(SharedCell);
    recorder.started();
    cue(Cue::NewGame);
}

void GameController::KotakPic_Click(int Index)
{
    const int i = Index;
    if (watching()) {
        stopWatching();
        return;
    }
    if (GameOver || m_goalPending)
        return;
    if (Selected == 0 && Cells[i] == Piece::Empty)
        return;
    if (Selected == 0) {
        Selected = i;
        showSelected(i);
        cue(Cue::Select);
        return;
    }
    if (i == Selected) {
        Selected = 0;
        showNormal(i);
        cue(Cue::Select);
        return;
    }
    if (Cells[i] != Piece::Empty) {
        showNormal(Selected);
        Selected = i;
        showSelected(i);
        cue(Cue::Select);
        return;
    }

    const int s = Selected;
    if (findMove(Cells, s, i) == MoveKind::None)
        return;
    m_history.push_back({s, i});
    makeMove(s, i);
}

void GameController::makeMove(int from, int to)
{
    m_moves.push_back({from, to});
    executeMove(Cells, from, to);
    showNormal(to);
    showNormal(from);
    Selected = 0;
    m_view.hideHint(); // the marks showed the position before this move
    ++Steps;
    m_view.setStepText(QString::number(Steps));
    // The state is complete before the cue: its event pass may run a queued click, which
    // must not take a piece off the goal before the goal test below.
    m_goalPending = isGoal(Cells);
    cue(Cue::Move);
    m_goalPending = false;
    CheckWin();
}

void GameController::Timer1_Timer()
{
    clock.tick();
    recorder.tick();
    m_view.setTimeText(clock.text());
}

void GameController::CheckWin()
{
    if (isGoal(Cells))
        GameWon();
}

void GameController::GameWon()
{
    // The event pass of a cue can run a queued click that completes a winning move while
    // an earlier CheckWin is still on the stack: the first to get here handles the win.
    if (GameOver)
        return;
    // Taken now: the victory cue's event pass may start a new game that resets Steps.
    const std::int64_t steps = Steps;
    const bool assisted = m_assisted;

    GameOver = true;
    m_won = true;
    const QString notRecorded = recorder.ended(true, m_moves);
    stopWatching();
    m_view.setTimerEnabled(false);
    const int rank = rankForSteps(steps);
    // The results copy the clock label's text, as shown, not the counters behind it.
    m_view.showResults(rank, m_view.timeText(), QString::number(steps));
    cue(Cue::Victory);

    // A game won with hints keeps its rank but stays out of the Black List.
    if (!assisted) {
        m_hiScores.NewEntry.Score = Decimal(steps);
        m_hiScores.CheckTopTen();
        if (m_hiScores.NewEntryAdded) {
            // Stored before the list shows, and again once it closes ("&Clear" may have
            // emptied it meanwhile): a session that ends while the list is open keeps the win.
            m_hiScores.SaveTopTen();
            m_view.showModal(FormId::Form3);
            m_hiScores.SaveTopTen();
        }
    }
    // The name question and the Black List stand over the main window, which a window
    // manager raises with them; the results are what the player should see last.
    m_view.showInFront(FormId::Form4);
    report(notRecorded);
}

void GameController::top_Click()
{
    handBoardBack();
    m_hiScores.LoadTopTenBoard();
    cue(Cue::BlackList);
    m_view.showModal(FormId::Form3);
}

void GameController::xit_Click()
{
    if (m_dialogs.MsgBox(QStringLiteral("Are you sure to leave this world ??"), MsgButtons::OkCancel,
                         QStringLiteral("I miss you.."))
        != vbOK)
        return;
    recordLeft();
    handBoardBack();
    cue(Cue::NewGame);
    for (FormId form : {FormId::Form1, FormId::Form2, FormId::Form3, FormId::Form4, FormId::frmAbout})
        m_view.unload(form);
    m_view.endProgram();
}

void GameController::Form_Unload()
{
    recordLeft();
    cue(Cue::NewGame);
    // Form1 is already unloading, so its own unload here does nothing.
    for (FormId form : {FormId::Form1, FormId::Form2, FormId::Form3, FormId::Form4, FormId::frmAbout})
        m_view.unload(form);
}

void GameController::sound1_Click()
{
    // SoundOn is the truth; the check mark only shows it.
    SoundOn = !SoundOn;
    m_view.setSoundChecked(SoundOn);
}

void GameController::help2_Click()
{
    handBoardBack();
    m_view.load(FormId::Form2);
    m_view.showModal(FormId::Form2);
}

void GameController::about1_Click()
{
    handBoardBack();
    m_view.load(FormId::frmAbout);
    cue(Cue::About);
    m_view.showModal(FormId::frmAbout);
}

// Undo and hint.

void GameController::resetAssists()
{
    handBoardBack();
    m_history.clear();
    m_moves.clear();
    m_won = false;
    m_assisted = false;
    m_hintWaiting = false;
    m_view.hideHint();
}

bool GameController::canUndo() const
{
    // At the start position there is nothing to take back, also when the player came
    // back to it by hand. At the goal a win is on its way (a cue's event pass can run
    // this between a winning move and its goal test): the board must stay as it is.
    return !GameOver && !m_history.empty() && Cells != Board::startPosition() && !isGoal(Cells);
}

bool GameController::canHint() const
{
    return !GameOver && !isGoal(Cells);
}

void GameController::undoMove_Click()
{
    stopWatching(); // any key hands the board back
    if (!canUndo())
        return;
    const BoardMove last = m_history.back();
    m_history.pop_back();
    // Every slide and jump can be made backwards: the piece returns along the same line.
    const int s = last.to;
    const int t = last.from;
    if (findMove(Cells, s, t) == MoveKind::None)
        return;
    recorder.undone();

    // A selected piece loses its highlight; the move below redraws the two cells it uses.
    if (Selected != 0 && Selected != s && Selected != t)
        showNormal(Selected);
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

void GameController::hint_Click()
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
    const std::optional<BoardMove> move = table->nextMove(Cells);
    if (!move)
        return;
    recorder.hintShown();
    m_view.showHint(move->from, move->to, table->distance(Cells));
}

// Review.

bool GameController::canReview() const
{
    return GameOver && m_won && !m_moves.empty() && !m_goalPending;
}

void GameController::review_Click()
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
    m_review.emplace(m_moves, *table);
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

void GameController::watch_Click()
{
    if (m_goalPending)
        return;
    if (watching()) {
        stopWatching();
        return;
    }
    leaveReview();
    if (GameOver) {
        // The question comes before the new game: a No keeps the game just played, its
        // final position and its review.
        m_solver.request();
        if (!helpAccepted(m_dialogs))
            return;
        NewGame();
        m_assisted = true;
    }
    if (!canHint() || !acceptHelp())
        return;
    if (Selected != 0) {
        showNormal(Selected);
        Selected = 0;
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
    if (GameOver || m_goalPending) {
        stopWatching();
        return;
    }
    // Until the search is done, the first move simply waits for the next tick.
    const DistanceTable *table = m_solver.table();
    if (!table)
        return;
    const std::optional<BoardMove> move = table->nextMove(Cells);
    if (!move) {
        stopWatching();
        return;
    }
    m_history.push_back(*move);
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
        m_dialogs.MsgBox(failure, MsgButtons::OkOnly, QStringLiteral("Your games"));
}

void GameController::recordLeft()
{
    if (!GameOver)
        report(recorder.ended(false, m_moves));
}

void GameController::yourGames_Click()
{
    handBoardBack();
    m_picked.reset();
    m_pickWaiting = false;
    m_solver.request(); // for where the steps go, and for what the player may pick
    m_view.showModal(FormId::YourGames);
    if (!m_picked)
        return;
    if (!GameOver) {
        if (m_dialogs.MsgBox(QStringLiteral("Leave the game in progress? It is kept in your games as left."),
                             MsgButtons::YesNo, QStringLiteral("Your games"))
            != vbYes) {
            m_picked.reset();
            return;
        }
        recordLeft();
        GameOver = true;
        Selected = 0;
        m_view.setTimerEnabled(false);
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
    if (!table || !m_picked || !GameOver)
        return;
    const Picked picked = std::move(*m_picked);
    m_picked.reset();
    m_review.emplace(picked.moves, *table);
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
