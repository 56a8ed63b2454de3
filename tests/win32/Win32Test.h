#pragma once

// Folders, files and shortcuts for the Windows tests.

#include <objbase.h>
#include <shlguid.h>
#include <shobjidl.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace testing_win32 {

// A new, empty folder "<temp>\Vantor tests\<name>" (blanks on purpose: real program folders have them); removed with
// its files when the object goes.
class TestFolder {
public:
    explicit TestFolder(const std::wstring& name)
        : path_(std::filesystem::temp_directory_path() / L"Vantor tests" / name) {
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TestFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    std::wstring path() const { return path_.wstring(); }
    std::wstring file(const std::wstring& name) const { return (path_ / name).wstring(); }

private:
    std::filesystem::path path_;
};

// The whole file; empty when it cannot be read.
inline std::string readBytes(const std::wstring& path) {
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

inline bool writeBytes(const std::wstring& path, const std::string& bytes) {
    std::ofstream file(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    return bool(file.write(bytes.data(), std::streamsize(bytes.size())));
}

// What a shortcut (.lnk) says, read back through the shell's own IShellLinkW.
struct Link {
    HRESULT loaded = E_FAIL;
    std::wstring target, arguments, workingFolder;
};

inline Link readLink(const std::wstring& path) {
    Link link;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IShellLinkW* shell = nullptr;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&shell))) &&
        SUCCEEDED(shell->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
        SUCCEEDED(link.loaded = file->Load(path.c_str(), STGM_READ))) {
        wchar_t target[MAX_PATH] = {}, arguments[4 * MAX_PATH] = {}, folder[MAX_PATH] = {};
        shell->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH);
        shell->GetArguments(arguments, 4 * MAX_PATH);
        shell->GetWorkingDirectory(folder, MAX_PATH);
        link = {link.loaded, target, arguments, folder};
    }
    if (file)
        file->Release();
    if (shell)
        shell->Release();
    CoUninitialize();
    return link;
}

}  // namespace testing_win32
