#include "platform/module_path.h"

#include <windows.h>

namespace qv {

namespace {

std::wstring modulePath()
{
    // Paths may exceed MAX_PATH; grow until the whole name fits.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0)
            return {};
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    return path;
}

}  // namespace

std::wstring programFileName()
{
    const std::wstring path = modulePath();
    return path.substr(path.find_last_of(L"\\/") + 1);
}

std::wstring programFolder()
{
    const std::wstring path = modulePath();
    const auto slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos)
        return {};
    // Keep the backslash of a root ("C:\"), drop it otherwise.
    return path.substr(0, slash == 2 && path[1] == L':' ? slash + 1 : slash);
}

}  // namespace qv
