#pragma once
// The HTML help viewer (hhctrl.ocx), loaded from the system folder on the
// first F1 and never freed: its windows may still be up at any moment we
// could pick.

#include <windows.h>

#include <functional>
#include <string>

#include "platform/services.h"

namespace qv {

// What the viewer asks of the system; tests put in recorders.
struct HelpSystem {
    std::function<HMODULE(const std::wstring& path)> load;
    std::function<void(const std::wstring& path)> deleteFile;
};

class HtmlHelpViewer final : public IHelp {
public:
    explicit HtmlHelpViewer(HelpSystem system = {});
    void showHelp(HWND owner, const std::wstring& chmPath) override;
    void closeAll() override;

private:
    using HtmlHelpWFn = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);
    HelpSystem system_;
    HtmlHelpWFn htmlHelp_ = nullptr;
};

}  // namespace qv
