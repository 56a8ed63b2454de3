#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <utility>

#include "GameRegistry.h"
#include "SystemInfo.h"

namespace {

// Every test key lies under "Software\Vantor Tests", in HKEY_CURRENT_USER or HKEY_LOCAL_MACHINE.
const std::wstring kGameKey = L"Software\\Vantor Tests\\Microsoft Games\\Freelancer\\1.0";
constexpr REGSAM kNative = 0, k32Bit = KEY_WOW64_32KEY;

HKEY handleOf(unsigned long root) { return root == win32::kLocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER; }

// Stores a value in one view of the game's key with exactly the bytes given.
void setRaw(HKEY root, REGSAM view, const std::wstring& name, DWORD type, const void* data, DWORD bytes) {
    HKEY key = nullptr;
    RegCreateKeyExW(root, kGameKey.c_str(), 0, nullptr, 0, KEY_SET_VALUE | view, nullptr, &key, nullptr);
    EXPECT_EQ(RegSetValueExW(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), bytes), 0);
    RegCloseKey(key);
}

void setText(HKEY root, REGSAM view, const std::wstring& name, const std::wstring& text) {
    setRaw(root, view, name, REG_SZ, text.c_str(), DWORD((text.size() + 1) * sizeof(wchar_t)));
}

// The type and bytes of a value as one view of the game's key holds it; REG_NONE when missing.
std::pair<DWORD, std::wstring> stored(HKEY root, REGSAM view, const std::wstring& name) {
    std::wstring data(8192, L'?');
    DWORD type = REG_NONE, bytes = DWORD(data.size() * sizeof(wchar_t));
    HKEY key = nullptr;
    RegOpenKeyExW(root, kGameKey.c_str(), 0, KEY_QUERY_VALUE | view, &key);
    if (RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&data[0]), &bytes) != 0)
        type = REG_NONE, bytes = 0;
    RegCloseKey(key);
    return {type, data.substr(0, bytes / sizeof(wchar_t))};
}

// The test keys are removed from both roots and both views before and after each test.
class Registry : public ::testing::Test {
protected:
    void SetUp() override { clear(); }
    void TearDown() override { clear(); }
    static void clear() {
        for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE})
            for (const wchar_t* key : {L"Software\\Vantor Tests", L"Software\\Wow6432Node\\Vantor Tests"})
                RegDeleteTreeW(root, key);
    }
};

// Written, then read under another spelling of the key and name (the registry ignores letter case): stored as text with
// its closing zero in the 32-bit view, where the 32-bit game reads it, without a longer earlier value showing through.
TEST_F(Registry, ReadsBackWhatWasWrittenWhereTheGameReadsIt) {
    const std::pair<unsigned long, std::wstring> cases[] = {{win32::kCurrentUser, L"4F2A-77C1-09DE-B3B0"},
                                                            {win32::kCurrentUser, L""},
                                                            {win32::kCurrentUser, L"Ñandú \"x\" C:\\Games\\"},
                                                            {win32::kCurrentUser, std::wstring(5000, L'q')},
                                                            {win32::kLocalMachine, L"D:\\Games\\Free lancer"}};
    for (const auto& [root, text] : cases) {
        ASSERT_TRUE(win32::writeText(root, kGameKey, L"MPAccountName", std::wstring(300, L'x')).ok());
        const win32::Status written = win32::writeText(root, kGameKey, L"MPAccountName", text);
        ASSERT_TRUE(written.ok()) << written.code;
        std::wstring value = L"stale";
        const win32::Status read = win32::readText(root, L"SOFTWARE\\vantor tests\\MICROSOFT GAMES\\freelancer\\1.0",
                                                   L"mpaccountNAME", value);
        EXPECT_TRUE(read.ok()) << read.code;
        EXPECT_EQ(value, text);
        EXPECT_EQ(stored(handleOf(root), k32Bit, L"MPAccountName"), std::make_pair(DWORD(REG_SZ), text + L'\0'));
    }
}

// HKEY_LOCAL_MACHINE\Software has a 32-bit and a native view; the game, a 32-bit program, writes its folder into the
// 32-bit one, which is read first.
TEST_F(Registry, ReadsThe32BitViewFirstThenTheNativeOne) {
    const struct {
        const wchar_t *in32Bit, *inNative;  // nullptr: no such value there
        bool keyIn32Bit;                    // the 32-bit view has the key, with or without the value
        std::wstring expected;
    } cases[] = {{L"C:\\Games32", nullptr, true, L"C:\\Games32"},
                 {nullptr, L"C:\\Native", false, L"C:\\Native"},
                 {L"C:\\Games32", L"C:\\Native", true, L"C:\\Games32"},
                 {nullptr, L"C:\\Native", true, L"C:\\Native"},
                 {nullptr, nullptr, true, L""}};
    for (const auto& c : cases) {
        clear();
        if (c.keyIn32Bit)
            setText(HKEY_LOCAL_MACHINE, k32Bit, L"Other", L"unrelated");
        if (c.in32Bit)
            setText(HKEY_LOCAL_MACHINE, k32Bit, L"AppPath", c.in32Bit);
        if (c.inNative)
            setText(HKEY_LOCAL_MACHINE, kNative, L"AppPath", c.inNative);
        std::wstring value = L"stale";
        EXPECT_TRUE(win32::readText(win32::kLocalMachine, kGameKey, L"AppPath", value).ok());
        EXPECT_EQ(value, c.expected);
    }
}

// A missing key or value, or one that is not text, reads as empty text. Text stored by another program without its
// closing zero reads exactly, with nothing after it.
TEST_F(Registry, ReadsOddValuesAsTheirTextOrNone) {
    setRaw(HKEY_CURRENT_USER, kNative, L"Binary", REG_BINARY, "\x01\x02", 2);
    setRaw(HKEY_CURRENT_USER, kNative, L"Unended", REG_SZ, L"ABC-123", 14);
    setRaw(HKEY_CURRENT_USER, kNative, L"Expandable", REG_EXPAND_SZ, L"%SystemRoot%", 24);
    const std::pair<std::wstring, std::wstring> cases[] = {{L"No such key", L""},
                                                           {L"MPAccountName", L""},
                                                           {L"Binary", L""},
                                                           {L"Unended", L"ABC-123"},
                                                           {L"Expandable", L"%SystemRoot%"}};
    for (const auto& [name, expected] : cases) {
        std::wstring value = L"stale";
        const std::wstring key = name == L"No such key" ? kGameKey + L"\\No such key" : kGameKey;
        const win32::Status status = win32::readText(win32::kCurrentUser, key, name, value);
        EXPECT_TRUE(status.ok()) << status.code;
        EXPECT_EQ(value, expected) << name;
    }
}

// The About box's reading of the system information tool's path: text up to its first zero, numbers in hexadecimal
// without leading zeros; other types leave the value as it came in.
TEST_F(Registry, KeyValueGivesTextForStringsHexForNumbers) {
    const auto utf16 = [](const std::wstring& text) {
        return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
    };
    const struct {
        std::string name;
        DWORD type;
        std::string bytes;  // REG_NONE: the value is not written
        bool found;
        std::string expected;
    } cases[] = {{"Text", REG_SZ, utf16(std::wstring(L"C:\\Tools\\info.exe\0\0", 19)), true, "C:\\Tools\\info.exe"},
                 {"Unended", REG_SZ, utf16(L"C:\\Tools"), true, "C:\\Tools"},
                 {"Long", REG_SZ, utf16(std::wstring(3000, L'p')), true, std::string(3000, 'p')},
                 {"Number", REG_DWORD, std::string("\x0B\x2A\x01\x00", 4), true, "&h12a0b"},
                 {"Zero", REG_DWORD, std::string(4, '\0'), true, "&h0"},
                 {"Expandable", REG_EXPAND_SZ, utf16(L"%WINDIR%"), true, "kept"},
                 {"Binary", REG_BINARY, "\x01\x02\x03", true, "kept"},
                 {"Missing", REG_NONE, "", false, ""}};
    for (const auto& c : cases) {
        if (c.type != REG_NONE)
            setRaw(HKEY_CURRENT_USER, kNative, std::wstring(c.name.begin(), c.name.end()), c.type, c.bytes.data(),
                   DWORD(c.bytes.size()));
        std::string value = "kept";
        EXPECT_EQ(win32::getKeyValue(HKEY_CURRENT_USER, "SOFTWARE\\VANTOR TESTS\\microsoft games\\FREELANCER\\1.0",
                                     c.name, value),
                  c.found)
            << c.name;
        EXPECT_EQ(value, c.expected) << c.name;
    }
    std::string value = "kept";
    EXPECT_FALSE(win32::getKeyValue(HKEY_CURRENT_USER, "Software\\Vantor Tests\\No such key", "Text", value));
    EXPECT_EQ(value, "");
}

}  // namespace
