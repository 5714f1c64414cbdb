#include "game/gamecontroller.h"

#include "topten/hiscores.h"
#include "ui/dialogs.h"

int rankForSteps(std::int64_t steps)
{
    if (steps < 47)
        return 1;
    if (steps > 46 && steps < 54)
        return 2;
    return 3;
}

GameController::GameController(Form1View &view, Dialogs &dialogs, CuePlayer &sound, modHiScores &hiScores)
    : m_view(view)
    , m_dialogs(dialogs)
    , m_sound(sound)
    , m_hiScores(hiScores)
{
}

void GameController::cue(Cue which)
{
    if (SoundOn)
        m_sound.PlaySound(which);
}

void GameController::showNormal(int cell)
{
    m_view.showCellPicture(cell, static_cast<int>(Cells[cell]));
}

void GameController::showSelected(int cell)
{
    m_view.showCellPicture(cell, static_cast<int>(Cells[cell]) + 2);
}

void GameController::Form_Load()
{
    GameOver = true;
    SoundOn = true;
    m_hiScores.LoadTopTenBoard();
}

void GameController::new_Click()
{
    if (m_goalPending)
        return;
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
    m_view.setTimerEnabled(true);
    m_view.focusCell(SharedCell);
    cue(Cue::NewGame);
}

void GameController::KotakPic_Click(int Index)
{
    const int i = Index;
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
    if (findMove(s, i, edgeFlags) == MoveKind::None)
        return;
    executeMove(Cells, s, i);
    showNormal(i);
    showNormal(s);
    Selected = 0;
    ++Steps;
    m_view.setStepText(QString::number(Steps));
    // The state is complete before the cue: its event pass may run a queued click.
    m_goalPending = isGoal(Cells);
    cue(Cue::Move);
    m_goalPending = false;
    CheckWin();
}

void GameController::Timer1_Timer()
{
    clock.tick();
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

    GameOver = true;
    m_view.setTimerEnabled(false);
    const int rank = rankForSteps(steps);
    m_view.showResults(rank, m_view.timeText(), QString::number(steps));
    cue(Cue::Victory);

    m_hiScores.NewEntry.Score = Decimal(steps);
    m_hiScores.CheckTopTen();
    if (m_hiScores.NewEntryAdded) {
        m_view.showModal(FormId::Form3);
        m_hiScores.SaveTopTen();
    }
    // The name question and the Black List stand over the main window, which a window
    // manager raises with them; the results are what the player should see last.
    m_view.showInFront(FormId::Form4);
}

void GameController::top_Click()
{
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
    cue(Cue::NewGame);
    for (FormId form : {FormId::Form1, FormId::Form2, FormId::Form3, FormId::Form4, FormId::frmAbout})
        m_view.unload(form);
    m_view.endProgram();
}

void GameController::Form_Unload()
{
    cue(Cue::NewGame);
    // Form1 is already unloading, so its own unload here does nothing.
    for (FormId form : {FormId::Form1, FormId::Form2, FormId::Form3, FormId::Form4, FormId::frmAbout})
        m_view.unload(form);
}

void GameController::sound1_Click()
{
    const bool on = !m_view.soundChecked();
    m_view.setSoundChecked(on);
    SoundOn = on;
}

void GameController::help2_Click()
{
    m_view.load(FormId::Form2);
    m_view.showModal(FormId::Form2);
}

void GameController::about1_Click()
{
    m_view.load(FormId::frmAbout);
    cue(Cue::About);
    m_view.showModal(FormId::frmAbout);
}
