// The three Windows registry calls the about window needs, as plain functions without
// Qt or <windows.h>, so that a Qt-free test can drive them under Wine. Status codes are
// Win32 error codes (0 success, 2 not found, 5 access denied, 234 more data).
#pragma once

#include <cstdint>

namespace winreg {

// root is a predefined key such as HKEY_LOCAL_MACHINE (0x80000002); *handle is set on success.
long openKey(std::uint32_t root, const char *path, std::uint32_t access, void **handle);
// *size holds the buffer's size on entry and the value's size in bytes on return.
long queryValue(void *handle, const char *name, std::uint32_t *type, unsigned char *data, std::uint32_t *size);
long closeKey(void *handle);

} // namespace winreg
