// Where the list is kept follows XDG_CONFIG_HOME as the base-directory convention has it:
// a relative value is ignored, and a folder whose name is not UTF-8 is found as it is.
#include "topten/qsettingsstore.h"
#include "topten/settingsfolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <filesystem>
#include <optional>

#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString App = QStringLiteral("Tobrinel");

std::optional<QString> storedBest()
{
    QSettingsStore store;
    return store.readSection(App, QStringLiteral("HiScores"), {QStringLiteral("9")}, QString()).front().text;
}

void writeRaw(const QByteArray &path, const QByteArray &bytes)
{
    // QFile would mangle a name that is not UTF-8 too: write through the system.
    FILE *raw = std::fopen(path.constData(), "wb");
    QVERIFY(raw);
    QCOMPARE(std::fwrite(bytes.constData(), 1, size_t(bytes.size()), raw), size_t(bytes.size()));
    QCOMPARE(std::fclose(raw), 0);
}

bool isFolder(const QByteArray &path)
{
    struct stat info = {};
    return ::stat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace

class TestSettingsFolder final : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(m_root.isValid());
        m_rootBytes = QFile::encodeName(m_root.path());
        m_oldHome = qgetenv("HOME");
        m_oldConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("HOME", m_rootBytes + "/home");
        QVERIFY(QDir().mkpath(m_root.path() + QStringLiteral("/home")));
        m_oldCwd = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_root.path()));
    }

    void cleanup()
    {
        qputenv("HOME", m_oldHome);
        qputenv("XDG_CONFIG_HOME", m_oldConfig);
        QDir::setCurrent(m_oldCwd);
    }

    void theFolderFollowsTheConvention_data()
    {
        QTest::addColumn<QByteArray>("configHome"); // after the root folder's path when it starts with "/"
        QTest::addColumn<QString>("folder");        // under the root folder
        QTest::newRow("unset") << QByteArray() << "/home/.config";
        QTest::newRow("absolute") << QByteArray("/cfg") << "/cfg";
        QTest::newRow("relative: ignored") << QByteArray("relcfg") << "/home/.config";
        QTest::newRow("relative with a dot: ignored") << QByteArray("./relcfg") << "/home/.config";
    }

    void theFolderFollowsTheConvention()
    {
        QFETCH(QByteArray, configHome);
        QFETCH(QString, folder);
        qputenv("XDG_CONFIG_HOME", configHome.startsWith('/') ? m_rootBytes + configHome : configHome);
        useSettingsFolder();
        QCOMPARE(QSettingsStore::fileName(App), m_root.path() + folder + QStringLiteral("/Tobrinel/Tobrinel.conf"));
    }

    void aFolderNamedInOtherBytesIsFoundAsItIs()
    {
        const QByteArray configHome = m_rootBytes + "/Jos\xe9-cfg";
        QVERIFY(::mkdir(configHome.constData(), 0700) == 0);
        QVERIFY(::mkdir((configHome + "/Tobrinel").constData(), 0700) == 0);
        writeRaw(configHome + "/Tobrinel/Tobrinel.conf", "[HiScores]\n9=Rita  52\n");
        qputenv("XDG_CONFIG_HOME", configHome);

        useSettingsFolder();
        QCOMPARE(storedBest(), std::optional<QString>(QStringLiteral("Rita  52")));

        // A save goes to the same file, and no folder of another name appears.
        QSettingsStore store;
        store.updateSection(App, QStringLiteral("HiScores"), {QStringLiteral("9")}, QString(),
                            [](const std::vector<StoredValue> &) {
                                return std::vector<std::optional<QString>>{QStringLiteral("Tom   50")};
                            });
        QFile kept(QSettingsStore::fileName(App));
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QVERIFY(kept.readAll().contains("Tom   50"));
        int folders = 0;
        for (const auto &entry : std::filesystem::directory_iterator(m_rootBytes.toStdString()))
            folders += entry.is_directory() ? 1 : 0;
        QCOMPARE(folders, 2); // home and the one named in other bytes
    }

    void aMissingFolderNamedInOtherBytesIsMadeAsItIs()
    {
        const QByteArray configHome = m_rootBytes + "/Jos\xe9-new";
        qputenv("XDG_CONFIG_HOME", configHome);
        useSettingsFolder();
        QSettingsStore store;
        store.updateSection(App, QStringLiteral("HiScores"), {QStringLiteral("9")}, QString(),
                            [](const std::vector<StoredValue> &) {
                                return std::vector<std::optional<QString>>{QStringLiteral("Tom   50")};
                            });
        QVERIFY(isFolder(configHome + "/Tobrinel"));
        struct stat info = {};
        QCOMPARE(::stat((configHome + "/Tobrinel/Tobrinel.conf").constData(), &info), 0);
    }

private:
    QTemporaryDir m_root;
    QByteArray m_rootBytes;
    QByteArray m_oldHome;
    QByteArray m_oldConfig;
    QString m_oldCwd;
};

QTEST_GUILESS_MAIN(TestSettingsFolder)
#include "tst_settingsfolder.moc"
