#include "platform/shell_open.h"

#include <objbase.h>

#include <utility>

#include "platform/late_bound.h"

namespace qv {

ShellOpener::ShellOpener(Execute execute) : execute_(std::move(execute))
{
    if (!execute_) {
        execute_ = [](HWND owner, const std::wstring& target) {
            late::ShellExecuteW(owner, L"open", target.c_str(), L"", L"", SW_SHOW);
        };
    }
}

void ShellOpener::open(HWND owner, const std::wstring& target)
{
    // The shell may hand the link to a COM handler, which needs an apartment
    // on the calling thread. Made on the first link, kept to the end.
    static thread_local const HRESULT com =
        late::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    (void)com;
    execute_(owner, target);
}

}  // namespace qv
