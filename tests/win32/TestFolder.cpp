#include "TestFolder.h"

#include <windows.h>

#include <fstream>
#include <iterator>
#include <vector>

namespace testing_win32 {

TestFolder::TestFolder(const std::wstring& name)
    : path_(std::filesystem::temp_directory_path() / L"Vantor tests" / name) {
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

TestFolder::~TestFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::wstring programFolder() {
    std::vector<wchar_t> buffer(32768);
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), DWORD(buffer.size()));
    return std::filesystem::path(std::wstring(buffer.data(), length)).parent_path().wstring();
}

std::string readBytes(const std::wstring& path) {
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool writeBytes(const std::wstring& path, const std::string& bytes) {
    std::ofstream file(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    return bool(file.write(bytes.data(), std::streamsize(bytes.size())));
}

}  // namespace testing_win32
