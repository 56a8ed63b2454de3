#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <utility>

#include "GameProcess.h"
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
// command line and show mode it was given, in the working folder it was given.
TEST(StartProgram, CommandLineAndShowModeArriveInTheWorkingFolder) {
    const std::pair<std::wstring, bool> cases[] = {
        {L"/a=ABC123 /w", true}, {L"", true}, {L"-s \"two  words\" end", false}, {L"/s=127.0.0.1:2302 ñandú", false}};
    for (const auto& [arguments, minimized] : cases) {
        TestFolder game(L"Game folder"), work(L"Work folder");
        const std::wstring program = game.file(kGame);
        ASSERT_TRUE(CopyFileW(thisProgram().c_str(), program.c_str(), FALSE));
        const win32::Status status = win32::startProgram(program, arguments, work.path(), minimized);
        ASSERT_TRUE(status.ok()) << status.code;

        std::string recorded;
        for (int waited = 0; waited < 10000 && (recorded = readBytes(work.file(L"recorded.txt"))).empty(); waited += 50)
            Sleep(50);
        EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(recorded.data()), recorded.size() / 2),
                  L"\"" + program + L"\"" + (arguments.empty() ? L"" : L" " + arguments) + L"\n" +
                      std::to_wstring(minimized ? SW_SHOWMINIMIZED : SW_SHOWNORMAL));
    }
}

TEST(StartProgram, AMissingProgramIsReportedWithTheSystemsTextOnOneLine) {
    TestFolder game(L"Empty game folder");
    const win32::Status status = win32::startProgram(game.file(L"missing.exe"), L"/w", L"", true);
    EXPECT_EQ(status.code, ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(status.message.empty());
    EXPECT_EQ(status.message.find_first_of(L"\r\n"), std::wstring::npos);
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
    const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1;
    const std::wstring text = GetCommandLineW() + (L"\n" + std::to_wstring(show));
    return writeBytes(L"recorded.tmp", std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2)) &&
                   MoveFileExW(L"recorded.tmp", L"recorded.txt", MOVEFILE_REPLACE_EXISTING)
               ? 0
               : 1;
}
