// The top ten in QSettings, with every failure of Qt's settings file turned into a
// StoreError.
//
// QSettings does not tell the truth about its file in every case. Writes fail silently
// until sync(); a damaged file makes a save report FormatError whether or not the new file
// was written; a change that could not be written stays in a per-process cache that every
// later QSettings reads as if it were stored. Worst, on a disk with room for the lock file
// but not for the data, Qt 6.4 ignores the failed write, renames an empty file over the
// old one and reports NoError, and its cache still answers with the lost values. So this
// store writes through QSettings but reads only from a private copy of the file's bytes,
// parsed afresh, and counts a save as done only when that copy holds the text.
#include "topten/qsettingsstore.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryFile>

#include <optional>

namespace {

QString organization() { return QStringLiteral("Tobrinel"); }

QString quoted(const QString &text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

[[noreturn]] void fail(const QString &description)
{
    throw StoreError(description.toStdString());
}

// One section as the disk holds it now.
struct SectionOnDisk
{
    bool damaged = false;                 // some lines could not be parsed
    bool present = false;                 // the section has at least one key
    std::optional<QVariant> value;        // the key asked for, if it is there
};

SectionOnDisk readFromDisk(const QString &fileName, const QString &section, const QString &key)
{
    SectionOnDisk result;
    QFile file(fileName);
    if (!file.exists())
        return result;
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("The settings file %1 cannot be read.").arg(fileName));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        fail(QStringLiteral("The settings file %1 cannot be read.").arg(fileName));

    // A file name Qt has never seen, so its cache cannot answer for the disk.
    QTemporaryFile copy;
    if (!copy.open() || copy.write(bytes) != bytes.size() || !copy.flush())
        fail(QStringLiteral("The settings file %1 cannot be read: no room for a temporary copy.").arg(fileName));
    QSettings disk(copy.fileName(), QSettings::IniFormat);
    disk.beginGroup(section);
    result.present = !disk.childKeys().isEmpty();
    if (disk.contains(key))
        result.value = disk.value(key);
    result.damaged = disk.status() == QSettings::FormatError;
    return result;
}

// Pushes the object's changes to the disk; an AccessError here is always real. Whether the
// change arrived is for the caller to check on the disk.
void sync(QSettings &settings)
{
    settings.sync();
    if (settings.status() == QSettings::AccessError)
        fail(QStringLiteral("The settings file %1 could not be written.").arg(settings.fileName()));
}

} // namespace

QString QSettingsStore::get(const QString &app, const QString &section, const QString &key,
                            const QString &defaultText)
{
    const QString fileName = QSettings(organization(), app).fileName();
    const SectionOnDisk disk = readFromDisk(fileName, section, key);
    if (!disk.value) {
        if (disk.damaged)
            fail(QStringLiteral("The settings file %1 is damaged: key %2 in section %3 cannot be read.")
                     .arg(fileName, quoted(key), quoted(section)));
        return defaultText;
    }
    if (disk.value->typeId() != QMetaType::QString)
        fail(QStringLiteral("Key %1 in section %2 of the settings file %3 does not hold text.")
                 .arg(quoted(key), quoted(section), fileName));
    return disk.value->toString();
}

void QSettingsStore::save(const QString &app, const QString &section, const QString &key, const QString &text)
{
    QSettings settings(organization(), app);
    settings.setValue(section + QLatin1Char('/') + key, text);
    sync(settings);
    const SectionOnDisk disk = readFromDisk(settings.fileName(), section, key);
    if (!disk.value || disk.value->typeId() != QMetaType::QString || disk.value->toString() != text)
        fail(QStringLiteral("The settings file %1 could not be written.").arg(settings.fileName()));
}

void QSettingsStore::deleteSection(const QString &app, const QString &section)
{
    QSettings settings(organization(), app);
    // remove() is silent about a section that is not there, and Qt may believe in one
    // that never reached the disk.
    if (!readFromDisk(settings.fileName(), section, QString()).present)
        fail(QStringLiteral("There is no section %1 in the settings file %2 to delete.")
                 .arg(quoted(section), settings.fileName()));
    settings.remove(section);
    sync(settings);
    if (readFromDisk(settings.fileName(), section, QString()).present)
        fail(QStringLiteral("The settings file %1 could not be written.").arg(settings.fileName()));
}
