// The registry as the system-information lookup sees it: the three raw calls, with their
// Win32 status codes. SystemRegistry is the real one; tests fake it.
#pragma once

#include <QString>

#include <cstdint>

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
