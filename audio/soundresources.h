// Where the six cues' WAV images lie in the program's resources (type "SOUNDS",
// identifiers 1 to 6).
#pragma once

#include "audio/cues.h"

#include <QByteArray>
#include <QString>

// The resource path of a cue, ":/SOUNDS/<n>".
QString soundResourcePath(Cue cue);
// The WAV image of a cue; empty when the resource cannot be read.
QByteArray soundResource(Cue cue);
