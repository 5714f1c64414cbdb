// The whole game through its real windows and dialogs under the offscreen platform:
// the main window's layout, a game played to the end with mouse clicks on the cells,
// the restart and exit questions answered in real message boxes, the clock running
// while a question is open, and the ways out.
#include "apprig.h"
#include "shortestpath.h"
#include "cuenames.h"
#include "modalanswerer.h"
#include "ui/boardlayout.h"
#include "ui/windowlayout.h"

#include <QAccessible>
#include <QAction>
#include <QElapsedTimer>
#include <QFile>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QTest>

Q_DECLARE_METATYPE(Piece)

namespace {

struct App : AppRig
{
    // A game under way: one move made (8 to 9) and the ball on 5 selected.
    void gameUnderWay()
    {
        window().newGameAction->trigger();
        move(8, 9);
        click(5);
    }
};

QStringList menuTexts(QMenu *menu)
{
    QStringList texts;
    for (QAction *action : menu->actions())
        texts << action->text();
    return texts;
}

template <class Window>
int liveWindows()
{
    int count = 0;
    for (QWidget *widget : QApplication::topLevelWidgets())
        count += qobject_cast<Window *>(widget) != nullptr;
    return count;
}

void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

} // namespace

class TestMainWindow final : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        flushDeletes();
    }

    void resultsWindowPlacesItsControlsWhereTheArtLeavesRoom()
    {
        ResultsWindow results;
        results.showResult(3, QStringLiteral("00:00:07"), QStringLiteral("54"));
        QCOMPARE(results.rankBanner->geometry(), ResultsLayout::Banner.as<QRect>());
        QCOMPARE(results.greatButton->geometry(), ResultsLayout::Button.as<QRect>());
        QCOMPARE(results.timeLabel->pos(), QPoint(ResultsLayout::Time.left, ResultsLayout::Time.top));
        QCOMPARE(results.stepsLabel->pos(), QPoint(ResultsLayout::Steps.left, ResultsLayout::Steps.top));
    }

    void cellShowsWhatItHolds_data()
    {
        QTest::addColumn<Piece>("piece");
        QTest::addColumn<bool>("selected");
        QTest::addColumn<int>("picture"); // index into piecePictures, 0 for none
        QTest::addColumn<QString>("spoken");
        QTest::newRow("empty") << Piece::Empty << false << int(NoPicture) << "Cell 5: empty";
        QTest::newRow("ball") << Piece::Ball << false << int(BallPic) << "Cell 5: ball";
        QTest::newRow("tile") << Piece::Tile << false << int(TilePic) << "Cell 5: tile";
        QTest::newRow("ball selected") << Piece::Ball << true << int(BallSelectedPic) << "Cell 5: ball, selected";
        QTest::newRow("tile selected") << Piece::Tile << true << int(TileSelectedPic) << "Cell 5: tile, selected";
    }
    void cellShowsWhatItHolds()
    {
        QFETCH(Piece, piece);
        QFETCH(bool, selected);
        QFETCH(int, picture);
        QFETCH(QString, spoken);
        App app;
        MainWindow &w = app.window();
        w.showCell(5, piece, selected);
        if (picture == NoPicture)
            QVERIFY(w.cells[5]->picture().isNull());
        else
            QCOMPARE(w.cells[5]->picture().cacheKey(), w.piecePictures[picture].cacheKey());
        QCOMPARE(w.cells[5]->accessibleName(), spoken);
    }

    // The board's layout against the design's own figures: twips to the nearest pixel,
    // which is where a truncating conversion would put cells 1 and 17 a pixel off.
    void boardLayoutIsTheDesign_data()
    {
        QTest::addColumn<int>("cell");
        QTest::addColumn<QPoint>("topLeft");
        QTest::newRow("cell 1, left corner") << 1 << QPoint(27, 264);
        QTest::newRow("cell 3, top of the left square") << 3 << QPoint(104, 187);
        QTest::newRow("cell 9, shared") << 9 << QPoint(182, 264);
        QTest::newRow("cell 15, bottom of the right square") << 15 << QPoint(260, 341);
        QTest::newRow("cell 17, right corner") << 17 << QPoint(336, 264);
    }
    void boardLayoutIsTheDesign()
    {
        QFETCH(int, cell);
        QFETCH(QPoint, topLeft);
        QCOMPARE(QPoint(cellTopLeft(cell).x, cellTopLeft(cell).y), topLeft);
        QCOMPARE(ClientPixels, 408);
        QCOMPARE(CellPixels, 45);
        QCOMPARE(QPoint(cellCentre(cell).x, cellCentre(cell).y), topLeft + QPoint(22, 22));
    }

    void layoutIsTheDesign()
    {
        App app;
        MainWindow &w = app.window();
        QVERIFY(QTest::qWaitForWindowExposed(&w));

        QCOMPARE(w.windowTitle(), QStringLiteral("Tobrinel - Karvolen 2003"));
        QCOMPARE(w.centralWidget()->size(), QSize(ClientPixels, ClientPixels));
        QCOMPARE(w.minimumSize(), w.maximumSize());
        QVERIFY(w.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!w.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(!w.windowIcon().isNull());
        const QPoint screenCentre = w.screen()->availableGeometry().center();
        QVERIFY2((w.frameGeometry().center() - screenCentre).manhattanLength() <= 2,
                 qPrintable(QStringLiteral("window at %1,%2 %3x%4")
                                .arg(w.frameGeometry().x()).arg(w.frameGeometry().y())
                                .arg(w.frameGeometry().width()).arg(w.frameGeometry().height())));

        // Every cell where the board's layout puts it (boardLayoutIsTheDesign checks the layout).
        for (int k = FirstCell; k <= LastCell; ++k) {
            const PixelPoint corner = cellTopLeft(k);
            QCOMPARE(w.cells[k]->geometry(), QRect(corner.x, corner.y, CellPixels, CellPixels));
            QVERIFY(!w.cells[k]->picture().isNull());
            QCOMPARE(w.cells[k]->picture().cacheKey(), w.piecePictures[BallPic].cacheKey());
        }
        for (int i = 1; i <= 4; ++i)
            QCOMPARE(w.piecePictures[i].size(), QSize(CellPixels, CellPixels));

        QCOMPARE(w.stepLabel->geometry(), QRect(16, 136, 76, 45));
        QCOMPARE(w.stepLabel->text(), QStringLiteral("00"));
        QCOMPARE(w.stepLabel->font().pointSizeF(), 24.0);
        QCOMPARE(w.stepLabel->palette().color(QPalette::WindowText), QColor(128, 128, 128));
        QCOMPARE(w.timeCaption->pos(), QPoint(296, 128));
        QCOMPARE(w.timeCaption->text(), QStringLiteral("Time :"));
        QCOMPARE(w.timeLabel->pos(), QPoint(344, 128));
        QCOMPARE(w.timeLabel->text(), QStringLiteral("00:00:00"));
        QVERIFY(w.timeLabel->x() + w.timeLabel->width() <= ClientPixels); // not cut off at the window's edge
        QVERIFY(!app.game.clockRunning());

        const QList<QAction *> menus = w.menuBar()->actions();
        QCOMPARE(menus.size(), 3);
        QCOMPARE(menus[0]->text(), QStringLiteral("&File"));
        QCOMPARE(menuTexts(menus[0]->menu()), (QStringList{QStringLiteral("&Play, boy !!"), QStringLiteral("&Black List"),
                                                          QStringLiteral("&Your games"), QStringLiteral("&Garbage Dump..")}));
        QCOMPARE(menus[1]->text(), QStringLiteral("&Setting"));
        QCOMPARE(menuTexts(menus[1]->menu()), QStringList{QStringLiteral("&Sound")});
        QCOMPARE(menus[2]->text(), QStringLiteral("&Help"));
        QCOMPARE(menuTexts(menus[2]->menu()),
                 (QStringList{QStringLiteral("&I don't understand"), QStringLiteral("&About me")}));
        QVERIFY(w.soundAction->isCheckable() && w.soundAction->isChecked());
    }

    void keysMoveTheFocusRoundTheBoard_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("to");
        const int none = Qt::NoModifier, shift = Qt::ShiftModifier;
        QTest::newRow("Tab from 9 to 10") << 9 << int(Qt::Key_Tab) << none << 10;
        QTest::newRow("Tab from 17 wraps to 1") << 17 << int(Qt::Key_Tab) << none << 1;
        QTest::newRow("Shift+Tab from 9 to 8") << 9 << int(Qt::Key_Backtab) << shift << 8;
        QTest::newRow("Shift+Tab from 1 wraps to 17") << 1 << int(Qt::Key_Backtab) << shift << 17;
        QTest::newRow("Right from 9 straight on to 13") << 9 << int(Qt::Key_Right) << none << 13;
        QTest::newRow("Left from 13 straight on to 9") << 13 << int(Qt::Key_Left) << none << 9;
        QTest::newRow("Up from 5 straight on to 3") << 5 << int(Qt::Key_Up) << none << 3;
        QTest::newRow("Down from 3 straight on to 5") << 3 << int(Qt::Key_Down) << none << 5;
        QTest::newRow("Up from 1 to its diagonal neighbour 2") << 1 << int(Qt::Key_Up) << none << 2;
        QTest::newRow("Right from 3 to its diagonal neighbour 6") << 3 << int(Qt::Key_Right) << none << 6;
        QTest::newRow("Left from 1 stays at the edge") << 1 << int(Qt::Key_Left) << none << 1;
        QTest::newRow("Down from 15 stays at the edge") << 15 << int(Qt::Key_Down) << none << 15;
    }
    void keysMoveTheFocusRoundTheBoard()
    {
        QFETCH(int, from);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, to);
        App app;
        MainWindow &w = app.window();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(w.focusedCell(), 9); // the board has the keyboard from the start
        w.cells[from]->setFocus();
        QTest::keyClick(w.cells[from], Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(w.focusedCell(), to);
        QVERIFY(app.cues.cues.empty()); // moving the ring is no click
    }

    void spaceAndReturnAreTheMouseClickAndOtherKeysReachTheWindow()
    {
        App app;
        MainWindow &w = app.window();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.cells[3]->setFocus();
        w.newGameAction->trigger();
        QCOMPARE(w.focusedCell(), 9); // a new game puts the ring on the shared cell
        app.cues.cues.clear();

        QTest::keyClick(w.focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QTest::keyClick(w.focusWidget(), Qt::Key_Space);
        QCOMPARE(app.game.selectedCell(), 8);
        QCOMPARE(w.cells[8]->picture().cacheKey(), w.piecePictures[BallSelectedPic].cacheKey());
        QTest::keyClick(w.focusWidget(), Qt::Key_Tab);
        QTest::keyClick(w.focusWidget(), Qt::Key_Return);
        QCOMPARE(app.game.steps(), std::int64_t(1));
        QCOMPARE(w.stepLabel->text(), QStringLiteral("1"));
        QVERIFY(w.cells[8]->picture().isNull());
        QTest::keyClick(w.focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(app.game.selectedCell(), 9);
        QCOMPARE(app.cues.cues, (Cues{Cue::Select, Cue::Move, Cue::Select})); // as clicks

        // A held key is one press: the cell clicks once, when the key comes up.
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
        QApplication::sendEvent(w.focusWidget(), &press);
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true);
        QApplication::sendEvent(w.focusWidget(), &repeat);
        QApplication::sendEvent(w.focusWidget(), &repeat);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
        QApplication::sendEvent(w.focusWidget(), &release);
        QCOMPARE(app.game.selectedCell(), 0); // dropped once, not selected again
        // Return clicks as it goes down, and a held one clicks once too.
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(w.focusWidget(), &enter);
        QKeyEvent enterRepeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(w.focusWidget(), &enterRepeat);
        QCOMPARE(app.game.selectedCell(), 9);
        QTest::keyClick(w.focusWidget(), Qt::Key_Space);
        QCOMPARE(app.game.selectedCell(), 0);

        // Keys the board does not use go on to the window: its shortcuts work while a cell
        // has the focus, and a key nobody uses reaches the window itself.
        QTest::keyClick(w.focusWidget(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w.cells[8]->picture().cacheKey(), w.piecePictures[BallPic].cacheKey()); // 8 to 9 undone
        QVERIFY(w.cells[9]->picture().isNull());
        ModalAnswerer answerer;
        answerer.expect(ModalAnswerer::press(QMessageBox::No));
        QTest::keyClick(w.focusWidget(), Qt::Key_H);
        QVERIFY(answerer.allAnswered()); // the hint's question
        QStringList reached;
        struct Watch final : QObject
        {
            QStringList &seen;
            explicit Watch(QStringList &s) : seen(s) {}
            bool eventFilter(QObject *, QEvent *event) override
            {
                if (event->type() == QEvent::KeyPress)
                    seen << QKeySequence(static_cast<QKeyEvent *>(event)->keyCombination()).toString();
                return false;
            }
        } watch(reached);
        w.installEventFilter(&watch);
        QTest::keyClick(w.focusWidget(), Qt::Key_X);
        w.removeEventFilter(&watch);
        QCOMPARE(reached, QStringList{QStringLiteral("X")});
        QCOMPARE(app.game.selectedCell(), 0);
        QVERIFY(w.focusedCell() != 0);
    }

    void theBoardHasTheKeyboardAgainWhenAnotherWindowCloses()
    {
        App app;
        MainWindow &w = app.window();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.newGameAction->trigger();
        QTest::keyClick(w.focusWidget(), Qt::Key_Tab); // the ring on 10
        ModalAnswerer answerer;
        answerer.expect([](QWidget *modal) { QTest::mouseClick(modal, Qt::LeftButton); });
        w.instructionsAction->trigger();
        QVERIFY(answerer.allAnswered());
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(w.cells[10]));

        // The results window of a win takes the keyboard; "&Great" gives it back.
        answerer.expect(ModalAnswerer::enterText(QStringLiteral("Keys")));
        answerer.expect(ModalAnswerer::closeWindow());
        app.game.setSteps(45);
        for (const auto &[from, to] : solveShortest(Board::startPosition()))
            app.move(from, to);
        QVERIFY(answerer.allAnswered());
        ResultsWindow *results = app.windows.resultsWindow.loaded();
        QVERIFY(results);
        QTRY_VERIFY(results->isActiveWindow());
        QCOMPARE(results->focusWidget(), static_cast<QWidget *>(results->greatButton));
        QTest::keyClick(results, Qt::Key_Return); // "&Great" answers Return
        QVERIFY(!app.windows.resultsWindow.loaded());
        QTRY_VERIFY(w.isActiveWindow());
        QVERIFY(w.focusedCell() != 0);
    }

    void aScreenReaderHearsWhatTheWindowsShow()
    {
        App app;
        MainWindow &w = app.window();
        const auto said = [](QObject *object) {
            QAccessibleInterface *face = QAccessible::queryAccessibleInterface(object);
            return face ? face->text(QAccessible::Name) : QStringLiteral("(none)");
        };
        QAccessibleInterface *cell = QAccessible::queryAccessibleInterface(w.cells[9]);
        QVERIFY(cell);
        QCOMPARE(cell->role(), QAccessible::Button);
        QVERIFY(cell->state().focusable);
        QCOMPARE(said(w.cells[9]), QStringLiteral("Cell 9: ball")); // the design, before a game
        QCOMPARE(said(w.stepLabel), QStringLiteral("Steps: 0"));
        QCOMPARE(said(w.timeLabel), QStringLiteral("Time: 00:00:00"));

        w.newGameAction->trigger();
        app.click(8);
        QCOMPARE(said(w.cells[8]), QStringLiteral("Cell 8: ball, selected"));
        QCOMPARE(said(w.cells[9]), QStringLiteral("Cell 9: empty"));
        QCOMPARE(said(w.cells[10]), QStringLiteral("Cell 10: tile"));
        app.click(10);
        QCOMPARE(said(w.cells[8]), QStringLiteral("Cell 8: ball"));
        QCOMPARE(said(w.cells[10]), QStringLiteral("Cell 10: tile, selected"));
        app.click(9);
        QCOMPARE(said(w.cells[10]), QStringLiteral("Cell 10: empty"));
        QCOMPARE(said(w.cells[9]), QStringLiteral("Cell 9: tile"));
        QCOMPARE(said(w.stepLabel), QStringLiteral("Steps: 1"));
        app.game.clockTicked();
        QCOMPARE(said(w.timeLabel), QStringLiteral("Time: 00:00:01"));

        // The accessible press of a cell is the click (shown pressed for a moment first).
        cell->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTRY_COMPARE(app.game.selectedCell(), 9);

        // The results window says the rank, the time and the steps.
        ModalAnswerer answerer;
        answerer.expect(ModalAnswerer::enterText(QStringLiteral("Ears")));
        answerer.expect(ModalAnswerer::closeWindow());
        app.game.setSteps(49);
        app.game.gameWon();
        QVERIFY(answerer.allAnswered());
        ResultsWindow *results = app.windows.resultsWindow.loaded();
        QVERIFY(results);
        QCOMPARE(said(results->rankBanner), QStringLiteral("Rank: Smart"));
        QCOMPARE(said(results->stepsLabel), QStringLiteral("Steps: 49"));
        QCOMPARE(said(results->timeLabel), QStringLiteral("Time: 00:00:01"));

        // The instructions carry the rules in both languages.
        QStringList texts;
        answerer.expect([&](QWidget *modal) {
            QAccessibleInterface *window = QAccessible::queryAccessibleInterface(modal);
            for (int i = 0; window && i < window->childCount(); ++i)
                if (window->child(i)->role() == QAccessible::StaticText)
                    texts << window->child(i)->text(QAccessible::Name);
            modal->close();
        });
        w.instructionsAction->trigger();
        QCOMPARE(texts.size(), 2);
        QVERIFY(texts[0].contains(QStringLiteral("lompati satu bidak")));
        QVERIFY(texts[0].contains(QStringLiteral("jump over one piece")));
        QVERIFY(texts[1].contains(QStringLiteral("Ubahlah susunan")));
        QVERIFY(texts[1].contains(QStringLiteral("Turn the arrangement on the left")));
    }

    void theSystemInfoAnswerOpensOverTheAboutWindow()
    {
        App app;
        MainWindow &w = app.window();
        w.move(20, 30); // away from the screen's centre, where a box would open by itself
        QRect about, answer;
        QPointer<QWidget> aboutWindow;
        ModalAnswerer answerer;
        answerer.expect([&](QWidget *modal) {
            aboutWindow = modal;
            about = modal->geometry();
            // No tool here, so the answer opens; clicked from the event loop, not inside
            // this handler, so the next handler can answer it.
            QPushButton *sysInfo = static_cast<AboutWindow *>(modal)->sysInfoButton;
            QTimer::singleShot(0, sysInfo, &QPushButton::click);
        });
        answerer.expect([&](QWidget *modal) {
            answer = modal->frameGeometry();
            static_cast<QMessageBox *>(modal)->button(QMessageBox::Ok)->click();
            QTimer::singleShot(0, aboutWindow, &QWidget::close);
        });
        w.aboutAction->trigger();
        QVERIFY(answerer.allAnswered());
        QCOMPARE(answerer.seen[1].text, QStringLiteral("System Information Is Unavailable At This Time"));
        // Give or take the frame, which the box borrows from the main window before it has its own.
        QVERIFY2((answer.center() - about.center()).manhattanLength() <= 6,
                 qPrintable(QStringLiteral("answer centred at %1,%2, about window at %3,%4")
                                .arg(answer.center().x()).arg(answer.center().y())
                                .arg(about.center().x()).arg(about.center().y())));
    }

    void soundItemTogglesMarkAndSoundTogether()
    {
        App app;
        app.window().soundAction->trigger();
        QVERIFY(!app.window().soundAction->isChecked());
        QVERIFY(!app.game.soundOn());
        app.window().soundAction->trigger();
        QVERIFY(app.window().soundAction->isChecked());
        QVERIFY(app.game.soundOn());
    }

    void aWholeGamePlayedWithTheMouse()
    {
        App app;
        MainWindow &w = app.window();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.newGameAction->trigger();
        QVERIFY(app.game.clockRunning());
        QVERIFY(w.cells[9]->picture().isNull());
        QCOMPARE(w.cells[12]->picture().cacheKey(), w.piecePictures[TilePic].cacheKey());

        app.click(8);
        QCOMPARE(w.cells[8]->picture().cacheKey(), w.piecePictures[BallSelectedPic].cacheKey());
        app.click(8);
        QCOMPARE(w.cells[8]->picture().cacheKey(), w.piecePictures[BallPic].cacheKey());

        ModalAnswerer answerer;
        answerer.expect(ModalAnswerer::enterText(QStringLiteral("Mouse")));
        QStringList blackListRows;
        answerer.expect([&](QWidget *modal) {
            if (auto *list = qobject_cast<BlackListWindow *>(modal)) {
                // The list fills its rows when it becomes active, which may follow its
                // showing by a moment on a busy machine.
                if (!QTest::qWaitFor([list] { return list->isActiveWindow(); }, 2000))
                    blackListRows << QStringLiteral("(the list never became active)");
                blackListRows << list->nameLabels[0]->text() << list->scoreLabels[0]->text();
                list->closeButton->click();
            } else {
                modal->close();
            }
        });

        const auto moves = solveShortest(Board::startPosition());
        for (std::size_t i = 0; i < moves.size(); ++i) {
            app.move(moves[i].first, moves[i].second);
            if (i == 0)
                QCOMPARE(w.stepLabel->text(), QStringLiteral("1"));
        }

        QVERIFY(answerer.allAnswered());
        QCOMPARE(answerer.unexpected(), 0);
        QCOMPARE(answerer.seen.front().title, QStringLiteral("Selamat yaa, kong !!"));
        QCOMPARE(answerer.seen.front().text, QStringLiteral("What's your nick name ?? (max 6 character)"));
        QCOMPARE(blackListRows, (QStringList{QStringLiteral("Mouse "), QStringLiteral("46")}));

        QCOMPARE(w.stepLabel->text(), QStringLiteral("46"));
        QVERIFY(!app.game.clockRunning());
        QVERIFY(app.game.gameOver());
        for (int k = 1; k <= 8; ++k)
            QCOMPARE(w.cells[k]->picture().cacheKey(), w.piecePictures[TilePic].cacheKey());
        for (int k = SharedCell + 1; k <= LastCell; ++k)
            QCOMPARE(w.cells[k]->picture().cacheKey(), w.piecePictures[BallPic].cacheKey());

        ResultsWindow *results = app.windows.resultsWindow.loaded();
        QVERIFY(results && results->isVisible());
        QCOMPARE(results->size(), QSize(387, 364));
        QCOMPARE(results->stepsLabel->text(), QStringLiteral("46"));
        QCOMPARE(results->timeLabel->text(), w.timeLabel->text());
        QCOMPARE(results->rankBanner->pixmap().cacheKey(), results->rankPictures[1].cacheKey());
        QVERIFY(results->windowFlags().testFlag(Qt::FramelessWindowHint));

        QSettings stored(QStringLiteral("Tobrinel"), QStringLiteral("Tobrinel"));
        QCOMPARE(stored.value(QStringLiteral("HiScores/9")).toString(), QStringLiteral("Mouse 46"));
        QCOMPARE(stored.value(QStringLiteral("HiScores/0")).toString(), QStringLiteral("Zenlor3600"));

        // "&Great" closes the results window, and a later use creates it anew.
        results->greatButton->click();
        flushDeletes();
        QVERIFY(!app.windows.resultsWindow.loaded());
        QCOMPARE(liveWindows<ResultsWindow>(), 0);
    }

    // After the name and the Black List the results take the keyboard, even when the window
    // manager hands the focus back to the main window late, as a compositor does once the
    // list's surface is gone; and soon after, the board can be given the keyboard again.
    void resultsWindowTakesTheKeyboardAfterTheBlackList()
    {
        App app;
        MainWindow &w = app.window();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        ModalAnswerer answerer;
        answerer.expect(ModalAnswerer::enterText(QStringLiteral("Keys")));
        answerer.expect(ModalAnswerer::closeWindow());
        w.newGameAction->trigger();
        app.game.setSteps(46);
        app.game.gameWon();
        QVERIFY(answerer.allAnswered());
        ResultsWindow *results = app.windows.resultsWindow.loaded();
        QVERIFY(results && results->isVisible());

        w.activateWindow(); // the late hand-back
        QTRY_VERIFY(results->isActiveWindow());
        QTest::qWait(100);
        QVERIFY2(results->isActiveWindow(), "the main window took the keyboard back");

        QTest::qWait(GameWindows::KeepInFrontMs);
        w.activateWindow();
        QTRY_VERIFY(w.isActiveWindow());
        QTest::qWait(100);
        QVERIFY2(w.isActiveWindow(), "the results window still pulls the keyboard away from the board");

        // Space presses "Great" once the results have the keyboard.
        results->activateWindow();
        QTRY_VERIFY(results->isActiveWindow());
        QVERIFY(QApplication::focusWidget());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        flushDeletes();
        QVERIFY(!app.windows.resultsWindow.loaded());
    }

    void resultsWindowShowsTheRankBanner_data()
    {
        QTest::addColumn<int>("steps");
        QTest::addColumn<int>("rank");
        QTest::newRow("46 GENIUS") << 46 << 1;
        QTest::newRow("47 SMART") << 47 << 2;
        QTest::newRow("53 SMART") << 53 << 2;
        QTest::newRow("54 STUPID") << 54 << 3;
        QTest::newRow("123 STUPID") << 123 << 3;
    }
    void resultsWindowShowsTheRankBanner()
    {
        QFETCH(int, steps);
        QFETCH(int, rank);
        App app;
        // A table that no result beats, so the win asks nothing.
        QStringList keys;
        std::vector<std::optional<QString>> best;
        for (int key = 0; key <= 9; ++key) {
            keys << QString::number(key);
            best.push_back(QStringLiteral("Best  46"));
        }
        app.store.updateSection(QStringLiteral("Tobrinel"), QStringLiteral("HiScores"), keys, QString(),
                                [&](const std::vector<StoredValue> &) { return best; });
        app.topTen.load();
        ModalAnswerer answerer; // closes any question the win should not ask
        app.window().newGameAction->trigger();
        app.game.setSteps(steps);
        app.game.gameWon();

        ResultsWindow *results = app.windows.resultsWindow.loaded();
        QVERIFY(results && results->isVisible());
        QCOMPARE(results->rankBanner->pixmap().cacheKey(), results->rankPictures[rank].cacheKey());
        QCOMPARE(results->stepsLabel->text(), QString::number(steps));
        QVERIFY(!app.windows.blackListWindow.loaded());
        QVERIFY(answerer.seen.isEmpty());
        for (int i = 1; i <= 3; ++i)
            QCOMPARE(results->rankPictures[i].size(), QSize(121, 54));
    }

    void aSecondWinRefreshesTheOpenResultsWindowAndSavesOnlyWhatQualifies()
    {
        App app;
        ModalAnswerer answerer;
        answerer.expect(ModalAnswerer::enterText(QStringLiteral("First")));
        answerer.expect(ModalAnswerer::closeWindow());
        app.window().newGameAction->trigger();
        app.game.setSteps(46);
        app.game.gameWon();
        ResultsWindow *results = app.windows.resultsWindow.loaded();
        QVERIFY(results && answerer.allAnswered());

        QSettings stored(QStringLiteral("Tobrinel"), QStringLiteral("Tobrinel"));
        const QString fileBefore = stored.fileName();
        QFile file(fileBefore);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytesBefore = file.readAll();
        file.close();

        // The default table's weakest score is 3600: a result of 3600 does not enter.
        app.window().newGameAction->trigger();
        app.game.setSteps(3600);
        app.game.gameWon();
        QCOMPARE(app.windows.resultsWindow.loaded(), results);
        QCOMPARE(results->stepsLabel->text(), QStringLiteral("3600"));
        QCOMPARE(results->rankBanner->pixmap().cacheKey(), results->rankPictures[3].cacheKey());
        QCOMPARE(answerer.seen.size(), 2); // no name asked, no Black List
        QVERIFY(!app.topTen.newResultAdded());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), bytesBefore); // nothing saved
    }

    void restartQuestionInARealMessageBox()
    {
        App app;
        MainWindow &w = app.window();
        app.gameUnderWay();

        ModalAnswerer answerer;
        answerer.expect(ModalAnswerer::press(QMessageBox::No));
        w.newGameAction->trigger();
        QVERIFY(answerer.allAnswered());
        QCOMPARE(answerer.seen.front().title, QStringLiteral("Hi, Siluman Ketombe !"));
        QCOMPARE(answerer.seen.front().text, QStringLiteral("Mau ngulang game, kong / Restart Game ??"));
        QCOMPARE(answerer.seen.front().buttons, QStringLiteral("Yes|No"));
        QVERIFY(!answerer.seen.front().hasIcon);
        QCOMPARE(app.game.selectedCell(), 5);
        QCOMPARE(w.cells[5]->picture().cacheKey(), w.piecePictures[BallSelectedPic].cacheKey());
        QCOMPARE(w.stepLabel->text(), QStringLiteral("1"));

        answerer.expect(ModalAnswerer::closeWindow());
        w.newGameAction->trigger();
        QCOMPARE(app.game.selectedCell(), 5);

        answerer.expect(ModalAnswerer::press(QMessageBox::Yes));
        w.newGameAction->trigger();
        QVERIFY(answerer.allAnswered());
        QCOMPARE(app.game.selectedCell(), 0);
        QCOMPARE(app.game.steps(), std::int64_t(0));
        QCOMPARE(w.cells[5]->picture().cacheKey(), w.piecePictures[BallPic].cacheKey());
        QVERIFY(w.cells[9]->picture().isNull());
        QCOMPARE(w.stepLabel->text(), QStringLiteral("1"));
    }

    void clockKeepsRunningWhileAQuestionIsOpen()
    {
        App app;
        MainWindow &w = app.window();
        w.newGameAction->trigger();
        app.game.setClockInterval(20); // the real second, sped up
        QString whenOpened, whenAnswered;
        ModalAnswerer answerer;
        answerer.expect([&](QWidget *modal) {
            whenOpened = w.timeLabel->text();
            QTimer::singleShot(300, modal, [&, modal] {
                whenAnswered = w.timeLabel->text();
                static_cast<QMessageBox *>(modal)->button(QMessageBox::No)->click();
            });
        });
        w.newGameAction->trigger();
        QVERIFY(answerer.allAnswered());
        QVERIFY2(whenAnswered > whenOpened, qPrintable(whenOpened + QStringLiteral(" -> ") + whenAnswered));
        QVERIFY(app.game.clockRunning());
    }

    void helpWindowsLeaveAGameInProgressAsItWas()
    {
        App app;
        MainWindow &w = app.window();
        app.gameUnderWay();
        app.cues.cues.clear();

        ModalAnswerer answerer;
        QSize instructionsSize, aboutSize;
        answerer.expect([&](QWidget *modal) {
            instructionsSize = modal->size();
            QTest::mouseClick(modal, Qt::LeftButton, {}, QPoint(400, 300)); // anywhere closes it
        });
        answerer.expect([&](QWidget *modal) {
            aboutSize = modal->size();
            QTest::keyClick(modal, Qt::Key_Escape);
        });
        w.instructionsAction->trigger();
        w.aboutAction->trigger();

        QVERIFY(answerer.allAnswered());
        QCOMPARE(answerer.unexpected(), 0);
        QCOMPARE(instructionsSize, QSize(499, 335));
        QCOMPARE(aboutSize, QSize(336, 244));
        QCOMPARE(app.cues.cues, Cues{Cue::About}); // the about window's cue only
        QCOMPARE(app.game.selectedCell(), 5);
        QCOMPARE(app.game.steps(), std::int64_t(1));
        QCOMPARE(w.cells[5]->picture().cacheKey(), w.piecePictures[BallSelectedPic].cacheKey());
        QVERIFY(w.cells[8]->picture().isNull());
        QVERIFY(app.game.clockRunning());
        flushDeletes();
        QCOMPARE(liveWindows<InstructionsWindow>() + liveWindows<AboutWindow>(), 0);
    }

    void exitCommandAnsweredCancelChangesNothing()
    {
        App app;
        MainWindow &w = app.window();
        w.newGameAction->trigger();
        app.click(8);
        ModalAnswerer answerer;
        answerer.expect(ModalAnswerer::press(QMessageBox::Cancel));
        w.quitAction->trigger();
        QCOMPARE(answerer.seen.front().title, QStringLiteral("I miss you.."));
        QCOMPARE(answerer.seen.front().buttons, QStringLiteral("OK|Cancel"));
        QVERIFY(!app.ended);
        QVERIFY(w.isVisible());
        QVERIFY(app.game.clockRunning());
        QCOMPARE(app.game.selectedCell(), 8);
    }

    void exitCommandLeavesWithTwoCues()
    {
        App app;
        app.cues.cues.clear();
        ModalAnswerer answerer;
        answerer.expect(ModalAnswerer::press(QMessageBox::Ok));
        app.window().quitAction->trigger();
        QVERIFY(app.ended);
        QCOMPARE(app.cues.cues, (Cues{Cue::NewGame, Cue::NewGame}));
        QVERIFY(!app.windows.mainWindow.loaded());
        flushDeletes();
        QCOMPARE(liveWindows<MainWindow>(), 0);
        QCOMPARE(liveWindows<InstructionsWindow>() + liveWindows<BlackListWindow>() + liveWindows<ResultsWindow>() + liveWindows<AboutWindow>(), 0);
    }

    void closingTheMainWindowClosesTheResultsWindow()
    {
        App app;
        app.window().newGameAction->trigger();
        ModalAnswerer answerer;
        answerer.expect(ModalAnswerer::enterText(QStringLiteral("Bye")));
        answerer.expect(ModalAnswerer::closeWindow());
        const auto moves = solveShortest(Board::startPosition());
        for (const auto &[from, to] : moves)
            app.move(from, to);
        QVERIFY(app.windows.resultsWindow.loaded() && app.windows.resultsWindow.loaded()->isVisible());
        app.cues.cues.clear();

        app.window().close(); // the close box: no question
        QVERIFY(answerer.seen.size() == 2);
        QCOMPARE(app.cues.cues, Cues{Cue::NewGame});
        QVERIFY(!app.windows.resultsWindow.loaded());
        QVERIFY(!app.windows.mainWindow.loaded());
        flushDeletes();
        QCOMPARE(liveWindows<ResultsWindow>(), 0);
        QCOMPARE(liveWindows<MainWindow>(), 0);
    }

    void aClickIsHandledWellWithinAMillisecond()
    {
        App app;
        app.window().soundAction->trigger(); // no cue: measure the click alone
        app.window().newGameAction->trigger();
        ImageCell *cell = app.window().cells[8];
        QElapsedTimer timer;
        timer.start();
        const int clicks = 2000;
        for (int i = 0; i < clicks; ++i)
            QTest::mouseClick(cell, Qt::LeftButton);
        const double perClickMs = double(timer.nsecsElapsed()) / 1e6 / clicks;
        QVERIFY2(perClickMs < 1.0, qPrintable(QString::number(perClickMs) + QStringLiteral(" ms per click")));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
