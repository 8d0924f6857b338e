#include "platform/control_name.h"

#include <commctrl.h>

#include "platform/late_bound.h"

namespace qv {

ControlName::~ControlName()
{
    detach();
}

void ControlName::attach(HWND control, std::wstring name, long role)
{
    detach();
    name_ = std::move(name);
    role_ = role;
    if (control && late::SetWindowSubclass(control, &Proc, 0, reinterpret_cast<DWORD_PTR>(this)))
        control_ = control;
}

void ControlName::detach()
{
    if (!control_)
        return;
    late::RemoveWindowSubclass(control_, &Proc, 0);
    // Whoever still holds the client object gets "not connected" from now on.
    host_.onMessage(control_, WM_NCDESTROY, 0, 0);
    control_ = nullptr;
}

LRESULT CALLBACK ControlName::Proc(HWND control, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                   DWORD_PTR ref)
{
    auto* self = reinterpret_cast<ControlName*>(ref);
    if (msg == WM_NCDESTROY) {
        self->detach();
        return late::DefSubclassProc(control, msg, wParam, lParam);
    }
    if (const std::optional<LRESULT> answered = self->host_.onMessage(control, msg, wParam, lParam))
        return *answered;
    return late::DefSubclassProc(control, msg, wParam, lParam);
}

}  // namespace qv
