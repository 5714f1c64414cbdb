// Stands in for the system-information tool: leaves a mark beside itself and exits at once,
// so the test sees it was started without waiting on a program that stays.
#include <windows.h>

#include <string>

int main()
{
    wchar_t self[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    if (length == 0 || length == MAX_PATH)
        return 1;
    const std::wstring mark = std::wstring(self, length) + L".started";
    const HANDLE file = CreateFileW(mark.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    CloseHandle(file);
    return 0;
}
