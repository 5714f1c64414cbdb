#include "media/soundresources.h"

#include <QFile>

// The cues are linked as an object file of their own; referring to its init function
// (declared at namespace scope) is what keeps the linker from leaving it out.
static void registerSounds()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(tobrinel_sounds);
        return true;
    }();
    Q_UNUSED(registered);
}

QString soundResourcePath(Cue cue)
{
    registerSounds();
    return QStringLiteral(":/SOUNDS/%1").arg(static_cast<int>(cue));
}

QByteArray soundResource(Cue cue)
{
    QFile resource(soundResourcePath(cue));
    return resource.open(QIODevice::ReadOnly) ? resource.readAll() : QByteArray();
}
