// The five windows of the game as the logic sees them: GameWindows gives GameController the
// main window's cells, labels and timer, and loads, shows and unloads the other windows
// through one FormSlot each.
#pragma once

#include "game/gameview.h"
#include "game/form4.h"
#include "topten/form3.h"
#include "ui/form1.h"
#include "ui/form2.h"
#include "ui/formslot.h"
#include "ui/frmabout.h"
#include "ui/yourgameswindow.h"

#include <array>

class Dialogs;
class GameController;
class Launcher;
class Registry;
class modHiScores;

class GameWindows final : public GameView
{
public:
    GameWindows(modHiScores &hiScores, Dialogs &dialogs, Registry &registry, Launcher &launcher);

    // What Form1 forwards its events to. The controller is built on this view, so it comes
    // second and is given here, before the first load of Form1.
    void setGame(GameController &game) { m_game = &game; }

    void showCell(int cell, Piece piece, bool selected) override;
    void setStepText(const QString &text) override;
    QString timeText() const override;
    void setTimeText(const QString &text) override;
    void setTimerEnabled(bool on) override;
    void setSoundChecked(bool checked) override;
    void showResults(int rank, const QString &time, const QString &steps) override;
    void load(FormId form) override;
    void showModal(FormId form) override;
    void showInFront(FormId form) override;
    void focusCell(int cell) override;
    void unload(FormId form) override;
    void endProgram() override;
    void showHint(int from, int to, int movesLeft) override;
    void hideHint() override;
    void showBoardNote(int from, int to, const QString &text) override;
    void hideBoardNote() override;

    // What ends the program; tests put their own in place of QCoreApplication::exit.
    std::function<void()> onEnd;

    FormSlot<Form1> form1;
    FormSlot<Form2> form2;
    FormSlot<Form3> form3;
    FormSlot<Form4> form4;
    FormSlot<frmAbout> about;
    FormSlot<YourGamesWindow> yourGames;

private:
    Form1 &main() { return form1.load(); }
    const Form1 &main() const { return *form1.loaded(); }
    WindowSlot &slot(FormId form) const;
    // Gives the keyboard back to the board once another window of the game has closed.
    void backToBoard();

public:
    // How long showInFront keeps the results in front of a focus handed back to the board.
    static constexpr int KeepInFrontMs = 1500;

private:
    // Which slot holds which window: load, showModal, showInFront and unload look here.
    struct Window
    {
        FormId id;
        WindowSlot *slot;
    };
    const std::array<Window, 6> m_windows{{
        {FormId::Form1, &form1},
        {FormId::Form2, &form2},
        {FormId::Form3, &form3},
        {FormId::Form4, &form4},
        {FormId::frmAbout, &about},
        {FormId::YourGames, &yourGames},
    }};
    QMetaObject::Connection m_keepInFront;
    GameController *m_game = nullptr;
};
