#pragma once
// Handing a document or link to the program the user has for it.

#include <windows.h>

#include <functional>
#include <string>

#include "platform/services.h"

namespace qv {

class ShellOpener final : public IShellOpen {
public:
    // The hand-over itself; ShellExecuteW unless a test says otherwise.
    using Execute = std::function<void(HWND owner, const std::wstring& target)>;
    explicit ShellOpener(Execute execute = {});
    void open(HWND owner, const std::wstring& target) override;

private:
    Execute execute_;
    bool comReady_ = false;
};

}  // namespace qv
