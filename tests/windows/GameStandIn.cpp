// Stands in for the game's Freelancer.exe in the Windows program's tests. When started it writes,
// one item a line in the ANSI code page, into "game-run.txt" beside itself:
//   its command line (GetCommandLineA)
//   its working folder
//   the account code and signature that the game reads from the registry of the current user
// The file is written under another name and renamed, so a reader never sees half of it.

#include <windows.h>

#include <string>

namespace {

std::string readGameValue(const char* name) {
    const char* key = "Software\\Microsoft\\Microsoft Games\\Freelancer\\1.0";
    char value[4096] = {};
    DWORD size = sizeof value;
    if (RegGetValueA(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
        return "<missing>";
    return value;
}

std::string ownFolder() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

}  // namespace

int main() {
    char workingFolder[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, workingFolder);
    const std::string text = std::string(GetCommandLineA()) + "\n" + workingFolder + "\n" +
                             readGameValue("MPAccountName") + "\n" + readGameValue("MPAccountNameSig") + "\n";

    const std::string temporary = ownFolder() + "game-run.tmp";
    HANDLE file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    DWORD written = 0;
    const bool ok = WriteFile(file, text.data(), DWORD(text.size()), &written, nullptr) && written == text.size();
    CloseHandle(file);
    return ok && MoveFileExA(temporary.c_str(), (ownFolder() + "game-run.txt").c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
