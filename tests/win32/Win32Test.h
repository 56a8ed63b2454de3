#pragma once

// Folders, files, shortcuts and waiting, for the tests of the Windows side.

#include <objbase.h>
#include <shlguid.h>
#include <shobjidl.h>
#include <windows.h>
#include <wrl/client.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace testing_win32 {

// A new, empty folder "<temp>\Vantor tests\<name>" (blanks on purpose: real program folders have them); what an
// earlier run left in it is removed first.
inline std::wstring freshFolder(const std::wstring& name) {
    const std::filesystem::path path = std::filesystem::temp_directory_path() / L"Vantor tests" / name;
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
    std::filesystem::create_directories(path, ignored);
    return path.wstring();
}

// The whole file; empty when it cannot be read.
inline std::string readBytes(const std::wstring& path) {
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

inline bool writeBytes(const std::wstring& path, const std::string& bytes) {
    std::ofstream file(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    return bool(file.write(bytes.data(), std::streamsize(bytes.size())));
}

// Polls `ready` every 50 ms until it holds or the time is up.
template <typename Ready>
bool waitFor(unsigned milliseconds, Ready ready) {
    for (const ULONGLONG end = GetTickCount64() + milliseconds; !ready(); Sleep(50))
        if (GetTickCount64() > end)
            return false;
    return true;
}

// What a shortcut (.lnk) starts: target, arguments and working folder, read back through the shell's own IShellLinkW;
// all empty when it cannot be loaded.
using Link = std::array<std::wstring, 3>;

inline Link readLink(const std::wstring& path) {
    Link link;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    {
        Microsoft::WRL::ComPtr<IShellLinkW> shell;
        Microsoft::WRL::ComPtr<IPersistFile> file;
        wchar_t target[MAX_PATH] = {}, arguments[4 * MAX_PATH] = {}, folder[MAX_PATH] = {};
        if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&shell))) &&
            SUCCEEDED(shell.As(&file)) && SUCCEEDED(file->Load(path.c_str(), STGM_READ)) &&
            SUCCEEDED(shell->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH)) &&
            SUCCEEDED(shell->GetArguments(arguments, 4 * MAX_PATH)) &&
            SUCCEEDED(shell->GetWorkingDirectory(folder, MAX_PATH)))
            link = {target, arguments, folder};
    }
    CoUninitialize();
    return link;
}

}  // namespace testing_win32
