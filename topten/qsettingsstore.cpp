// The top ten in a QSettings file, read and written so that nothing stored is lost.
//
// QSettings does not tell the truth about its file in every case: writes fail silently
// until sync(); a damaged file makes a save report FormatError whether or not it was
// written; a change that could not be written stays in a per-process cache that later
// objects read as if stored; and on a disk with room for the lock file but not the data,
// Qt 6.4 renames an empty file over the old one and reports NoError. Garbage or a file of
// NUL bytes reads as an empty store with no error at all. So QSettings here only ever
// parses and writes private copies under fresh names; this file reads the real file's
// bytes itself, once per operation, and replaces the real file itself.
#include "topten/qsettingsstore.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>
#include <QStringDecoder>
#include <QTemporaryFile>
#include <QThread>
#include <QDeadlineTimer>

#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int LockWaitMs = 10000;

QString organization() { return QStringLiteral("Tobrinel"); }
QString unchanged() { return QStringLiteral(" The stored list is unchanged."); }

QString quoted(const QString &text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

[[noreturn]] void throwStoreError(const QString &description)
{
    throw StoreError(description.toStdString());
}

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

QString cannotWrite(const QString &path, const QString &why)
{
    return QStringLiteral("The settings file %1 could not be written: %2.").arg(path, why) + unchanged();
}

enum class FileKind { Absent, Clean, Damaged, NotSettings, TooLarge };

struct SettingsFile
{
    FileKind kind = FileKind::Absent;
    QString why;         // what is wrong with a file that is not Clean
    QVariantMap values;  // every key QSettings found, as "Section/key"
};

// The folders for private files: the temporary folder first; when that is full, the
// settings folder, which had room for the settings file.
QStringList privateFolders(const QString &settingsFolder)
{
    return {QDir::tempPath(), settingsFolder};
}

// A private file under a fresh name, so that Qt's per-process cache has never seen it.
std::unique_ptr<QTemporaryFile> privateCopy(const QByteArray &bytes, const QString &dir)
{
    auto copy = std::make_unique<QTemporaryFile>(QDir(dir).filePath(QStringLiteral(".tobrinel-XXXXXX.conf")));
    if (copy->open() && copy->write(bytes) == bytes.size() && copy->flush()) {
        copy->close();
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
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    return utf8.hasError();
}

// Whether anything besides blank lines, comments and section headers is there.
bool hasEntries(const QByteArray &bytes)
{
    QByteArray normalized = bytes;
    normalized.replace('\r', '\n');
    for (const QByteArray &raw : normalized.split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(';') || (line.startsWith('[') && line.endsWith(']')))
            continue;
        return true;
    }
    return false;
}

// Reads the file once and parses it once. Throws StoreError when it cannot be read.
SettingsFile readSettingsFile(const QString &path, const QString &section)
{
    SettingsFile result;
    QFile file(path);
    if (!file.exists())
        return result;
    const QString cannotRead = QStringLiteral("The settings file %1 cannot be read: %2.");
    // Only a file (or a link to one) is opened: a pipe in its place would hold the window's
    // thread for good, and a folder or a device holds no list.
    if (!QFileInfo(path).isFile())
        throwStoreError(cannotRead.arg(path, QStringLiteral("something other than a file (a folder, a pipe or a "
                                                            "device) stands in its place")));
    if (!file.open(QIODevice::ReadOnly))
        throwStoreError(cannotRead.arg(path, file.errorString()));
    if (file.size() > QSettingsStore::MaxFileSize) {
        result.kind = FileKind::TooLarge;
        result.why = QStringLiteral("The settings file %1 is %2 bytes long, far too large for a top-ten list, "
                                    "so it was not read.")
                         .arg(path)
                         .arg(file.size());
        return result;
    }
    // Read to the end even if the file grew since the size was taken; more than the limit
    // is not read.
    const QByteArray bytes = file.read(QSettingsStore::MaxFileSize + 1);
    if (file.error() != QFileDevice::NoError)
        throwStoreError(cannotRead.arg(path, file.errorString()));
    if (bytes.size() > QSettingsStore::MaxFileSize) {
        result.kind = FileKind::TooLarge;
        result.why = QStringLiteral("The settings file %1 is far too large for a top-ten list, so it was not read.")
                         .arg(path);
        return result;
    }

    bool formatError = false;
    try {
        result.values = parse(bytes, QFileInfo(path).path(), formatError);
    } catch (const StoreError &error) {
        throwStoreError(cannotRead.arg(path, QString::fromUtf8(error.what())));
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
    } else if (formatError || foreign) {
        result.kind = FileKind::Damaged;
        result.why = QStringLiteral("The settings file %1 is damaged: some of its lines cannot be read.").arg(path);
    } else {
        result.kind = FileKind::Clean;
    }
    return result;
}

std::vector<StoredValue> sectionValues(const QString &path, const SettingsFile &file, const QString &section,
                                       const QStringList &keys, const QString &defaultText)
{
    std::vector<StoredValue> values;
    for (const QString &key : keys) {
        StoredValue value;
        const auto found = file.values.constFind(section + QLatin1Char('/') + key);
        if (found == file.values.cend()) {
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

// The lock QSettings itself takes for this file, so that older copies of the game that
// write through QSettings wait for us and we for them.
class FileLock
{
public:
    explicit FileLock(const QString &path)
        : m_path(path + QStringLiteral(".lock"))
        , m_lock(m_path)
    {
    }
    // Throws StoreError when the lock cannot be had.
    void lockForWriting(const QString &path)
    {
        if (lock())
            return;
        if (placeTaken())
            throwStoreError(cannotWrite(path, QStringLiteral("the place of its lock file, %1, is taken by something "
                                                             "other than a file").arg(m_path)));
        if (m_lock.error() == QLockFile::LockFailedError)
            throwStoreError(cannotWrite(path, QStringLiteral("another copy of the game has kept it locked too long")));
        throwStoreError(cannotWrite(path, QStringLiteral("no lock file could be made beside it (no room, or no permission)")));
    }
    // A reader waits for a writer in progress, but reads even without the lock: every
    // write replaces the file whole, so what it reads is one whole version.
    bool lockForReading()
    {
        return lock();
    }

private:
    // QLockFile's own wait doubles its pauses from 100 ms; a write holds the lock for
    // milliseconds, so short pauses keep two copies saving at once quick.
    //
    // A lock file left empty is what a copy killed between making it and writing its
    // process number leaves; Qt would take it for a live lock until it is 30 s old. An
    // owner writes its number at once, so an empty lock file older than a moment is taken
    // over. (One that names a process gone from this host, Qt takes over itself.)
    bool lock()
    {
        if (placeTaken())
            return false;
        QDeadlineTimer deadline(LockWaitMs);
        while (!m_lock.tryLock(0)) {
            if (m_lock.error() != QLockFile::LockFailedError || deadline.hasExpired())
                return false;
            if (abandoned()) {
                m_lock.removeStaleLockFile();
                continue;
            }
            QThread::msleep(5);
        }
        return true;
    }

    bool abandoned() const
    {
        const QFileInfo info(m_path);
        return info.isFile() && info.size() == 0
               && info.lastModified().msecsTo(QDateTime::currentDateTime()) >= AbandonedLockMs;
    }

    // A folder (or anything but a file) where the lock file belongs can never be locked.
    bool placeTaken() const
    {
        const QFileInfo place(m_path);
        return place.exists() && !place.isFile();
    }

    static constexpr int AbandonedLockMs = 500;
    QString m_path;
    QLockFile m_lock;
};

QString guardName(const QString &path) { return path + QStringLiteral(".keep"); }
QString freshName(const QString &path) { return path + QStringLiteral(".new"); }

// Left by a copy of the game that stopped in the middle of a replace (only called under
// the lock): the old file comes back if the new one did not arrive.
void recoverInterruptedWrite(const QString &path)
{
    QFile::remove(freshName(path));
    const QString guard = guardName(path);
    if (!QFileInfo::exists(guard))
        return;
    const QFileInfo current(path);
    if (!current.exists() || current.size() == 0)
        ::rename(QFile::encodeName(guard).constData(), QFile::encodeName(path).constData());
    else
        QFile::remove(guard);
}

QByteArray readAll(const QString &path, bool &ok)
{
    QFile file(path);
    ok = file.open(QIODevice::ReadOnly);
    const QByteArray bytes = ok ? file.readAll() : QByteArray();
    ok = ok && file.error() == QFileDevice::NoError;
    return bytes;
}

// The new file in QSettings' own format, written by QSettings into a private file in dir:
// the keys kept from the old one and the texts of the section. It is parsed again before
// it is used, as Qt may write less than it reports. Empty when it could not be made.
QByteArray buildFileIn(const QString &dir, const QString &folder, const QVariantMap &expected)
{
    const std::unique_ptr<QTemporaryFile> target = privateCopy(QByteArray(), dir);
    if (!target)
        return QByteArray();
    {
        QSettings out(target->fileName(), QSettings::IniFormat);
        for (auto it = expected.cbegin(); it != expected.cend(); ++it)
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
        if (parse(bytes, folder, formatError) != expected || formatError)
            return QByteArray();
    } catch (const StoreError &) {
        return QByteArray();
    }
    return bytes;
}

QByteArray buildFile(const QString &path, const QVariantMap &kept, const QString &section, const QStringList &keys,
                     const std::vector<std::optional<QString>> &texts)
{
    QVariantMap expected = kept;
    for (qsizetype i = 0; i < keys.size() && i < qsizetype(texts.size()); ++i) {
        if (texts[i])
            expected.insert(section + QLatin1Char('/') + keys[i], *texts[i]);
    }
    // An empty list is an empty file; QSettings writes nothing for it.
    if (expected.isEmpty())
        return QByteArray();
    const QString folder = QFileInfo(path).path();
    for (const QString &dir : privateFolders(folder)) {
        const QByteArray bytes = buildFileIn(dir, folder, expected);
        if (!bytes.isEmpty())
            return bytes;
    }
    throwStoreError(cannotWrite(path, QStringLiteral("there is no room for the new list")));
}

bool writeWhole(const QString &name, const QByteArray &bytes, int &error)
{
    const int fd = ::open(QFile::encodeName(name).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        error = errno;
        return false;
    }
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            error = n < 0 ? errno : ENOSPC;
            ::close(fd);
            return false;
        }
        done += n;
    }
    if (::fsync(fd) != 0) {
        error = errno;
        ::close(fd);
        return false;
    }
    if (::close(fd) != 0) {
        error = errno;
        return false;
    }
    return true;
}

// Replaces the file with bytes so that it holds either all of them or what it held
// before: the old file keeps a second name until the new one has read back whole.
void replaceGuarded(const QString &path, const QByteArray &bytes)
{
    const QByteArray target = QFile::encodeName(path);
    const QByteArray guard = QFile::encodeName(guardName(path));
    const QByteArray fresh = QFile::encodeName(freshName(path));
    const bool hadFile = QFileInfo::exists(path);
    // A second name costs no room; a file system without hard links gets a copy instead.
    if (hadFile && ::link(target.constData(), guard.constData()) != 0) {
        const int error = errno;
        const bool noLinks = error == EPERM || error == EOPNOTSUPP || error == EXDEV || error == EMLINK;
        const QString why = QStringLiteral("the old list could not be kept while writing (%1)").arg(systemError(error));
        if (!noLinks)
            throwStoreError(cannotWrite(path, why));
        if (!QFile::copy(path, guardName(path))) {
            QFile::remove(guardName(path));
            throwStoreError(cannotWrite(path, why));
        }
    }

    auto giveUp = [&](const QString &why) {
        ::unlink(fresh.constData());
        if (hadFile)
            ::unlink(guard.constData());
        throwStoreError(cannotWrite(path, why));
    };
    int error = 0;
    if (!writeWhole(freshName(path), bytes, error))
        giveUp(systemError(error));
    if (::rename(fresh.constData(), target.constData()) != 0)
        giveUp(systemError(errno));

    bool ok = false;
    if (readAll(path, ok) != bytes || !ok) {
        if (hadFile)
            ::rename(guard.constData(), target.constData());
        else
            ::unlink(target.constData());
        throwStoreError(cannotWrite(path, QStringLiteral("the new list did not read back whole, so the old one was put back")));
    }
    if (hadFile)
        ::unlink(guard.constData());
}

// A second name for a damaged file that is about to be replaced, where a player looking
// in the settings folder finds it beside the list.
QString keepAside(const QString &path)
{
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    for (int n = 0; n < 100; ++n) {
        const QString name = path + QStringLiteral(".damaged-") + stamp + (n ? QStringLiteral("-%1").arg(n) : QString());
        if (::link(QFile::encodeName(path).constData(), QFile::encodeName(name).constData()) == 0)
            return name;
        if (errno != EEXIST)
            throwStoreError(cannotWrite(path, QStringLiteral("the damaged file could not be kept aside (%1)").arg(systemError(errno))));
    }
    throwStoreError(cannotWrite(path, QStringLiteral("the damaged file could not be kept aside")));
}

// The common path of every change: lock, recover, read, decide, keep aside, replace.
// decide fills the keys to keep and the section texts; it sees the file's kind.
template <class Decide>
QString rewrite(const QString &path, const QString &section, Decide &&decide)
{
    if (!QDir().mkpath(QFileInfo(path).path()))
        throwStoreError(cannotWrite(path, QStringLiteral("its folder cannot be made")));
    FileLock lock(path);
    lock.lockForWriting(path);
    recoverInterruptedWrite(path);
    SettingsFile file;
    try {
        file = readSettingsFile(path, section);
    } catch (const StoreError &error) {
        throwStoreError(QString::fromUtf8(error.what()) + unchanged());
    }

    QVariantMap kept;
    QStringList keys;
    std::vector<std::optional<QString>> texts;
    bool setAside = file.kind == FileKind::Damaged || file.kind == FileKind::NotSettings
        || file.kind == FileKind::TooLarge;
    decide(file, kept, keys, texts, setAside);

    const QByteArray bytes = buildFile(path, kept, section, keys, texts);
    const QString aside = setAside && QFileInfo::exists(path) ? keepAside(path) : QString();
    try {
        replaceGuarded(path, bytes);
    } catch (...) {
        if (!aside.isEmpty())
            QFile::remove(aside);
        throw;
    }
    if (aside.isEmpty())
        return QString();
    const QString why = file.why.isEmpty()
        ? QStringLiteral("The settings file %1 held entries that could not be read.").arg(path)
        : file.why;
    return why + QStringLiteral(" The file as it was is kept as %1.").arg(aside);
}

} // namespace

QString QSettingsStore::fileName(const QString &app)
{
    // QSettings reads its file as soon as it is made, and this one may be huge or damaged:
    // the name of a sibling that does not exist costs nothing.
    const QString sibling =
        QSettings(QSettings::NativeFormat, QSettings::UserScope, organization(), QStringLiteral(".tobrinel-probe"))
            .fileName();
    return QFileInfo(sibling).dir().filePath(app + QStringLiteral(".conf"));
}

std::vector<StoredValue> QSettingsStore::readSection(const QString &app, const QString &section,
                                                     const QStringList &keys, const QString &defaultText)
{
    const QString path = fileName(app);
    std::optional<FileLock> lock;
    if (QFileInfo(QFileInfo(path).path()).isDir()) {
        lock.emplace(path);
        if (lock->lockForReading())
            recoverInterruptedWrite(path);
    }
    const SettingsFile file = readSettingsFile(path, section);
    if (file.kind == FileKind::NotSettings || file.kind == FileKind::TooLarge)
        throwStoreError(file.why);
    return sectionValues(path, file, section, keys, defaultText);
}

QString QSettingsStore::updateSection(const QString &app, const QString &section, const QStringList &keys,
                                      const QString &defaultText, const SectionChange &change)
{
    const QString path = fileName(app);
    return rewrite(path, section,
                   [&](const SettingsFile &file, QVariantMap &kept, QStringList &written,
                       std::vector<std::optional<QString>> &texts, bool &setAside) {
                       std::vector<StoredValue> stored;
                       if (file.kind == FileKind::NotSettings || file.kind == FileKind::TooLarge) {
                           for (qsizetype i = 0; i < keys.size(); ++i)
                               stored.push_back(StoredValue{defaultText, QString()});
                       } else {
                           stored = sectionValues(path, file, section, keys, defaultText);
                           kept = file.values;
                           for (const QString &key : keys)
                               kept.remove(section + QLatin1Char('/') + key);
                           // A key that cannot be read is left out of the new file; the
                           // old one keeps it.
                           for (const StoredValue &value : stored)
                               setAside = setAside || !value.problem.isEmpty();
                       }
                       texts = change(stored);
                       written = keys;
                   });
}

QString QSettingsStore::clearSection(const QString &app, const QString &section)
{
    const QString path = fileName(app);
    return rewrite(path, section,
                   [&](const SettingsFile &file, QVariantMap &kept, QStringList &, std::vector<std::optional<QString>> &,
                       bool &) {
                       if (file.kind == FileKind::NotSettings || file.kind == FileKind::TooLarge)
                           throwStoreError(file.why);
                       const QString prefix = section + QLatin1Char('/');
                       bool found = false;
                       for (auto it = file.values.cbegin(); it != file.values.cend(); ++it) {
                           if (it.key().startsWith(prefix))
                               found = true;
                           else
                               kept.insert(it.key(), it.value());
                       }
                       if (!found)
                           throwStoreError(QStringLiteral("There is no section %1 in the settings file %2 to delete.")
                                    .arg(quoted(section), path));
                   });
}

QString QSettingsStore::get(const QString &app, const QString &section, const QString &key,
                            const QString &defaultText)
{
    const StoredValue value = readSection(app, section, {key}, defaultText).front();
    if (!value.problem.isEmpty())
        throwStoreError(value.problem);
    return *value.text;
}

void QSettingsStore::save(const QString &app, const QString &section, const QString &key, const QString &text)
{
    updateSection(app, section, {key}, QString(),
                  [&](const std::vector<StoredValue> &) { return std::vector<std::optional<QString>>{text}; });
}

void QSettingsStore::deleteSection(const QString &app, const QString &section)
{
    clearSection(app, section);
}
