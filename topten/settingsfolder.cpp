#include "topten/settingsfolder.h"

#include <QDir>
#include <QFile>
#include <QSettings>

#if defined(Q_OS_LINUX)
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// A name survives QString when decoding and encoding it again gives the same bytes.
bool nameHoldsAsText(const QByteArray &name)
{
    return QFile::encodeName(QFile::decodeName(name)) == name;
}

#if defined(Q_OS_LINUX)
// The folder, open for the rest of the run, under a name made of digits.
QString folderByDescriptor(const QByteArray &name)
{
    int fd = ::open(name.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT && ::mkdir(name.constData(), 0700) == 0)
        fd = ::open(name.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return QString();
    return QStringLiteral("/proc/self/fd/%1").arg(fd);
}
#endif

} // namespace

QString settingsFolder(const QByteArray &configHome, const QString &home)
{
    if (!configHome.startsWith('/'))
        return QDir::cleanPath(home + QStringLiteral("/.config"));
    if (nameHoldsAsText(configHome))
        return QDir::cleanPath(QFile::decodeName(configHome));
#if defined(Q_OS_LINUX)
    return folderByDescriptor(configHome);
#else
    return QString();
#endif
}

void useSettingsFolder()
{
#if defined(Q_OS_LINUX)
    const QString folder = settingsFolder(qgetenv("XDG_CONFIG_HOME"), QDir::homePath());
    if (!folder.isEmpty())
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder);
#endif
}
