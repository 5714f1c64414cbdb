// The end of a session ends the game through its event loop: a modal window's loop returns
// and what was to run after it runs, instead of the process dying between two writes.
#include "platform/sessionend.h"

#include <QEventLoop>
#include <QTest>
#include <QTimer>

#include <csignal>

class TestSessionEnd final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { quitOnSessionEnd(*QCoreApplication::instance()); }

    void aSignalEndsTheEventLoops_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("logout or shutdown (SIGTERM)") << SIGTERM;
        QTest::newRow("the terminal gone (SIGHUP)") << SIGHUP;
        QTest::newRow("Ctrl+C (SIGINT)") << SIGINT;
    }

    void aSignalEndsTheEventLoops()
    {
        QFETCH(int, signal);
        // The application's own loop, as the game runs it, and an inner one for a modal
        // window open in it.
        QEventLoop inner;
        bool ranAfterInner = false;
        int innerResult = -1;
        QTimer::singleShot(0, &inner, [&] {
            QTimer::singleShot(0, &inner, [signal] { ::raise(signal); });
            innerResult = inner.exec();
            ranAfterInner = true; // where the game saves the list again
        });
        QTimer guard;
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, &inner, [&] { inner.exit(99); QCoreApplication::exit(99); });
        guard.start(10000);
        const int outerResult = QCoreApplication::exec();
        QCOMPARE(innerResult, 0);
        QVERIFY(ranAfterInner);
        QCOMPARE(outerResult, 0);
    }
};

QTEST_GUILESS_MAIN(TestSessionEnd)
#include "tst_sessionend.moc"
