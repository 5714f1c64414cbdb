// The history file: games added by appending read back whole; a damaged line is kept
// aside and told once; two copies of the game add their games at once; a copy killed
// while it writes costs no earlier game; and something other than a file in its place is
// told in words, never waited on.
#include "fixturegames.h"

#include "history/historyfile.h"
#include "topten/settingsstore.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <set>

#include <sys/stat.h>

namespace {

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QStringList asideFiles(const QString &path)
{
    const QFileInfo info(path);
    return QDir(info.path()).entryList({info.fileName() + QStringLiteral(".damaged-*")}, QDir::Files);
}

} // namespace

class TestHistoryFile : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir.emplace();
        QVERIFY(m_dir->isValid());
        m_path = m_dir->filePath(QStringLiteral("games/games.txt"));
    }

    void gamesReadBackInTheOrderAdded()
    {
        HistoryFile history(m_path);
        QVERIFY(history.read().games.empty());
        const std::vector<GameRecord> games{Fixture::game(Fixture::wonWithDetoursAt()),
                                            Fixture::game(Fixture::leftAfter(5), 30, 1, 0, 2),
                                            Fixture::game(Fixture::wonWithDetoursAt({4}), 77, 0, 1, 0)};
        for (const GameRecord &game : games)
            history.append(game);
        const HistoryRead read = history.read();
        QVERIFY(read.note.isEmpty());
        QVERIFY(read.games == games);
    }

    // A damaged line among good ones: the good games are read, the line goes to a file
    // of its own named in the note, and the next read has nothing more to tell.
    void damagedLineKeptAsideAndToldOnce()
    {
        const QByteArray first = GameRecords::encode(Fixture::game(Fixture::leftAfter(3)));
        const QByteArray second = GameRecords::encode(Fixture::game(Fixture::wonWithDetoursAt()));
        QByteArray damaged = GameRecords::encode(Fixture::game(Fixture::leftAfter(9)));
        damaged[damaged.size() - 3] = damaged[damaged.size() - 3] == '0' ? '1' : '0';
        QDir().mkpath(QFileInfo(m_path).path());
        write(m_path, first + damaged + second);

        HistoryFile history(m_path);
        const HistoryRead read = history.read();
        QCOMPARE(read.games.size(), 2u);
        QCOMPARE(asideFiles(m_path).size(), 1);
        const QString aside = QFileInfo(m_path).dir().filePath(asideFiles(m_path).front());
        QVERIFY2(read.note.contains(QStringLiteral("1 line of your history")), qPrintable(read.note));
        QVERIFY2(read.note.contains(QDir::toNativeSeparators(aside)), qPrintable(read.note));
        QCOMPARE(contents(aside), damaged);
        QCOMPARE(contents(m_path), first + second);

        const HistoryRead again = history.read();
        QVERIFY2(again.note.isEmpty(), qPrintable(again.note));
        QCOMPARE(again.games.size(), 2u);
        QCOMPARE(asideFiles(m_path).size(), 1);
    }

    // What a full disk or a power cut leaves: the start of a line with no newline. The next
    // game starts a line of its own, and the torn piece is told as damaged.
    void gameAfterATornLineIsWhole()
    {
        const QByteArray first = GameRecords::encode(Fixture::game(Fixture::leftAfter(3)));
        const QByteArray torn = GameRecords::encode(Fixture::game(Fixture::leftAfter(8))).left(20);
        QDir().mkpath(QFileInfo(m_path).path());
        write(m_path, first + torn);

        HistoryFile history(m_path);
        const GameRecord next = Fixture::game(Fixture::wonWithDetoursAt({2}));
        history.append(next);
        const HistoryRead read = history.read();
        QCOMPARE(read.games.size(), 2u);
        QVERIFY(read.games.back() == next);
        QVERIFY2(read.note.contains(QStringLiteral("1 line of your history")), qPrintable(read.note));
        QCOMPARE(contents(QFileInfo(m_path).dir().filePath(asideFiles(m_path).front())), torn + '\n');
    }

    void somethingElseInItsPlace_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("a folder") << QStringLiteral("folder");
#ifndef Q_OS_WIN // no named pipes in a folder there
        QTest::newRow("a pipe") << QStringLiteral("pipe"); // opening it would wait for a writer
#endif
    }
    void somethingElseInItsPlace()
    {
        QFETCH(QString, kind);
        QDir().mkpath(QFileInfo(m_path).path());
        if (kind == QLatin1String("folder"))
            QVERIFY(QDir().mkpath(m_path));
#ifndef Q_OS_WIN
        else
            QCOMPARE(::mkfifo(QFile::encodeName(m_path).constData(), 0600), 0);
#endif

        HistoryFile history(m_path);
        const HistoryRead read = history.read();
        QVERIFY(read.games.empty());
        QVERIFY2(read.note.contains(QStringLiteral("something other than a file")), qPrintable(read.note));
        try {
            history.append(Fixture::game(Fixture::leftAfter(2)));
            QFAIL("a game was added to a pipe or a folder");
        } catch (const StoreError &failure) {
            QVERIFY2(QString::fromUtf8(failure.what()).contains(QStringLiteral("could not be added")), failure.what());
        }
        QVERIFY(!QFileInfo(m_path).isFile());
    }

    void clearEmptiesTheHistoryAndItFillsAgain()
    {
        HistoryFile history(m_path);
        history.clear(); // nothing there yet: nothing to do
        history.append(Fixture::game(Fixture::leftAfter(2)));
        history.clear();
        QVERIFY(history.read().games.empty());
        history.append(Fixture::game(Fixture::leftAfter(4)));
        QCOMPARE(history.read().games.size(), 1u);
    }

    // Two copies of the game add games at the same moment: every game of both comes back.
    void twoCopiesAppendAtOnce()
    {
        constexpr int Each = 300;
        QProcess one;
        QProcess two;
        one.start(QStringLiteral(HISTORYWRITER), {m_path, QString::number(Each), QStringLiteral("0")});
        two.start(QStringLiteral(HISTORYWRITER), {m_path, QString::number(Each), QStringLiteral("100000")});
        QVERIFY(one.waitForFinished(60000));
        QVERIFY(two.waitForFinished(60000));
        QCOMPARE(one.exitCode(), 0);
        QCOMPARE(two.exitCode(), 0);

        const HistoryRead read = HistoryFile(m_path).read();
        QVERIFY2(read.note.isEmpty(), qPrintable(read.note));
        std::set<std::int64_t> seconds;
        for (const GameRecord &game : read.games)
            seconds.insert(game.seconds);
        QCOMPARE(read.games.size(), std::size_t(2 * Each));
        QCOMPARE(seconds.size(), std::size_t(2 * Each));
        QCOMPARE(*seconds.begin(), 0);
        QCOMPARE(*seconds.rbegin(), 100000 + Each - 1);
    }

    // A copy killed at random moments while it adds games: the history reads back whole,
    // with every game that was added before the kill, and the next copy adds to it.
    void killedWhileWritingLosesNothingEarlier()
    {
        HistoryFile history(m_path);
        history.append(Fixture::game(Fixture::wonWithDetoursAt()));
        for (int round = 0; round < 6; ++round) {
            QProcess writer;
            writer.start(QStringLiteral(HISTORYWRITER), {m_path, QStringLiteral("1000000"), QString::number(round * 1000000)});
            QVERIFY(writer.waitForStarted());
            // Killed once it is writing, however slowly it started (Wine takes seconds).
            const qint64 before = QFileInfo(m_path).size();
            QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(m_path).size() > before, 20000);
            QTest::qWait(QRandomGenerator::global()->bounded(120));
            writer.kill();
            QVERIFY(writer.waitForFinished());
        }
        history.append(Fixture::game(Fixture::leftAfter(2)));
        const QByteArray bytes = contents(m_path);
        const HistoryRead read = history.read();
        QVERIFY2(read.note.isEmpty(), qPrintable(read.note));
        QCOMPARE(qsizetype(read.games.size()), bytes.count('\n'));
        QVERIFY(read.games.front().won);
        QCOMPARE(read.games.back().steps(), 2);
        QVERIFY(read.games.size() > 2); // the writers did write
    }

private:
    std::optional<QTemporaryDir> m_dir;
    QString m_path;
};

QTEST_GUILESS_MAIN(TestHistoryFile)
#include "tst_historyfile.moc"
