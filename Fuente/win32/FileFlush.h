#pragma once

// Getting a file's written bytes onto the device, in plain Win32 (no Qt).

#include "Status.h"

namespace win32 {

// Flushes what was written through a C run-time file descriptor to the device
// (FlushFileBuffers); fails, among others, for a descriptor not open for writing.
Status flushFile(int descriptor);

}  // namespace win32
