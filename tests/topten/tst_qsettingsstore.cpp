// The top ten through a real QSettings file in a temporary folder: the exact stored text,
// values that are not text, damaged files, and writes that fail (a full disk is in
// tst_faults). Each test points the per-user settings path at its own folder, so the
// player's real store is never touched.
#include "topten/hiscores.h"
#include "topten/qsettingsstore.h"

#include "fakes.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <sys/stat.h>


namespace {

const QString App = QStringLiteral("Tobrinel");
const QString Section = QStringLiteral("HiScores");

// The values of section HiScores as the disk has them. A copy of the file is parsed, so
// that Qt's in-process cache of the original cannot answer instead of the disk.
QMap<QString, QString> onDisk(const QString &file)
{
    QMap<QString, QString> values;
    QTemporaryDir copyDir;
    const QString copy = copyDir.filePath(QStringLiteral("copy.conf"));
    if (!QFile::copy(file, copy))
        return values;
    QSettings settings(copy, QSettings::IniFormat);
    settings.beginGroup(Section);
    for (const QString &key : settings.childKeys())
        values.insert(key, settings.value(key).toString());
    return values;
}

void writeFile(const QString &path, const QByteArray &contents)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(contents), contents.size());
}

// The top ten over the real settings file, with its reports recorded.
struct StoredTable
{
    QSettingsStore store;
    FakeDialogs dialogs;
    modHiScores hi{store, dialogs};

    // The reports shown, one "title: prompt" per line.
    QString reports() const
    {
        QStringList shown;
        for (const FakeDialogs::Call &call : dialogs.calls)
            if (call.kind == QLatin1String("MsgBox") && call.buttons == static_cast<int>(MsgButtons::OkOnly))
                shown << call.title + QStringLiteral(": ") + call.prompt;
        return shown.join(QLatin1Char('\n'));
    }
};

} // namespace

class TestQSettingsStore final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void savedTextReadsBackExactly_data();
    void savedTextReadsBackExactly();
    void tableRoundTripsThroughTheFile();
    void readsWhatAFileHolds_data();
    void readsWhatAFileHolds();
    void loadReportsAValueThatIsNotTextAndReadsTheRest();
    void saveOverADamagedFileRewritesIt();
    void saveReportsAFolderThatIsAFile();
    void clearNeedsTheSection();
    void clearThenSaveWritesTheTableBack();
    void somethingElseInTheFilesPlace_data();
    void somethingElseInTheFilesPlace();
    void aLockNamingNoOwnerIsTakenOver();

private:
    QString confFile() const { return m_dir->filePath(QStringLiteral("Tobrinel/Tobrinel.conf")); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestQSettingsStore::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir->path());
    QCOMPARE(QSettings(QStringLiteral("Tobrinel"), App).fileName(), confFile());
}

void TestQSettingsStore::cleanup()
{
    m_dir.reset();
}

void TestQSettingsStore::savedTextReadsBackExactly_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("trailing spaces") << "Abc   57";
    QTest::newRow("all spaces") << "      3600";
    QTest::newRow("leading space") << " Ab   5";
    QTest::newRow("ini syntax") << "a=b;\"\\5";
    QTest::newRow("comma") << "a,b   5";
    QTest::newRow("at sign") << "@Bytes7";
    QTest::newRow("emoji") << QString::fromUtf8("\U0001F600\U0001F600\U0001F600\U0001F600\U0001F600\U0001F60057");
    QTest::newRow("non-latin") << QString::fromUtf8("\u6f22\u5b57\u00e9    1");
    QTest::newRow("empty") << "";
}

void TestQSettingsStore::savedTextReadsBackExactly()
{
    QFETCH(QString, text);

    QSettingsStore store;
    store.save(App, Section, QStringLiteral("7"), text);

    QCOMPARE(onDisk(confFile()).value(QStringLiteral("7")), text);
    QCOMPARE(store.get(App, Section, QStringLiteral("7"), QStringLiteral("Zenlor3600")), text);
}

void TestQSettingsStore::tableRoundTripsThroughTheFile()
{
    const QString grins = QString::fromUtf8("\U0001F600").repeated(6);
    StoredTable t;
    for (int i = 0; i < 10; ++i)
        t.hi.TopTen[i].Score = Decimal(100 - i);
    t.hi.TopTen[7].Name = NickName(QStringLiteral("Abc"));
    t.hi.TopTen[8].Name = NickName(grins);
    t.hi.TopTen[9].Name = NickName(QStringLiteral("  x"));

    t.hi.SaveTopTen();

    QVERIFY(t.dialogs.calls.empty());
    const QMap<QString, QString> disk = onDisk(confFile());
    QCOMPARE(disk.size(), 10);
    QCOMPARE(disk.value(QStringLiteral("0")), QStringLiteral("Zenlor100"));
    QCOMPARE(disk.value(QStringLiteral("7")), QStringLiteral("Abc   93"));
    QCOMPARE(disk.value(QStringLiteral("8")), grins + QStringLiteral("92"));
    QCOMPARE(disk.value(QStringLiteral("9")), QStringLiteral("  x   91"));

    modHiScores reloaded(t.store, t.dialogs);
    reloaded.LoadTopTenBoard();
    QVERIFY(t.dialogs.calls.empty());
    for (int i = 0; i < 10; ++i) {
        QCOMPARE(reloaded.TopTen[i].Name.text(), t.hi.TopTen[i].Name.text());
        QCOMPARE(reloaded.TopTen[i].Score, t.hi.TopTen[i].Score);
    }
}

void TestQSettingsStore::readsWhatAFileHolds_data()
{
    QTest::addColumn<QByteArray>("file");    // empty: no file at all
    QTest::addColumn<QString>("value");      // what get() of key 3 returns
    QTest::addColumn<QString>("failure");    // or the start of the StoreError it throws

    QTest::newRow("no file") << QByteArray() << "Zenlor3600" << "";
    QTest::newRow("no section") << QByteArray("[Other]\n3=x\n") << "Zenlor3600" << "";
    QTest::newRow("no key") << QByteArray("[HiScores]\n2=Abc   57\n") << "Zenlor3600" << "";
    QTest::newRow("plain") << QByteArray("[HiScores]\n3=Abc   57\n") << "Abc   57" << "";
    QTest::newRow("quoted") << QByteArray("[HiScores]\n3=\"Abc   \"\n") << "Abc   " << "";
    QTest::newRow("digits only") << QByteArray("[HiScores]\n3=3600\n") << "3600" << "";
    QTest::newRow("list") << QByteArray("[HiScores]\n3=a,b   5\n") << ""
                          << "Key \"3\" in section \"HiScores\" of the settings file";
    QTest::newRow("byte array") << QByteArray("[HiScores]\n3=@ByteArray(Abc   57)\n") << ""
                                << "Key \"3\" in section \"HiScores\" of the settings file";
    QTest::newRow("invalid variant") << QByteArray("[HiScores]\n3=@Invalid()\n") << ""
                                     << "Key \"3\" in section \"HiScores\" of the settings file";
    QTest::newRow("damaged, key readable") << QByteArray("[HiScores]\n3=Abc   57\ngarbage\n") << "Abc   57" << "";
    QTest::newRow("damaged, key lost") << QByteArray("[HiScores]\n2=Abc   57\n3Def   5\n") << ""
                                       << "The settings file";
}

void TestQSettingsStore::readsWhatAFileHolds()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, value);
    QFETCH(QString, failure);

    if (!file.isEmpty())
        writeFile(confFile(), file);
    QSettingsStore store;
    QString got;
    QString caught;
    try {
        got = store.get(App, Section, QStringLiteral("3"), QStringLiteral("Zenlor3600"));
    } catch (const StoreError &error) {
        caught = QString::fromUtf8(error.what());
    }
    QCOMPARE(got, value);
    QCOMPARE(caught.left(failure.size()), failure);
    QCOMPARE(caught.isEmpty(), failure.isEmpty());
}

void TestQSettingsStore::loadReportsAValueThatIsNotTextAndReadsTheRest()
{
    writeFile(confFile(), "[HiScores]\n0=Abc   90\n3=a,b   5\n4=Def   60\n9=Ghi   57\n");
    StoredTable t;

    t.hi.LoadTopTenBoard();

    QCOMPARE(t.reports(),
             QStringLiteral("LoadTopTenBoard: Key \"3\" in section \"HiScores\" of the settings file %1 does not "
                            "hold text.\nAn entry that cannot be read is not a result: the next result to enter the list "
                            "takes its place first.")
                 .arg(confFile()));
    QCOMPARE(t.hi.TopTen[0].Name.text(), QStringLiteral("Abc   "));
    QVERIFY(t.hi.TopTen[3].Damaged);
    QCOMPARE(t.hi.TopTen[4].Name.text(), QStringLiteral("Def   "));
    QCOMPARE(t.hi.TopTen[9].Score, Decimal(57));
}

void TestQSettingsStore::saveOverADamagedFileRewritesIt()
{
    // Qt answers FormatError for this save although the new file is written: a store that
    // took that for a failure would report every save until the file is mended by hand.
    writeFile(confFile(), "[HiScores]\n0=Abc   90\ngarbage\n");
    QSettingsStore store;

    store.save(App, Section, QStringLiteral("1"), QStringLiteral("Def   5"));

    const QMap<QString, QString> disk = onDisk(confFile());
    QCOMPARE(disk.value(QStringLiteral("0")), QStringLiteral("Abc   90"));
    QCOMPARE(disk.value(QStringLiteral("1")), QStringLiteral("Def   5"));
    QFile file(confFile());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(!file.readAll().contains("garbage"));
}

void TestQSettingsStore::saveReportsAFolderThatIsAFile()
{
    writeFile(m_dir->filePath(QStringLiteral("Tobrinel")), "not a folder");
    StoredTable t;

    t.hi.SaveTopTen();

    QCOMPARE(t.reports(),
             QStringLiteral("SaveTopTen: Your result could not be added to the top ten. The settings file %1 could not be "
                            "written: its folder cannot be made. The stored list is unchanged.")
                 .arg(confFile()));
    QCOMPARE(int(t.dialogs.calls.size()), 1);

    t.hi.ClearTopTen();
    QCOMPARE(t.dialogs.reportTitles(), (QStringList{QStringLiteral("SaveTopTen"), QStringLiteral("ClearTopTen")}));
}

void TestQSettingsStore::clearNeedsTheSection()
{
    StoredTable t;

    t.hi.ClearTopTen(); // nothing ever saved
    QCOMPARE(t.dialogs.reportTitles(), QStringList{QStringLiteral("ClearTopTen")});
    QCOMPARE(t.dialogs.calls.back().prompt,
             QStringLiteral("There is no section \"HiScores\" in the settings file %1 to delete.").arg(confFile()));

    t.dialogs.calls.clear();
    writeFile(confFile(), "[HiScores]\n0=Abc   90\n[Other]\nx=kept\n");
    t.hi.TopTen[5].Name = NickName(QStringLiteral("Memory"));
    t.hi.ClearTopTen();
    QVERIFY(t.dialogs.calls.empty());
    QVERIFY(onDisk(confFile()).isEmpty());
    QCOMPARE(QSettings(QStringLiteral("Tobrinel"), App).value(QStringLiteral("Other/x")).toString(),
             QStringLiteral("kept"));

    t.hi.ClearTopTen(); // twice in a row
    QCOMPARE(t.dialogs.reportTitles(), QStringList{QStringLiteral("ClearTopTen")});
    QCOMPARE(t.hi.TopTen[5].Name.text(), QStringLiteral("Memory"));
    QCOMPARE(t.hi.TopTen[0].Name.text(), QStringLiteral("Zenlor"));
}

void TestQSettingsStore::clearThenSaveWritesTheTableBack()
{
    StoredTable t;
    for (int i = 0; i < 10; ++i)
        t.hi.TopTen[i] = TopTenEntry{Decimal(100 - i), NickName(QString(QChar(u'A' + i)))};
    t.hi.SaveTopTen();
    t.hi.ClearTopTen();
    QVERIFY(onDisk(confFile()).isEmpty());

    t.hi.NewEntry.Score = Decimal(50);
    t.dialogs.inputAnswers = {QStringLiteral("New")};
    t.hi.CheckTopTen();
    t.hi.SaveTopTen();

    QVERIFY(t.dialogs.reportTitles().isEmpty());
    const QMap<QString, QString> disk = onDisk(confFile());
    QCOMPARE(disk.size(), 10);
    QCOMPARE(disk.value(QStringLiteral("0")), QStringLiteral("B     99"));
    QCOMPARE(disk.value(QStringLiteral("9")), QStringLiteral("New   50"));
}

QTEST_GUILESS_MAIN(TestQSettingsStore)
#include "tst_qsettingsstore.moc"

void TestQSettingsStore::somethingElseInTheFilesPlace_data()
{
    QTest::addColumn<QString>("what");
    QTest::newRow("a pipe") << "fifo";
    QTest::newRow("a link to a pipe") << "link to fifo";
    QTest::newRow("a folder") << "folder";
}

void TestQSettingsStore::somethingElseInTheFilesPlace()
{
    // Opening a pipe would wait for a writer for ever, on the window's thread.
    QFETCH(QString, what);
    QDir().mkpath(QFileInfo(confFile()).path());
    const QString fifo = m_dir->filePath(QStringLiteral("pipe"));
    QCOMPARE(::mkfifo(qPrintable(fifo), 0600), 0);
    if (what == QLatin1String("fifo"))
        QCOMPARE(::mkfifo(qPrintable(confFile()), 0600), 0);
    else if (what == QLatin1String("link to fifo"))
        QVERIFY(QFile::link(fifo, confFile()));
    else
        QVERIFY(QDir().mkpath(confFile()));

    StoredTable t;
    t.hi.LoadTopTenBoard();
    QVERIFY2(t.reports().contains(QStringLiteral("something other than a file (a folder, a pipe or a device) "
                                                 "stands in its place")),
             qPrintable(t.reports()));
    // The game plays on: the list shows its defaults, and a save says why it failed.
    t.hi.NewEntry.Score = Decimal(50);
    t.dialogs.inputAnswers = {QStringLiteral("Abc")};
    t.hi.CheckTopTen();
    QVERIFY(t.hi.NewEntryAdded);
    t.hi.SaveTopTen();
    QCOMPARE(t.dialogs.reportTitles().size(), 2);
    QVERIFY(!QFileInfo(confFile()).isFile()); // left as the player made it
}

void TestQSettingsStore::aLockNamingNoOwnerIsTakenOver()
{
    // What a copy killed between making the lock and writing its owner leaves behind, a
    // moment ago.
    writeFile(confFile() + QStringLiteral(".lock"), QByteArray());
    {
        QFile lock(confFile() + QStringLiteral(".lock"));
        QVERIFY(lock.open(QIODevice::ReadWrite));
        QVERIFY(lock.setFileTime(QDateTime::currentDateTime().addSecs(-2), QFileDevice::FileModificationTime));
    }
    StoredTable t;
    t.hi.NewEntry.Score = Decimal(47);
    t.dialogs.inputAnswers = {QStringLiteral("Kept")};
    t.hi.CheckTopTen();
    t.hi.SaveTopTen();
    QCOMPARE(t.reports(), QString());
    QCOMPARE(onDisk(confFile()).value(QStringLiteral("9")), QStringLiteral("Kept  47"));

    // A folder where the lock belongs: said in plain words, at once.
    QFile::remove(confFile() + QStringLiteral(".lock"));
    QVERIFY(QDir().mkpath(confFile() + QStringLiteral(".lock")));
    t.hi.NewEntry.Score = Decimal(46);
    t.dialogs.inputAnswers = {QStringLiteral("Late")};
    t.hi.CheckTopTen();
    t.hi.SaveTopTen();
    QVERIFY2(t.reports().contains(QStringLiteral("is taken by something other than a file")), qPrintable(t.reports()));
}
