#pragma once
// What a window of ours tells screen readers. Its client object is the
// system's standard one with the answers a source gives put in its place;
// a window drawn by us may add simple child elements, numbered from 1 (it
// then has no child windows, whose numbers those would take).

#include <windows.h>

#include <optional>
#include <string>

namespace qv {

class AccessibleSource {
public:
    virtual long accessibleRole() const = 0;
    // Empty: the standard answer (the window text).
    virtual std::optional<std::wstring> accessibleName() const { return std::nullopt; }
    // Empty: the window has no default action.
    virtual std::optional<std::wstring> defaultAction() const { return std::nullopt; }
    // Posted, so that what it does (a message box, closing the window) runs
    // outside the screen reader's call.
    virtual void doDefaultAction() {}

    struct Element {
        long role = 0;
        long state = 0;  // shown hidden with the window by itself
        std::wstring name, value, defaultAction;
        RECT clientPx{};
    };
    virtual long elementCount() const { return 0; }
    virtual Element element(long id) const { (void)id; return {}; }
    virtual void doElementAction(long id) { (void)id; }

protected:
    ~AccessibleSource() = default;
};

class AccessibleClientObject;

// Kept by the window: answers WM_GETOBJECT for the client area with one
// object made on the first request, runs the default actions it posts, and
// cuts the object off when the window goes, as a screen reader may still
// hold it.
class AccessibleHost {
public:
    explicit AccessibleHost(AccessibleSource& source) : source_(source) {}
    ~AccessibleHost();
    AccessibleHost(const AccessibleHost&) = delete;
    AccessibleHost& operator=(const AccessibleHost&) = delete;

    // The answer when `msg` is one of those; empty for the window's own handling.
    std::optional<LRESULT> onMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    void disconnect();

    AccessibleSource& source_;
    AccessibleClientObject* object_ = nullptr;
};

}  // namespace qv
