// The module is looked for only in places found from the program's own, as the audio
// module is: a folder compiled in could be made by anyone where it does not exist. The
// program's place comes from the system, not the application, which may not exist yet.
#include "ui/waylandextras.h"

#include "ui/waylandmodule.h"

#include <QByteArray>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLibrary>
#include <QStringList>
#include <QWidget>
#include <QWindow>

namespace {

QFunctionPointer moduleEntry(const char *entry)
{
    const QString home = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section(QLatin1Char('/'), 0, -2);
    for (const QString &place : {home, home + QStringLiteral("/../lib/tobrinel")}) {
        QLibrary module(place + QStringLiteral("/tobrinel_wayland"));
        module.setLoadHints(QLibrary::PreventUnloadHint);
        if (const QFunctionPointer found = module.resolve(entry))
            return found;
    }
    return nullptr;
}

} // namespace

int waylandFractionalScale()
{
    const auto check = reinterpret_cast<FractionalScaleFunction>(moduleEntry(FractionalScaleEntry));
    return check ? check() : -1;
}

void markModalForShell(QWidget *dialog)
{
    if (!dialog->isModal() || !QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return;
    static const auto hint = reinterpret_cast<ShellModalHint>(moduleEntry(ShellModalHintEntry));
    if (hint && dialog->windowHandle())
        hint(dialog->windowHandle());
}
