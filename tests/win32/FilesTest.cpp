#include <gtest/gtest.h>
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <string>
#include <thread>
#include <utility>

#include "FileFlush.h"
#include "ShortcutLink.h"
#include "Win32Test.h"

using namespace testing_win32;

namespace {

// Each shortcut is written over an earlier, longer one at the same path and read back through the shell: it replaces
// that one whole and opens its target in a normal window (the show command is a 32-bit number at byte 0x3C of the
// file's 0x4C-byte header; Wine's GetShowCmd does not give back what the file holds).
TEST(Shortcut, TargetArgumentsWorkingFolderAndShowCommandReadBack) {
    TestFolder game(L"Game folder"), links(L"Links folder");
    const std::wstring target = game.file(L"Free lancer.exe"), path = links.file(L"Play as Main account.lnk");
    ASSERT_TRUE(writeBytes(target, "MZ"));
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"/a=ABC123 /s=127.0.0.1:2302 /w", L"C:\\"}, {L"/a=\"with blank\" /y", game.path()}, {L"", game.path()}};
    for (const auto& [arguments, workingFolder] : cases) {
        ASSERT_TRUE(
            win32::writeShortcut(path, links.file(L"old.exe"), L"/a=AN-EARLIER-AND-LONGER-CODE /w /y", links.path())
                .ok());
        const win32::Status status = win32::writeShortcut(path, target, arguments, workingFolder);
        ASSERT_TRUE(status.ok()) << status.code;
        const Link link = readLink(path);
        EXPECT_EQ(link.loaded, S_OK);
        EXPECT_EQ(link.target, target);
        EXPECT_EQ(link.arguments, arguments);
        EXPECT_EQ(link.workingFolder, workingFolder);
        EXPECT_EQ(readBytes(path).substr(0x3C, 4), std::string("\1\0\0\0", 4));
    }
    const win32::Status missing = win32::writeShortcut(links.file(L"no such folder\\Game.lnk"), target, L"", L"C:\\");
    EXPECT_FALSE(missing.ok());
    EXPECT_FALSE(missing.message.empty());
}

// The caller's thread may already use COM (Qt's main thread does): a shortcut is written in any apartment, and the
// caller's COM is left as it was.
TEST(Shortcut, IsWrittenInAnyApartmentAndLeavesTheCallersCom) {
    TestFolder links(L"Links folder");
    ASSERT_TRUE(writeBytes(links.file(L"game.exe"), "MZ"));
    for (const int apartment : {-1, int(COINIT_APARTMENTTHREADED), int(COINIT_MULTITHREADED)}) {
        const std::wstring path = links.file(L"Game" + std::to_wstring(apartment) + L".lnk");
        bool written = false;
        HRESULT afterwards = E_FAIL;
        std::thread([&] {
            if (apartment >= 0)
                CoInitializeEx(nullptr, DWORD(apartment));
            written = win32::writeShortcut(path, links.file(L"game.exe"), L"/w", L"C:\\").ok();
            // S_FALSE: COM is still initialised in that apartment; S_OK: it was not initialised.
            afterwards = CoInitializeEx(nullptr, apartment >= 0 ? DWORD(apartment) : DWORD(COINIT_APARTMENTTHREADED));
            CoUninitialize();
            if (apartment >= 0)
                CoUninitialize();
        }).join();
        EXPECT_TRUE(written) << apartment;
        EXPECT_EQ(afterwards, apartment >= 0 ? S_FALSE : S_OK) << apartment;
        EXPECT_EQ(readLink(path).arguments, L"/w") << apartment;
    }
}

// The flush reaches the system: a file open for writing is flushed; one only open for reading is refused by the system
// itself.
TEST(FileFlush, FlushesAWrittenFileAndReportsWhatTheSystemRefuses) {
    TestFolder folder(L"Flush");
    const std::wstring path = folder.file(L"Accounts.dat");
    const int writing = _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_BINARY, 0600);
    ASSERT_EQ(_write(writing, "DB Version: 101\r\n", 17), 17);
    EXPECT_TRUE(win32::flushFile(writing).ok());
    _close(writing);
    const int reading = _wopen(path.c_str(), _O_RDONLY | _O_BINARY);
    const win32::Status refused = win32::flushFile(reading);
    EXPECT_EQ(refused.code, ERROR_ACCESS_DENIED);
    EXPECT_FALSE(refused.message.empty());
    _close(reading);
    EXPECT_EQ(win32::flushFile(-1).code, ERROR_INVALID_HANDLE);
}

}  // namespace
