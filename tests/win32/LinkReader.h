#pragma once

// Reading a shortcut (.lnk) back through the shell's own IShellLinkW, for the Windows tests.

#include <windows.h>

#include <string>

namespace testing_win32 {

// What a shortcut file says.
struct Link {
    HRESULT loaded = E_FAIL;
    std::wstring target;
    std::wstring arguments;
    std::wstring workingFolder;
};

Link readLink(const std::wstring& path);

}  // namespace testing_win32
