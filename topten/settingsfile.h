// The settings file as bytes: read once, told apart (absent, clean, damaged, not a
// settings file at all, far too large) and parsed; and the bytes of a new file built from
// the keys it is to hold. QSettings does the parsing and the writing, but only ever of
// private copies under fresh names, so that its per-process cache never answers for the
// disk (see settingsfile.cpp).
#pragma once

#include "topten/settingsstore.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <vector>

enum class FileKind { Absent, Clean, Damaged, NotSettings, TooLarge };

struct SettingsFile
{
    FileKind kind = FileKind::Absent;
    QString why;          // what is wrong with a file that is not Clean
    QVariantMap values;   // every key QSettings found, as "Section/key"
    QStringList repeated; // keys ("Section/key") there more than once with different texts: none is trusted

    // Damaged, not a settings file, or too large: a rewrite keeps a copy of it.
    bool needsKeepingAside() const { return kind != FileKind::Absent && kind != FileKind::Clean; }
    // Not a settings file, or too large: it holds no list to read from.
    bool holdsNoList() const { return kind == FileKind::NotSettings || kind == FileKind::TooLarge; }
};

namespace SettingsFiles {

// A file larger than this is not a top-ten list and is not read.
inline constexpr qint64 MaxFileSize = 1024 * 1024;

// The name pattern of this process's private copies, in the temporary folder or the
// settings folder: ".tobrinel-<machine>-<process>-XXXXXX.conf". The maker in the name lets
// the next save tell a killed copy's leftovers from a live reader's copy at once.
QString privateCopyPattern();
// The start of the names of the private copies that process pid on this machine makes.
QString privateCopyPrefix(qint64 pid);
// The machine part of those names: a short digest of the host name, the same in every
// process on the machine.
QString machineTag();

// Reads the file at path once and parses it once. Throws StoreError when it cannot be read
// (a pipe, a folder or a device in its place, no permission). section is the one the
// caller wants: a file with foreign bytes that still holds it is damaged, not foreign.
SettingsFile read(const QString &path, const QString &section);

// The given keys of section, as the file holds them; a key a damaged file lost, or one
// that does not hold text, comes back with its problem.
std::vector<StoredValue> sectionValues(const QString &path, const SettingsFile &file, const QString &section,
                                       const QStringList &keys, const QString &defaultText);

// The bytes of a settings file holding exactly values, in QSettings' own format, checked
// by parsing them again. Empty for no values. Throws StoreError when there is no room.
QByteArray build(const QString &path, const QVariantMap &values);

} // namespace SettingsFiles
