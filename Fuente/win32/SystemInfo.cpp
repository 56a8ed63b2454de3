#include "SystemInfo.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace win32 {

bool getKeyValue(void* root, const std::string& keyName, const std::string& valueName, std::string& value) {
    HKEY key = nullptr;
    // Read access is enough, and all that a user without administrator rights gets.
    if (RegOpenKeyExA(static_cast<HKEY>(root), keyName.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        value.clear();
        return false;
    }
    // A value too long for the buffer is read again into one of the size the registry asks for.
    std::vector<unsigned char> buffer(1024);
    DWORD type = 0;
    DWORD size = DWORD(buffer.size());
    LONG code = RegQueryValueExA(key, valueName.c_str(), nullptr, &type, buffer.data(), &size);
    while (code == ERROR_MORE_DATA) {
        buffer.resize(std::max<std::size_t>(size, buffer.size() * 2));
        size = DWORD(buffer.size());
        code = RegQueryValueExA(key, valueName.c_str(), nullptr, &type, buffer.data(), &size);
    }
    RegCloseKey(key);
    if (code != ERROR_SUCCESS) {
        value.clear();
        return false;
    }
    size = std::min<DWORD>(size, DWORD(buffer.size()));
    if (type == REG_SZ) {
        // The text ends at its first zero, or at the end of the data when it was stored without one.
        const auto end = std::find(buffer.begin(), buffer.begin() + size, 0);
        value.assign(buffer.begin(), end);
    } else if (type == REG_DWORD) {
        // The number in hexadecimal: its bytes from the last (most significant) to the first, two
        // digits each, without the leading zeros of the whole.
        std::string digits;
        for (DWORD i = size; i > 0; --i) {
            char pair[3];
            std::snprintf(pair, sizeof pair, "%02x", buffer[i - 1]);
            digits += pair;
        }
        const std::size_t first = digits.find_first_not_of('0');
        value = "&h" + (first == std::string::npos ? std::string("0") : digits.substr(first));
    }
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
