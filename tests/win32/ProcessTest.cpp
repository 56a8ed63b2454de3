#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <thread>
#include <utility>

#include "GameProcess.h"
#include "ShortcutLink.h"
#include "Win32Test.h"

using namespace testing_win32;

namespace {

// The game's stand-in is this program under another name: see main below.
const std::wstring kGame = L"Free lancer.exe";

std::wstring thisProgram() {
    std::wstring path(32768, L'\0');
    path.resize(GetModuleFileNameW(nullptr, &path[0], DWORD(path.size())));
    return path;
}

// The game is started from a folder with blanks in its path, as "C:\Program Files\..." has, and gets exactly the
// command line and show mode it was given, in the working folder it was given. A missing program is reported with
// the system's text on one line.
TEST(StartProgram, CommandLineAndShowModeArriveInTheWorkingFolder) {
    const std::pair<std::wstring, bool> cases[] = {
        {L"/a=ABC123 /w", true}, {L"", true}, {L"-s \"two  words\" end", false}, {L"/s=127.0.0.1:2302 ñandú", false}};
    for (const auto& [arguments, minimized] : cases) {
        const std::wstring program = freshFolder(L"Game folder") + L"\\" + kGame, work = freshFolder(L"Work folder");
        ASSERT_TRUE(CopyFileW(thisProgram().c_str(), program.c_str(), FALSE));
        const win32::Status status = win32::startProgram(program, arguments, work, minimized);
        ASSERT_TRUE(status.ok()) << status.code;
        std::string recorded;
        waitFor(10000, [&] { return !(recorded = readBytes(work + L"\\recorded.txt")).empty(); });
        EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(recorded.data()), recorded.size() / 2),
                  L"\"" + program + L"\"" + (arguments.empty() ? L"" : L" " + arguments) + L"\n" +
                      std::to_wstring(minimized ? SW_SHOWMINIMIZED : SW_SHOWNORMAL));
    }
    const win32::Status missing = win32::startProgram(freshFolder(L"Empty folder") + L"\\" + kGame, L"/w", L"", true);
    EXPECT_EQ(missing.code, ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(!missing.message.empty() && missing.message.find_first_of(L"\r\n") == std::wstring::npos)
        << missing.message;
}

// The arguments are the raw text after the program's name; a quoted name ends at its closing quote, even with no blank
// after it.
TEST(ArgumentsOf, IsTheRawTextAfterTheProgramName) {
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"\"C:\\Program Files\\VTR.exe\" /a=1 /w", L"/a=1 /w"},
        {L"C:\\Vantor\\VTR.exe /a=1", L"/a=1"},
        {L"VTR.exe\t/a=1", L"/a=1"},
        {L"VTR", L""},
        {L"\"C:\\Program Files\\VTR.exe\"", L""},
        {L"\"C:\\Program Files\\VTR.exe\"  \t /a=1   \"two words\" ", L"/a=1   \"two words\" "},
        {L"\"C:\\Program Files\\VTR.exe\"/a=1", L"/a=1"},
        {L"\"C:\\never closed /a=1", L""},
        {L"", L""}};
    for (const auto& [commandLine, arguments] : cases)
        EXPECT_EQ(win32::argumentsOf(commandLine), arguments) << commandLine;
}

// Each shortcut is written, from a thread in each COM apartment or in none (Qt's main thread uses COM), over an
// earlier, longer one at the same path, and read back through the shell: it replaces that one whole and opens its
// target in a normal window (the show command is a 32-bit number at byte 0x3C of the file's 0x4C-byte header; Wine's
// GetShowCmd does not give back what the file holds). The thread's COM is left as it was.
TEST(Shortcut, ReplacesAnEarlierOneWholeAndLeavesTheCallersCom) {
    const std::wstring game = freshFolder(L"Game folder"), links = freshFolder(L"Links folder");
    const std::wstring target = game + L"\\" + kGame, path = links + L"\\Play as Main account.lnk";
    ASSERT_TRUE(writeBytes(target, "MZ"));
    const struct {
        std::wstring arguments, workingFolder;
        int apartment;  // -1: none
    } cases[] = {{L"/a=ABC123 /s=127.0.0.1:2302 /w", L"C:\\", -1},
                 {L"/a=\"with blank\" /y", game, COINIT_APARTMENTTHREADED},
                 {L"", game, COINIT_MULTITHREADED}};
    for (const auto& c : cases) {
        ASSERT_TRUE(
            win32::writeShortcut(path, links + L"\\old.exe", L"/a=AN-EARLIER-AND-LONGER-CODE /w /y", links).ok());
        bool written = false;
        HRESULT afterwards = E_FAIL;
        std::thread([&] {
            if (c.apartment >= 0)
                CoInitializeEx(nullptr, DWORD(c.apartment));
            written = win32::writeShortcut(path, target, c.arguments, c.workingFolder).ok();
            // S_FALSE: COM is still initialised in that apartment; S_OK: it was not initialised.
            afterwards = CoInitializeEx(nullptr, DWORD(c.apartment >= 0 ? c.apartment : COINIT_APARTMENTTHREADED));
            CoUninitialize();
            if (c.apartment >= 0)
                CoUninitialize();
        }).join();
        EXPECT_TRUE(written);
        EXPECT_EQ(afterwards, c.apartment >= 0 ? S_FALSE : S_OK);
        EXPECT_EQ(readLink(path), (Link{target, c.arguments, c.workingFolder}));
        EXPECT_EQ(readBytes(path).substr(0x3C, 4), std::string("\1\0\0\0", 4));
    }
    EXPECT_FALSE(win32::writeShortcut(links + L"\\No such folder\\Game.lnk", target, L"", L"C:\\").ok());
}

}  // namespace

// Under the game's name (started by the tests above) this program writes its command line and show mode (-1: none
// given) to "recorded.txt" in its working folder, in UTF-16; under another name first, so that a reader never sees half
// of it.
int main(int argc, char** argv) {
    if (thisProgram().find(kGame) == std::wstring::npos) {
        ::testing::InitGoogleTest(&argc, argv);
        return RUN_ALL_TESTS();
    }
    STARTUPINFOW startup{};
    GetStartupInfoW(&startup);
    const std::wstring text = GetCommandLineW() +
                              (L"\n" +
                               std::to_wstring(startup.dwFlags & STARTF_USESHOWWINDOW ? startup.wShowWindow : -1));
    return !(writeBytes(L"recorded.tmp", std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2)) &&
             MoveFileExW(L"recorded.tmp", L"recorded.txt", MOVEFILE_REPLACE_EXISTING));
}
