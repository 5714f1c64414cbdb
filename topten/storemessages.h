// The sentences the settings store's parts build their reports from, so that every part
// says "could not be written" and "unchanged" the same way.
#pragma once

#include "topten/settingsstore.h"

#include <QString>

namespace StoreMessages {

inline QString unchanged() { return QStringLiteral(" The stored list is unchanged."); }

inline QString quoted(const QString &text) { return QLatin1Char('"') + text + QLatin1Char('"'); }

inline QString cannotWrite(const QString &path, const QString &why)
{
    return QStringLiteral("The settings file %1 could not be written: %2.").arg(path, why) + unchanged();
}

[[noreturn]] inline void fail(const QString &description)
{
    throw StoreError(description.toStdString());
}

} // namespace StoreMessages
