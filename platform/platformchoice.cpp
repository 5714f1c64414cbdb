#include "platform/platformchoice.h"

#include <QList>
#include <QtGlobal>

#include <cstring>

namespace {

bool namesGnome(const QByteArray &currentDesktop)
{
    // "GNOME", "ubuntu:GNOME", "GNOME-Classic:GNOME", ...
    for (const QByteArray &name : currentDesktop.split(':')) {
        if (name.trimmed().toLower() == "gnome")
            return true;
    }
    return false;
}

} // namespace

QByteArray preferredPlatform(const PlatformEnvironment &env, const FractionalScaleCheck &fractionalScale)
{
    if (!env.qpaPlatform.isEmpty() || env.platformArgument || env.display.isEmpty() || !namesGnome(env.currentDesktop))
        return QByteArray();
    // GNOME on X11 has no Wayland to choose; on Wayland the scale decides.
    if (!env.waylandDisplay.isEmpty() && fractionalScale && fractionalScale() == 1)
        return QByteArrayLiteral("wayland;xcb");
    return QByteArrayLiteral("xcb;wayland");
}

QByteArray preferredPlatform(int argc, char **argv, const FractionalScaleCheck &fractionalScale)
{
    PlatformEnvironment env;
    env.qpaPlatform = qgetenv("QT_QPA_PLATFORM");
    env.display = qgetenv("DISPLAY");
    env.currentDesktop = qgetenv("XDG_CURRENT_DESKTOP");
    env.waylandDisplay = qgetenv("WAYLAND_DISPLAY");
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            env.platformArgument = true;
    }
    return preferredPlatform(env, fractionalScale);
}
