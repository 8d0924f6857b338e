#pragma once
// One base class for every window: the static procedure finds the object
// through GWLP_USERDATA and forwards to HandleMessage.

#include <windows.h>

namespace qv {

class Window {
public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND hwnd() const { return hwnd_; }

    // The object behind a window of ours, or null.
    static Window* fromHandle(HWND hwnd);

    // The active window of ours that takes the dialog keys (Tab, Enter on a
    // button, Esc), or null. Kept from activation, so the message loop
    // needs no lookup per message.
    static HWND dialogKeysWindow();

    // Whether a key for this active window (or a child) is dropped before
    // anything sees it.
    virtual bool holdsBackKey(const MSG& msg) { return (void)msg, false; }

protected:
    // Registers the class on first use; the class procedure is the base's.
    static ATOM registerClass(HINSTANCE instance, const wchar_t* className, HICON icon = nullptr,
                              HBRUSH background = nullptr);

    bool create(HINSTANCE instance, const wchar_t* className, const wchar_t* caption,
                DWORD style, DWORD exStyle, int x, int y, int width, int height,
                HWND parent = nullptr);

    virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT defaultProc(UINT msg, WPARAM wParam, LPARAM lParam);

    // Called after WM_NCDESTROY, when the handle is gone.
    virtual void OnFinalDestroy() {}

    virtual bool takesDialogKeys() const { return false; }

private:
    static LRESULT CALLBACK s_WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
};

}  // namespace qv
