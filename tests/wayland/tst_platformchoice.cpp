// When the game asks Qt for its X11 plugin at start: on GNOME with an X display, and never
// over the player's own choice.
#include "platform/platformchoice.h"

#include <QTest>

class TestPlatformChoice final : public QObject
{
    Q_OBJECT

private slots:
    void choice_data()
    {
        QTest::addColumn<QByteArray>("qpaPlatform");
        QTest::addColumn<QByteArray>("display");
        QTest::addColumn<QByteArray>("desktop");
        QTest::addColumn<bool>("platformArgument");
        QTest::addColumn<QByteArray>("expected");

        const QByteArray x11 = "xcb;wayland";
        QTest::newRow("GNOME with Xwayland") << QByteArray() << QByteArray(":0") << QByteArray("GNOME") << false << x11;
        QTest::newRow("GNOME listed second") << QByteArray() << QByteArray(":1") << QByteArray("ubuntu:GNOME") << false << x11;
        QTest::newRow("GNOME in lower case") << QByteArray() << QByteArray(":0") << QByteArray("gnome") << false << x11;
        QTest::newRow("GNOME without X") << QByteArray() << QByteArray() << QByteArray("GNOME") << false << QByteArray();
        QTest::newRow("player's variable wins") << QByteArray("wayland") << QByteArray(":0") << QByteArray("GNOME") << false << QByteArray();
        QTest::newRow("player's option wins") << QByteArray() << QByteArray(":0") << QByteArray("GNOME") << true << QByteArray();
        QTest::newRow("KDE") << QByteArray() << QByteArray(":0") << QByteArray("KDE") << false << QByteArray();
        QTest::newRow("sway") << QByteArray() << QByteArray(":0") << QByteArray("sway") << false << QByteArray();
        QTest::newRow("a name that only starts with GNOME") << QByteArray() << QByteArray(":0") << QByteArray("GNOME-Flashback-Test") << false << QByteArray();
        QTest::newRow("no desktop named") << QByteArray() << QByteArray(":0") << QByteArray() << false << QByteArray();
    }

    void choice()
    {
        QFETCH(QByteArray, qpaPlatform);
        QFETCH(QByteArray, display);
        QFETCH(QByteArray, desktop);
        QFETCH(bool, platformArgument);
        QFETCH(QByteArray, expected);
        const PlatformEnvironment env{qpaPlatform, display, desktop, platformArgument};
        QCOMPARE(preferredPlatform(env), expected);
    }

    // The command line form as a player types it.
    void platformOptionOnTheCommandLine()
    {
        qputenv("QT_QPA_PLATFORM", "");
        qputenv("DISPLAY", ":0");
        qputenv("XDG_CURRENT_DESKTOP", "GNOME");
        char program[] = "tobrinel";
        char option[] = "-platform";
        char value[] = "wayland";
        char *withOption[] = {program, option, value, nullptr};
        char *without[] = {program, nullptr};
        QCOMPARE(preferredPlatform(3, withOption), QByteArray());
        QCOMPARE(preferredPlatform(1, without), QByteArrayLiteral("xcb;wayland"));
    }
};

QTEST_APPLESS_MAIN(TestPlatformChoice)
#include "tst_platformchoice.moc"
