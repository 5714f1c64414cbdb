// The faults that lost results, each run against the real store and real files in a
// folder of its own: a table that could not be read at start, a full disk, damaged entries,
// a file that is not a settings file, one far too large, and a pasted nickname. Every case
// starts from the stored table Ann 90 ... Joe 47 and then saves a win of 46 steps as "New".
// Two copies saving at once are in tst_race.
#include "topten/toptenlist.h"
#include "topten/qsettingsstore.h"

#include "fakes.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <memory>

#include <sys/stat.h>
#include <unistd.h>

namespace {

const QByteArray Ladder = "[HiScores]\n0=Ann   90\n1=Bob   85\n2=Cat   80\n3=Dan   75\n4=Eve   70\n"
                          "5=Fay   65\n6=Gus   60\n7=Hal   55\n8=Ivy   50\n9=Joe   47\n";

// The ladder after the win: Ann is gone, New stands last.
const QStringList LadderWithWin = {"Bob   85", "Cat   80", "Dan   75", "Eve   70", "Fay   65",
                                   "Gus   60", "Hal   55", "Ivy   50", "Joe   47", "New   46"};

QStringList tenDefaultsWithWin()
{
    QStringList values;
    for (int i = 0; i < 9; ++i)
        values << QStringLiteral("Zenlor3600");
    return values << QStringLiteral("New   46");
}

void writeFile(const QString &path, const QByteArray &contents)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(contents), contents.size());
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Keys 0 to 9 of section HiScores as the disk has them, parsed from a copy so that Qt's
// in-process cache of the original cannot answer; "-" for a missing key.
QStringList onDisk(const QString &file)
{
    QTemporaryDir copyDir;
    const QString copy = copyDir.filePath(QStringLiteral("copy.conf"));
    QStringList values;
    if (!QFile::copy(file, copy))
        return values;
    QSettings settings(copy, QSettings::IniFormat);
    for (int i = 0; i < 10; ++i)
        values << settings.value(QStringLiteral("HiScores/%1").arg(i), QStringLiteral("-")).toString();
    return values;
}

// A small tmpfs, unmounted when it goes, on every path out of a test.
class Tmpfs
{
public:
    bool mount(const QString &path, int kib)
    {
        QDir().mkpath(path);
#ifdef Q_OS_WIN
        return false; // no tmpfs: the full disk is tested on Linux
#else
        if (geteuid() != 0)
            return false;
#endif
        if (QProcess::execute(QStringLiteral("mount"),
                              {"-t", "tmpfs", "-o", QStringLiteral("size=%1k").arg(kib), "tmpfs", path})
            != 0)
            return false;
        m_path = path;
        return true;
    }
    // Fills the disk, then frees spare bytes again.
    void fill(int spare)
    {
        const QString spareFile = m_path + QStringLiteral("/spare");
        writeFile(spareFile, QByteArray(spare, 's'));
        QFile filler(m_path + QStringLiteral("/filler"));
        QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size()) {
        }
        filler.close();
        QVERIFY(QFile::remove(spareFile));
    }
    void makeRoom() { QFile::remove(m_path + QStringLiteral("/filler")); }
    ~Tmpfs()
    {
        if (!m_path.isEmpty())
            QProcess::execute(QStringLiteral("umount"), {QStringLiteral("-l"), m_path});
    }

private:
    QString m_path;
};

// A store, scripted dialogs and the module, as the game puts them together.
struct Game
{
    RecordingPlatform platform;
    QSettingsStore store{platform};
    FakeDialogs dialogs;
    TopTenList hi{store, dialogs};

    // A win of 46 steps, saved as "New" (or the name given) when it enters the list.
    void win(const QString &name = QStringLiteral("New"), int steps = 46)
    {
        hi.setNewResult(StoredScore(steps));
        dialogs.inputAnswers = {name};
        hi.considerNewResult();
        if (hi.newResultAdded())
            hi.save();
    }
    QString lastReport() const { return dialogs.calls.empty() ? QString() : dialogs.calls.back().prompt; }
};

} // namespace

class TestFaults final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void aTableUnreadableAtStartIsNotOverwritten_data();
    void aTableUnreadableAtStartIsNotOverwritten();
    void aTableStillUnreadableIsKeptAndTheWinReported();
    void noRoomForTheTemporaryCopyStillReads();
    void aFullDiskNeverEmptiesTheFile_data();
    void aFullDiskNeverEmptiesTheFile();
    void aReplaceCutShortIsUndoneByTheNextLoad();
    void aDamagedEntryIsReportedAndReplacedFirst_data();
    void aDamagedEntryIsReportedAndReplacedFirst();
    void aFileThatIsNotASettingsFileIsReportedAndKept_data();
    void aFileThatIsNotASettingsFileIsReportedAndKept();
    void aPastedNicknameIsStoredOnOneLine();
    void withoutHardLinksADamagedFileIsKeptByACopy_data();
    void aKeyThereTwiceIsTrustedOnlyWhenBothAgree_data();
    void aKeyThereTwiceIsTrustedOnlyWhenBothAgree();
    void withoutHardLinksADamagedFileIsKeptByACopy();

private:
    QString confFile() const { return m_dir->filePath(QStringLiteral("Tobrinel/Tobrinel.conf")); }
    // The files in the settings folder besides the list itself.
    QStringList besides(const QString &folder) const
    {
        QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
        names.removeAll(QStringLiteral("Tobrinel.conf"));
        return names;
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Tmpfs> m_tmpfs;
    QByteArray m_tmpdir;
};

void TestFaults::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir->path());
#ifdef Q_OS_WIN
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir->path()); // the store's file there
#endif
    m_tmpdir = qgetenv("TMPDIR");
}

void TestFaults::cleanup()
{
    if (m_tmpdir.isNull())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", m_tmpdir);
    const QString conf = confFile();
    chmod(QFile::encodeName(conf).constData(), 0644);
    m_tmpfs.reset();
    m_dir.reset();
}

void TestFaults::aTableUnreadableAtStartIsNotOverwritten_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("a folder where the file should be") << "folder";
    QTest::newRow("mode 000") << "mode";
}

// The load fails and the table in memory stays the ten defaults; once the file reads
// again, the save puts the win into the stored table instead of writing the defaults.
void TestFaults::aTableUnreadableAtStartIsNotOverwritten()
{
    QFETCH(QString, how);
#ifdef Q_OS_WIN
    if (how == QLatin1String("mode"))
        QSKIP("mode bits only make a file read-only on Windows; the folder row covers an unreadable file");
#else
    if (how == QLatin1String("mode") && geteuid() == 0)
        QSKIP("permission bits do not stop root; the folder row covers an unreadable file");
#endif

    writeFile(confFile(), Ladder);
    const QString aside = confFile() + QStringLiteral(".away");
    if (how == QLatin1String("folder")) {
        QVERIFY(QFile::rename(confFile(), aside));
        QVERIFY(QDir().mkdir(confFile()));
    } else {
        QVERIFY(chmod(QFile::encodeName(confFile()).constData(), 0) == 0);
    }

    Game game;
    game.hi.load();
    QCOMPARE(game.dialogs.reportTitles(), QStringList{QStringLiteral("LoadTopTenBoard")});
    QVERIFY2(game.lastReport().contains(confFile()), qPrintable(game.lastReport()));

    if (how == QLatin1String("folder")) {
        QVERIFY(QDir().rmdir(confFile()));
        QVERIFY(QFile::rename(aside, confFile()));
    } else {
        QVERIFY(chmod(QFile::encodeName(confFile()).constData(), 0644) == 0);
    }
    game.dialogs.calls.clear();
    game.win();

    QCOMPARE(game.dialogs.reportTitles(), QStringList());
    QCOMPARE(onDisk(confFile()), LadderWithWin);
}

void TestFaults::aTableStillUnreadableIsKeptAndTheWinReported()
{
    writeFile(confFile(), Ladder);
    const QString away = m_dir->filePath(QStringLiteral("ladder.conf"));
    QVERIFY(QFile::rename(confFile(), away));
    QVERIFY(QDir().mkdir(confFile()));
    writeFile(confFile() + QStringLiteral("/inside"), "kept");

    Game game;
    game.hi.load();
    game.dialogs.calls.clear();
    game.win();

    // One box: the win could not be added, why, and that nothing changed.
    QCOMPARE(game.dialogs.reportTitles(), QStringList{QStringLiteral("SaveTopTen")});
    QVERIFY2(game.lastReport().startsWith(
                 QStringLiteral("Your result could not be added to the top ten. The settings file %1 cannot be read: ")
                     .arg(confFile())),
             qPrintable(game.lastReport()));
    QVERIFY(game.lastReport().endsWith(QStringLiteral("The stored list is unchanged.")));
    QVERIFY(QFileInfo(confFile()).isDir());
    QCOMPARE(fileBytes(confFile() + QStringLiteral("/inside")), QByteArray("kept"));
}

// The store reads through a private copy; a full temporary folder must not make the table
// unreadable.
void TestFaults::noRoomForTheTemporaryCopyStillReads()
{
    writeFile(confFile(), Ladder);
    m_tmpfs = std::make_unique<Tmpfs>();
    const QString tmp = m_dir->filePath(QStringLiteral("tmp"));
    if (!m_tmpfs->mount(tmp, 64))
        QSKIP("a tmpfs cannot be mounted here (needs root): a full temporary folder is not tested");
    m_tmpfs->fill(0);
    qputenv("TMPDIR", QFile::encodeName(tmp));

    Game game;
    game.hi.load();
    QCOMPARE(game.dialogs.reportTitles(), QStringList());
    QCOMPARE(game.hi.entries()[0].name.text(), QStringLiteral("Ann   "));
    game.win();
    QVERIFY2(game.dialogs.reportTitles().isEmpty(), qPrintable(game.lastReport()));
    qputenv("TMPDIR", m_tmpdir.isNull() ? QByteArray("/tmp") : m_tmpdir); // for onDisk's own copy
    QCOMPARE(onDisk(confFile()), LadderWithWin);
    QCOMPARE(besides(QFileInfo(confFile()).path()), QStringList());
}

void TestFaults::aFullDiskNeverEmptiesTheFile_data()
{
    QTest::addColumn<int>("spare"); // bytes left free on the disk
    QTest::addColumn<QString>("why");

    QTest::newRow("no room at all") << 0 << "no lock file could be made beside it (no room, or no permission)";
    // Where Qt 6.4 itself renames an empty file over the old one and reports nothing.
    QTest::newRow("room for the lock file only") << 4096 << "No space left on device";
}

void TestFaults::aFullDiskNeverEmptiesTheFile()
{
    QFETCH(int, spare);
    QFETCH(QString, why);

    m_tmpfs = std::make_unique<Tmpfs>();
    const QString disk = m_dir->filePath(QStringLiteral("disk"));
    if (!m_tmpfs->mount(disk, 64))
        QSKIP("a tmpfs cannot be mounted here (needs root): the full disk is not tested");
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, disk);
    const QString file = disk + QStringLiteral("/Tobrinel/Tobrinel.conf");
    writeFile(file, Ladder);

    Game game;
    game.hi.load();
    QCOMPARE(game.dialogs.reportTitles(), QStringList());
    m_tmpfs->fill(spare);
    game.win();

    QCOMPARE(game.dialogs.reportTitles(), QStringList{QStringLiteral("SaveTopTen")});
    QCOMPARE(game.lastReport(),
             QStringLiteral("Your result could not be added to the top ten. The settings file %1 could not be "
                            "written: %2. The stored list is unchanged.")
                 .arg(file, why));
    QCOMPARE(fileBytes(file), Ladder);
    QCOMPARE(besides(QFileInfo(file).path()), QStringList());

    // The next start reads the old list and says nothing.
    Game next;
    next.hi.load();
    QCOMPARE(next.dialogs.reportTitles(), QStringList());
    QCOMPARE(next.hi.entries()[0].name.text(), QStringLiteral("Ann   "));

    // Once there is room again, the win is saved.
    m_tmpfs->makeRoom();
    game.dialogs.calls.clear();
    game.hi.save();
    QCOMPARE(game.dialogs.reportTitles(), QStringList());
    QCOMPARE(onDisk(file), LadderWithWin);
}

// A copy of the game that stopped between keeping the old file and writing the new one
// (power cut, kill) leaves an empty file and the old one under its second name.
void TestFaults::aReplaceCutShortIsUndoneByTheNextLoad()
{
    writeFile(confFile() + QStringLiteral(".keep"), Ladder);
    writeFile(confFile(), QByteArray());

    Game game;
    game.hi.load();

    QCOMPARE(game.dialogs.reportTitles(), QStringList());
    QCOMPARE(game.hi.entries()[0].name.text(), QStringLiteral("Ann   "));
    QCOMPARE(fileBytes(confFile()), Ladder);
    QCOMPARE(besides(QFileInfo(confFile()).path()), QStringList());
}

void TestFaults::aDamagedEntryIsReportedAndReplacedFirst_data()
{
    QTest::addColumn<QByteArray>("line5");  // what key 5 ("Fay   65") became
    QTest::addColumn<QString>("shown");     // how its text appears in the report
    QTest::addColumn<bool>("fileDamaged");  // the file as a whole is damaged: a copy is kept

    QTest::newRow("truncated line") << QByteArray("5=Fay") << "\"Fay\"" << false;
    QTest::newRow("20-digit score") << QByteArray("5=Fay   65000000000000000000")
                                    << "\"Fay   65000000000000000000\"" << false;
    QTest::newRow("empty value") << QByteArray("5=") << "\"\"" << false;
    QTest::newRow("NUL byte") << QByteArray("5=Fay   6\0" "5", 11) << QString::fromUtf8("\"Fay   6\u24005\"") << true;
    QTest::newRow("escaped NUL") << QByteArray("5=Fay   6\\0x") << QString::fromUtf8("\"Fay   6\u2400x\"") << false;
    QTest::newRow("not UTF-8") << QByteArray("5=F\xe9y   65x") << QString::fromUtf8("\"F\uFFFDy   65x\"") << true;
}

// The damaged entry is reported with the file, the key and its whole text; the win takes
// its place, not Ann's; and it is never saved as a result.
void TestFaults::aDamagedEntryIsReportedAndReplacedFirst()
{
    QFETCH(QByteArray, line5);
    QFETCH(QString, shown);
    QFETCH(bool, fileDamaged);

    QByteArray contents = Ladder;
    contents.replace("5=Fay   65", line5);
    writeFile(confFile(), contents);

    Game game;
    game.hi.load();
    QCOMPARE(game.dialogs.reportTitles(), QStringList{QStringLiteral("LoadTopTenBoard")});
    const QString report = game.lastReport();
    QVERIFY2(report.startsWith(QStringLiteral("Key \"5\" in section \"HiScores\" of the settings file %1 holds %2, "
                                              "which is not a result: ")
                                   .arg(confFile(), shown)),
             qPrintable(report));
    QVERIFY(game.hi.entries()[5].damaged);

    game.dialogs.calls.clear();
    game.win();

    const QStringList after = onDisk(confFile());
    QCOMPARE(after, (QStringList{"Ann   90", "Bob   85", "Cat   80", "Dan   75", "Eve   70", "Gus   60", "Hal   55",
                                 "Ivy   50", "Joe   47", "New   46"}));
    const QStringList kept = besides(QFileInfo(confFile()).path());
    if (fileDamaged) {
        // The rewrite drops what Qt cannot read, so the file as it was stays beside it; the
        // player is told so in a note, as nothing failed.
        QCOMPARE(game.dialogs.reportTitles(), QStringList());
        QCOMPARE(game.dialogs.notes().size(), 1);
        QCOMPARE(kept.size(), 1);
        QVERIFY(kept.front().startsWith(QStringLiteral("Tobrinel.conf.damaged-")));
        QVERIFY2(game.lastReport().endsWith(QStringLiteral(" The file as it was is kept as %1.")
                                                .arg(QFileInfo(confFile()).dir().filePath(kept.front()))),
                 qPrintable(game.lastReport()));
        QCOMPARE(fileBytes(QFileInfo(confFile()).dir().filePath(kept.front())), contents);
    } else {
        QCOMPARE(game.dialogs.reportTitles(), QStringList());
        QCOMPARE(kept, QStringList());
    }
}

void TestFaults::aFileThatIsNotASettingsFileIsReportedAndKept_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QString>("report");

    const QString notSettings =
        QStringLiteral("The settings file %1 is damaged: it is not a settings file, and no entry could be read from it.");
    QByteArray garbage(3000, '\0');
    QRandomGenerator random(9);
    for (char &c : garbage)
        c = char(random.bounded(256));
    QTest::newRow("garbage") << garbage << notSettings;
    QTest::newRow("all NUL") << QByteArray(4096, '\0') << notSettings;
    QTest::newRow("text without entries") << QByteArray("this is not\na settings file\n") << notSettings;

    QByteArray huge = Ladder;
    huge.append(QByteArray(2 * 1024 * 1024, ';'));
    QTest::newRow("far too large") << huge
                                   << QStringLiteral("The settings file %1 is %2 bytes long, far too large for a "
                                                     "top-ten list, so it was not read.")
                                          .arg(QStringLiteral("%1"), QString::number(huge.size()));
}

// Reported at the load, never shown silently as defaults; the save keeps the file aside
// under a name beside it and starts a new list with the win.
void TestFaults::aFileThatIsNotASettingsFileIsReportedAndKept()
{
    QFETCH(QByteArray, contents);
    QFETCH(QString, report);
    writeFile(confFile(), contents);

    Game game;
    game.hi.load();
    QCOMPARE(game.dialogs.reportTitles(), QStringList{QStringLiteral("LoadTopTenBoard")});
    QCOMPARE(game.lastReport(), report.arg(confFile()));

    game.dialogs.calls.clear();
    game.win();

    QCOMPARE(game.dialogs.reportTitles(), QStringList());
    QCOMPARE(game.dialogs.notes().size(), 1);
    const QStringList kept = besides(QFileInfo(confFile()).path());
    QCOMPARE(kept.size(), 1);
    const QString keptPath = QFileInfo(confFile()).dir().filePath(kept.front());
    QCOMPARE(game.lastReport(), report.arg(confFile()) + QStringLiteral(" The file as it was is kept as %1.").arg(keptPath));
    QCOMPARE(fileBytes(keptPath), contents);
    QCOMPARE(onDisk(confFile()), tenDefaultsWithWin());

    // A clear leaves such a file as it is.
    writeFile(confFile(), contents);
    game.dialogs.calls.clear();
    game.hi.clear();
    QCOMPARE(game.dialogs.reportTitles(), QStringList{QStringLiteral("ClearTopTen")});
    QCOMPARE(fileBytes(confFile()), contents);
}

void TestFaults::aPastedNicknameIsStoredOnOneLine()
{
    writeFile(confFile(), Ladder);
    Game game;
    game.hi.load();
    game.win(QStringLiteral("Ab\nCd"));

    QCOMPARE(game.dialogs.reportTitles(), QStringList());
    QCOMPARE(onDisk(confFile()).back(), QStringLiteral("Ab Cd 46"));
    Game next;
    next.hi.load();
    QCOMPARE(next.hi.entries()[9].name.text(), QStringLiteral("Ab Cd "));
}


void TestFaults::withoutHardLinksADamagedFileIsKeptByACopy_data()
{
    QTest::addColumn<int>("linkError"); // what the file system answers a hard link with
    QTest::addColumn<bool>("copied");   // or the save is refused, the file as it was

#ifdef Q_OS_WIN
    // The system's own error numbers there.
    QTest::newRow("not permitted (FAT, exFAT)") << 1 /* ERROR_INVALID_FUNCTION */ << true;
    QTest::newRow("not supported (network share)") << 50 /* ERROR_NOT_SUPPORTED */ << true;
    QTest::newRow("another drive") << 17 /* ERROR_NOT_SAME_DEVICE */ << true;
    QTest::newRow("an input/output error") << 1117 /* ERROR_IO_DEVICE */ << false;
#else
    QTest::newRow("not permitted (FAT, exFAT)") << EPERM << true;
    QTest::newRow("not supported (network share)") << EOPNOTSUPP << true;
    QTest::newRow("no such call") << ENOSYS << true;
    QTest::newRow("an input/output error") << EIO << false;
#endif
}

// The damaged file must stay somewhere before it is replaced: by a second name where the
// file system has them, by a copy where it has none; a real failure still stops the save.
void TestFaults::withoutHardLinksADamagedFileIsKeptByACopy()
{
    QFETCH(int, linkError);
    QFETCH(bool, copied);
    QByteArray contents = Ladder;
    contents.replace("5=Fay   65", QByteArray("5=Fay   6\0" "5", 11));
    writeFile(confFile(), contents);

    Game game;
    game.platform.hardLinkError = linkError;
    game.hi.load();
    game.dialogs.calls.clear();
    game.win();

    const QStringList kept = besides(QFileInfo(confFile()).path());
    if (copied) {
        QCOMPARE(game.dialogs.reportTitles(), QStringList());
        QCOMPARE(kept.size(), 1);
        const QString keptPath = QFileInfo(confFile()).dir().filePath(kept.front());
        QCOMPARE(fileBytes(keptPath), contents);
        QCOMPARE(game.dialogs.notes().size(), 1);
        QVERIFY2(game.dialogs.notes().front().endsWith(QStringLiteral(" The file as it was is kept as %1.").arg(keptPath)),
                 qPrintable(game.dialogs.notes().front()));
        QCOMPARE(onDisk(confFile()).back(), QStringLiteral("New   46"));
    } else {
        QCOMPARE(game.dialogs.reportTitles(), QStringList{QStringLiteral("SaveTopTen")});
        QVERIFY2(game.lastReport().contains(QStringLiteral("the damaged file could not be kept aside")),
                 qPrintable(game.lastReport()));
        QVERIFY(game.lastReport().endsWith(QStringLiteral("The stored list is unchanged.")));
        QCOMPARE(kept, QStringList());
        QCOMPARE(fileBytes(confFile()), contents);
    }
}


void TestFaults::aKeyThereTwiceIsTrustedOnlyWhenBothAgree_data()
{
    QTest::addColumn<QByteArray>("extra"); // a line a hand edit added at the end
    QTest::addColumn<bool>("trusted");

    QTest::newRow("a better score for key 5") << QByteArray("5=Fay   46\n") << false;
    QTest::newRow("another name in a second HiScores section") << QByteArray("[HiScores]\n5=Zed   65\n") << false;
    QTest::newRow("the same text again") << QByteArray("5=Fay   65\n") << true;
    QTest::newRow("the same key in another section") << QByteArray("[Other]\n5=Fay   46\n") << true;
}

// Of a key there twice QSettings silently keeps the last, which ranks a hand-edited score
// as if the game had stored it. When the texts differ neither is trusted: the entry is
// damaged, the player is told, the next win takes its place, and the file as it was, with
// both texts, is kept beside the new one.
void TestFaults::aKeyThereTwiceIsTrustedOnlyWhenBothAgree()
{
    QFETCH(QByteArray, extra);
    QFETCH(bool, trusted);
    const QByteArray contents = Ladder + extra;
    writeFile(confFile(), contents);

    Game game;
    game.hi.load();
    if (trusted) {
        QCOMPARE(game.dialogs.reportTitles(), QStringList());
        QCOMPARE(game.hi.entries()[5].score, StoredScore(65));
    } else {
        QCOMPARE(game.dialogs.reportTitles(), QStringList{QStringLiteral("LoadTopTenBoard")});
        QVERIFY2(game.lastReport().startsWith(QStringLiteral("The settings file %1 is damaged: key \"5\" in section "
                                                             "\"HiScores\" is there more than once, with different texts.")
                                                  .arg(confFile())),
                 qPrintable(game.lastReport()));
        QVERIFY(game.hi.entries()[5].damaged);
    }

    game.dialogs.calls.clear();
    game.win();

    const QStringList kept = besides(QFileInfo(confFile()).path());
    QCOMPARE(game.dialogs.reportTitles(), QStringList());
    if (trusted) {
        QCOMPARE(onDisk(confFile()), LadderWithWin);
        QCOMPARE(kept, QStringList());
    } else {
        QCOMPARE(onDisk(confFile()), (QStringList{"Ann   90", "Bob   85", "Cat   80", "Dan   75", "Eve   70", "Gus   60",
                                                  "Hal   55", "Ivy   50", "Joe   47", "New   46"}));
        QCOMPARE(kept.size(), 1);
        QCOMPARE(fileBytes(QFileInfo(confFile()).dir().filePath(kept.front())), contents);
        QCOMPARE(game.dialogs.notes().size(), 1);
    }
}

QTEST_GUILESS_MAIN(TestFaults)
#include "tst_faults.moc"
