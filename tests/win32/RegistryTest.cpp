#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <utility>

#include "GameRegistry.h"
#include "SystemInfo.h"

namespace {

// The test key, in HKEY_LOCAL_MACHINE\Software, which has a 32-bit and a native view; read under another spelling (the
// registry ignores letter case).
const std::wstring kGameKey = L"Software\\Vantor Tests\\Microsoft Games\\Freelancer\\1.0";
const std::wstring kSpelledOtherwise = L"SOFTWARE\\vantor tests\\MICROSOFT GAMES\\freelancer\\1.0";

std::string utf16(const std::wstring& text) {
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

// Stores a value in one view of the test key with exactly the bytes given.
void setRaw(REGSAM view, const std::wstring& name, DWORD type, const std::string& bytes) {
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_LOCAL_MACHINE, kGameKey.c_str(), 0, nullptr, 0, KEY_SET_VALUE | view, nullptr, &key, nullptr);
    EXPECT_EQ(
        RegSetValueExW(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()), DWORD(bytes.size())),
        0);
    RegCloseKey(key);
}

// The type and bytes of a value in the 32-bit view of the test key.
std::pair<DWORD, std::string> stored(const std::wstring& name) {
    std::string bytes(32768, '?');
    DWORD type = REG_NONE, size = DWORD(bytes.size());
    HKEY key = nullptr;
    RegOpenKeyExW(HKEY_LOCAL_MACHINE, kGameKey.c_str(), 0, KEY_QUERY_VALUE | KEY_WOW64_32KEY, &key);
    RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&bytes[0]), &size);
    RegCloseKey(key);
    return {type, bytes.substr(0, size)};
}

void removeTestKeys() {
    for (const wchar_t* key : {L"Software\\Vantor Tests", L"Software\\Wow6432Node\\Vantor Tests"})
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, key);
}

// Values as this program and others leave them. writeText stores text with its closing zero in the 32-bit view, where
// the 32-bit game reads it, over a longer earlier value. readText reads the 32-bit view first, then the native one,
// and gives text, or empty text for anything else. getKeyValue (the About box's reading of the system information
// tool's path, in the native view) gives text up to its first zero, numbers in hexadecimal without leading zeros,
// leaves other types as they came in, and finds nothing where there is no key or value.
TEST(Registry, ReadsValuesAsThisProgramAndOthersLeaveThem) {
    removeTestKeys();
    const struct {
        std::wstring name;
        DWORD type;
        std::string in32Bit, inNative;  // "-": not stored there; "=": written there by writeText
        std::wstring text;              // from readText
        std::string keyValue;           // from getKeyValue; "": it finds none
    } cases[] = {
        {L"Written", REG_SZ, "=", "-", L"4F2A-77C1-09DE-B3B0", ""},
        {L"Written empty", REG_SZ, "=", "-", L"", ""},
        {L"Written Ñandú", REG_SZ, "=", "-", L"Ñandú \"x\" D:\\Free lancer\\", ""},
        {L"Written long", REG_SZ, "=", "-", std::wstring(5000, L'q'), ""},
        {L"Both", REG_SZ, utf16(L"C:\\Games32"), utf16(L"C:\\Native"), L"C:\\Games32", "C:\\Native"},
        {L"In32Bit", REG_SZ, utf16(L"C:\\Games32"), "-", L"C:\\Games32", ""},
        {L"InNative", REG_SZ, "-", utf16(L"C:\\Native"), L"C:\\Native", "C:\\Native"},
        {L"Zeros", REG_SZ, "-", utf16({L"C:\\Tools\\info.exe\0\0", 19}), L"C:\\Tools\\info.exe", "C:\\Tools\\info.exe"},
        {L"Unended", REG_SZ, "-", utf16(L"ABC-123"), L"ABC-123", "ABC-123"},
        {L"Long", REG_SZ, "-", utf16(std::wstring(3000, L'p')), std::wstring(3000, L'p'), std::string(3000, 'p')},
        {L"Number", REG_DWORD, "-", {"\x0B\x2A\x01\x00", 4}, L"", "&h12a0b"},
        {L"Zero", REG_DWORD, "-", std::string(4, '\0'), L"", "&h0"},
        {L"Expandable", REG_EXPAND_SZ, "-", utf16(L"%WINDIR%"), L"%WINDIR%", "kept"},
        {L"Binary", REG_BINARY, "-", "\x01\x02\x03", L"", "kept"},
        {L"Missing", REG_NONE, "-", "-", L"", ""},
        {L"No such key", REG_NONE, "-", "-", L"", ""}};
    for (const auto& c : cases) {
        if (c.in32Bit == "=") {
            ASSERT_TRUE(win32::writeText(win32::kLocalMachine, kGameKey, c.name, std::wstring(300, L'x')).ok());
            const win32::Status written = win32::writeText(win32::kLocalMachine, kGameKey, c.name, c.text);
            ASSERT_TRUE(written.ok()) << written.code;
        } else if (c.in32Bit != "-") {
            setRaw(KEY_WOW64_32KEY, c.name, c.type, c.in32Bit);
        }
        if (c.inNative != "-")
            setRaw(0, c.name, c.type, c.inNative);
    }
    for (const auto& c : cases) {
        const std::wstring key = kSpelledOtherwise + (c.name == L"No such key" ? L"\\No such key" : L"");
        std::wstring text = L"stale";
        const win32::Status status = win32::readText(win32::kLocalMachine, key, c.name, text);
        EXPECT_TRUE(status.ok()) << status.code;
        EXPECT_EQ(text, c.text) << c.name;
        const std::string narrowKey(key.begin(), key.end()), name(c.name.begin(), c.name.end());
        std::string value = "kept";
        EXPECT_EQ(win32::getKeyValue(HKEY_LOCAL_MACHINE, narrowKey, name, value), !c.keyValue.empty()) << name;
        EXPECT_EQ(value, c.keyValue) << name;
        if (c.in32Bit == "=") {
            EXPECT_EQ(stored(c.name), std::make_pair(DWORD(REG_SZ), utf16(c.text + L'\0'))) << c.name;
        }
    }
    removeTestKeys();
}

}  // namespace
