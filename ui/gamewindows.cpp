#include "ui/gamewindows.h"

#include "game/gamecontroller.h"
#include "history/historyfile.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWindow>

#include <algorithm>

GameWindows::GameWindows(modHiScores &hiScores, Dialogs &dialogs, Registry &registry, Launcher &launcher)
    : form1([this] {
        Q_ASSERT(m_game);
        return new Form1(*m_game);
    })
    , form2([this] { return new Form2(form1.loaded()); })
    , form3([this, &hiScores, &dialogs] { return new Form3(hiScores, dialogs, form1.loaded()); })
    // The results window is modeless: nothing else gives the board back its keyboard.
    , form4([] { return new Form4; }, [this] { backToBoard(); })
    , about([this, &dialogs, &registry, &launcher] {
        return new frmAbout(dialogs, registry, launcher, form1.loaded());
    })
    , yourGames([this, &dialogs] {
        return new YourGamesWindow(*m_game, dialogs, HistoryFile::defaultPath(), form1.loaded());
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

QString GameWindows::timeText() const
{
    return main().timelbl->text();
}

void GameWindows::setTimeText(const QString &text)
{
    main().showTime(text);
}

void GameWindows::setTimerEnabled(bool on)
{
    QTimer &timer = main().Timer1;
    if (on && !timer.isActive())
        timer.start();
    else if (!on)
        timer.stop();
}

void GameWindows::setSoundChecked(bool checked)
{
    main().sound1->setChecked(checked);
}

void GameWindows::showResults(int rank, const QString &time, const QString &steps)
{
    form4.load().showResult(rank, time, steps);
    form4.showModeless();
}

WindowSlot &GameWindows::slot(FormId form) const
{
    const auto row = std::find_if(m_windows.begin(), m_windows.end(), [form](const Window &w) { return w.id == form; });
    Q_ASSERT(row != m_windows.end());
    return *row->slot;
}

void GameWindows::load(FormId form)
{
    slot(form).loadWindow();
}

void GameWindows::showModal(FormId form)
{
    slot(form).showModal();
    backToBoard();
}

void GameWindows::showInFront(FormId form)
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
    main().KotakPic[cell]->setFocus(Qt::OtherFocusReason);
}

void GameWindows::backToBoard()
{
    Form1 *board = form1.loaded();
    if (!board || !board->isVisible())
        return;
    board->activateWindow();
    if (board->focusedCell() == 0)
        board->KotakPic[SharedCell]->setFocus(Qt::ActiveWindowFocusReason);
}

void GameWindows::unload(FormId form)
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
