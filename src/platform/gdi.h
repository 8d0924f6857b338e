#pragma once
// Scope guards for painting and selection, and an off-screen canvas.

#include <windows.h>

#include "platform/unique_handle.h"

namespace qv {

class PaintDc {
public:
    explicit PaintDc(HWND hwnd) : hwnd_(hwnd) { dc_ = ::BeginPaint(hwnd, &ps_); }
    ~PaintDc() { ::EndPaint(hwnd_, &ps_); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    HDC dc() const { return dc_; }
    const RECT& area() const { return ps_.rcPaint; }

private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
    HDC dc_ = nullptr;
};

// A window's DC (the screen's for a null window) for as long as it lives.
class WindowDc {
public:
    explicit WindowDc(HWND hwnd) : hwnd_(hwnd), dc_(::GetDC(hwnd)) {}
    ~WindowDc()
    {
        if (dc_)
            ::ReleaseDC(hwnd_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC dc() const { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ obj) : dc_(dc), old_(::SelectObject(dc, obj)) {}
    ~SelectGuard() { ::SelectObject(dc_, old_); }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

class SaveDcGuard {
public:
    explicit SaveDcGuard(HDC dc) : dc_(dc), saved_(::SaveDC(dc)) {}
    ~SaveDcGuard() { ::RestoreDC(dc_, saved_); }
    SaveDcGuard(const SaveDcGuard&) = delete;
    SaveDcGuard& operator=(const SaveDcGuard&) = delete;

private:
    HDC dc_;
    int saved_;
};

// A memory DC with a bitmap of its own, kept across paints so that a paint
// allocates nothing.
class Canvas {
public:
    Canvas() = default;
    ~Canvas() { release(); }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // A bitmap of `width` x `height` compatible with `like`; what it held is lost.
    bool resize(HDC like, int width, int height)
    {
        release();
        dc_.reset(::CreateCompatibleDC(like));
        bitmap_.reset(::CreateCompatibleBitmap(like, width, height));
        if (!dc_ || !bitmap_)
            return false;
        old_ = ::SelectObject(dc_.get(), bitmap_.get());
        return true;
    }
    HDC dc() const { return dc_.get(); }

private:
    void release()
    {
        if (dc_ && old_)
            ::SelectObject(dc_.get(), old_);
        old_ = nullptr;
        dc_.reset();
        bitmap_.reset();
    }

    UniqueHdc dc_;
    UniqueHbitmap bitmap_;
    HGDIOBJ old_ = nullptr;
};

}  // namespace qv
