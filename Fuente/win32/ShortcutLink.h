#pragma once

// Writing a Windows shortcut (.lnk) in plain Win32 (no Qt).

#include <string>

#include "Status.h"

namespace win32 {

// Writes the shortcut file `path` starting `target` with `arguments` in `workingFolder`.
Status writeShortcut(const std::wstring& path, const std::wstring& target, const std::wstring& arguments,
                     const std::wstring& workingFolder);

}  // namespace win32
