// A logout, a closed terminal or Ctrl+C from the winning move until the name is confirmed:
// the game ends, at once, and the win is stored, with the name typed so far when it is a
// valid one and the box's own name otherwise. A real copy of the game gets a real signal.
#include "topten/qsettingsstore.h"

#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <csignal>

class TestSignalNameBox final : public QObject
{
    Q_OBJECT

private slots:
    void aSignalEndsTheGameAndKeepsTheWin_data()
    {
        QTest::addColumn<QString>("point");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("delayMs"); // after the point is reached
        QTest::addColumn<int>("signal");
        QTest::addColumn<QString>("stored");

        QTest::newRow("logout at the winning move") << "winning" << "" << 0 << SIGTERM << "Pocong46";
        QTest::newRow("terminal closed 50 ms after it") << "winning" << "" << 50 << SIGHUP << "Pocong46";
        QTest::newRow("Ctrl+C 200 ms after it") << "winning" << "" << 200 << SIGINT << "Pocong46";
        QTest::newRow("logout, the box empty") << "asked" << "" << 0 << SIGTERM << "Pocong46";
        QTest::newRow("Ctrl+C, the box empty") << "asked" << "" << 0 << SIGINT << "Pocong46";
        QTest::newRow("logout, a name typed") << "typed" << "Rita" << 0 << SIGTERM << "Rita  46";
        QTest::newRow("terminal closed, a name typed") << "typed" << "Rita" << 0 << SIGHUP << "Rita  46";
        QTest::newRow("logout, a name too long typed") << "typed" << "Seventy" << 0 << SIGTERM << "Pocong46";
    }

    void aSignalEndsTheGameAndKeepsTheWin()
    {
        QFETCH(QString, point);
        QFETCH(QString, typed);
        QFETCH(int, delayMs);
        QFETCH(int, signal);
        QFETCH(QString, stored);

        QTemporaryDir settings;
        QVERIFY(settings.isValid());
        QProcess game;
        game.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        game.start(QStringLiteral(NAMEBOX_PLAYER), {settings.path(), point, typed});
        QVERIFY(game.waitForStarted(30000));

        // Waits for the point, then signals.
        QByteArray said;
        while (!said.contains(point.toLatin1() + '\n')) {
            if (!game.waitForReadyRead(60000)) {
                game.kill();
                game.waitForFinished();
                QFAIL(qPrintable(QStringLiteral("the game never reached \"%1\"; it said: %2")
                                     .arg(point, QString::fromUtf8(said))));
            }
            said += game.readAllStandardOutput();
        }
        if (delayMs > 0)
            QThread::msleep(delayMs);
        QCOMPARE(::kill(pid_t(game.processId()), signal), 0);

        // Generous, for a loaded machine: a game that hangs never ends by itself.
        const bool ended = game.waitForFinished(20000);
        if (!ended) {
            game.kill();
            game.waitForFinished();
        }
        QVERIFY2(ended, "the game did not end after the signal");
        QCOMPARE(game.exitStatus(), QProcess::NormalExit);
        QCOMPARE(game.exitCode(), 0);

        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
        QSettingsStore store;
        const std::vector<StoredValue> values = store.readSection(
            QStringLiteral("Tobrinel"), QStringLiteral("HiScores"), {QStringLiteral("9")}, QString());
        QVERIFY(values.front().text.has_value());
        QCOMPARE(*values.front().text, stored);
    }
};

QTEST_GUILESS_MAIN(TestSignalNameBox)
#include "tst_signalnamebox.moc"
