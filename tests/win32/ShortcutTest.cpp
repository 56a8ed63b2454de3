#include <gtest/gtest.h>
#include <windows.h>
#include <objbase.h>
#include <shlguid.h>
#include <shobjidl.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <thread>

#include "LinkReader.h"
#include "ShortcutLink.h"
#include "TestFolder.h"

using testing_win32::Link;
using testing_win32::readLink;
using testing_win32::TestFolder;

namespace {

// The show command as the file holds it: a 32-bit number at byte 0x3C of the 0x4C-byte header.
// (Wine's IShellLinkW::GetShowCmd does not give back what the file holds.)
long showCommandInFile(const std::wstring& path) {
    const std::string bytes = testing_win32::readBytes(path);
    if (bytes.size() < 0x4C || bytes[0] != 0x4C)
        return -1;
    std::uint32_t show = 0;
    std::memcpy(&show, bytes.data() + 0x3C, sizeof show);
    return long(show);
}

struct ShortcutCase {
    const char* name;
    std::wstring arguments;
    bool workingFolderWithBlanks;  // else "C:\"
};
void PrintTo(const ShortcutCase& c, std::ostream* os) { *os << c.name; }

class Shortcut : public ::testing::TestWithParam<ShortcutCase> {};

TEST_P(Shortcut, TargetArgumentsAndWorkingFolderReadBack) {
    const ShortcutCase& c = GetParam();
    TestFolder game(L"Game folder");
    TestFolder links(L"Links folder");
    const std::wstring target = game.file(L"Free lancer.exe");
    ASSERT_TRUE(testing_win32::writeBytes(target, "MZ"));
    const std::wstring workingFolder = c.workingFolderWithBlanks ? game.path() : L"C:\\";
    const std::wstring path = links.file(L"Play as Main account.lnk");
    // A shortcut written again replaces the earlier one whole.
    ASSERT_TRUE(
        win32::writeShortcut(path, links.file(L"old.exe"), L"/a=AN-EARLIER-AND-LONGER-ACCOUNT-CODE /w /y", links.path())
            .ok());

    const win32::Status status = win32::writeShortcut(path, target, c.arguments, workingFolder);
    ASSERT_TRUE(status.ok()) << status.code;

    const Link link = readLink(path);
    ASSERT_TRUE(SUCCEEDED(link.loaded)) << std::hex << link.loaded;
    EXPECT_EQ(link.target, target);
    EXPECT_EQ(link.arguments, c.arguments);
    EXPECT_EQ(link.workingFolder, workingFolder);
    EXPECT_EQ(showCommandInFile(path), SW_SHOWNORMAL);
}

INSTANTIATE_TEST_SUITE_P(
    Win32, Shortcut,
    ::testing::Values(ShortcutCase{"AccountAndServer", L"/a=ABC123 /s=127.0.0.1:2302 /w", false},
                      ShortcutCase{"QuotedArgumentAndFolderWithBlanks", L"/a=\"with blank\" /y", true},
                      ShortcutCase{"NoArguments", L"", true}),
    [](const ::testing::TestParamInfo<ShortcutCase>& info) { return std::string(info.param.name); });

TEST(ShortcutFailure, MissingFolderIsReported) {
    TestFolder links(L"Links folder");
    const win32::Status status = win32::writeShortcut(links.file(L"no such folder\\Game.lnk"), links.file(L"game.exe"),
                                                      L"", L"C:\\");
    EXPECT_FALSE(status.ok());
    EXPECT_FALSE(status.message.empty());
}

// The caller's thread may already use COM (Qt's main thread does): writing a shortcut works in
// any apartment and leaves the caller's COM initialised.
class ShortcutApartment : public ::testing::TestWithParam<int> {};

TEST_P(ShortcutApartment, WorksAndLeavesTheCallersComAsItWas) {
    const int apartment = GetParam();  // -1: COM not initialised by the caller
    TestFolder links(L"Links folder");
    const std::wstring path = links.file(L"Game.lnk");
    const std::wstring target = links.file(L"game.exe");
    ASSERT_TRUE(testing_win32::writeBytes(target, "MZ"));

    bool written = false;
    HRESULT afterwards = E_FAIL;
    std::thread caller([&] {
        if (apartment >= 0)
            CoInitializeEx(nullptr, DWORD(apartment));
        written = win32::writeShortcut(path, target, L"/w", L"C:\\").ok();
        // S_FALSE: COM was still initialised in the same apartment; S_OK: it was not initialised.
        afterwards = CoInitializeEx(nullptr, apartment >= 0 ? DWORD(apartment) : DWORD(COINIT_APARTMENTTHREADED));
        CoUninitialize();
        if (apartment >= 0)
            CoUninitialize();
    });
    caller.join();
    EXPECT_TRUE(written);
    EXPECT_EQ(afterwards, apartment >= 0 ? S_FALSE : S_OK);
    EXPECT_EQ(readLink(path).arguments, L"/w");
}

INSTANTIATE_TEST_SUITE_P(Win32, ShortcutApartment,
                         ::testing::Values(-1, int(COINIT_APARTMENTTHREADED), int(COINIT_MULTITHREADED)),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return info.param < 0                           ? "ComNotInitialised"
                                    : info.param == COINIT_APARTMENTTHREADED ? "SingleThreaded"
                                                                             : "MultiThreaded";
                         });

}  // namespace
