// The five windows of the game as the logic sees them: GameWindows gives GameController the
// main window's cells, labels and timer, and loads, shows and unloads the other windows
// through one WindowSlotOf each.
#pragma once

#include "game/gameview.h"
#include "ui/resultswindow.h"
#include "ui/blacklistwindow.h"
#include "ui/mainwindow.h"
#include "ui/instructionswindow.h"
#include "app/windowslot.h"
#include "ui/aboutwindow.h"
#include "ui/yourgameswindow.h"

#include <array>

class Dialogs;
class GameController;
class Launcher;
class Registry;
class TopTenList;

class GameWindows final : public GameView
{
public:
    GameWindows(TopTenList &topTen, Dialogs &dialogs, Registry &registry, Launcher &launcher);

    // What MainWindow forwards its events to. The controller is built on this view, so it comes
    // second and is given here, before the first load of MainWindow.
    void setGame(GameController &game) { m_game = &game; }

    void showCell(int cell, Piece piece, bool selected) override;
    void setStepText(const QString &text) override;
    void setTimeText(const QString &text) override;
    void setSoundChecked(bool checked) override;
    void showResults(int rank, const QString &time, const QString &steps) override;
    void load(WindowId form) override;
    void showModal(WindowId form) override;
    void showInFront(WindowId form) override;
    void focusCell(int cell) override;
    void unload(WindowId form) override;
    void endProgram() override;
    void showHint(int from, int to, int movesLeft) override;
    void hideHint() override;
    void showBoardNote(int from, int to, const QString &text) override;
    void hideBoardNote() override;

    // What ends the program; tests put their own in place of QCoreApplication::exit.
    std::function<void()> onEnd;

    WindowSlotOf<MainWindow> mainWindow;
    WindowSlotOf<InstructionsWindow> instructionsWindow;
    WindowSlotOf<BlackListWindow> blackListWindow;
    WindowSlotOf<ResultsWindow> resultsWindow;
    WindowSlotOf<AboutWindow> aboutWindow;
    WindowSlotOf<YourGamesWindow> yourGamesWindow;

private:
    MainWindow &main() { return mainWindow.load(); }
    const MainWindow &main() const { return *mainWindow.loaded(); }
    WindowSlot &slot(WindowId form) const;
    // Gives the keyboard back to the board once another window of the game has closed.
    void backToBoard();

public:
    // How long showInFront keeps the results in front of a focus handed back to the board.
    static constexpr int KeepInFrontMs = 1500;

private:
    // Which slot holds which window: load, showModal, showInFront and unload look here.
    struct Window
    {
        WindowId id;
        WindowSlot *slot;
    };
    const std::array<Window, 6> m_windows{{
        {WindowId::Main, &mainWindow},
        {WindowId::Instructions, &instructionsWindow},
        {WindowId::BlackList, &blackListWindow},
        {WindowId::Results, &resultsWindow},
        {WindowId::About, &aboutWindow},
        {WindowId::YourGames, &yourGamesWindow},
    }};
    QMetaObject::Connection m_keepInFront;
    GameController *m_game = nullptr;
};
