#include "app/gamewindows.h"

#include "game/gamecontroller.h"
#include "history/historyfile.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWindow>

#include <algorithm>

GameWindows::GameWindows(TopTenList &topTen, Dialogs &dialogs, Registry &registry, Launcher &launcher)
    : mainWindow([this] {
        Q_ASSERT(m_game);
        return new MainWindow(*m_game);
    })
    , instructionsWindow([this] { return new InstructionsWindow(mainWindow.loaded()); })
    , blackListWindow([this, &topTen, &dialogs] { return new BlackListWindow(topTen, dialogs, mainWindow.loaded()); })
    // The results window is modeless: nothing else gives the board back its keyboard.
    , resultsWindow([] { return new ResultsWindow; }, [this] { backToBoard(); })
    , aboutWindow([this, &dialogs, &registry, &launcher] {
        return new AboutWindow(dialogs, registry, launcher, mainWindow.loaded());
    })
    , yourGamesWindow([this, &dialogs] {
        return new YourGamesWindow(*m_game, dialogs, HistoryFile::defaultPath(), mainWindow.loaded());
    })
{
}

void GameWindows::showCell(int cell, Piece piece, bool selected)
{
    main().showCell(cell, piece, selected);
}

void GameWindows::setStepText(const QString &text)
{
    main().showSteps(text);
}

void GameWindows::setTimeText(const QString &text)
{
    main().showTime(text);
}

void GameWindows::setSoundChecked(bool checked)
{
    main().soundAction->setChecked(checked);
}

void GameWindows::showResults(int rank, const QString &time, const QString &steps)
{
    resultsWindow.load().showResult(rank, time, steps);
    resultsWindow.showModeless();
}

WindowSlot &GameWindows::slot(WindowId form) const
{
    const auto row = std::find_if(m_windows.begin(), m_windows.end(), [form](const Window &w) { return w.id == form; });
    Q_ASSERT(row != m_windows.end());
    return *row->slot;
}

void GameWindows::load(WindowId form)
{
    slot(form).loadWindow();
}

void GameWindows::showModal(WindowId form)
{
    slot(form).showModal();
    backToBoard();
}

void GameWindows::showInFront(WindowId form)
{
    // Without an owner the window manager stacks the results window on its own, below a
    // main window that it raised along with a question or the Black List. Raising and
    // activating it once that is over keeps it ownerless (the main window can still be
    // put above it) and brings it into view.
    QWidget *shown = slot(form).loadedWindow();
    if (!shown || !shown->isVisible())
        return;
    shown->raise();
    shown->activateWindow();

    // The dialog that just closed may still hold the focus: the window manager hands it to
    // the dialog's owner, the main window, and may do so after the request above, and a
    // Wayland compositor refuses a request made from a closing window. So for a moment,
    // whenever the focus lands on another window of the game, ask again from there. The
    // moment is short so that the player can soon go back to the board.
    QObject::disconnect(m_keepInFront);
    QPointer<QWidget> target = shown;
    m_keepInFront = QObject::connect(qApp, &QGuiApplication::focusWindowChanged, shown, [target](QWindow *now) {
        if (!target || !now || now == target->windowHandle() || QApplication::activeModalWidget())
            return;
        target->raise();
        target->activateWindow();
    });
    QTimer::singleShot(KeepInFrontMs, shown, [connection = m_keepInFront] { QObject::disconnect(connection); });
}

void GameWindows::focusCell(int cell)
{
    main().cells[cell]->setFocus(Qt::OtherFocusReason);
}

void GameWindows::backToBoard()
{
    MainWindow *board = mainWindow.loaded();
    if (!board || !board->isVisible())
        return;
    board->activateWindow();
    if (board->focusedCell() == 0)
        board->cells[SharedCell]->setFocus(Qt::ActiveWindowFocusReason);
}

void GameWindows::unload(WindowId form)
{
    slot(form).unload();
}

void GameWindows::endProgram()
{
    if (onEnd)
        onEnd();
    else
        QCoreApplication::exit(0);
}

void GameWindows::showHint(int from, int to, int movesLeft)
{
    main().hints->showHint(from, to, movesLeft);
}

void GameWindows::hideHint()
{
    main().hints->clearMarks();
}

void GameWindows::showBoardNote(int from, int to, const QString &text)
{
    main().showBoardNote(from, to, text);
}

void GameWindows::hideBoardNote()
{
    main().hideBoardNote();
}
