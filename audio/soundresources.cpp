#include "audio/soundresources.h"

#include "platform/resourcebundle.h"

#include <QFile>

// The cues are a resource bundle of their own, registered at the first cue.
TOBRINEL_RESOURCE_BUNDLE(sounds);

namespace {

constinit ResourceBundle sounds(tobrinel_bundle_sounds);

} // namespace

QString soundResourcePath(Cue cue)
{
    sounds.registerOnce();
    return QStringLiteral(":/SOUNDS/%1").arg(static_cast<int>(cue));
}

QByteArray soundResource(Cue cue)
{
    QFile resource(soundResourcePath(cue));
    return resource.open(QIODevice::ReadOnly) ? resource.readAll() : QByteArray();
}
