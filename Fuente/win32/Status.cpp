#include "Status.h"

#include <windows.h>

namespace win32 {

Status statusOf(long code) {
    Status result;
    result.code = code;
    if (code == ERROR_SUCCESS)
        return result;
    wchar_t* text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   DWORD(code), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    result.message = text ? text : L"Windows error " + std::to_wstring(code);
    LocalFree(text);
    while (!result.message.empty() && (result.message.back() == L'\n' || result.message.back() == L'\r'))
        result.message.pop_back();
    return result;
}

}  // namespace win32
