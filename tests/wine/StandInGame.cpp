// Stands in for the game in a Wine prefix, reading what the game reads through the same ANSI
// registry calls. Started like the game, it writes recorded.txt in its working folder (under
// another name first, so that a reader never sees half of it), in the ANSI code page, a line
// each: the command line, the working folder, MPAccountName and MPAccountNameSig of the current
// user and AppPath of the local machine in the game's 32-bit view. "Freelancer.exe write <code>
// <signature>" stores those two values instead, as the game does when it makes a new account.
#include <windows.h>

#include <string>

namespace {

const char kKey[] = "Software\\Microsoft\\Microsoft Games\\Freelancer\\1.0";

std::string read(HKEY root, const char* name, DWORD flags = 0) {
    char value[2048];
    DWORD size = sizeof value;
    return RegGetValueA(root, kKey, name, RRF_RT_REG_SZ | flags, nullptr, value, &size) == ERROR_SUCCESS ? value
                                                                                                         : "<missing>";
}

bool store(const char* name, const char* value) {
    return RegSetKeyValueA(HKEY_CURRENT_USER, kKey, name, REG_SZ, value, DWORD(strlen(value) + 1)) == ERROR_SUCCESS;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "write")
        return store("MPAccountName", argv[2]) && store("MPAccountNameSig", argv[3]) ? 0 : 1;
    char folder[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, folder);
    const std::string text = std::string(GetCommandLineA()) + "\n" + folder + "\n" +
                             read(HKEY_CURRENT_USER, "MPAccountName") + "\n" +
                             read(HKEY_CURRENT_USER, "MPAccountNameSig") + "\n" +
                             read(HKEY_LOCAL_MACHINE, "AppPath", RRF_SUBKEY_WOW6432KEY) + "\n";
    HANDLE file = CreateFileA("recorded.tmp", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    const bool ok = file != INVALID_HANDLE_VALUE && WriteFile(file, text.data(), DWORD(text.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == text.size() && MoveFileExA("recorded.tmp", "recorded.txt", MOVEFILE_REPLACE_EXISTING) ? 0
                                                                                                                  : 1;
}
