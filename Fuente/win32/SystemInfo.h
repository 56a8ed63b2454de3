#pragma once

// Finding the Windows system information tool, in plain Win32 (no Qt).

#include <string>

namespace win32 {

// Reads one registry value into `value`. Text (REG_SZ) gives its characters up to the first zero;
// a 32-bit number (REG_DWORD) gives "&h" and the number in hexadecimal without leading zeros
// (0x12A0B gives "&h12a0b"); any other type leaves `value` as it was and still gives true. False,
// with `value` emptied, when the key or the value cannot be read.
bool getKeyValue(void* root, const std::string& keyName, const std::string& valueName, std::string& value);

// The system information tool's program, from the registry; empty when it cannot be found.
std::string systemInfoPath();

}  // namespace win32
