// Which plugin the game asks Qt for at start: X11 on GNOME with an X display, Wayland on
// GNOME on Wayland at a fractional scale, and never over the player's own choice. The
// scale is asked of the desktop only where it decides.
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
        QTest::addColumn<QByteArray>("waylandDisplay");
        QTest::addColumn<QByteArray>("desktop");
        QTest::addColumn<bool>("platformArgument");
        QTest::addColumn<int>("fractional"); // what the desktop would answer
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<bool>("scaleAsked");

        const QByteArray x11 = "xcb;wayland", wayland = "wayland;xcb", none;
        const QByteArray wl = "wayland-0";
        // GNOME on X11: no Wayland to choose, and no connection to a Wayland desktop.
        QTest::newRow("GNOME on X11") << none << QByteArray(":0") << none << QByteArray("GNOME") << false << 1 << x11 << false;
        QTest::newRow("GNOME listed second") << none << QByteArray(":1") << none << QByteArray("ubuntu:GNOME") << false << 1 << x11 << false;
        QTest::newRow("GNOME in lower case") << none << QByteArray(":0") << none << QByteArray("gnome") << false << 1 << x11 << false;
        // GNOME on Wayland: the scale decides.
        QTest::newRow("GNOME on Wayland, whole scale") << none << QByteArray(":0") << wl << QByteArray("GNOME") << false << 0 << x11 << true;
        QTest::newRow("GNOME on Wayland, fractional scale") << none << QByteArray(":0") << wl << QByteArray("GNOME") << false << 1 << wayland << true;
        QTest::newRow("GNOME on Wayland, scale unknown") << none << QByteArray(":0") << wl << QByteArray("GNOME") << false << -1 << x11 << true;
        QTest::newRow("GNOME on Wayland without X") << none << none << wl << QByteArray("GNOME") << false << 1 << none << false;
        // The player's choice wins, at any scale, and costs no connection.
        QTest::newRow("player's variable: X11") << QByteArray("xcb") << QByteArray(":0") << wl << QByteArray("GNOME") << false << 1 << none << false;
        QTest::newRow("player's variable: Wayland") << QByteArray("wayland") << QByteArray(":0") << wl << QByteArray("GNOME") << false << 0 << none << false;
        QTest::newRow("player's option") << none << QByteArray(":0") << wl << QByteArray("GNOME") << true << 1 << none << false;
        // Other desktops place dialogs themselves.
        QTest::newRow("KDE") << none << QByteArray(":0") << wl << QByteArray("KDE") << false << 1 << none << false;
        QTest::newRow("sway") << none << QByteArray(":0") << wl << QByteArray("sway") << false << 1 << none << false;
        QTest::newRow("a name that only starts with GNOME") << none << QByteArray(":0") << wl << QByteArray("GNOME-Flashback-Test") << false << 1 << none << false;
        QTest::newRow("no desktop named") << none << QByteArray(":0") << wl << none << false << 1 << none << false;
    }

    void choice()
    {
        QFETCH(QByteArray, qpaPlatform);
        QFETCH(QByteArray, display);
        QFETCH(QByteArray, waylandDisplay);
        QFETCH(QByteArray, desktop);
        QFETCH(bool, platformArgument);
        QFETCH(int, fractional);
        QFETCH(QByteArray, expected);
        QFETCH(bool, scaleAsked);
        const PlatformEnvironment env{qpaPlatform, display, desktop, platformArgument, waylandDisplay};
        int asked = 0;
        QCOMPARE(preferredPlatform(env, [&] { ++asked; return fractional; }), expected);
        QCOMPARE(asked, scaleAsked ? 1 : 0);
    }

    // The command line and the environment as a player's session sets them.
    void fromTheProcess()
    {
        qputenv("QT_QPA_PLATFORM", "");
        qputenv("DISPLAY", ":0");
        qputenv("WAYLAND_DISPLAY", "wayland-0");
        qputenv("XDG_CURRENT_DESKTOP", "GNOME");
        char program[] = "tobrinel";
        char option[] = "-platform";
        char value[] = "xcb";
        char *withOption[] = {program, option, value, nullptr};
        char *without[] = {program, nullptr};
        const auto fractional = [] { return 1; };
        QCOMPARE(preferredPlatform(3, withOption, fractional), QByteArray());
        QCOMPARE(preferredPlatform(1, without, fractional), QByteArrayLiteral("wayland;xcb"));
        qputenv("QT_QPA_PLATFORM", "xcb");
        QCOMPARE(preferredPlatform(1, without, fractional), QByteArray());
    }
};

QTEST_APPLESS_MAIN(TestPlatformChoice)
#include "tst_platformchoice.moc"
