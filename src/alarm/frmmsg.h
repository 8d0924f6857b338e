#pragma once
// The alert: a rounded window that greets the user with the time, shows the
// reminder and plays the tune until "我知道了" closes it. It has no taskbar
// button, so it stays above other windows until acknowledged.

#include <windows.h>

#include <bitset>
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
    // What the message line shows: cut with "…" when it is longer than its box.
    const std::wstring& shownOutall() const { return shownOutall_; }
    // The whole message line, for a cut one; null when none was cut.
    HWND outallTip() const { return tip_; }
    HWND cmdok() const { return cmdok_; }
    // Closes the tune's device, or stops the sound that stands in for it;
    // the window stays.
    void stopTune();
    // The keys are held back for this long after the alert takes the
    // keyboard, so that typing meant for another window cannot acknowledge it.
    static constexpr long long kKeysAfterMs = 1000;

    bool holdsBackKey(const MSG& msg) override;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void layout(int dpi) override;

private:
    RECT px(const RECT& twips) const;
    void fitOutall();
    void onTuneResult(unsigned long result, LPARAM tag);

    // Its lines are drawn: screen readers get them as the alert's name.
    long accessibleRole() const override;
    std::optional<std::wstring> accessibleName() const override;

    Services services_;
    std::wstring tunePath_;
    std::function<void()> onAcknowledge_;
    std::wstring lbltime_, lbloutall_, shownOutall_;
    HWND cmdok_ = nullptr;
    HWND tip_ = nullptr;  // owned by the window: destroyed with it
    bool tuneOpen_ = false;
    bool standIn_ = false;  // the system sound plays for the tune
    LPARAM ringCount_ = 0;  // tells a result of this ring's tune from an earlier one's
    long long keysFrom_ = 0;
    std::bitset<256> keysDown_;  // pressed since the alert took the keyboard
    UniqueHfont font_;
    AccessibleHost accessible_{*this};
};

}  // namespace qv
