#pragma once
// An image that acts as a button: it shows one bitmap resource at a time
// (loaded by number each time it is set, and taking its size), lights up
// while the pointer is well inside it, and shows a single-line border while
// a mouse button is held on it. A click with either button runs onClick.
// It is a tab stop: Space (on release) or Enter presses it from the keyboard.
// Screen readers see a push button named `name`.

#include <windows.h>

#include <functional>

#include "platform/accessible.h"
#include "platform/unique_handle.h"
#include "platform/window.h"

namespace qv {

class PictureButton final : public Window, private AccessibleSource {
public:
    struct Looks {
        int normal;  // resource numbers
        int lit;
    };

    bool Create(HINSTANCE instance, HWND parent, int xPx, int yPx, Looks looks, const wchar_t* name,
                std::function<void()> onClick);

    // Shows a bitmap resource; the button takes its size (scaled with the DPI).
    void setPicture(int resource);
    // Moves it, at the size its picture has at `dpi`.
    void place(int xPx, int yPx, int dpi);
    void enable(bool enabled);

    int picture() const { return picture_; }
    bool hasBorder() const { return border_; }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void press();
    void release(LPARAM lParam);
    void click();

    long accessibleRole() const override;
    std::optional<std::wstring> defaultAction() const override;
    void doDefaultAction() override;

    HINSTANCE instance_ = nullptr;
    Looks looks_{};
    std::function<void()> onClick_;
    UniqueHbitmap bitmap_;
    int picture_ = 0;
    bool border_ = false;
    bool tracking_ = false;
    bool spaceHeld_ = false;
    int dpi_ = 96;
    AccessibleHost accessible_{*this};
};

}  // namespace qv
