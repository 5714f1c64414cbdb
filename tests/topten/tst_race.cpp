// Two copies of the game save a win at the same moment, twenty times over, while this
// process keeps loading the table: both wins land every time, and no load ever sees a
// table that is neither the old one nor one with either or both wins in it.
#include "topten/toptenlist.h"
#include "topten/qsettingsstore.h"

#include "fakes.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

const QStringList Ladder = {"Ann   90", "Bob   85", "Cat   80", "Dan   75", "Eve   70",
                            "Fay   65", "Gus   60", "Hal   55", "Ivy   50", "Joe   48"};

// The table with the given wins in it, the weakest entries gone, in stored order.
QString withWins(QStringList wins)
{
    QStringList table = Ladder.mid(wins.size());
    return (table + wins).join(QLatin1Char('|'));
}

QString shown(const TopTenList &hi)
{
    QStringList items;
    for (const TopTenEntry &entry : hi.entries())
        items << (entry.damaged ? QStringLiteral("?") : entry.name.text() + entry.score.toString());
    return items.join(QLatin1Char('|'));
}

class Saver
{
public:
    Saver(const QString &folder, const QString &name, int steps)
    {
        m_process.setProgram(QStringLiteral(RACESAVER));
        m_process.setArguments({folder, name, QString::number(steps)});
        m_process.start();
    }
    ~Saver()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }
    bool ready() { return m_process.waitForReadyRead(30000) && m_process.readLine().trimmed() == "ready"; }
    void go() { m_process.write("go\n"); }
    bool running() const { return m_process.state() != QProcess::NotRunning; }
    bool finishedCleanly()
    {
        m_process.waitForFinished(30000);
        m_output = m_process.readAll();
        return m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0;
    }
    QByteArray output() const { return m_output; }

private:
    QProcess m_process;
    QByteArray m_output;
};

} // namespace

class TestRace final : public QObject
{
    Q_OBJECT

private slots:
    void twoCopiesSavingAtOnceLoseNothing();
};

void TestRace::twoCopiesSavingAtOnceLoseNothing()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
#ifdef Q_OS_WIN
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path()); // the store's file there
#endif
    const QString file = QSettingsStore::fileName(QStringLiteral("Tobrinel"));
    const QSet<QString> whole = {withWins({}), withWins({"OneA  47"}), withWins({"TwoB  46"}),
                                 withWins({"OneA  47", "TwoB  46"})};
    int loads = 0;

    for (int round = 0; round < 20; ++round) {
        QDir().mkpath(QFileInfo(file).path());
        QFile::remove(file);
        {
            QSettings seed(file, QSettings::IniFormat);
            for (int i = 0; i < 10; ++i)
                seed.setValue(QStringLiteral("HiScores/%1").arg(i), Ladder[i]);
        }
        // A round whose seed did not land would read defaults and blame the store.
        QVERIFY2(QFileInfo(file).size() > 0, qPrintable(QStringLiteral("round %1: the seed was not written").arg(round)));

        Saver one(dir.path(), QStringLiteral("OneA"), 47);
        Saver two(dir.path(), QStringLiteral("TwoB"), 46);
        QVERIFY(one.ready());
        QVERIFY(two.ready());
        one.go();
        two.go();

        QSettingsStore store;
        FakeDialogs dialogs;
        while (one.running() || two.running()) {
            TopTenList reader(store, dialogs);
            reader.load();
            if (!dialogs.calls.empty())
                QFAIL(qPrintable(QStringLiteral("round %1: %2").arg(round).arg(dialogs.calls.front().prompt)));
            const QString table = shown(reader);
            QVERIFY2(whole.contains(table), qPrintable(QStringLiteral("round %1 read %2").arg(round).arg(table)));
            ++loads;
            QCoreApplication::processEvents();
        }

        QVERIFY2(one.finishedCleanly(), one.output().constData());
        QVERIFY2(two.finishedCleanly(), two.output().constData());
        TopTenList after(store, dialogs);
        after.load();
        QCOMPARE(shown(after), withWins({"OneA  47", "TwoB  46"}));
    }
    qInfo("%d loads while the two copies saved", loads);
}

QTEST_GUILESS_MAIN(TestRace)
#include "tst_race.moc"
