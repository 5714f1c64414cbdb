// The about window's way to the system-information tool: where the registry says it is,
// and how it is started. The registry and the process start stand behind two small seams,
// so that the lookup runs and is tested on every system; only Windows has a real registry.
#pragma once

#include <QString>

#include <cstdint>
#include <stdexcept>

// The three raw registry calls the lookup needs, with their Win32 status codes.
class Registry
{
public:
    using Handle = void *;

    static constexpr std::uint32_t HKeyLocalMachine = 0x80000002;
    // Query, enumerate, notify, read control. Set, create and link rights on top of these
    // (0x2003F) are refused to a standard user on HKLM.
    static constexpr std::uint32_t KeyRead = 0x20019;

    static constexpr long Success = 0;
    static constexpr long FileNotFound = 2;
    static constexpr long AccessDenied = 5;
    static constexpr long MoreData = 234;

    static constexpr std::uint32_t TypeText = 1;    // REG_SZ
    static constexpr std::uint32_t TypeNumber = 4;  // REG_DWORD

    virtual ~Registry() = default;

    // RegOpenKeyEx: *key is set only on Success.
    virtual long openKey(std::uint32_t root, const QString &path, std::uint32_t access, Handle *key) = 0;
    // RegQueryValueEx: *size holds the buffer's size on entry and the value's size on return.
    virtual long queryValue(Handle key, const QString &name, std::uint32_t *type, unsigned char *data,
                            std::uint32_t *size) = 0;
    virtual long closeKey(Handle key) = 0;
};

// Finding a file and starting a program without waiting for it.
class Launcher
{
public:
    virtual ~Launcher() = default;
    virtual bool fileExists(const QString &path) = 0;
    virtual bool startDetached(const QString &program) = 0;
};

// A lookup that went wrong in a way the caller cannot carry on from (a value that reports
// no size at all). StartSysInfo turns it into its one message.
class SysInfoError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

class Dialogs;

// Reads the value SubKeyRef of the key KeyName below KeyRoot into KeyVal. Text values are
// taken as they are; a 32-bit number becomes its decimal digits; any other type leaves
// KeyVal as it was and still counts as read. A missing key or value, or one too long for
// the 1024-byte buffer, empties KeyVal and returns false. Throws SysInfoError when the
// value reports a size of 0.
bool GetKeyValue(Registry &registry, std::uint32_t KeyRoot, const QString &KeyName, const QString &SubKeyRef,
                 QString &KeyVal);

// Starts the system-information tool the registry names, or says that it is unavailable.
void StartSysInfo(Dialogs &dialogs, Registry &registry, Launcher &launcher);

inline constexpr const char *SysInfoUnavailable = "System Information Is Unavailable At This Time";

// The system's registry: Windows' own; elsewhere there is none, so every key is missing.
class SystemRegistry final : public Registry
{
public:
    long openKey(std::uint32_t root, const QString &path, std::uint32_t access, Handle *key) override;
    long queryValue(Handle key, const QString &name, std::uint32_t *type, unsigned char *data,
                    std::uint32_t *size) override;
    long closeKey(Handle key) override;
};

class SystemLauncher final : public Launcher
{
public:
    bool fileExists(const QString &path) override;
    bool startDetached(const QString &program) override;
};
