#pragma once
// When the alarm repeats, chosen in the alarm window: "重复" and a chip for
// each weekday from Monday, drawn in the window's own look over its panel.
// No day chosen rings once. A tab stop: Left and Right move between the
// days, Space turns one on or off, Up and Down step through once, every day
// and Monday to Friday. A click on "重复" steps the same way. Screen readers
// see a group named "重复" of check buttons named by their days.

#include <windows.h>

#include <functional>

#include "platform/accessible.h"
#include "platform/window.h"

namespace qv {

class RepeatChooser final : public Window, private AccessibleSource {
public:
    // `paintBackground` fills the chooser's rectangle (its own client
    // coordinates) with what the parent shows there.
    bool Create(HINSTANCE instance, HWND parent, std::function<void(HDC, const RECT&)> paintBackground);
    // Its place in the parent, in pixels, and the font its text is drawn in.
    void place(const RECT& px, HFONT font, int dpi);

    unsigned mask() const { return mask_; }
    void setMask(unsigned mask);

    // Chip `day` (0 Monday to 6 Sunday) in client pixels, for tests and hit testing.
    RECT chip(int day) const;
    RECT caption() const;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void paint(HDC dc) const;
    void toggle(int day);
    void stepPreset(int direction);

    long accessibleRole() const override;
    std::optional<std::wstring> accessibleName() const override;
    long elementCount() const override { return 7; }
    Element element(long id) const override;
    void doElementAction(long id) override;

    std::function<void(HDC, const RECT&)> paintBackground_;
    HFONT font_ = nullptr;  // the parent's; it outlives the chooser
    int dpi_ = 96;
    unsigned mask_ = 0;
    int focusDay_ = 0;
    AccessibleHost accessible_{*this};
};

}  // namespace qv
