#include "platform/systemlauncher.h"

#include <QFileInfo>
#include <QProcess>

bool SystemLauncher::fileExists(const QString &path)
{
    return QFileInfo::exists(path);
}

bool SystemLauncher::startDetached(const QString &program)
{
    return QProcess::startDetached(program, QStringList());
}
