// Results that could not be stored because another copy of the game held the list past
// the end of this one: kept in a file of their own beside the settings file, one stored
// text a line, and added to the list at the next start.
#pragma once

#include <QString>
#include <QStringList>

class StorePlatform;

namespace WaitingFile {

// "<settings file>.waiting", in the settings folder where a player looking finds it.
QString pathFor(const QString &settingsPath);

// Adds texts to those the file already keeps, replacing it whole. Throws StoreError.
void add(const QString &settingsPath, const QStringList &texts, StorePlatform &platform);

// Takes the file for this copy of the game alone (a second copy starting at the same
// moment finds nothing) and returns what it keeps; claimed names the taken file, to remove
// once its results are stored. A file taken by a copy that ended before it could store
// them is taken again. Nothing kept: empty, and claimed empty.
QStringList claim(const QString &settingsPath, QStringList &claimed);

} // namespace WaitingFile
