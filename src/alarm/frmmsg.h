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
    // `due`: a line saying when a late ring was due, above the message.
    void Ring(const std::wstring& message, bool playTune, const std::wstring& due = {});

    const std::wstring& lbltime() const { return lbltime_; }
    const std::wstring& lbloutall() const { return lbloutall_; }
    const std::wstring& dueLine() const { return due_; }
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
    // "我知道了" stays disabled for a second after each ring, until this
    // timer: a click aimed at what was under the pointer does nothing.
    static constexpr UINT_PTR kSettleTimer = 2;

    bool holdsBackKey(const MSG& msg) override;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void layout(int dpi) override;

private:
    RECT px(const RECT& twips) const;
    void fitOutall();
    std::wstring outall() const;  // the due line, if any, and the message line
    void updateTip(const RECT& box, bool cut);
    void onTuneResult(unsigned long result, LPARAM tag);

    // Its lines are drawn: screen readers get them as the alert's name.
    long accessibleRole() const override;
    std::optional<std::wstring> accessibleName() const override;

    Services services_;
    std::wstring tunePath_;
    std::function<void()> onAcknowledge_;
    std::wstring lbltime_, lbloutall_, due_, shownOutall_;
    HWND cmdok_ = nullptr;
    HWND tip_ = nullptr;  // owned by the window: destroyed with it
    bool tuneOpen_ = false;
    bool standIn_ = false;  // the alarm sound plays for the tune
    LPARAM ringCount_ = 0;  // tells a result of this ring's tune from an earlier one's
    long long keysFrom_ = 0;
    std::bitset<256> keysDown_;  // pressed since the alert took the keyboard
    UniqueHfont font_;
    AccessibleHost accessible_{*this};
};

}  // namespace qv
