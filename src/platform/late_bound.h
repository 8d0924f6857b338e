#pragma once
// System libraries the first painted face does not need, loaded on the
// first call that does and kept to the end: the common controls, the shell,
// the theme library, COM, the multimedia library and, for screen readers,
// Active Accessibility and the strings it answers in, and the DPI of each
// monitor. Each function behaves
// as the system's own of the same name, and fails as it would when its
// library cannot be loaded.

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <unknwn.h>

namespace qv::late {

// Before anything is loaded: libraries loaded by name, and what any library
// imports, are looked for in the system folder only, never beside the exe
// (for a copy unpacked from a zip, often the download folder).
void limitDllSearch();

// Registers the classes the program's windows use (tooltips among them);
// the first call loads the common controls, later calls do nothing.
void initCommonControls();

BOOL SetWindowSubclass(HWND window, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data);
BOOL RemoveWindowSubclass(HWND window, SUBCLASSPROC proc, UINT_PTR id);
LRESULT DefSubclassProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

HRESULT SetWindowTheme(HWND window, LPCWSTR app, LPCWSTR idList);

BOOL Shell_NotifyIconW(DWORD message, NOTIFYICONDATAW* data);
HINSTANCE ShellExecuteW(HWND owner, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters,
                        LPCWSTR directory, INT show);
BOOL ShellExecuteExW(SHELLEXECUTEINFOW* info);
// Windows Vista and later.
HRESULT SHQueryUserNotificationState(QUERY_USER_NOTIFICATION_STATE* state);

HRESULT CoInitializeEx(LPVOID reserved, DWORD flags);
void CoUninitialize();

HRESULT CreateStdAccessibleObject(HWND window, LONG objectId, REFIID riid, void** object);
LRESULT LresultFromObject(REFIID riid, WPARAM wParam, IUnknown* object);
BSTR SysAllocString(const OLECHAR* text);
// The effective DPI of a monitor (Windows 8.1 and later); E_NOTIMPL before.
HRESULT GetDpiForMonitor(HMONITOR monitor, UINT* dpiX, UINT* dpiY);

// Media control interface command strings; safe from any thread.
DWORD mciSendStringW(LPCWSTR command, LPWSTR answer, UINT answerSize, HWND callback);
BOOL PlaySoundW(LPCWSTR sound, HMODULE module, DWORD flags);
UINT waveOutGetNumDevs();

// The compositor's window attributes (Windows Vista and later).
HRESULT DwmGetWindowAttribute(HWND window, DWORD attribute, PVOID value, DWORD size);

}  // namespace qv::late
