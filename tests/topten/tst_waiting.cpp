// A result saved while another copy of the game holds the list's lock for a long time:
// the save waits only a moment, the player is told the result is waiting, it is tried
// again until the lock is free, and a result still waiting at the end of the run is kept
// beside the list and enters it at the next start. The real store, a real lock.
#include "topten/toptenlist.h"
#include "topten/qsettingsstore.h"

#include "fakes.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString Ladder = QStringLiteral("[HiScores]\n0=Ann   90\n1=Bob   85\n2=Cat   80\n3=Dan   75\n4=Eve   70\n"
                                      "5=Fay   65\n6=Gus   60\n7=Hal   55\n8=Ivy   50\n9=Joe   47\n");

const QString WaitingNote = QStringLiteral("Another copy of the game is using the Black List just now. Your result "
                                           "is waiting and will be stored as soon as the list is free.");

// A copy of the game as the game builds it: a short wait for the lock.
struct Copy
{
    Copy()
    {
        hi.setSaveWait(250);
        hi.load();
    }

    // A win of steps, named name.
    void win(int steps, const QString &name)
    {
        hi.setNewResult(StoredScore(steps));
        dialogs.inputAnswers = {name};
        hi.considerNewResult();
        hi.save();
    }

    QSettingsStore store;
    FakeDialogs dialogs;
    TopTenList hi{store, dialogs};
};

} // namespace

class TestWaiting final : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        // The store's file lies where Qt keeps a settings file: the native format's folder,
        // or on Windows, whose native format is the registry, the INI format's.
        for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
            QSettings::setPath(format, QSettings::UserScope, m_dir->path());
        QVERIFY(QDir().mkpath(QFileInfo(conf()).path()));
        write(conf(), Ladder.toUtf8());
    }

    void cleanup() { m_dir.reset(); }

    void aResultWaitsWithoutFreezingAndIsStoredOnceTheLockIsFree()
    {
        Copy copy;
        holdLock();
        QElapsedTimer clock;
        clock.start();
        copy.win(52, QStringLiteral("Rita"));
        copy.hi.save(); // again as the list closes
        const qint64 took = clock.elapsed();

        QCOMPARE(copy.dialogs.notes(), QStringList{WaitingNote});
        QVERIFY(copy.dialogs.reportTitles().isEmpty());
        QVERIFY(copy.hi.resultWaiting());
        QCOMPARE(read(conf()), Ladder.toUtf8());
        QCOMPARE(copy.hi.entries()[7].name.text(), QStringLiteral("Rita  ")); // the list still shows it
        // Two short waits, not the ten seconds a save used to freeze for (generous bound).
        QVERIFY2(took < 5000, qPrintable(QStringLiteral("%1 ms").arg(took)));

        QFile::remove(lock());
        QTRY_VERIFY_WITH_TIMEOUT(!copy.hi.resultWaiting(), 20000);
        QVERIFY(read(conf()).contains("7=Rita  52"));
        QVERIFY(!read(conf()).contains("Ann"));
        QVERIFY(copy.dialogs.reportTitles().isEmpty());
    }

    void aResultStillWaitingAtTheEndIsKeptAndEntersAtTheNextStart()
    {
        holdLock();
        {
            Copy copy;
            copy.win(52, QStringLiteral("Rita"));
            copy.hi.storeBeforeQuit();
        }
        QCOMPARE(read(conf()), Ladder.toUtf8());
        QCOMPARE(read(conf() + QStringLiteral(".waiting")), QByteArray("Rita  52\n"));

        // A second run that also ends while the lock is held adds to what is kept.
        {
            Copy copy;
            copy.win(49, QStringLiteral("Sam"));
            copy.hi.storeBeforeQuit();
        }
        QCOMPARE(read(conf() + QStringLiteral(".waiting")), QByteArray("Rita  52\nSam   49\n"));

        QFile::remove(lock());
        Copy next;
        next.hi.addWaitingResults();
        QVERIFY(!next.hi.resultWaiting());
        const QByteArray stored = read(conf());
        QVERIFY2(stored.contains("=Rita  52") && stored.contains("=Sam   49"), stored.constData());
        QVERIFY(!stored.contains("Ann") && !stored.contains("Bob"));
        QCOMPARE(next.dialogs.notes(),
                 QStringList{QStringLiteral("A result that could not be stored when it was won, because another copy "
                                            "of the game was using the Black List, enters it now: Rita 52, Sam 49.")});
        // Nothing left beside the list: a later start adds nothing twice.
        QCOMPARE(QDir(QFileInfo(conf()).path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("Tobrinel.conf")});
        Copy later;
        later.hi.addWaitingResults();
        QVERIFY(later.dialogs.notes().isEmpty());
    }

    void aKeptResultWaitsAgainWhenTheLockIsStillHeldAtTheNextStart()
    {
        write(conf() + QStringLiteral(".waiting"), "Rita  52\n");
        holdLock();
        {
            Copy copy;
            copy.hi.addWaitingResults();
            QVERIFY(copy.hi.resultWaiting());
            QCOMPARE(copy.hi.entries()[7].name.text(), QStringLiteral("Rita  "));
            copy.hi.storeBeforeQuit();
        }
        // Kept again, once: the file this run took is gone.
        QCOMPARE(read(conf() + QStringLiteral(".waiting")), QByteArray("Rita  52\n"));
        QCOMPARE(QDir(QFileInfo(conf()).path()).entryList({QStringLiteral("*.taken-*")}, QDir::Files).size(), 0);
    }

    void aFileTakenByACopyThatEndedIsTakenAgain()
    {
        // A copy that took the file and was killed before storing it: no such process now.
        write(conf() + QStringLiteral(".waiting.taken-999999999"), "Rita  52\n");
        Copy copy;
        copy.hi.addWaitingResults();
        QVERIFY(!copy.hi.resultWaiting());
        QVERIFY(read(conf()).contains("7=Rita  52"));
        QCOMPARE(QDir(QFileInfo(conf()).path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("Tobrinel.conf")});
    }

private:
    QString conf() const { return m_dir->filePath(QStringLiteral("Tobrinel/Tobrinel.conf")); }
    QString lock() const { return conf() + QStringLiteral(".lock"); }

    // The lock as a live copy holds it: this very process, by its name, on this host.
    void holdLock()
    {
        write(lock(), QStringLiteral("%1\n%2\n%3\n")
                          .arg(QCoreApplication::applicationPid())
                          .arg(QFileInfo(QCoreApplication::applicationFilePath()).fileName(),
                               QSysInfo::machineHostName())
                          .toUtf8());
    }

    static void write(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), bytes.size());
    }

    static QByteArray read(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_GUILESS_MAIN(TestWaiting)
#include "tst_waiting.moc"
