#pragma once

// The Windows registry for the game's values, in plain Win32 (no Qt), so that it can be built
// with mingw-w64 and tested under Wine.

#include <string>

#include "Status.h"

namespace win32 {

// Roots as the game settings store numbers them.
constexpr unsigned long kCurrentUser = 0x80000001UL;
constexpr unsigned long kLocalMachine = 0x80000002UL;

// Reads a text value (REG_SZ or REG_EXPAND_SZ, unexpanded), looking in the 32-bit view of the
// registry first, since the game is a 32-bit program, then in the native view. A missing key or
// value, or a value that is not text, gives the empty text and success.
Status readText(unsigned long root, const std::wstring& keyPath, const std::wstring& valueName, std::wstring& value);

// Creates the key when needed and writes the value as REG_SZ, into the 32-bit view (the same key
// as the native view for HKEY_CURRENT_USER\Software), so that readText reads it back.
Status writeText(unsigned long root, const std::wstring& keyPath, const std::wstring& valueName,
                 const std::wstring& value);

}  // namespace win32
