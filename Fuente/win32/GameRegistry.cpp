#include "GameRegistry.h"

#include <windows.h>

#include <vector>

namespace win32 {

namespace {

HKEY rootKey(unsigned long root) { return root == kLocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER; }

RegistryStatus status(LONG code) {
    RegistryStatus result;
    result.code = code;
    if (code != ERROR_SUCCESS) {
        wchar_t* text = nullptr;
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, DWORD(code), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
        result.message = text ? text : L"Registry error";
        LocalFree(text);
        while (!result.message.empty() && (result.message.back() == L'\n' || result.message.back() == L'\r'))
            result.message.pop_back();
    }
    return result;
}

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

RegistryStatus readText(unsigned long root, const std::wstring& keyPath, const std::wstring& valueName,
                        std::wstring& value) {
    value.clear();
    LONG code = ERROR_FILE_NOT_FOUND;
    for (REGSAM view : {REGSAM(KEY_WOW64_32KEY), REGSAM(0)}) {
        code = readFromView(rootKey(root), view, keyPath, valueName, value);
        if (code != ERROR_FILE_NOT_FOUND)
            break;
    }
    return status(code == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : code);
}

RegistryStatus writeText(unsigned long root, const std::wstring& keyPath, const std::wstring& valueName,
                         const std::wstring& value) {
    HKEY key = nullptr;
    LONG code = RegCreateKeyExW(rootKey(root), keyPath.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr);
    if (code != ERROR_SUCCESS)
        return status(code);
    code = RegSetValueExW(key, valueName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          DWORD((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    return status(code);
}

}  // namespace win32
