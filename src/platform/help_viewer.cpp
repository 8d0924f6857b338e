#include "platform/help_viewer.h"

#include <utility>

namespace qv {
namespace {

constexpr UINT kHhDisplayTopic = 0x0000;
constexpr UINT kHhCloseAll = 0x0012;

std::wstring systemFolderPath(const wchar_t* name)
{
    wchar_t folder[MAX_PATH];
    const UINT n = ::GetSystemDirectoryW(folder, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return {};
    return std::wstring(folder, n) + L'\\' + name;
}

}  // namespace

HtmlHelpViewer::HtmlHelpViewer(HelpSystem system) : system_(std::move(system))
{
    if (!system_.load)
        system_.load = [](const std::wstring& path) { return ::LoadLibraryW(path.c_str()); };
    if (!system_.deleteFile)
        system_.deleteFile = [](const std::wstring& path) { ::DeleteFileW(path.c_str()); };
}

void HtmlHelpViewer::showHelp(HWND owner, const std::wstring& chmPath)
{
    // Unpacked from a downloaded zip, the file carries the mark of the web,
    // and the viewer then shows no pages. It is our own file: the mark goes.
    system_.deleteFile(chmPath + L":Zone.Identifier");
    if (!htmlHelp_) {
        // From the system folder only: a copy beside the exe would come first by name.
        const std::wstring path = systemFolderPath(L"hhctrl.ocx");
        HMODULE module = path.empty() ? nullptr : system_.load(path);
        if (module)
            htmlHelp_ = reinterpret_cast<HtmlHelpWFn>(reinterpret_cast<void*>(::GetProcAddress(module, "HtmlHelpW")));
    }
    if (htmlHelp_)
        htmlHelp_(owner, chmPath.c_str(), kHhDisplayTopic, 0);
}

void HtmlHelpViewer::closeAll()
{
    // Only what was opened: the viewer is not loaded at exit just to close nothing.
    if (htmlHelp_)
        htmlHelp_(nullptr, nullptr, kHhCloseAll, 0);
}

}  // namespace qv
