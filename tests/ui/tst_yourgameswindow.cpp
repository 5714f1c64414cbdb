// The "Your games" window over a small history: its figures and trend as a screen reader
// gets them, where the steps go, a past game opened in the review and one replayed by the
// keyboard, a damaged line told in the window, and "Clear history" that asks first and
// leaves the top ten alone.
#include "controllerrig.h"
#include "fixturegames.h"

#include "history/historyfile.h"
#include "ui/yourgameswindow.h"

#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

class TestYourGamesWindow : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir.emplace();
        m_path = m_dir->filePath(QStringLiteral("games.txt"));
        m_rig.emplace();
        m_rig->game.start();
        HistoryFile history(m_path);
        // Oldest first: won at 46, won with a detour at move 5 and an undo, left, won with
        // a detour at move 5.
        history.append(Fixture::game(Fixture::wonWithDetoursAt(), 200));
        history.append(Fixture::game(Fixture::wonWithDetoursAt({5}), 300, 0, 0, 1));
        history.append(Fixture::game(Fixture::leftAfter(4), 20));
        history.append(Fixture::game(Fixture::wonWithDetoursAt({5}), 250));
    }

    void figuresTrendAndWhereTheStepsGo()
    {
        YourGamesWindow window(m_rig->game, m_rig->dialogs, m_path, nullptr);
        window.show();
        QTRY_VERIFY(window.trendLabel()->text().contains(QStringLiteral("wins")));
        const QStringList figures = window.figureTexts();
        QCOMPARE(figures.value(0), QStringLiteral("Games played: 4"));
        QCOMPARE(figures.value(1), QStringLiteral("Won: 3"));
        QCOMPARE(figures.value(2), QStringLiteral("Abandoned: 1"));
        QCOMPARE(figures.value(3), QStringLiteral("Best steps: 46"));
        QCOMPARE(figures.value(4), QStringLiteral("Best time: 3 min 20 s"));
        QCOMPARE(figures.value(7), QStringLiteral("Average steps, all wins: 47.3"));
        QCOMPARE(figures.value(8), QStringLiteral("Median steps, all wins: 48"));
        QCOMPARE(figures.value(9), QStringLiteral("Won at 46: 1"));
        QCOMPARE(figures.value(10), QStringLiteral("Won without help: 2"));
        QCOMPARE(window.trendLabel()->text(), QStringLiteral("Your 3 wins averaged 47 steps."));
        QCOMPARE(window.trendLabel()->accessibleName(), window.trendLabel()->text());

        QTRY_VERIFY_WITH_TIMEOUT(window.stepsList()->item(0)->text().startsWith(QStringLiteral("Move 5 (")), 20000);
        QVERIFY(window.stepsList()->item(0)->text().endsWith(QStringLiteral("steps lost in 2 of 3 games.")));
        // Newest first; a left game has no review, but a replay.
        QCOMPARE(window.gamesTable()->model()->index(0, 1).data().toString(), QStringLiteral("won"));
        QCOMPARE(window.gamesTable()->model()->index(1, 1).data().toString(), QStringLiteral("left"));
        QCOMPARE(window.gamesTable()->model()->index(2, 4).data().toString(), QStringLiteral("an undo"));
        window.gamesTable()->selectRow(1);
        QVERIFY(!window.reviewButton()->isEnabled());
        QVERIFY(window.replayButton()->isEnabled());
    }

    // Return on a place where the steps go closes the window and shows that position on the
    // board with its best move marked.
    void returnOnWhereTheStepsGoShowsThePosition()
    {
        const std::vector<BoardMove> best = Fixture::wonWithDetoursAt();
        openAndThen([](YourGamesWindow &window) {
            QTRY_VERIFY_WITH_TIMEOUT(window.stepsList()->count() > 0
                                         && window.stepsList()->item(0)->text().startsWith(QStringLiteral("Move")),
                                     20000);
            window.stepsList()->setFocus();
            QTest::keyClick(window.stepsList(), Qt::Key_Return);
            QCOMPARE(window.result(), int(QDialog::Accepted));
        });
        QTRY_VERIFY_WITH_TIMEOUT(m_rig->game.reviewing(), 20000);
        QCOMPARE(m_rig->view.review.from, best[4].from);
        QCOMPARE(m_rig->view.review.to, best[4].to);
        QVERIFY(m_rig->view.review.text.startsWith(QStringLiteral("Move 5: best is")));
    }

    void aPastGameReviewedAndOneReplayed()
    {
        openAndThen([](YourGamesWindow &window) {
            QTRY_VERIFY(window.gamesTable()->model()->rowCount() == 4);
            window.gamesTable()->selectRow(2); // won with the undo
            QTest::mouseClick(window.reviewButton(), Qt::LeftButton);
        });
        QTRY_VERIFY_WITH_TIMEOUT(m_rig->game.reviewing(), 20000);
        QCOMPARE(m_rig->game.reviewMove(), 48);
        QVERIFY(!m_rig->game.watching());

        openAndThen([](YourGamesWindow &window) {
            QTRY_VERIFY(window.gamesTable()->model()->rowCount() == 4);
            window.gamesTable()->selectRow(1); // the left game
            window.gamesTable()->setFocus();
            QTest::keyClick(window.gamesTable(), Qt::Key_Return); // a left game: its replay
            QCOMPARE(window.result(), int(QDialog::Accepted));
        });
        QTRY_VERIFY_WITH_TIMEOUT(m_rig->game.watching(), 20000);
        QCOMPARE(m_rig->game.review()->moveCount(), 4);
    }

    void aDamagedLineIsToldInTheWindow()
    {
        QFile file(m_path);
        QVERIFY(file.open(QIODevice::Append));
        file.write("v1 this is no game\n");
        file.close();
        YourGamesWindow window(m_rig->game, m_rig->dialogs, m_path, nullptr);
        QTRY_COMPARE(window.figureTexts().value(0), QStringLiteral("Games played: 4"));
        const QLabel *status = window.findChild<QLabel *>();
        QVERIFY(status);
        QVERIFY2(status->text().contains(QStringLiteral("1 line of your history")), qPrintable(status->text()));
    }

    void clearHistoryAsksAndKeepsTheTopTen()
    {
        const QString topTen = m_dir->filePath(QStringLiteral("Tobrinel.conf"));
        QFile conf(topTen);
        QVERIFY(conf.open(QIODevice::WriteOnly));
        conf.write("[HiScores]\n0=Ann46\n");
        conf.close();

        YourGamesWindow window(m_rig->game, m_rig->dialogs, m_path, nullptr);
        QTRY_COMPARE(window.figureTexts().value(0), QStringLiteral("Games played: 4"));
        m_rig->dialogs.answers = {Answer::No};
        QTest::mouseClick(window.clearButton(), Qt::LeftButton);
        QVERIFY(QFile::exists(m_path));
        QCOMPARE(m_rig->dialogs.calls.back().prompt,
                 QStringLiteral("Clear your history of 4 games? The Black List stays as it is."));

        m_rig->dialogs.answers = {Answer::Yes};
        QTest::mouseClick(window.clearButton(), Qt::LeftButton);
        QTRY_COMPARE(window.figureTexts().value(0), QStringLiteral("Games played: 0"));
        QVERIFY(!QFile::exists(m_path));
        QVERIFY(conf.open(QIODevice::ReadOnly));
        QCOMPARE(conf.readAll(), QByteArray("[HiScores]\n0=Ann46\n"));
        QCOMPARE(window.trendLabel()->text(), QStringLiteral("No games yet: your games appear here once you have played one."));
    }

private:
    // "Your games" opened by the game, with act run in the window as the player would.
    void openAndThen(const std::function<void(YourGamesWindow &)> &act)
    {
        m_rig->view.onModal = [this, act](WindowId form) {
            if (form != WindowId::YourGames)
                return;
            YourGamesWindow window(m_rig->game, m_rig->dialogs, m_path, nullptr);
            window.show();
            window.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&window));
            act(window);
        };
        m_rig->game.yourGamesRequested();
        m_rig->view.onModal = nullptr;
    }

    std::optional<QTemporaryDir> m_dir;
    QString m_path;
    std::optional<ControllerRig> m_rig;
};

QTEST_MAIN(TestYourGamesWindow)
#include "tst_yourgameswindow.moc"
