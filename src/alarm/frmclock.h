#pragma once
// The alarm window: a borderless picture panel where the user types a time
// of day and a reminder, and confirms, cancels or hides it.

#include <windows.h>

#include <array>
#include <string>
#include <string_view>

#include "alarm/alarm_controller.h"
#include "alarm/repeat_chooser.h"
#include "platform/control_name.h"
#include "platform/form.h"
#include "platform/gdi.h"
#include "platform/picture_button.h"
#include "platform/services.h"
#include "platform/unique_handle.h"

namespace qv {

// Keeps the alarm while the window comes and goes.
struct IAlarmOwner {
    virtual const AlarmController& alarm() const = 0;
    // Checks, stores and arms in one step; the window shows the boxes.
    virtual Confirmation confirm(const std::wstring& hour, const std::wstring& minute,
                                 const std::wstring& second, const std::wstring& message, unsigned repeat) = 0;
    virtual void cancel() = 0;

protected:
    ~IAlarmOwner() = default;
};

class frmclock final : public Form {
public:
    static constexpr wchar_t kClassName[] = L"qorvane.frmclock";

    enum Label { lblshow, lbltime, lblsettime, lblhour, lblmin, lblsec, lblsetthing, lblshowall, kLabelCount };
    enum Box { txthour, txtmin, txtsec, txtinmsg, kBoxCount };

    frmclock(Services services, IAlarmOwner& owner, std::wstring helpFile);
    bool Load(HINSTANCE instance);

    void Ok();
    void Cancel();
    // The time line; the face's tick calls it each second.
    void showTime();

    const std::wstring& label(Label which) const { return labels_[which].text; }
    HWND box(Box which) const { return boxes_[which]; }
    std::wstring boxText(Box which) const;
    PictureButton& Imgok() { return Imgok_; }
    PictureButton& Imgcam() { return Imgcam_; }
    PictureButton& Imghide() { return Imghide_; }
    PictureButton& Image2() { return Image2_; }
    RepeatChooser& repeat() { return repeat_; }
    RECT Image1Rect() const;
    // The balloon under a box: a reminder cut at its limit, a paste that
    // does not fit a time box, a computer that cannot be woken.
    HWND reminderBalloon() const { return balloon_; }
    const std::wstring& balloonText() const { return balloonText_; }

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void layout(int dpi) override;

private:
    struct LabelItem {
        RECT twips;  // left, top, width, height
        std::wstring text;
        UINT format;
    };

    static LRESULT CALLBACK BoxProc(HWND box, UINT msg, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR which, DWORD_PTR self);
    void beforeChar(Box which, wchar_t ch);
    void tabFrom(Box which, bool backwards);
    void moveTo(Box which);  // the focus, with the box's text selected
    void halfWidthIn(Box which);
    void setLabel(Label which, std::wstring_view text);
    void setBox(Box which, const std::wstring& text);
    void clearBoxes();
    void clearTimeBoxes();
    void setHideEnabled(bool enabled);
    void closeSoon();
    void pasteReminder();
    bool pasteTime(Box which);  // false: the box's own paste will do
    void showBalloon(Box under, const wchar_t* title, const wchar_t* text);
    void hideBalloon();
    void paint(HDC dc, const RECT& area) const;
    RECT px(const RECT& twips) const;

    Services services_;
    IAlarmOwner& owner_;
    std::wstring helpFile_;
    HINSTANCE instance_ = nullptr;

    std::array<LabelItem, kLabelCount> labels_;
    std::array<HWND, kBoxCount> boxes_{};
    std::array<ControlName, kBoxCount> boxNames_;  // their labels are drawn, not windows
    HWND focus_ = nullptr;
    HWND balloon_ = nullptr;  // owned by the window: destroyed with it
    std::wstring balloonText_;
    RepeatChooser repeat_;
    PictureButton Imgok_, Imgcam_, Imghide_, Image2_;
    UniqueHfont font_;
    UniqueHbitmap panel_, title_;
    Canvas backdrop_;  // panel and title strip at the window's size
    Canvas back_;      // where a paint is put together
};

}  // namespace qv
