#pragma once
// The about window: the artwork and version in a clock-and-panel shape.
// The e-mail line opens a mail link (also Enter); a click anywhere else, or
// Esc, closes it.

#include <windows.h>

#include "about/about_shape.h"
#include "platform/accessible.h"
#include "platform/form.h"
#include "platform/services.h"
#include "platform/unique_handle.h"

namespace qv {

inline constexpr wchar_t kContactMailto[] = L"mailto:qorvane@example.com";

// The shape as a region: an empty region, each part merged in and freed at once.
HRGN MakeRegion(int dpi = 96);

class frmabout final : public Form, private AccessibleSource {
public:
    static constexpr wchar_t kClassName[] = L"qorvane.frmabout";

    explicit frmabout(Services services) : services_(services) {}
    bool Load(HINSTANCE instance);

    bool image1Border() const { return pressed_ == Target::Image1; }
    HWND tooltip() const { return tooltip_; }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void layout(int dpi) override;

private:
    enum class Target { None, Window, Label1, Image1 };
    Target targetAt(POINT p) const;
    void paint(HDC dc);
    void redrawLink();
    void openMail();

    // The mail line is the one element screen readers find in the window.
    long accessibleRole() const override;
    long elementCount() const override { return 1; }
    Element element(long id) const override;
    void doElementAction(long id) override;

    Services services_;
    Target pressed_ = Target::None;
    bool focusCue_ = false;  // the link's focus mark, once Tab is pressed
    HWND tooltip_ = nullptr;
    HCURSOR hand_ = nullptr;  // a resource cursor: shared, never destroyed
    UniqueHbitmap picture_;
    UniqueHfont font_;
    AccessibleHost accessible_{*this};
};

}  // namespace qv
