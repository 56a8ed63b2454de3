// Started by the process tests in place of the game. Writes what it was given to "recorded.txt" in
// its working folder, in UTF-16, one item a line:
//   the raw command line (GetCommandLineW)
//   the arguments as the program reads them (win32::commandLineArguments)
//   the show mode from its start-up information, or -1 when none was given
//   then each argument of argv after the program's name
// The file is written under another name and renamed, so a reader never sees half of it.

#include <windows.h>

#include <string>

#include "GameProcess.h"

int wmain(int argc, wchar_t** argv) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    GetStartupInfoW(&startup);
    const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? int(startup.wShowWindow) : -1;

    std::wstring text = std::wstring(GetCommandLineW()) + L"\n" + win32::commandLineArguments() + L"\n" +
                        std::to_wstring(show) + L"\n";
    for (int i = 1; i < argc; ++i)
        text += std::wstring(argv[i]) + L"\n";

    HANDLE file = CreateFileW(L"recorded.tmp", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    DWORD written = 0;
    const DWORD bytes = DWORD(text.size() * sizeof(wchar_t));
    const bool ok = WriteFile(file, text.data(), bytes, &written, nullptr) && written == bytes;
    CloseHandle(file);
    return ok && MoveFileExW(L"recorded.tmp", L"recorded.txt", MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
