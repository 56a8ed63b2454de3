#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "SystemInfo.h"

namespace {

const wchar_t kKey[] = L"Software\\Vantor Tests\\About";

// Writes a value with exactly the bytes given.
void setRaw(const wchar_t* name, DWORD type, const std::string& bytes) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExW(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()), DWORD(bytes.size())),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

struct KeyValueCase {
    const char* name;
    DWORD type;
    std::string bytes;  // as stored; REG_NONE: the value is not written
    bool found;
    std::string expected;  // the value passed in is "kept"
};
void PrintTo(const KeyValueCase& c, std::ostream* os) { *os << c.name; }

std::string utf16(const std::wstring& text) {
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}
std::string dword(DWORD number) { return std::string(reinterpret_cast<const char*>(&number), sizeof number); }

class GetKeyValue : public ::testing::TestWithParam<KeyValueCase> {
protected:
    void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, kKey); }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, kKey); }
};

TEST_P(GetKeyValue, GivesTextForStringsHexForNumbersAndKeepsOtherTypes) {
    const KeyValueCase& c = GetParam();
    setRaw(L"Other", REG_SZ, utf16(std::wstring(L"the key exists", 15)));
    if (c.type != REG_NONE)
        setRaw(L"Value", c.type, c.bytes);

    std::string value = "kept";
    EXPECT_EQ(win32::getKeyValue(HKEY_CURRENT_USER, "SOFTWARE\\VANTOR TESTS\\about", "value", value), c.found);
    EXPECT_EQ(value, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Win32, GetKeyValue,
    ::testing::Values(
        KeyValueCase{"Text", REG_SZ, utf16(std::wstring(L"C:\\Tools\\info.exe") + L'\0'), true, "C:\\Tools\\info.exe"},
        KeyValueCase{"TextWithoutClosingZero", REG_SZ, utf16(L"C:\\Tools"), true, "C:\\Tools"},
        KeyValueCase{"TextWithSeveralZeros", REG_SZ, utf16(std::wstring(L"abc\0\0\0", 6)), true, "abc"},
        KeyValueCase{"EmptyText", REG_SZ, utf16(std::wstring(1, L'\0')), true, ""},
        KeyValueCase{"TextLongerThan1024Bytes", REG_SZ, utf16(std::wstring(3000, L'p') + L'\0'), true,
                     std::string(3000, 'p')},
        KeyValueCase{"NumberAllBytesSet", REG_DWORD, dword(0x12345678), true, "&h12345678"},
        // The number's own digits: a zero byte inside it is not lost, and no zeros lead.
        KeyValueCase{"NumberWithZeroBytes", REG_DWORD, dword(0x00012A0B), true, "&h12a0b"},
        KeyValueCase{"NumberOneOhOne", REG_DWORD, dword(0x0101), true, "&h101"},
        KeyValueCase{"NumberZero", REG_DWORD, dword(0), true, "&h0"},
        KeyValueCase{"ExpandableTextKeepsWhatCameIn", REG_EXPAND_SZ, utf16(std::wstring(L"%WINDIR%\\x.exe") + L'\0'),
                     true, "kept"},
        KeyValueCase{"BinaryKeepsWhatCameIn", REG_BINARY, std::string("\x01\x02\x03", 3), true, "kept"},
        KeyValueCase{"MissingValue", REG_NONE, "", false, ""}),
    [](const ::testing::TestParamInfo<KeyValueCase>& info) { return std::string(info.param.name); });

TEST(GetKeyValueMissingKey, IsFalseWithEmptyText) {
    std::string value = "kept";
    EXPECT_FALSE(win32::getKeyValue(HKEY_CURRENT_USER, "Software\\Vantor Tests\\No such key", "Value", value));
    EXPECT_EQ(value, "");
}

}  // namespace
