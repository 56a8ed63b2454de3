#include "ShortcutLink.h"

#include <windows.h>
#include <objbase.h>
#include <objidl.h>
#include <shlguid.h>
#include <shobjidl.h>

namespace win32 {

namespace {

// Releases a COM interface when it goes out of scope.
template <class T>
struct ComPtr {
    T* p = nullptr;
    ~ComPtr() {
        if (p)
            p->Release();
    }
};

}  // namespace

Status writeShortcut(const std::wstring& path, const std::wstring& target, const std::wstring& arguments,
                     const std::wstring& workingFolder) {
    const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    HRESULT result = S_OK;
    {
        ComPtr<IShellLinkW> link;
        ComPtr<IPersistFile> file;
        result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  reinterpret_cast<void**>(&link.p));
        if (SUCCEEDED(result))
            result = link.p->SetPath(target.c_str());
        if (SUCCEEDED(result))
            result = link.p->SetArguments(arguments.c_str());
        if (SUCCEEDED(result))
            result = link.p->SetWorkingDirectory(workingFolder.c_str());
        if (SUCCEEDED(result))
            result = link.p->SetShowCmd(SW_SHOWNORMAL);
        if (SUCCEEDED(result))
            result = link.p->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file.p));
        if (SUCCEEDED(result))
            result = file.p->Save(path.c_str(), TRUE);
    }
    if (SUCCEEDED(init))
        CoUninitialize();
    return statusOf(SUCCEEDED(result) ? 0 : long(result));
}

}  // namespace win32
