#pragma once
// A top-level window of the program other than the face: created when shown,
// destroyed when closed, with no taskbar button. The owner learns of the
// close through `onUnload`, whatever closed it.

#include <windows.h>

#include <functional>
#include <memory>

#include "platform/window.h"

namespace qv {

class Form : public Window {
public:
    void setOnUnload(std::function<void()> onUnload) { onUnload_ = std::move(onUnload); }

    bool isOpen() const { return hwnd() != nullptr; }
    void Close();
    // Shows it normal-sized and in front.
    void BringForward();
    // Shows it without taking the keyboard from where the user is.
    void ShowQuietly();

protected:
    // Creates the window hidden, sized to a client area given in twips at
    // the monitor's DPI, and centred on the screen's work area.
    bool createCentred(HINSTANCE instance, const wchar_t* className, const wchar_t* caption,
                       DWORD style, DWORD exStyle, int clientWidthTwips, int clientHeightTwips,
                       HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));

    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    bool takesDialogKeys() const override { return true; }

    // Lays the content out (fonts, children, shape) for `dpi`. Called by the
    // window's load and again when it moves to a screen of another DPI,
    // after the window has taken its size there.
    virtual void layout(int dpi) { (void)dpi; }
    int dpi() const { return dpi_; }

private:
    SIZE clientSize(int dpi) const;

    std::function<void()> onUnload_;
    int dpi_ = 96;
    SIZE clientTwips_{};
};

// Holds the single instance of a form: shows the open one or makes a new one.
template <class T>
class FormSlot {
public:
    T* get() const { return form_ && form_->isOpen() ? form_.get() : nullptr; }
    bool isOpen() const { return get() != nullptr; }

    // `make` returns a loaded form (or null) when none is open.
    template <class Make>
    T* show(Make make, bool activate = true)
    {
        if (!isOpen())
            form_ = make();
        if (form_ && activate)
            form_->BringForward();
        else if (form_)
            form_->ShowQuietly();
        return get();
    }

    void close()
    {
        if (isOpen())
            form_->Close();
    }

private:
    std::unique_ptr<T> form_;
};

}  // namespace qv
