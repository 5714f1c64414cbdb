// The top ten through a real QSettings file in a temporary folder: the exact stored text,
// values that are not text, damaged files, and writes that fail (a full disk is in
// tst_faults). Each test points the per-user settings path at its own folder, so the
// player's real store is never touched.
#include "topten/hiscores.h"
#include "topten/qsettingsstore.h"

#include "fakes.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <memory>


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
    QSettingsStore store;
    FakeDialogs dialogs;
    modHiScores hi(store, dialogs);
    for (int i = 0; i < 10; ++i)
        hi.TopTen[i].Score = Decimal(100 - i);
    hi.TopTen[7].Name = NickName(QStringLiteral("Abc"));
    hi.TopTen[8].Name = NickName(grins);
    hi.TopTen[9].Name = NickName(QStringLiteral("  x"));

    hi.SaveTopTen();

    QVERIFY(dialogs.calls.empty());
    const QMap<QString, QString> disk = onDisk(confFile());
    QCOMPARE(disk.size(), 10);
    QCOMPARE(disk.value(QStringLiteral("0")), QStringLiteral("Zenlor100"));
    QCOMPARE(disk.value(QStringLiteral("7")), QStringLiteral("Abc   93"));
    QCOMPARE(disk.value(QStringLiteral("8")), grins + QStringLiteral("92"));
    QCOMPARE(disk.value(QStringLiteral("9")), QStringLiteral("  x   91"));

    modHiScores reloaded(store, dialogs);
    reloaded.LoadTopTenBoard();
    QVERIFY(dialogs.calls.empty());
    for (int i = 0; i < 10; ++i) {
        QCOMPARE(reloaded.TopTen[i].Name.text(), hi.TopTen[i].Name.text());
        QCOMPARE(reloaded.TopTen[i].Score, hi.TopTen[i].Score);
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
    writeFile(confFile(), "[HiScores]\n0=Abc   90\n3=a,b   5\n4=Def   40\n9=Ghi   7\n");
    QSettingsStore store;
    FakeDialogs dialogs;
    modHiScores hi(store, dialogs);

    hi.LoadTopTenBoard();

    QCOMPARE(dialogs.reportTitles(), QStringList{QStringLiteral("LoadTopTenBoard")});
    QCOMPARE(dialogs.calls.front().prompt,
             QStringLiteral("Key \"3\" in section \"HiScores\" of the settings file %1 does not hold text.\n"
                            "An entry that cannot be read is not a result: the next result to enter the list "
                            "takes its place first.")
                 .arg(confFile()));
    QCOMPARE(hi.TopTen[0].Name.text(), QStringLiteral("Abc   "));
    QVERIFY(hi.TopTen[3].Damaged);
    QCOMPARE(hi.TopTen[4].Name.text(), QStringLiteral("Def   "));
    QCOMPARE(hi.TopTen[9].Score, Decimal(7));
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
    QSettingsStore store;
    FakeDialogs dialogs;
    modHiScores hi(store, dialogs);

    hi.SaveTopTen();

    QCOMPARE(dialogs.reportTitles(), QStringList{QStringLiteral("SaveTopTen")});
    QCOMPARE(dialogs.calls.front().prompt,
             QStringLiteral("Your result could not be added to the top ten. The settings file %1 could not be "
                            "written: its folder cannot be made. The stored list is unchanged.")
                 .arg(confFile()));
    QCOMPARE(int(dialogs.calls.size()), 1);

    hi.ClearTopTen();
    QCOMPARE(dialogs.reportTitles(), (QStringList{QStringLiteral("SaveTopTen"), QStringLiteral("ClearTopTen")}));
}

void TestQSettingsStore::clearNeedsTheSection()
{
    QSettingsStore store;
    FakeDialogs dialogs;
    modHiScores hi(store, dialogs);

    hi.ClearTopTen(); // nothing ever saved
    QCOMPARE(dialogs.reportTitles(), QStringList{QStringLiteral("ClearTopTen")});
    QCOMPARE(dialogs.calls.back().prompt,
             QStringLiteral("There is no section \"HiScores\" in the settings file %1 to delete.").arg(confFile()));

    dialogs.calls.clear();
    writeFile(confFile(), "[HiScores]\n0=Abc   90\n[Other]\nx=kept\n");
    hi.TopTen[5].Name = NickName(QStringLiteral("Memory"));
    hi.ClearTopTen();
    QVERIFY(dialogs.calls.empty());
    QVERIFY(onDisk(confFile()).isEmpty());
    QCOMPARE(QSettings(QStringLiteral("Tobrinel"), App).value(QStringLiteral("Other/x")).toString(),
             QStringLiteral("kept"));

    hi.ClearTopTen(); // twice in a row
    QCOMPARE(dialogs.reportTitles(), QStringList{QStringLiteral("ClearTopTen")});
    QCOMPARE(hi.TopTen[5].Name.text(), QStringLiteral("Memory"));
    QCOMPARE(hi.TopTen[0].Name.text(), QStringLiteral("Zenlor"));
}

void TestQSettingsStore::clearThenSaveWritesTheTableBack()
{
    QSettingsStore store;
    FakeDialogs dialogs;
    modHiScores hi(store, dialogs);
    for (int i = 0; i < 10; ++i)
        hi.TopTen[i] = TopTenEntry{Decimal(100 - i), NickName(QString(QChar(u'A' + i)))};
    hi.SaveTopTen();
    hi.ClearTopTen();
    QVERIFY(onDisk(confFile()).isEmpty());

    hi.NewEntry.Score = Decimal(50);
    dialogs.inputAnswers = {QStringLiteral("New")};
    hi.CheckTopTen();
    hi.SaveTopTen();

    QVERIFY(dialogs.reportTitles().isEmpty());
    const QMap<QString, QString> disk = onDisk(confFile());
    QCOMPARE(disk.size(), 10);
    QCOMPARE(disk.value(QStringLiteral("0")), QStringLiteral("B     99"));
    QCOMPARE(disk.value(QStringLiteral("9")), QStringLiteral("New   50"));
}

QTEST_GUILESS_MAIN(TestQSettingsStore)
#include "tst_qsettingsstore.moc"
