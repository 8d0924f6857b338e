#include "platform/late_bound.h"

#include <mmsystem.h>
#include <objbase.h>
#include <oleacc.h>
#include <uxtheme.h>

#include <string>

namespace qv::late {
namespace {

// From the system folder only, never from beside the exe or the current folder.
HMODULE systemLibrary(const wchar_t* name)
{
    wchar_t folder[MAX_PATH];
    const UINT n = ::GetSystemDirectoryW(folder, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return nullptr;
    std::wstring path(folder, n);
    path += L'\\';
    path += name;
    return ::LoadLibraryW(path.c_str());
}

HMODULE commonControls()
{
    // By name, so that the manifest's activation context picks version 6.
    static const HMODULE module = ::LoadLibraryW(L"comctl32.dll");
    return module;
}
// Each loaded on its first use and kept.
#define QV_SYSTEM_LIBRARY(getter, file)                    \
    HMODULE getter()                                       \
    {                                                      \
        static const HMODULE module = systemLibrary(file); \
        return module;                                     \
    }
QV_SYSTEM_LIBRARY(shell, L"shell32.dll")
QV_SYSTEM_LIBRARY(theme, L"uxtheme.dll")
QV_SYSTEM_LIBRARY(com, L"ole32.dll")
QV_SYSTEM_LIBRARY(accessibility, L"oleacc.dll")
QV_SYSTEM_LIBRARY(automation, L"oleaut32.dll")
QV_SYSTEM_LIBRARY(shellScaling, L"shcore.dll")
QV_SYSTEM_LIBRARY(multimedia, L"winmm.dll")
QV_SYSTEM_LIBRARY(compositor, L"dwmapi.dll")
#undef QV_SYSTEM_LIBRARY

template <class Fn>
Fn find(HMODULE module, const char* name)
{
    return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module, name)))
                  : nullptr;
}

// One lookup per function, thread-safe by the rules of local statics.
#define QV_LATE(library, fn) static const auto fn##_ = find<decltype(&::fn)>(library(), #fn)

}  // namespace

void limitDllSearch()
{
    // Windows 8, and Windows 7 with its loader update; without it the exe's
    // folder stays first in the search, but the current folder at least goes.
    using Fn = BOOL(WINAPI*)(DWORD);
    const auto setDefault = find<Fn>(::GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories");
    if (!setDefault || !setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32))
        ::SetDllDirectoryW(L"");
}

void initCommonControls()
{
    static const bool done = [] {
        QV_LATE(commonControls, InitCommonControlsEx);
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
        return InitCommonControlsEx_ && InitCommonControlsEx_(&icc);
    }();
    (void)done;
}

BOOL SetWindowSubclass(HWND window, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data)
{
    QV_LATE(commonControls, SetWindowSubclass);
    return SetWindowSubclass_ ? SetWindowSubclass_(window, proc, id, data) : FALSE;
}

BOOL RemoveWindowSubclass(HWND window, SUBCLASSPROC proc, UINT_PTR id)
{
    QV_LATE(commonControls, RemoveWindowSubclass);
    return RemoveWindowSubclass_ ? RemoveWindowSubclass_(window, proc, id) : FALSE;
}

LRESULT DefSubclassProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    QV_LATE(commonControls, DefSubclassProc);
    return DefSubclassProc_ ? DefSubclassProc_(window, msg, wParam, lParam)
                            : ::DefWindowProcW(window, msg, wParam, lParam);
}

HRESULT SetWindowTheme(HWND window, LPCWSTR app, LPCWSTR idList)
{
    QV_LATE(theme, SetWindowTheme);
    return SetWindowTheme_ ? SetWindowTheme_(window, app, idList) : E_NOTIMPL;
}

BOOL Shell_NotifyIconW(DWORD message, NOTIFYICONDATAW* data)
{
    QV_LATE(shell, Shell_NotifyIconW);
    return Shell_NotifyIconW_ ? Shell_NotifyIconW_(message, data) : FALSE;
}

HINSTANCE ShellExecuteW(HWND owner, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters,
                        LPCWSTR directory, INT show)
{
    QV_LATE(shell, ShellExecuteW);
    return ShellExecuteW_ ? ShellExecuteW_(owner, verb, file, parameters, directory, show)
                          : reinterpret_cast<HINSTANCE>(SE_ERR_DLLNOTFOUND);
}

BOOL ShellExecuteExW(SHELLEXECUTEINFOW* info)
{
    QV_LATE(shell, ShellExecuteExW);
    if (ShellExecuteExW_)
        return ShellExecuteExW_(info);
    ::SetLastError(ERROR_DLL_NOT_FOUND);
    return FALSE;
}

HRESULT SHQueryUserNotificationState(QUERY_USER_NOTIFICATION_STATE* state)
{
    QV_LATE(shell, SHQueryUserNotificationState);
    return SHQueryUserNotificationState_ ? SHQueryUserNotificationState_(state) : E_NOTIMPL;
}

HRESULT CoInitializeEx(LPVOID reserved, DWORD flags)
{
    QV_LATE(com, CoInitializeEx);
    return CoInitializeEx_ ? CoInitializeEx_(reserved, flags) : E_FAIL;
}

void CoUninitialize()
{
    QV_LATE(com, CoUninitialize);
    if (CoUninitialize_)
        CoUninitialize_();
}

HRESULT CreateStdAccessibleObject(HWND window, LONG objectId, REFIID riid, void** object)
{
    QV_LATE(accessibility, CreateStdAccessibleObject);
    *object = nullptr;
    return CreateStdAccessibleObject_ ? CreateStdAccessibleObject_(window, objectId, riid, object) : E_FAIL;
}

LRESULT LresultFromObject(REFIID riid, WPARAM wParam, IUnknown* object)
{
    QV_LATE(accessibility, LresultFromObject);
    return LresultFromObject_ ? LresultFromObject_(riid, wParam, object) : static_cast<LRESULT>(E_FAIL);
}

BSTR SysAllocString(const OLECHAR* text)
{
    QV_LATE(automation, SysAllocString);
    return SysAllocString_ ? SysAllocString_(text) : nullptr;
}

HRESULT GetDpiForMonitor(HMONITOR monitor, UINT* dpiX, UINT* dpiY)
{
    // Declared by the headers only for Windows 8.1 targets; 0 is the effective DPI.
    using Fn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    static const auto GetDpiForMonitor_ = find<Fn>(shellScaling(), "GetDpiForMonitor");
    return GetDpiForMonitor_ ? GetDpiForMonitor_(monitor, 0, dpiX, dpiY) : E_NOTIMPL;
}

DWORD mciSendStringW(LPCWSTR command, LPWSTR answer, UINT answerSize, HWND callback)
{
    QV_LATE(multimedia, mciSendStringW);
    return mciSendStringW_ ? mciSendStringW_(command, answer, answerSize, callback)
                           : MCIERR_DEVICE_NOT_INSTALLED;
}

HRESULT DwmGetWindowAttribute(HWND window, DWORD attribute, PVOID value, DWORD size)
{
    using Fn = HRESULT(WINAPI*)(HWND, DWORD, PVOID, DWORD);
    static const auto DwmGetWindowAttribute_ = find<Fn>(compositor(), "DwmGetWindowAttribute");
    return DwmGetWindowAttribute_ ? DwmGetWindowAttribute_(window, attribute, value, size) : E_NOTIMPL;
}

BOOL PlaySoundW(LPCWSTR sound, HMODULE module, DWORD flags)
{
    QV_LATE(multimedia, PlaySoundW);
    return PlaySoundW_ ? PlaySoundW_(sound, module, flags) : FALSE;
}

UINT waveOutGetNumDevs()
{
    QV_LATE(multimedia, waveOutGetNumDevs);
    return waveOutGetNumDevs_ ? waveOutGetNumDevs_() : 0;
}

}  // namespace qv::late
