// The registry lookup and the start of the system-information tool, over the Registry and
// Launcher seams.
#include "platform/sysinfo.h"

#include "platform/dialogs.h"

#include <QByteArray>

#include <algorithm>
#include <array>

namespace {

const QString KeyMsInfo = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString KeyToolsLocation = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
const QString MsInfoProgram = QStringLiteral("\\MSINFO32.EXE");

// Closes an opened key on every way out, a thrown failure included.
class OpenKey final
{
public:
    OpenKey(Registry &registry, Registry::Handle key)
        : m_registry(registry)
        , m_key(key)
    {
    }
    ~OpenKey() { m_registry.closeKey(m_key); }
    OpenKey(const OpenKey &) = delete;
    OpenKey &operator=(const OpenKey &) = delete;

private:
    Registry &m_registry;
    Registry::Handle m_key;
};

// What the general formatting makes of an "&h" text: the number's decimal digits. A text
// too long for 64 bits (no real 32-bit value is) stays as it is.
QString generalFormat(const QString &hexText)
{
    bool ok = false;
    const qulonglong value = hexText.mid(2).toULongLong(&ok, 16);
    return ok ? QString::number(value) : hexText;
}

// The tool's path from the registry, started; false for every way this can fail.
bool findAndStart(Registry &registry, Launcher &launcher)
{
    QString toolPath;
    if (!readRegistryValue(registry, Registry::HKeyLocalMachine, KeyMsInfo, QStringLiteral("PATH"), toolPath)) {
        if (!readRegistryValue(registry, Registry::HKeyLocalMachine, KeyToolsLocation, QStringLiteral("MSINFO"),
                         toolPath))
            return false;
        if (!launcher.fileExists(toolPath + MsInfoProgram))
            return false;
        toolPath += MsInfoProgram;
    }
    // The first key's path is trusted as it stands: a missing file shows up as a failed start.
    return launcher.startDetached(toolPath);
}

} // namespace

bool readRegistryValue(Registry &registry, std::uint32_t root, const QString &keyPath, const QString &valueName,
                 QString &text)
{
    Registry::Handle key = nullptr;
    // Read rights only: a standard user asking for more on HKLM is refused outright.
    if (registry.openKey(root, keyPath, Registry::KeyRead, &key) != Registry::Success) {
        text = QString();
        return false;
    }
    const OpenKey closer(registry, key);

    std::array<unsigned char, 1024> buffer{};
    std::uint32_t size = buffer.size();
    std::uint32_t type = 0;
    if (registry.queryValue(key, valueName, &type, buffer.data(), &size) != Registry::Success) {
        text = QString();
        return false;
    }
    if (size == 0)
        throw SysInfoError("The registry value reports a size of 0.");

    QByteArray value(reinterpret_cast<const char *>(buffer.data()),
                     static_cast<qsizetype>(std::min<std::size_t>(size, buffer.size())));
    if (value.endsWith('\0'))
        value.chop(1);

    switch (type) {
    case Registry::TypeText:
        text = QString::fromLocal8Bit(value); // the ANSI code page on Windows
        break;
    case Registry::TypeNumber: {
        QString hex = QStringLiteral("&h");
        for (qsizetype i = value.size() - 1; i >= 0; --i) // little-endian: most significant byte last
            hex += QStringLiteral("%1").arg(static_cast<unsigned char>(value[i]), 2, 16, QLatin1Char('0')).toUpper();
        text = generalFormat(hex);
        break;
    }
    default:
        break; // other types leave the caller's text alone, yet count as read
    }
    return true;
}

void showSystemInformation(Dialogs &dialogs, Registry &registry, Launcher &launcher)
{
    try {
        if (findAndStart(registry, launcher))
            return;
    } catch (const std::exception &) {
        // Every failure on the way ends in the one message below.
    }
    dialogs.showMessage(QString::fromLatin1(SysInfoUnavailable), DialogButtons::Ok);
}
