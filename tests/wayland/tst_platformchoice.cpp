// Which plugin the game asks Qt for at start: X11 on GNOME with an X display, Wayland on
// GNOME on Wayland at a fractional scale, and never over the player's own choice. The
// scale is asked of the desktop only where it decides, and read from what its monitors
// report.
#include "platform/monitorscale.h"
#include "platform/platformchoice.h"

#include <QTest>

#include <vector>

Q_DECLARE_METATYPE(std::vector<MonitorSize>)

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

    // Monitors as GNOME reports them: the mode in the screen's pixels, the logical size
    // after the monitor's turn, rounded to whole pixels.
    void monitorScale_data()
    {
        QTest::addColumn<std::vector<MonitorSize>>("monitors");
        QTest::addColumn<int>("expected");

        QTest::newRow("100%") << std::vector<MonitorSize>{{1920, 1080, 1920, 1080}} << 0;
        QTest::newRow("200%") << std::vector<MonitorSize>{{2560, 1800, 1280, 900}} << 0;
        QTest::newRow("125%") << std::vector<MonitorSize>{{1600, 1125, 1280, 900}} << 1;
        QTest::newRow("150%") << std::vector<MonitorSize>{{1920, 1350, 1280, 900}} << 1;
        QTest::newRow("176%, logical size rounded") << std::vector<MonitorSize>{{2240, 1575, 1273, 895}} << 1;
        QTest::newRow("200%, logical size rounded") << std::vector<MonitorSize>{{3841, 2161, 1920, 1080}} << 0;
        QTest::newRow("150%, turned upright") << std::vector<MonitorSize>{{1920, 1080, 720, 1280}} << 1;
        QTest::newRow("200%, turned upright") << std::vector<MonitorSize>{{2560, 1440, 720, 1280}} << 0;
        QTest::newRow("a fractional one beside a whole one")
            << std::vector<MonitorSize>{{1920, 1080, 1920, 1080}, {2880, 1620, 1920, 1080}} << 1;
        QTest::newRow("a logical size missing")
            << std::vector<MonitorSize>{{2880, 1620, 1920, 1080}, {1920, 1080, 0, 0}} << -1;
        QTest::newRow("no mode") << std::vector<MonitorSize>{{0, 0, 1280, 900}} << -1;
        QTest::newRow("no monitor") << std::vector<MonitorSize>{} << -1;
    }

    void monitorScale()
    {
        QFETCH(std::vector<MonitorSize>, monitors);
        QFETCH(int, expected);
        QCOMPARE(anyFractionalScale(monitors), expected);
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
