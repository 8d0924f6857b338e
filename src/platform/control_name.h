#pragma once
// The name a screen reader gives a standard control whose label the system
// cannot find: one drawn by the window itself, or a unit placed after the
// box it belongs to. The control keeps the rest of its standard answers.

#include <windows.h>

#include <string>

#include "platform/accessible.h"

namespace qv {

class ControlName final : private AccessibleSource {
public:
    ControlName() = default;
    ControlName(const ControlName&) = delete;
    ControlName& operator=(const ControlName&) = delete;
    ~ControlName();

    // Names `control` until it is destroyed; the object must outlive it or detach first.
    void attach(HWND control, std::wstring name, long role);

private:
    static LRESULT CALLBACK Proc(HWND control, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                 DWORD_PTR ref);
    void detach();

    long accessibleRole() const override { return role_; }
    std::optional<std::wstring> accessibleName() const override { return name_; }

    HWND control_ = nullptr;
    std::wstring name_;
    long role_ = 0;
    AccessibleHost host_{*this};
};

}  // namespace qv
