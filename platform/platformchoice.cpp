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

QByteArray preferredPlatform(const PlatformEnvironment &env)
{
    if (!env.qpaPlatform.isEmpty() || env.platformArgument || env.display.isEmpty() || !namesGnome(env.currentDesktop))
        return QByteArray();
    return QByteArrayLiteral("xcb;wayland");
}

QByteArray preferredPlatform(int argc, char **argv)
{
    PlatformEnvironment env;
    env.qpaPlatform = qgetenv("QT_QPA_PLATFORM");
    env.display = qgetenv("DISPLAY");
    env.currentDesktop = qgetenv("XDG_CURRENT_DESKTOP");
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            env.platformArgument = true;
    }
    return preferredPlatform(env);
}
