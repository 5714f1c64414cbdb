// The settings file's bytes read, told apart and parsed, and a new file's bytes built.
//
// QSettings does not tell the truth about its file in every case: a damaged file makes a
// save report FormatError whether or not it was written; a change that could not be
// written stays in a per-process cache that later objects read as if stored; and on a
// disk with room for the lock file but not the data, Qt 6.4 renames an empty file over
// the old one and reports NoError. Garbage or a file of NUL bytes reads as an empty store
// with no error at all. So QSettings here only parses and writes private copies under
// fresh names; the real file's bytes are read here, once per operation.
#include "topten/settingsfile.h"

#include "topten/storemessages.h"
#include "platform/storeplatform.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSet>
#include <QSettings>
#include <QSysInfo>
#include <QTemporaryFile>

#include <memory>

using namespace StoreMessages;

namespace {

// The folders for private files: the temporary folder first; when that is full, the
// settings folder, which had room for the settings file.
QStringList privateFolders(const QString &settingsFolder)
{
    return {QDir::tempPath(), settingsFolder};
}

// A private file under a fresh name, so that Qt's per-process cache has never seen it.
std::unique_ptr<QTemporaryFile> privateCopy(const QByteArray &bytes, const QString &dir)
{
    auto copy = std::make_unique<QTemporaryFile>(QDir(dir).filePath(SettingsFiles::privateCopyPattern()));
    if (copy->open() && copy->write(bytes) == bytes.size() && copy->flush()) {
        copy->close();
#ifdef Q_OS_WIN
        // QTemporaryFile keeps its file open after close(), to hold the name, and Windows
        // replaces no open file: QSettings could not write the new list into the copy. A
        // rename to another private name lets go of it; the copy still goes at the end.
        static const QLatin1String letters("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789");
        QString part;
        for (int i = 0; i < 6; ++i)
            part += letters[QRandomGenerator::global()->bounded(int(letters.size()))];
        if (!copy->rename(QDir(dir).filePath(SettingsFiles::privateCopyPattern().replace(QStringLiteral("XXXXXX"), part))))
            return nullptr;
#endif
        return copy;
    }
    return nullptr;
}

std::unique_ptr<QTemporaryFile> privateCopy(const QByteArray &bytes, const QStringList &dirs)
{
    for (const QString &dir : dirs) {
        if (auto copy = privateCopy(bytes, dir))
            return copy;
    }
    return nullptr;
}

QVariantMap parse(const QByteArray &bytes, const QString &folder, bool &formatError)
{
    const std::unique_ptr<QTemporaryFile> copy = privateCopy(bytes, privateFolders(folder));
    if (!copy)
        throw StoreError("no room for a temporary copy to read it through");
    QSettings settings(copy->fileName(), QSettings::IniFormat);
    QVariantMap values;
    for (const QString &key : settings.allKeys())
        values.insert(key, settings.value(key));
    formatError = settings.status() == QSettings::FormatError;
    return values;
}

// Bytes QSettings never writes: control characters other than tab and line ends (a NUL
// in a value is written as an escape), and text that is not UTF-8.
bool hasForeignBytes(const QByteArray &bytes)
{
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 && u != '\t' && u != '\n' && u != '\r')
            return true;
    }
    return !bytes.isValidUtf8();
}

QList<QByteArray> lines(const QByteArray &bytes)
{
    QByteArray normalized = bytes;
    normalized.replace('\r', '\n');
    return normalized.split('\n');
}

// Whether anything besides blank lines, comments and section headers is there.
bool hasEntries(const QByteArray &bytes)
{
    for (const QByteArray &raw : lines(bytes)) {
        const QByteArray line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(';') || (line.startsWith('[') && line.endsWith(']')))
            continue;
        return true;
    }
    return false;
}

// Keys ("Section/key", as written) that a hand edit left more than once with different
// texts. QSettings silently keeps the last; which one the player meant, nobody knows.
QStringList repeatedKeys(const QByteArray &bytes)
{
    QHash<QByteArray, QByteArray> seen;
    QSet<QByteArray> repeated;
    QByteArray section;
    for (const QByteArray &raw : lines(bytes)) {
        const QByteArray line = raw.trimmed();
        if (line.startsWith('[') && line.endsWith(']')) {
            section = line.mid(1, line.size() - 2).trimmed();
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (line.startsWith(';') || equals <= 0)
            continue;
        const QByteArray key = section + '/' + line.left(equals).trimmed();
        const QByteArray text = line.mid(equals + 1).trimmed();
        const auto found = seen.constFind(key);
        if (found == seen.cend())
            seen.insert(key, text);
        else if (*found != text)
            repeated.insert(key);
    }
    QStringList keys;
    for (const QByteArray &key : repeated)
        keys << QString::fromUtf8(key);
    keys.sort();
    return keys;
}

QByteArray readAll(const QString &path, bool &ok)
{
    QFile file(path);
    ok = file.open(QIODevice::ReadOnly);
    const QByteArray bytes = ok ? file.readAll() : QByteArray();
    ok = ok && file.error() == QFileDevice::NoError;
    return bytes;
}

// The new file written by QSettings into a private file in dir, then parsed again, as Qt
// may write less than it reports. Empty when it could not be made.
QByteArray buildIn(const QString &dir, const QString &folder, const QVariantMap &values)
{
    const std::unique_ptr<QTemporaryFile> target = privateCopy(QByteArray(), dir);
    if (!target)
        return QByteArray();
    {
        QSettings out(target->fileName(), QSettings::IniFormat);
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            out.setValue(it.key(), it.value());
        out.sync();
        if (out.status() != QSettings::NoError)
            return QByteArray();
    }
    bool ok = false;
    const QByteArray bytes = readAll(target->fileName(), ok);
    if (!ok)
        return QByteArray();
    bool formatError = false;
    try {
        if (parse(bytes, folder, formatError) != values || formatError)
            return QByteArray();
    } catch (const StoreError &) {
        return QByteArray();
    }
    return bytes;
}

} // namespace

QString SettingsFiles::machineTag()
{
    static const QString tag = QString::fromLatin1(
        QCryptographicHash::hash(QSysInfo::machineHostName().toUtf8(), QCryptographicHash::Sha1).toHex().left(8));
    return tag;
}

QString SettingsFiles::privateCopyPrefix(qint64 pid)
{
    return QStringLiteral(".tobrinel-%1-%2-").arg(machineTag()).arg(pid);
}

QString SettingsFiles::privateCopyPattern()
{
    return privateCopyPrefix(QCoreApplication::applicationPid()) + QStringLiteral("XXXXXX.conf");
}

SettingsFile SettingsFiles::read(const QString &path, const QString &section)
{
    SettingsFile result;
    // One look decides: a load without the lock may meet a save replacing the file.
    const EntryKind kind = entryKind(path);
    if (kind == EntryKind::Absent)
        return result;
    QFile file(path);
    const QString cannotRead = QStringLiteral("The settings file %1 cannot be read: %2.");
    // Only a file (or a link to one) is opened: a pipe in its place would hold the window's
    // thread for good, and a folder or a device holds no list.
    if (kind == EntryKind::Other)
        fail(cannotRead.arg(path, QStringLiteral("something other than a file (a folder, a pipe or a "
                                                 "device) stands in its place")));
    if (!file.open(QIODevice::ReadOnly))
        fail(cannotRead.arg(path, file.errorString()));
    if (file.size() > MaxFileSize) {
        result.kind = FileKind::TooLarge;
        result.why = QStringLiteral("The settings file %1 is %2 bytes long, far too large for a top-ten list, "
                                    "so it was not read.")
                         .arg(path)
                         .arg(file.size());
        return result;
    }
    // Read to the end even if the file grew since the size was taken; more than the limit
    // is not read.
    const QByteArray bytes = file.read(MaxFileSize + 1);
    if (file.error() != QFileDevice::NoError)
        fail(cannotRead.arg(path, file.errorString()));
    if (bytes.size() > MaxFileSize) {
        result.kind = FileKind::TooLarge;
        result.why = QStringLiteral("The settings file %1 is far too large for a top-ten list, so it was not read.")
                         .arg(path);
        return result;
    }

    bool formatError = false;
    try {
        result.values = parse(bytes, QFileInfo(path).path(), formatError);
    } catch (const StoreError &error) {
        fail(cannotRead.arg(path, QString::fromUtf8(error.what())));
    }
    const bool foreign = hasForeignBytes(bytes);
    bool sectionFound = false;
    for (auto it = result.values.cbegin(); it != result.values.cend(); ++it)
        sectionFound = sectionFound || it.key().startsWith(section + QLatin1Char('/'));

    if ((result.values.isEmpty() && hasEntries(bytes)) || (foreign && !sectionFound)) {
        result.kind = FileKind::NotSettings;
        result.why = QStringLiteral("The settings file %1 is damaged: it is not a settings file, "
                                    "and no entry could be read from it.")
                         .arg(path);
        result.values.clear();
        return result;
    }
    result.repeated = repeatedKeys(bytes);
    if (formatError || foreign) {
        result.kind = FileKind::Damaged;
        result.why = QStringLiteral("The settings file %1 is damaged: some of its lines cannot be read.").arg(path);
    } else if (!result.repeated.isEmpty()) {
        result.kind = FileKind::Damaged;
        result.why = QStringLiteral("The settings file %1 is damaged: some of its keys are there more than once, "
                                    "with different texts.")
                         .arg(path);
    } else {
        result.kind = FileKind::Clean;
    }
    return result;
}

std::vector<StoredValue> SettingsFiles::sectionValues(const QString &path, const SettingsFile &file,
                                                      const QString &section, const QStringList &keys,
                                                      const QString &defaultText)
{
    std::vector<StoredValue> values;
    for (const QString &key : keys) {
        StoredValue value;
        const QString name = section + QLatin1Char('/') + key;
        const auto found = file.values.constFind(name);
        if (file.repeated.contains(name)) {
            value.problem = QStringLiteral("The settings file %1 is damaged: key %2 in section %3 is there more "
                                           "than once, with different texts.")
                                .arg(path, quoted(key), quoted(section));
        } else if (found == file.values.cend()) {
            if (file.kind == FileKind::Damaged)
                value.problem = QStringLiteral("The settings file %1 is damaged: key %2 in section %3 cannot be read.")
                                    .arg(path, quoted(key), quoted(section));
            else
                value.text = defaultText;
        } else if (found->typeId() != QMetaType::QString) {
            value.problem = QStringLiteral("Key %1 in section %2 of the settings file %3 does not hold text.")
                                .arg(quoted(key), quoted(section), path);
        } else {
            value.text = found->toString();
        }
        values.push_back(value);
    }
    return values;
}

QByteArray SettingsFiles::build(const QString &path, const QVariantMap &values)
{
    // An empty list is an empty file; QSettings writes nothing for it.
    if (values.isEmpty())
        return QByteArray();
    const QString folder = QFileInfo(path).path();
    for (const QString &dir : privateFolders(folder)) {
        const QByteArray bytes = buildIn(dir, folder, values);
        if (!bytes.isEmpty())
            return bytes;
    }
    fail(cannotWrite(path, QStringLiteral("there is no room for the new list")));
}
