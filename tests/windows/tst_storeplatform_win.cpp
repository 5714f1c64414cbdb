// The store's system calls on Windows (topten/storeplatform_win.cpp), against the real
// system under Wine: what each call does to the files, and the error numbers the store
// tells apart.
#include "platform/storeplatform.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <windows.h>

namespace {

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

class TestStorePlatformWin : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void aHardLinkIsASecondNameForTheSameFile()
    {
        const QString file = m_dir->filePath("Tobrinel.conf");
        const QString link = m_dir->filePath("Tobrinel.conf.damaged-1");
        write(file, "old list");
        QCOMPARE(systemPlatform().hardLink(file, link), 0);
        QCOMPARE(contents(link), QByteArray("old list"));
        // The same file, not a copy: a change through one name shows through the other.
        write(file, "changed");
        QCOMPARE(contents(link), QByteArray("changed"));
    }

    void aHardLinkOntoATakenNameSaysItExists()
    {
        const QString file = m_dir->filePath("Tobrinel.conf");
        const QString taken = m_dir->filePath("taken");
        write(file, "list");
        write(taken, "someone else's");
        const int error = systemPlatform().hardLink(file, taken);
        QVERIFY(error != 0);
        QVERIFY2(StorePlatform::meansExists(error), qPrintable(systemPlatform().errorText(error)));
        QVERIFY(!StorePlatform::meansNoHardLinks(error));
        QCOMPARE(contents(taken), QByteArray("someone else's"));
    }

    void aHardLinkToNothingFailsOtherwise()
    {
        const int error = systemPlatform().hardLink(m_dir->filePath("missing"), m_dir->filePath("link"));
        QVERIFY(error != 0);
        QVERIFY(!StorePlatform::meansExists(error));
        QVERIFY(!QFile::exists(m_dir->filePath("link")));
    }

    void aRenameReplacesTheOldFileWhole()
    {
        const QString from = m_dir->filePath("Tobrinel.conf.keep");
        const QString to = m_dir->filePath("Tobrinel.conf");
        write(from, "new list");
        write(to, "old list");
        QCOMPARE(systemPlatform().renameOver(from, to), 0);
        QCOMPARE(contents(to), QByteArray("new list"));
        QVERIFY(!QFile::exists(from));
        // And where there was none.
        write(from, "newer");
        QVERIFY(QFile::remove(to));
        QCOMPARE(systemPlatform().renameOver(from, to), 0);
        QCOMPARE(contents(to), QByteArray("newer"));
    }

    void aRenameOfNothingFailsAndLeavesTheFile()
    {
        const QString to = m_dir->filePath("Tobrinel.conf");
        write(to, "list");
        QCOMPARE(systemPlatform().renameOver(m_dir->filePath("missing"), to), int(ERROR_FILE_NOT_FOUND));
        QCOMPARE(contents(to), QByteArray("list"));
    }

    void aFolderIsSyncedOrSaysWhyNot()
    {
        QCOMPARE(systemPlatform().syncFolder(m_dir->path()), 0);
        QVERIFY(systemPlatform().syncFolder(m_dir->filePath("missing")) != 0);
    }

    void entryKinds_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("kind");
        QTest::newRow("a file") << "file" << int(EntryKind::File);
        QTest::newRow("a folder") << "folder" << int(EntryKind::Other);
        QTest::newRow("nothing") << "missing" << int(EntryKind::Absent);
        QTest::newRow("in a folder that is not there") << "missing/file" << int(EntryKind::Absent);
        QTest::newRow("below a file") << "file/below" << int(EntryKind::Absent);
    }

    void entryKinds()
    {
        QFETCH(QString, path);
        QFETCH(int, kind);
        write(m_dir->filePath("file"), "x");
        QVERIFY(QDir(m_dir->path()).mkdir("folder"));
        QCOMPARE(int(entryKind(m_dir->filePath(path))), kind);
    }

    void aProcessIsGoneOnlyOnceItHasEnded()
    {
        QVERIFY(!processGone(QCoreApplication::applicationPid()));
        QVERIFY(!processGone(0));
        QVERIFY(!processGone(-1));

        QProcess child;
        child.start(QStringLiteral("cmd.exe"), {QStringLiteral("/c"), QStringLiteral("exit")});
        QVERIFY(child.waitForStarted());
        const qint64 pid = child.processId();
        QVERIFY(pid > 0);
        QVERIFY(child.waitForFinished());
        QVERIFY(processGone(pid));
    }

    void errorsAreToldInWords()
    {
        const QString notFound = systemPlatform().errorText(ERROR_FILE_NOT_FOUND);
        const QString denied = systemPlatform().errorText(ERROR_ACCESS_DENIED);
        QVERIFY(!notFound.isEmpty());
        QVERIFY(!denied.isEmpty());
        QVERIFY(notFound != denied);
    }

    void theErrorsOfAFileSystemWithoutHardLinks_data()
    {
        QTest::addColumn<int>("error");
        QTest::addColumn<bool>("noHardLinks");
        QTest::newRow("FAT") << int(ERROR_INVALID_FUNCTION) << true;
        QTest::newRow("not supported") << int(ERROR_NOT_SUPPORTED) << true;
        QTest::newRow("another drive") << int(ERROR_NOT_SAME_DEVICE) << true;
        QTest::newRow("too many links") << int(ERROR_TOO_MANY_LINKS) << true;
        QTest::newRow("a name taken") << int(ERROR_ALREADY_EXISTS) << false;
        QTest::newRow("no room") << int(ERROR_DISK_FULL) << false;
    }

    void theErrorsOfAFileSystemWithoutHardLinks()
    {
        QFETCH(int, error);
        QFETCH(bool, noHardLinks);
        QCOMPARE(StorePlatform::meansNoHardLinks(error), noHardLinks);
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_GUILESS_MAIN(TestStorePlatformWin)
#include "tst_storeplatform_win.moc"
