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
    // on the calling thread (the one that uses this object). Made on the
    // first link, kept to the end.
    if (!comReady_) {
        late::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
        comReady_ = true;
    }
    execute_(owner, target);
}

}  // namespace qv
