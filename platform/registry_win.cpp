// The Windows registry behind winreg's plain functions: RegOpenKeyExA, RegQueryValueExA
// and RegCloseKey of advapi32, nothing more. Built into the game on Windows only.
#include "platform/registry_win.h"

#include <windows.h>

namespace winreg {

namespace {

// The predefined keys are small negative numbers widened to a pointer, so the 32-bit
// value must be sign-extended on a 64-bit system.
HKEY rootKey(std::uint32_t root)
{
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG_PTR>(static_cast<LONG>(root))));
}

} // namespace

long openKey(std::uint32_t root, const char *path, std::uint32_t access, void **handle)
{
    HKEY key = nullptr;
    const LONG status = RegOpenKeyExA(rootKey(root), path, 0, static_cast<REGSAM>(access), &key);
    if (status == ERROR_SUCCESS)
        *handle = key;
    return status;
}

long queryValue(void *handle, const char *name, std::uint32_t *type, unsigned char *data, std::uint32_t *size)
{
    DWORD valueType = 0;
    DWORD valueSize = *size;
    const LONG status = RegQueryValueExA(static_cast<HKEY>(handle), name, nullptr, &valueType, data, &valueSize);
    *type = valueType;
    *size = valueSize;
    return status;
}

long closeKey(void *handle)
{
    return RegCloseKey(static_cast<HKEY>(handle));
}

} // namespace winreg
