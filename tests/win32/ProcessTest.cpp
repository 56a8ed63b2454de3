#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "GameProcess.h"
#include "TestFolder.h"

using testing_win32::TestFolder;

namespace {

// What the recorder wrote: see ArgumentRecorder.cpp.
struct Recorded {
    std::wstring commandLine;
    std::wstring arguments;
    int show = 0;
    std::vector<std::wstring> argv;
};

// Waits up to ten seconds for the recorder's file and reads it.
bool waitForRecording(const std::wstring& path, Recorded& recorded) {
    for (int waited = 0; waited < 10000; waited += 50) {
        const std::string bytes = testing_win32::readBytes(path);
        if (!bytes.empty()) {
            const std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
            std::vector<std::wstring> lines;
            for (std::size_t start = 0, end; (end = text.find(L'\n', start)) != std::wstring::npos; start = end + 1)
                lines.push_back(text.substr(start, end - start));
            if (lines.size() < 3)
                return false;
            recorded.commandLine = lines[0];
            recorded.arguments = lines[1];
            recorded.show = std::stoi(lines[2]);
            recorded.argv.assign(lines.begin() + 3, lines.end());
            return true;
        }
        Sleep(50);
    }
    return false;
}

struct StartCase {
    const char* name;
    std::wstring arguments;
    std::vector<std::wstring> argv;
    bool minimized;
};
void PrintTo(const StartCase& c, std::ostream* os) { *os << c.name; }

class StartProgram : public ::testing::TestWithParam<StartCase> {};

// The game is started from a folder with blanks in its path, as "C:\Program Files\..." has, and
// must receive exactly the arguments it was given, in the working folder it was given.
TEST_P(StartProgram, ArgumentsArriveIntactInTheWorkingFolder) {
    const StartCase& c = GetParam();
    TestFolder game(L"Game folder");
    TestFolder work(L"Work folder");
    const std::wstring program = game.file(L"Free lancer.exe");
    ASSERT_TRUE(
        CopyFileW((testing_win32::programFolder() + L"\\" + ARGUMENT_RECORDER).c_str(), program.c_str(), FALSE));

    const win32::Status status = win32::startProgram(program, c.arguments, work.path(), c.minimized);
    ASSERT_TRUE(status.ok()) << status.code;

    Recorded recorded;
    ASSERT_TRUE(waitForRecording(work.file(L"recorded.txt"), recorded))
        << "the program did not run in its working folder";
    EXPECT_EQ(recorded.commandLine, L"\"" + program + L"\"" + (c.arguments.empty() ? L"" : L" " + c.arguments));
    EXPECT_EQ(recorded.arguments, c.arguments);
    EXPECT_EQ(recorded.argv, c.argv);
    EXPECT_EQ(recorded.show, c.minimized ? SW_SHOWMINIMIZED : SW_SHOWNORMAL);
}

INSTANTIATE_TEST_SUITE_P(
    Win32, StartProgram,
    ::testing::Values(
        StartCase{"AccountAndWindowed", L"/a=ABC123 /w", {L"/a=ABC123", L"/w"}, true},
        StartCase{"NoArguments", L"", {}, true},
        StartCase{"QuotedArgumentWithBlanks", L"-s \"two  words\" end", {L"-s", L"two  words", L"end"}, false},
        StartCase{"ServerAndAccents", L"/s=127.0.0.1:2302 ñandú", {L"/s=127.0.0.1:2302", L"ñandú"}, false}),
    [](const ::testing::TestParamInfo<StartCase>& info) { return std::string(info.param.name); });

TEST(StartProgramFailure, MissingProgramIsReportedWithTheSystemText) {
    TestFolder game(L"Empty game folder");
    const win32::Status status = win32::startProgram(game.file(L"missing.exe"), L"/w", L"", true);
    EXPECT_FALSE(status.ok());
    EXPECT_EQ(status.code, ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(status.message.empty());
    EXPECT_EQ(status.message.find_first_of(L"\r\n"), std::wstring::npos) << "the text ends without a line break";
}

struct CommandLineCase {
    std::wstring commandLine;
    std::wstring arguments;
};
void PrintTo(const CommandLineCase& c, std::ostream* os) { *os << ::testing::PrintToString(c.commandLine); }

class ArgumentsOf : public ::testing::TestWithParam<CommandLineCase> {};

TEST_P(ArgumentsOf, IsTheRawTextAfterTheProgramName) {
    EXPECT_EQ(win32::argumentsOf(GetParam().commandLine), GetParam().arguments);
}

INSTANTIATE_TEST_SUITE_P(
    Win32, ArgumentsOf,
    ::testing::Values(
        CommandLineCase{L"\"C:\\Program Files\\Vantor\\VTR.exe\" /a=1 /w", L"/a=1 /w"},
        CommandLineCase{L"C:\\Vantor\\VTR.exe /a=1", L"/a=1"}, CommandLineCase{L"VTR.exe\t/a=1", L"/a=1"},
        CommandLineCase{L"VTR", L""}, CommandLineCase{L"\"C:\\Program Files\\Vantor\\VTR.exe\"", L""},
        CommandLineCase{L"\"C:\\Program Files\\Vantor\\VTR.exe\"  \t /a=1   \"two words\" ", L"/a=1   \"two words\" "},
        // The quoted name ends at its closing quote, even with no blank after it.
        CommandLineCase{L"\"C:\\Program Files\\Vantor\\VTR.exe\"/a=1", L"/a=1"},
        CommandLineCase{L"\"C:\\never closed /a=1", L""}, CommandLineCase{L"", L""}));

}  // namespace
