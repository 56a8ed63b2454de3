#pragma once

#include <string>

namespace win32 {

// The outcome of a Win32 call: its error code (0 is success) and the system's text for it.
struct Status {
    long code = 0;
    std::wstring message;
    bool ok() const { return code == 0; }
};

Status statusOf(long code);

}  // namespace win32
