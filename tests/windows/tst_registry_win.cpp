// Test of winreg (platform/registry_win.cpp) against a real registry: cross-compiled with
// mingw-w64 and run under Wine from CTest. Qt has no build for this target, so this is
// plain C++: it fills a private Wine prefix's registry, then checks what the three calls
// report for each case. Prints one line per case and exits 1 if any case failed.
#include "platform/registry_win.h"

#include <windows.h>

#include <sddl.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr std::uint32_t Hklm = 0x80000002;
constexpr std::uint32_t KeyRead = 0x20019;
constexpr std::uint32_t KeyAllAccess = 0x2003F;

const char *const MsInfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const char *const LocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
const char *const TestKey = "SOFTWARE\\Tobrinel Test";
const char *const LockedKey = "SOFTWARE\\Tobrinel Test\\Locked";
const char *const MsInfoPath = "C:\\windows\\system32\\msinfo32.exe";

int failures = 0;

void check(bool ok, const std::string &what)
{
    if (!ok) {
        ++failures;
        std::printf("  FAIL: %s\n", what.c_str());
    }
}

bool setValue(HKEY key, const char *name, DWORD type, const void *data, DWORD size)
{
    return RegSetValueExA(key, name, 0, type, static_cast<const BYTE *>(data), size) == ERROR_SUCCESS;
}

bool setText(HKEY key, const char *name, const std::string &text)
{
    return setValue(key, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

// A locked key left by an earlier run in the same prefix: its owner may still rewrite the
// DACL, which lets the tree be deleted.
void unlockLeftovers()
{
    HKEY locked = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, LockedKey, 0, WRITE_DAC, &locked) != ERROR_SUCCESS)
        return;
    PSECURITY_DESCRIPTOR open = nullptr;
    if (ConvertStringSecurityDescriptorToSecurityDescriptorA("D:P(A;;KA;;;WD)", SDDL_REVISION_1, &open, nullptr)) {
        RegSetKeySecurity(locked, DACL_SECURITY_INFORMATION, open);
        LocalFree(open);
    }
    RegCloseKey(locked);
}

bool prepareRegistry()
{
    unlockLeftovers();
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, TestKey);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, TestKey);
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, LocationKey);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, LocationKey);

    HKEY msinfo = nullptr;
    HKEY test = nullptr;
    HKEY locked = nullptr;
    bool ok = RegCreateKeyExA(HKEY_LOCAL_MACHINE, MsInfoKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &msinfo,
                              nullptr) == ERROR_SUCCESS
        && setText(msinfo, "PATH", MsInfoPath);
    ok = ok
        && RegCreateKeyExA(HKEY_LOCAL_MACHINE, TestKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &test, nullptr)
            == ERROR_SUCCESS;
    const DWORD number = 0x0102032A;
    const unsigned char binary[] = {0xde, 0xad, 0x00};
    ok = ok && setValue(test, "Number", REG_DWORD, &number, sizeof number)
        && setValue(test, "Binary", REG_BINARY, binary, sizeof binary)
        && setText(test, "Fits", std::string(1023, 'f'))
        && setText(test, "TooLong", std::string(1024, 'x'))
        && setText(test, "Empty", std::string());

    // Values first, then the DACL that lets everybody read and nobody write.
    ok = ok
        && RegCreateKeyExA(HKEY_LOCAL_MACHINE, LockedKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &locked,
                           nullptr) == ERROR_SUCCESS
        && setText(locked, "PATH", MsInfoPath);
    PSECURITY_DESCRIPTOR readOnly = nullptr;
    ok = ok
        && ConvertStringSecurityDescriptorToSecurityDescriptorA("D:P(A;;KR;;;WD)(A;;KR;;;BA)(A;;KR;;;SY)",
                                                                SDDL_REVISION_1, &readOnly, nullptr)
        && RegSetKeySecurity(locked, DACL_SECURITY_INFORMATION, readOnly) == ERROR_SUCCESS;
    if (readOnly)
        LocalFree(readOnly);
    for (HKEY key : {msinfo, test, locked})
        if (key)
            RegCloseKey(key);
    return ok;
}

struct Case
{
    const char *name;
    const char *path;
    std::uint32_t access;
    const char *value;
    long open;                  // expected status of openKey
    long query;                 // of queryValue, when the key opens
    std::uint32_t type;         // expected on success
    std::uint32_t size;         // expected on success, and with 234 (the size needed)
    std::vector<unsigned char> data; // expected first bytes on success
};

std::vector<unsigned char> bytes(const std::string &text, bool terminated = true)
{
    std::vector<unsigned char> b(text.begin(), text.end());
    if (terminated)
        b.push_back(0);
    return b;
}

std::string show(long status)
{
    return std::to_string(status);
}

void run(const Case &c)
{
    const int before = failures;
    void *key = nullptr;
    const long open = winreg::openKey(Hklm, c.path, c.access, &key);
    check(open == c.open, "openKey gave " + show(open) + ", expected " + show(c.open));
    if (open == ERROR_SUCCESS && c.value) {
        std::vector<unsigned char> buffer(1024, 0);
        std::uint32_t type = 0;
        std::uint32_t size = static_cast<std::uint32_t>(buffer.size());
        const long query = winreg::queryValue(key, c.value, &type, buffer.data(), &size);
        check(query == c.query, "queryValue gave " + show(query) + ", expected " + show(c.query));
        if (query == ERROR_SUCCESS) {
            check(type == c.type, "type " + std::to_string(type) + ", expected " + std::to_string(c.type));
            check(size == c.size, "size " + std::to_string(size) + ", expected " + std::to_string(c.size));
            check(std::memcmp(buffer.data(), c.data.data(), c.data.size()) == 0, "value bytes differ");
        } else if (query == ERROR_MORE_DATA) {
            check(size == c.size, "size needed " + std::to_string(size) + ", expected " + std::to_string(c.size));
        }
    }
    if (open == ERROR_SUCCESS)
        check(winreg::closeKey(key) == ERROR_SUCCESS, "closeKey failed");
    std::printf("%s %s\n", failures == before ? "ok  " : "FAIL", c.name);
}

} // namespace

int main()
{
    if (!prepareRegistry()) {
        std::printf("FAIL could not fill the registry of the test prefix\n");
        return 1;
    }

    const std::string fits(1023, 'f');
    const Case cases[] = {
        {"text value present", MsInfoKey, KeyRead, "PATH", 0, 0, REG_SZ, 33, bytes(MsInfoPath)},
        {"key and value names ignore case", "software\\microsoft\\shared tools\\msinfo", KeyRead, "path", 0, 0,
         REG_SZ, 33, bytes(MsInfoPath)},
        {"missing key", LocationKey, KeyRead, "MSINFO", ERROR_FILE_NOT_FOUND, 0, 0, 0, {}},
        {"missing value", MsInfoKey, KeyRead, "NoSuchValue", 0, ERROR_FILE_NOT_FOUND, 0, 0, {}},
        {"32-bit number, least significant byte first", TestKey, KeyRead, "Number", 0, 0, REG_DWORD, 4,
         {0x2a, 0x03, 0x02, 0x01}},
        {"other type comes back with its own number", TestKey, KeyRead, "Binary", 0, 0, REG_BINARY, 3,
         {0xde, 0xad, 0x00}},
        {"empty text is its terminator alone", TestKey, KeyRead, "Empty", 0, 0, REG_SZ, 1, {0}},
        {"1023 characters fill the buffer exactly", TestKey, KeyRead, "Fits", 0, 0, REG_SZ, 1024, bytes(fits)},
        {"1024 characters do not fit", TestKey, KeyRead, "TooLong", 0, ERROR_MORE_DATA, 0, 1025, {}},
        {"read-only key opens for reading", LockedKey, KeyRead, "PATH", 0, 0, REG_SZ, 33, bytes(MsInfoPath)},
        {"read-only key refuses the write mask", LockedKey, KeyAllAccess, nullptr, ERROR_ACCESS_DENIED, 0, 0, 0,
         {}},
        {"write mask opens an unlocked key", MsInfoKey, KeyAllAccess, nullptr, 0, 0, 0, 0, {}},
    };
    for (const Case &c : cases)
        run(c);

    std::printf("%s: %d failure(s)\n", failures ? "FAILED" : "PASSED", failures);
    return failures ? 1 : 0;
}
