#include "FileFlush.h"

#include <io.h>
#include <windows.h>

namespace win32 {

Status flushFile(int descriptor) {
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(descriptor));
    if (handle == INVALID_HANDLE_VALUE)
        return statusOf(ERROR_INVALID_HANDLE);
    return FlushFileBuffers(handle) ? Status{} : statusOf(long(GetLastError()));
}

}  // namespace win32
