#pragma once
// The alert: a rounded window that greets the user with the time, shows the
// reminder and plays the tune until "我知道了" closes it. It has no taskbar
// button, so it stays above other windows until acknowledged.

#include <windows.h>

#include <functional>
#include <string>

#include "platform/accessible.h"
#include "platform/form.h"
#include "platform/services.h"
#include "platform/unique_handle.h"

namespace qv {

class frmmsg final : public Form, private AccessibleSource {
public:
    static constexpr wchar_t kClassName[] = L"qorvane.frmmsg";
    static constexpr wchar_t kTuneAlias[] = L"qorvane_tune";

    frmmsg(Services services, std::wstring tunePath, std::function<void()> onAcknowledge);
    bool Load(HINSTANCE instance);

    // Shows the time and the message, and starts the tune from its beginning.
    // Called at load and again when another alarm rings while it is open.
    void Ring(const std::wstring& message, bool playTune);

    const std::wstring& lbltime() const { return lbltime_; }
    const std::wstring& lbloutall() const { return lbloutall_; }
    HWND cmdok() const { return cmdok_; }
    // Closes the tune's device; the window stays.
    void stopTune();

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void layout(int dpi) override;

private:
    RECT px(const RECT& twips) const;

    // Its lines are drawn: screen readers get them as the alert's name.
    long accessibleRole() const override;
    std::optional<std::wstring> accessibleName() const override;

    Services services_;
    std::wstring tunePath_;
    std::function<void()> onAcknowledge_;
    std::wstring lbltime_, lbloutall_;
    HWND cmdok_ = nullptr;
    bool tuneOpen_ = false;
    UniqueHfont font_;
    AccessibleHost accessible_{*this};
};

}  // namespace qv
