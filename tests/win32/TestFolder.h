#pragma once

// Files and folders for the Windows tests.

#include <filesystem>
#include <string>

namespace testing_win32 {

// A new, empty folder "<temp>\Vantor tests\<name>" (blanks on purpose: so are real program
// folders); removed with its files when the object goes.
class TestFolder {
public:
    explicit TestFolder(const std::wstring& name);
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    std::wstring path() const { return path_.wstring(); }
    std::wstring file(const std::wstring& name) const { return (path_ / name).wstring(); }

private:
    std::filesystem::path path_;
};

// The folder of the running test program.
std::wstring programFolder();

// The whole file as bytes; empty when it cannot be read.
std::string readBytes(const std::wstring& path);

// Writes the bytes as the whole file.
bool writeBytes(const std::wstring& path, const std::string& bytes);

}  // namespace testing_win32
