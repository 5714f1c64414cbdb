// The settings file replaced whole, and a damaged one kept aside before it is replaced.
#pragma once

#include <QByteArray>
#include <QString>

class StorePlatform;

namespace FileReplace {

// Replaces the file with bytes so that it holds either all of them or, on any failure,
// exactly what it held before. A link stays a link: its target is replaced. Throws
// StoreError in words for the player.
void replaceWhole(const QString &path, const QByteArray &bytes, StorePlatform &platform);

// A second name for a damaged file about to be replaced (the file a link points to, for a
// link), beside path, where a player looking in the settings folder finds it. Returns that
// name; throws StoreError.
QString keepAside(const QString &path, StorePlatform &platform);

} // namespace FileReplace
