// Tests of the system-information lookup through a scripted registry and launcher: which
// program is started, when the one message shows, and what readRegistryValue makes of each
// kind of value. The registry plays a standard user on HKLM: it refuses anything but reading.
#include "platform/dialogs.h"
#include "platform/sysinfo.h"

#include "fakes.h"

#include <QStandardPaths>
#include <QTemporaryFile>
#include <QTest>

#include <cstring>
#include <map>
#include <optional>
#include <vector>

namespace {

struct FakeValue
{
    std::uint32_t type = Registry::TypeText;
    QByteArray data;
    std::optional<std::uint32_t> reportedSize; // what the query claims instead of data's size
};

// One registry location: its key missing, its value missing, or a value.
struct RegEntry
{
    enum State { NoKey, NoValue, Present } state = NoKey;
    FakeValue value;
};

RegEntry noKey()
{
    return {};
}

RegEntry noValue()
{
    return {RegEntry::NoValue, {}};
}

RegEntry value(std::uint32_t type, const QByteArray &data, std::optional<std::uint32_t> reportedSize = {})
{
    return {RegEntry::Present, {type, data, reportedSize}};
}

// A REG_SZ as the registry stores it, with its terminating zero.
RegEntry text(const QString &s)
{
    QByteArray data = s.toLocal8Bit();
    data.append('\0');
    return value(Registry::TypeText, data);
}

class FakeRegistry final : public Registry
{
public:
    using Values = std::map<QString, FakeValue>;

    void put(const QString &key, const QString &name, const RegEntry &entry)
    {
        if (entry.state == RegEntry::NoKey)
            return;
        Values &values = keys[key];
        if (entry.state == RegEntry::Present)
            values[name] = entry.value;
    }

    long openKey(std::uint32_t root, const QString &path, std::uint32_t access, Handle *key) override
    {
        masks.push_back(access);
        auto it = keys.find(path);
        if (root != HKeyLocalMachine || it == keys.end())
            return FileNotFound;
        if (access & ~KeyRead)
            return AccessDenied;
        ++opened;
        *key = &it->second;
        return Success;
    }

    long queryValue(Handle key, const QString &name, std::uint32_t *type, unsigned char *data,
                    std::uint32_t *size) override
    {
        const Values &values = *static_cast<const Values *>(key);
        auto it = values.find(name);
        if (it == values.end())
            return FileNotFound;
        const FakeValue &v = it->second;
        *type = v.type;
        const auto needed = static_cast<std::uint32_t>(v.data.size());
        if (needed > *size) {
            *size = needed;
            return MoreData;
        }
        std::memcpy(data, v.data.constData(), needed);
        *size = v.reportedSize.value_or(needed);
        return Success;
    }

    long closeKey(Handle) override
    {
        ++closed;
        return Success;
    }

    std::map<QString, Values> keys;
    std::vector<std::uint32_t> masks;
    int opened = 0;
    int closed = 0;
};

const QString MsInfoKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString LocationKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
const QString Tool = QStringLiteral("C:\\Windows\\System32\\msinfo32.exe");
const QString Folder = QStringLiteral("C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo");
const QString FolderTool = Folder + QStringLiteral("\\MSINFO32.EXE");

QByteArray bytes(std::initializer_list<unsigned char> list)
{
    QByteArray b;
    for (unsigned char c : list)
        b.append(static_cast<char>(c));
    return b;
}

} // namespace

Q_DECLARE_METATYPE(RegEntry)

class TestSysInfo final : public QObject
{
    Q_OBJECT

private slots:
    void startSysInfo_data();
    void startSysInfo();
    void getKeyValue_data();
    void getKeyValue();
    void sizeZeroFailsAndClosesTheKey();
    void systemRegistryFindsNothingHere();
    void systemLauncher();
};

void TestSysInfo::startSysInfo_data()
{
    QTest::addColumn<RegEntry>("path");      // "PATH" under ...\Shared Tools\MSINFO
    QTest::addColumn<RegEntry>("folder");    // "MSINFO" under ...\Shared Tools Location
    QTest::addColumn<QStringList>("files");  // what exists on disk
    QTest::addColumn<QStringList>("started");
    QTest::addColumn<bool>("message");

    const QStringList none;
    const QString longPath = QStringLiteral("C:\\") + QString(1100, QLatin1Char('x'));
    const QString fullPath = QStringLiteral("C:\\") + QString(1020, QLatin1Char('a')); // 1023 + zero = 1024

    QTest::newRow("PATH found and started")
        << text(Tool) << text(Folder) << QStringList{Tool, FolderTool} << QStringList{Tool} << false;
    QTest::newRow("PATH naming a missing file is started, fails, no second try")
        << text(Tool) << text(Folder) << QStringList{FolderTool} << QStringList{Tool} << true;
    QTest::newRow("PATH of another type starts an empty path")
        << value(2, Tool.toLatin1() + '\0') << text(Folder) << QStringList{FolderTool} << QStringList{QString()}
        << true;
    QTest::newRow("no PATH key, folder holds MSINFO32.EXE")
        << noKey() << text(Folder) << QStringList{FolderTool} << QStringList{FolderTool} << false;
    QTest::newRow("no PATH value, folder holds MSINFO32.EXE")
        << noValue() << text(Folder) << QStringList{FolderTool} << QStringList{FolderTool} << false;
    QTest::newRow("folder without MSINFO32.EXE")
        << noKey() << text(Folder) << QStringList{Folder} << none << true;
    QTest::newRow("folder key without its value") << noKey() << noValue() << QStringList{FolderTool} << none << true;
    QTest::newRow("both keys missing") << noKey() << noKey() << QStringList{Tool, FolderTool} << none << true;
    QTest::newRow("PATH over 1024 bytes counts as missing")
        << text(longPath) << text(Folder) << QStringList{longPath, FolderTool} << QStringList{FolderTool} << false;
    QTest::newRow("PATH of 1023 characters is read whole")
        << text(fullPath) << noKey() << QStringList{fullPath} << QStringList{fullPath} << false;
    QTest::newRow("PATH reporting size 0 ends the lookup")
        << value(1, Tool.toLatin1() + '\0', 0) << text(Folder) << QStringList{Tool, FolderTool} << none << true;
    QTest::newRow("folder reporting size 0")
        << noKey() << value(1, Folder.toLatin1() + '\0', 0) << QStringList{FolderTool} << none << true;
}

void TestSysInfo::startSysInfo()
{
    QFETCH(RegEntry, path);
    QFETCH(RegEntry, folder);
    QFETCH(QStringList, files);
    QFETCH(QStringList, started);
    QFETCH(bool, message);

    FakeRegistry registry;
    registry.put(MsInfoKey, QStringLiteral("PATH"), path);
    registry.put(LocationKey, QStringLiteral("MSINFO"), folder);
    FakeLauncher launcher;
    launcher.files = files;
    FakeDialogs dialogs;

    showSystemInformation(dialogs, registry, launcher);

    QCOMPARE(launcher.started, started);
    if (message) {
        QCOMPARE(dialogs.calls.size(), std::size_t(1));
        const FakeDialogs::Call &call = dialogs.calls.front();
        QCOMPARE(call.kind, QStringLiteral("showMessage"));
        QCOMPARE(call.prompt, QStringLiteral("System Information Is Unavailable At This Time"));
        QCOMPARE(call.buttons, int(DialogButtons::Ok));
        QVERIFY(call.title.isEmpty()); // the application title stands in
    } else {
        QVERIFY(dialogs.calls.empty());
    }
    // A standard user gets read rights only, and no key is left open.
    for (std::uint32_t mask : registry.masks)
        QCOMPARE(mask, Registry::KeyRead);
    QCOMPARE(registry.closed, registry.opened);
}

void TestSysInfo::getKeyValue_data()
{
    QTest::addColumn<RegEntry>("entry");
    QTest::addColumn<QString>("before");
    QTest::addColumn<bool>("result");
    QTest::addColumn<QString>("after");

    const QString old = QStringLiteral("before");
    const QString fits(1023, QLatin1Char('f'));

    QTest::newRow("text") << text(QStringLiteral("C:\\x.exe")) << old << true << QStringLiteral("C:\\x.exe");
    QTest::newRow("text without its zero") << value(1, "abc") << old << true << QStringLiteral("abc");
#ifdef Q_OS_WIN
    // Text from the ANSI code page, as Qt converts it on Windows, ends at its first zero.
    QTest::newRow("a second trailing zero ends the text")
        << value(1, QByteArray("abc\0\0", 5)) << old << true << QStringLiteral("abc");
#else
    QTest::newRow("only one trailing zero is dropped")
        << value(1, QByteArray("abc\0\0", 5)) << old << true << QStringLiteral("abc") + QChar(0);
#endif
    QTest::newRow("empty text") << text(QString()) << old << true << QString();
    QTest::newRow("1023 characters fill the buffer") << text(fits) << old << true << fits;
    QTest::newRow("1024 characters do not fit") << text(fits + QLatin1Char('f')) << old << false << QString();
    // A number's top zero byte goes with the trailing zero; its value stays the same.
    QTest::newRow("number 42") << value(4, bytes({0x2a, 0, 0, 0})) << old << true << QStringLiteral("42");
    QTest::newRow("number with all four bytes")
        << value(4, bytes({0x01, 0x02, 0x03, 0x04})) << old << true << QStringLiteral("67305985");
    QTest::newRow("number with the top bit set")
        << value(4, bytes({0xff, 0xff, 0xff, 0xff})) << old << true << QStringLiteral("4294967295");
    QTest::newRow("number zero") << value(4, bytes({0, 0, 0, 0})) << old << true << QStringLiteral("0");
    QTest::newRow("expandable text keeps the old text") << value(2, "%SystemRoot%") << old << true << old;
    QTest::newRow("binary keeps the old text") << value(3, bytes({0xde, 0xad})) << old << true << old;
    QTest::newRow("missing value empties the text") << noValue() << old << false << QString();
    QTest::newRow("missing key empties the text") << noKey() << old << false << QString();
}

void TestSysInfo::getKeyValue()
{
    QFETCH(RegEntry, entry);
    QFETCH(QString, before);
    QFETCH(bool, result);
    QFETCH(QString, after);

    FakeRegistry registry;
    registry.put(QStringLiteral("SOFTWARE\\Test"), QStringLiteral("V"), entry);
    QString text = before;

    QCOMPARE(readRegistryValue(registry, Registry::HKeyLocalMachine, QStringLiteral("SOFTWARE\\Test"), QStringLiteral("V"),
                         text),
             result);
    QCOMPARE(text, after);
    QCOMPARE(registry.closed, registry.opened);
}

void TestSysInfo::sizeZeroFailsAndClosesTheKey()
{
    FakeRegistry registry;
    registry.put(MsInfoKey, QStringLiteral("PATH"), value(1, "C:\\x.exe", 0));
    QString text = QStringLiteral("before");

    QVERIFY_THROWS_EXCEPTION(
        SysInfoError, readRegistryValue(registry, Registry::HKeyLocalMachine, MsInfoKey, QStringLiteral("PATH"), text));
    QCOMPARE(registry.opened, 1);
    QCOMPARE(registry.closed, 1);
}

void TestSysInfo::systemRegistryFindsNothingHere()
{
#ifdef Q_OS_WIN
    QSKIP("Windows has a registry; the Wine test covers it");
#else
    SystemRegistry registry;
    QString text = QStringLiteral("before");
    QVERIFY(!readRegistryValue(registry, Registry::HKeyLocalMachine, MsInfoKey, QStringLiteral("PATH"), text));
    QCOMPARE(text, QString());

    FakeLauncher launcher;
    launcher.files = QStringList{Tool, FolderTool};
    FakeDialogs dialogs;
    showSystemInformation(dialogs, registry, launcher);
    QVERIFY(launcher.started.isEmpty());
    QCOMPARE(dialogs.calls.size(), std::size_t(1));
    QCOMPARE(dialogs.calls.front().prompt, QStringLiteral("System Information Is Unavailable At This Time"));
#endif
}

void TestSysInfo::systemLauncher()
{
    SystemLauncher launcher;
    QTemporaryFile file;
    QVERIFY(file.open());
    QVERIFY(launcher.fileExists(file.fileName()));
    QVERIFY(!launcher.fileExists(file.fileName() + QStringLiteral(".missing")));

    QVERIFY(!launcher.startDetached(QString()));
    QVERIFY(!launcher.startDetached(file.fileName() + QStringLiteral(".missing")));
#ifndef Q_OS_WIN
    const QString program = QStandardPaths::findExecutable(QStringLiteral("true"));
    if (program.isEmpty())
        QSKIP("no 'true' program to start");
    QVERIFY(launcher.startDetached(program));
#endif
}

QTEST_GUILESS_MAIN(TestSysInfo)
#include "tst_sysinfo.moc"
