#include "GameRegistry.h"

#include <windows.h>

#include <vector>

namespace win32 {

namespace {

HKEY rootKey(unsigned long root) { return root == kLocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER; }

// Reads the value from one view; ERROR_FILE_NOT_FOUND when the key or value is missing.
LONG readFromView(HKEY root, REGSAM view, const std::wstring& keyPath, const std::wstring& valueName,
                  std::wstring& value) {
    HKEY key = nullptr;
    LONG code = RegOpenKeyExW(root, keyPath.c_str(), 0, KEY_QUERY_VALUE | view, &key);
    if (code != ERROR_SUCCESS)
        return code;
    DWORD type = 0;
    DWORD size = 0;
    code = RegQueryValueExW(key, valueName.c_str(), nullptr, &type, nullptr, &size);
    if (code == ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ)) {
        // One more character than reported, zeroed: a stored text need not end in NUL.
        std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 2, L'\0');
        DWORD bytes = DWORD((buffer.size() - 1) * sizeof(wchar_t));
        code = RegQueryValueExW(key, valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &bytes);
        if (code == ERROR_SUCCESS)
            value.assign(buffer.data());
    }
    RegCloseKey(key);
    return code;
}

}  // namespace

Status readText(unsigned long root, const std::wstring& keyPath, const std::wstring& valueName, std::wstring& value) {
    value.clear();
    LONG code = ERROR_FILE_NOT_FOUND;
    for (REGSAM view : {REGSAM(KEY_WOW64_32KEY), REGSAM(0)}) {
        code = readFromView(rootKey(root), view, keyPath, valueName, value);
        if (code != ERROR_FILE_NOT_FOUND)
            break;
    }
    return statusOf(code == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : code);
}

Status writeText(unsigned long root, const std::wstring& keyPath, const std::wstring& valueName,
                 const std::wstring& value) {
    HKEY key = nullptr;
    // Into the 32-bit view, where the game reads and where readText looks first: written into the
    // native view, an older value in the 32-bit view would still be the one read back.
    LONG code = RegCreateKeyExW(rootKey(root), keyPath.c_str(), 0, nullptr, 0, KEY_SET_VALUE | KEY_WOW64_32KEY, nullptr,
                                &key, nullptr);
    if (code != ERROR_SUCCESS)
        return statusOf(code);
    code = RegSetValueExW(key, valueName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          DWORD((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    return statusOf(code);
}

}  // namespace win32
