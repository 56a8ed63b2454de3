#include "SystemInfo.h"

#include <windows.h>

#include <cstdio>

namespace win32 {

bool getKeyValue(void* root, const std::string& keyName, const std::string& valueName, std::string& value) {
    HKEY key = nullptr;
    // Read access is enough, and all that a user without administrator rights gets.
    if (RegOpenKeyExA(static_cast<HKEY>(root), keyName.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        value.clear();
        return false;
    }
    unsigned char buffer[1024] = {};
    DWORD type = 0;
    DWORD size = sizeof buffer;
    if (RegQueryValueExA(key, valueName.c_str(), nullptr, &type, buffer, &size) != ERROR_SUCCESS) {
        value.clear();
        RegCloseKey(key);
        return false;
    }
    // Never trust the size to include a terminating zero.
    if (size > sizeof buffer)
        size = sizeof buffer;
    if (size > 0 && buffer[size - 1] == 0)
        --size;
    if (type == REG_SZ) {
        value.assign(reinterpret_cast<const char*>(buffer), size);
    } else if (type == REG_DWORD) {
        value = "&h";
        for (DWORD i = size; i > 0; --i) {
            char digits[3];
            std::snprintf(digits, sizeof digits, "%x", buffer[i - 1]);
            value += digits;
        }
    }
    RegCloseKey(key);
    return true;
}

std::string systemInfoPath() {
    std::string path;
    if (getKeyValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", path))
        return path;
    std::string folder;
    if (!getKeyValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", folder))
        return {};
    const std::string program = folder + "\\MSINFO32.EXE";
    const DWORD attributes = GetFileAttributesA(program.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY) ? program : std::string();
}

}  // namespace win32
