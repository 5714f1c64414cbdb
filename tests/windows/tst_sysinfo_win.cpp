// The System Info button's path on Windows, with the real registry and process start under
// Wine (ui/systemregistry.cpp, ui/registry_win.cpp, ui/systemlauncher.cpp): the tool the
// registry names is started, and where there is none, or it cannot be started, the player
// gets the one message. Wine has no system-information tool of its own: a stub stands in.
#include "platform/sysinfo.h"

#include "fakes.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <memory>

#include <windows.h>

namespace {

const wchar_t *const MsInfoKey = L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const wchar_t *const LocationKey = L"SOFTWARE\\Microsoft\\Shared Tools Location";

void removeKey(const wchar_t *key)
{
    const LSTATUS status = RegDeleteTreeW(HKEY_LOCAL_MACHINE, key);
    QVERIFY(status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND);
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, key);
}

void setText(const wchar_t *key, const wchar_t *name, const QString &text)
{
    HKEY handle = nullptr;
    QCOMPARE(RegCreateKeyExW(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr),
             LSTATUS(ERROR_SUCCESS));
    const std::wstring value = QDir::toNativeSeparators(text).toStdWString();
    const LSTATUS status = RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE *>(value.c_str()),
                                          DWORD((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(handle);
    QCOMPARE(status, LSTATUS(ERROR_SUCCESS));
}

bool appears(const QString &path)
{
    QDeadlineTimer deadline(10000);
    while (!QFile::exists(path)) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(20);
    }
    return true;
}

} // namespace

class TestSysInfoWin : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        removeKey(MsInfoKey);
        removeKey(LocationKey);
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void cleanupTestCase()
    {
        removeKey(MsInfoKey);
        removeKey(LocationKey);
    }

    void withoutTheToolThePlayerIsTold()
    {
        const QStringList prompts = press();
        QCOMPARE(prompts, QStringList{QString::fromLatin1(SysInfoUnavailable)});
    }

    void theToolAtTheFirstKeysPathIsStarted()
    {
        const QString tool = placeStub(QStringLiteral("msinfo-here.exe"));
        setText(MsInfoKey, L"PATH", tool);
        QCOMPARE(press(), QStringList());
        QVERIFY(appears(tool + QStringLiteral(".started")));
    }

    void theToolInTheSharedToolsFolderIsStarted()
    {
        const QString tool = placeStub(QStringLiteral("MSINFO32.EXE"));
        setText(LocationKey, L"MSINFO", m_dir->path());
        QCOMPARE(press(), QStringList());
        QVERIFY(appears(tool + QStringLiteral(".started")));
    }

    void aToolThatIsNotThereIsToldAsUnavailable_data()
    {
        QTest::addColumn<bool>("firstKey");
        QTest::newRow("the first key names a missing program") << true;
        QTest::newRow("the shared tools folder has no MSINFO32.EXE") << false;
    }

    void aToolThatIsNotThereIsToldAsUnavailable()
    {
        QFETCH(bool, firstKey);
        if (firstKey)
            setText(MsInfoKey, L"PATH", m_dir->filePath(QStringLiteral("gone.exe")));
        else
            setText(LocationKey, L"MSINFO", m_dir->path());
        QCOMPARE(press(), QStringList{QString::fromLatin1(SysInfoUnavailable)});
    }

private:
    // Presses the button's code with the real seams; the prompts the player saw.
    QStringList press()
    {
        FakeDialogs dialogs;
        SystemRegistry registry;
        SystemLauncher launcher;
        showSystemInformation(dialogs, registry, launcher);
        QStringList prompts;
        for (const FakeDialogs::Call &call : dialogs.calls)
            prompts << call.prompt;
        return prompts;
    }

    QString placeStub(const QString &name)
    {
        const QString path = m_dir->filePath(name);
        QFile::remove(path);
        if (!QFile::copy(QStringLiteral(SYSINFO_STUB), path))
            qFatal("the stub could not be copied from %s", SYSINFO_STUB);
        return path;
    }

    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_GUILESS_MAIN(TestSysInfoWin)
#include "tst_sysinfo_win.moc"
