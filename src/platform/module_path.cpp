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

std::wstring shortPathOf(const std::wstring& path)
{
    // Past MAX_PATH a path is read only with the long-path prefix.
    constexpr wchar_t kLong[] = L"\\\\?\\";
    const bool prefix = path.size() >= MAX_PATH && path.rfind(L"\\\\", 0) != 0;
    const std::wstring asked = prefix ? kLong + path : path;
    const DWORD n = ::GetShortPathNameW(asked.c_str(), nullptr, 0);
    if (n == 0)
        return {};
    std::wstring out(n, L'\0');
    const DWORD got = ::GetShortPathNameW(asked.c_str(), out.data(), n);
    if (got == 0 || got >= n)
        return {};
    out.resize(got);
    return prefix && out.rfind(kLong, 0) == 0 ? out.substr(4) : out;
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
