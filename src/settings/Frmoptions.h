#pragma once
// The settings window: sets the computer's date (from a calendar) and time
// of day (from three boxes), and switches starting at logon.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/control_name.h"
#include "platform/form.h"
#include "platform/services.h"
#include "platform/unique_handle.h"
#include "store/Clsreg.h"

namespace qv {

class Frmoptions final : public Form {
public:
    static constexpr wchar_t kClassName[] = L"qorvane.Frmoptions";
    static constexpr wchar_t kBoxWarning[] = L"你所输入的，不符合时间格式标准！！";
    static constexpr wchar_t kRunNotAdded[] =
        L"没能把本程序加入启动项：注册表拒绝写入。计算机启动时不会运行本程序。";
    static constexpr wchar_t kRunNotRemoved[] =
        L"没能把本程序从启动项中删除：注册表拒绝更改。计算机启动时仍会运行本程序。";
    static constexpr wchar_t kRefusedPrompt[] = L"系统拒绝更改日期或时间，电脑的时钟保持原样。";

    // Control identifiers, in focus order.
    enum Id : int {
        Comh = 101, Comm, Coms, Cmdsettime, Cmdtime, Chkrun, Cmdok, Cmdsetdate, Cmddate, Caldate,
        Labnow = 201, Fratime, Labh, Labm, Labs, Fradate, FratimeCaption, FradateCaption,
    };

    Frmoptions(Services services, std::wstring programPath);
    bool Load(HINSTANCE instance);

    HWND item(Id id) const { return ::GetDlgItem(hwnd(), id); }
    std::wstring text(Id id) const;
    // The apply buttons ask for an administrator's consent (they show the shield).
    bool needsConsent() const { return needsConsent_; }
    // The current-time line; the face's tick calls it each second.
    void showNow();

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void layout(int dpi) override;

private:
    HWND add(const wchar_t* cls, const wchar_t* caption, DWORD style, Id id, RECT twips,
             bool bigFont, int listHeightPx = 0);
    void fillBoxesWithNow();
    bool focusMovedWithin(Id box) const;
    void checkBox(Id box);
    void applyDate();
    void applyTime();
    void onChkrun();
    void apply(const LocalTime& t);
    Clsreg& reg();

    Services services_;
    std::wstring programPath_;
    std::optional<Clsreg> reg_;  // made at first use
    HINSTANCE instance_ = nullptr;
    struct Placed {
        HWND hwnd;
        RECT twips;  // left, top, width, height in the window
        bool big;
        int listHeightPx;  // at 96 DPI
    };
    std::vector<Placed> placed_;
    ControlName boxNames_[6];  // the time boxes and their edit parts, named by their units
    bool needsConsent_ = false;
    UniqueHfont font_, bigFont_;
    UniqueHbrush background_;
    std::wstring shownNow_, nextNow_;
};

}  // namespace qv
