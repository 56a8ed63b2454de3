#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "GameRegistry.h"

namespace {

// Every test key lives under this one, in HKEY_CURRENT_USER or HKEY_LOCAL_MACHINE.
const std::wstring kTests = L"Software\\Vantor Tests";
const std::wstring kGameKey = kTests + L"\\Microsoft Games\\Freelancer\\1.0";
constexpr REGSAM kNative = 0;
constexpr REGSAM k32Bit = KEY_WOW64_32KEY;

HKEY handleOf(unsigned long root) { return root == win32::kLocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER; }

// Writes a value straight through the registry API into one view, with the bytes given.
void setRaw(HKEY root, REGSAM view, const std::wstring& keyPath, const std::wstring& name, DWORD type, const void* data,
            DWORD bytes) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(root, keyPath.c_str(), 0, nullptr, 0, KEY_SET_VALUE | view, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExW(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), bytes), ERROR_SUCCESS);
    RegCloseKey(key);
}

void setText(HKEY root, REGSAM view, const std::wstring& keyPath, const std::wstring& name, const std::wstring& text) {
    setRaw(root, view, keyPath, name, REG_SZ, text.c_str(), DWORD((text.size() + 1) * sizeof(wchar_t)));
}

// The value as stored in one view: its type, size in bytes and text; type REG_NONE when missing.
struct Stored {
    DWORD type = REG_NONE;
    DWORD bytes = 0;
    std::wstring text;
};

Stored stored(HKEY root, REGSAM view, const std::wstring& keyPath, const std::wstring& name) {
    Stored result;
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, keyPath.c_str(), 0, KEY_QUERY_VALUE | view, &key) != ERROR_SUCCESS)
        return result;
    std::wstring buffer(8192, L'\0');
    result.bytes = DWORD((buffer.size() - 1) * sizeof(wchar_t));
    if (RegQueryValueExW(key, name.c_str(), nullptr, &result.type, reinterpret_cast<BYTE*>(&buffer[0]),
                         &result.bytes) == ERROR_SUCCESS)
        result.text = buffer.c_str();
    else
        result.type = REG_NONE;
    RegCloseKey(key);
    return result;
}

// Removes the test keys from both roots and both views, before and after each test.
class Registry : public ::testing::Test {
protected:
    void SetUp() override { clear(); }
    void TearDown() override { clear(); }

    static void clear() {
        for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE})
            for (REGSAM view : {kNative, k32Bit}) {
                HKEY software = nullptr;
                if (RegOpenKeyExW(root, L"Software", 0, KEY_ALL_ACCESS | view, &software) == ERROR_SUCCESS) {
                    RegDeleteTreeW(software, L"Vantor Tests");
                    RegCloseKey(software);
                }
            }
    }
};

struct RoundTripCase {
    const char* name;
    unsigned long root;
    std::wstring text;
};
void PrintTo(const RoundTripCase& c, std::ostream* os) { *os << c.name; }

class RegistryRoundTrip : public Registry, public ::testing::WithParamInterface<RoundTripCase> {};

// Written under one spelling of the key and the value's name, read under another: the registry
// compares them without regard to case. A longer earlier value must not show through.
TEST_P(RegistryRoundTrip, ReadsBackWhatWasWrittenUnderAnyLetterCase) {
    const RoundTripCase& c = GetParam();
    const std::wstring earlier(300, L'x');
    ASSERT_TRUE(win32::writeText(c.root, kGameKey, L"MPAccountName", earlier).ok());
    const win32::Status written = win32::writeText(c.root, kGameKey, L"MPAccountName", c.text);
    ASSERT_TRUE(written.ok()) << written.code;

    std::wstring value = L"stale";
    const win32::Status read = win32::readText(c.root, L"SOFTWARE\\vantor tests\\MICROSOFT GAMES\\freelancer\\1.0",
                                               L"mpaccountNAME", value);
    EXPECT_TRUE(read.ok()) << read.code;
    EXPECT_EQ(value, c.text);
    // Stored as plain text with its closing zero, where the 32-bit game reads it.
    const Stored raw = stored(handleOf(c.root), k32Bit, kGameKey, L"MPAccountName");
    EXPECT_EQ(raw.type, DWORD(REG_SZ));
    EXPECT_EQ(raw.bytes, (c.text.size() + 1) * sizeof(wchar_t));
    EXPECT_EQ(raw.text, c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Win32, RegistryRoundTrip,
    ::testing::Values(RoundTripCase{"AccountCode", win32::kCurrentUser, L"4F2A-77C1-09DE-B3B0"},
                      RoundTripCase{"Empty", win32::kCurrentUser, L""},
                      RoundTripCase{"AccentsQuotesBackslashes", win32::kCurrentUser, L"Ñandú \"x\" C:\\Games\\"},
                      RoundTripCase{"LongerThanABuffer", win32::kCurrentUser, std::wstring(5000, L'q')},
                      RoundTripCase{"LocalMachine", win32::kLocalMachine, L"D:\\Games\\Free lancer"}),
    [](const ::testing::TestParamInfo<RoundTripCase>& info) { return std::string(info.param.name); });

// HKEY_LOCAL_MACHINE\Software has separate 32-bit and native views; the game, a 32-bit program,
// writes its folder into the 32-bit one.
struct ViewCase {
    const char* name;
    const wchar_t* in32Bit;  // nullptr: no such value there
    const wchar_t* inNative;
    bool keyIn32Bit;  // the 32-bit view has the key, with or without the value
    std::wstring expected;
};
void PrintTo(const ViewCase& c, std::ostream* os) { *os << c.name; }

class RegistryViews : public Registry, public ::testing::WithParamInterface<ViewCase> {};

TEST_P(RegistryViews, ReadsThe32BitViewFirstThenTheNativeOne) {
    const ViewCase& c = GetParam();
    if (c.keyIn32Bit)
        setText(HKEY_LOCAL_MACHINE, k32Bit, kGameKey, L"Other", L"unrelated");
    if (c.in32Bit)
        setText(HKEY_LOCAL_MACHINE, k32Bit, kGameKey, L"AppPath", c.in32Bit);
    if (c.inNative)
        setText(HKEY_LOCAL_MACHINE, kNative, kGameKey, L"AppPath", c.inNative);

    std::wstring value = L"stale";
    EXPECT_TRUE(win32::readText(win32::kLocalMachine, kGameKey, L"AppPath", value).ok());
    EXPECT_EQ(value, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Win32, RegistryViews,
    ::testing::Values(ViewCase{"Only32Bit", L"C:\\Games32", nullptr, true, L"C:\\Games32"},
                      ViewCase{"OnlyNative", nullptr, L"C:\\Native", false, L"C:\\Native"},
                      ViewCase{"Both32BitWins", L"C:\\Games32", L"C:\\Native", true, L"C:\\Games32"},
                      ViewCase{"KeyIn32BitWithoutTheValue", nullptr, L"C:\\Native", true, L"C:\\Native"},
                      ViewCase{"Neither", nullptr, nullptr, true, L""}),
    [](const ::testing::TestParamInfo<ViewCase>& info) { return std::string(info.param.name); });

TEST_F(Registry, WritingOverAnOld32BitValueReadsBackTheNewOne) {
    setText(HKEY_LOCAL_MACHINE, k32Bit, kGameKey, L"AppPath", L"C:\\Old");
    ASSERT_TRUE(win32::writeText(win32::kLocalMachine, kGameKey, L"AppPath", L"C:\\New").ok());
    std::wstring value;
    EXPECT_TRUE(win32::readText(win32::kLocalMachine, kGameKey, L"AppPath", value).ok());
    EXPECT_EQ(value, L"C:\\New");
}

TEST_F(Registry, MissingKeyValueOrNonTextGivesEmptyTextAndSuccess) {
    const DWORD number = 42;
    setRaw(HKEY_CURRENT_USER, kNative, kGameKey, L"Number", REG_DWORD, &number, sizeof number);
    const struct {
        std::wstring key;
        std::wstring name;
    } cases[] = {{kTests + L"\\No such key", L"MPAccountName"}, {kGameKey, L"MPAccountName"}, {kGameKey, L"Number"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name.begin(), c.name.end()));
        std::wstring value = L"stale";
        const win32::Status status = win32::readText(win32::kCurrentUser, c.key, c.name, value);
        EXPECT_TRUE(status.ok()) << status.code;
        EXPECT_EQ(value, L"");
    }
}

// Another program may store text without its closing zero; nothing after the text may be read.
TEST_F(Registry, TextStoredWithoutItsClosingZeroReadsExactly) {
    for (const DWORD type : {DWORD(REG_SZ), DWORD(REG_EXPAND_SZ)}) {
        const std::wstring text = type == REG_SZ ? L"ABC-123" : L"%SystemRoot%\\x";
        setRaw(HKEY_CURRENT_USER, kNative, kGameKey, L"Raw", type, text.data(), DWORD(text.size() * sizeof(wchar_t)));
        std::wstring value;
        EXPECT_TRUE(win32::readText(win32::kCurrentUser, kGameKey, L"Raw", value).ok());
        EXPECT_EQ(value, text);
    }
}

}  // namespace
