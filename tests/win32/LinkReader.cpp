#include "LinkReader.h"

#include <objbase.h>
#include <shlguid.h>
#include <shobjidl.h>

namespace testing_win32 {

Link readLink(const std::wstring& path) {
    Link link;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IShellLinkW* shellLink = nullptr;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&shellLink))) &&
        SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        link.loaded = file->Load(path.c_str(), STGM_READ);
        wchar_t text[MAX_PATH * 4] = {};
        if (SUCCEEDED(link.loaded) && SUCCEEDED(shellLink->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH)))
            link.target = text;
        text[0] = 0;
        if (SUCCEEDED(link.loaded) && SUCCEEDED(shellLink->GetArguments(text, MAX_PATH * 4)))
            link.arguments = text;
        text[0] = 0;
        if (SUCCEEDED(link.loaded) && SUCCEEDED(shellLink->GetWorkingDirectory(text, MAX_PATH)))
            link.workingFolder = text;
    }
    if (file)
        file->Release();
    if (shellLink)
        shellLink->Release();
    CoUninitialize();
    return link;
}

}  // namespace testing_win32
