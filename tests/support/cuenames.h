// Cues by name in the messages of failed comparisons: "{Select, Move}" rather than a list
// of numbers or nothing at all.
#pragma once

#include "fakes.h"

#include <QTest>

namespace QTest {
template <>
inline char *toString(const Cue &cue)
{
    return qstrdup(cueName(cue).toUtf8().constData());
}

template <>
inline char *toString(const Cues &cues)
{
    QStringList names;
    for (Cue cue : cues)
        names << cueName(cue);
    return qstrdup(QStringLiteral("{%1}").arg(names.join(QStringLiteral(", "))).toUtf8().constData());
}
} // namespace QTest
