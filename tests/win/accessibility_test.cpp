// What a screen reader reads from the windows, through their client objects.

#include "face_fixture.h"

#include <oleacc.h>

#include <string>
#include <vector>

#include "about/about_shape.h"

namespace qv::test {
namespace {

VARIANT child(long id)
{
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

std::wstring take(BSTR text)
{
    std::wstring s = text ? std::wstring(text, ::SysStringLen(text)) : std::wstring();
    ::SysFreeString(text);
    return s;
}

// One window's client object, as a screen reader gets it.
class Reader {
public:
    explicit Reader(HWND w)
    {
        EXPECT_EQ(::AccessibleObjectFromWindow(w, OBJID_CLIENT, __uuidof(IAccessible),
                                               reinterpret_cast<void**>(&acc_)),
                  S_OK);
    }
    ~Reader()
    {
        if (acc_)
            acc_->Release();
    }
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;

    std::wstring name(long id = CHILDID_SELF) const
    {
        BSTR s = nullptr;
        last_ = acc_ ? acc_->get_accName(child(id), &s) : E_FAIL;
        return take(s);
    }
    std::wstring value(long id) const
    {
        BSTR s = nullptr;
        last_ = acc_ ? acc_->get_accValue(child(id), &s) : E_FAIL;
        return take(s);
    }
    std::wstring defaultAction(long id = CHILDID_SELF) const
    {
        BSTR s = nullptr;
        last_ = acc_ ? acc_->get_accDefaultAction(child(id), &s) : E_FAIL;
        return take(s);
    }
    long role(long id = CHILDID_SELF) const { return number(&IAccessible::get_accRole, id); }
    long state(long id = CHILDID_SELF) const { return number(&IAccessible::get_accState, id); }
    long focus() const
    {
        VARIANT v{};
        last_ = acc_ ? acc_->get_accFocus(&v) : E_FAIL;
        return v.vt == VT_I4 ? v.lVal : -1;
    }
    long childCount() const
    {
        LONG n = -1;
        last_ = acc_ ? acc_->get_accChildCount(&n) : E_FAIL;
        return n;
    }
    RECT location(long id) const
    {
        long x = 0, y = 0, w = 0, h = 0;
        last_ = acc_ ? acc_->accLocation(&x, &y, &w, &h, child(id)) : E_FAIL;
        return {x, y, x + w, y + h};
    }
    long hit(POINT screen) const
    {
        VARIANT v{};
        last_ = acc_ ? acc_->accHitTest(screen.x, screen.y, &v) : E_FAIL;
        return v.vt == VT_I4 ? v.lVal : -1;
    }
    // The action is posted: it has run once the queue is handled.
    void act(long id = CHILDID_SELF) const
    {
        last_ = acc_ ? acc_->accDoDefaultAction(child(id)) : E_FAIL;
        pumpMessages();
    }
    HRESULT last() const { return last_; }

private:
    long number(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*), long id) const
    {
        VARIANT v{};
        last_ = acc_ ? (acc_->*get)(child(id), &v) : E_FAIL;
        return v.vt == VT_I4 ? v.lVal : -1;
    }

    IAccessible* acc_ = nullptr;
    mutable HRESULT last_ = S_OK;
};

class AccessibilityTest : public FaceTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
        FaceTest::SetUp();
        load();
    }
    void TearDown() override
    {
        FaceTest::TearDown();
        ::CoUninitialize();
    }
};

TEST_F(AccessibilityTest, AlarmButtonsArePushButtonsNamedByCaptionAndHideIsAvailableOnlyWithAnAlarm)
{
    choose(MenuId::showclock);
    frmclock& w = *face->alarmWindow();
    const struct {
        PictureButton& button;
        const wchar_t* name;
    } buttons[] = {{w.Imgok(), L"确定"}, {w.Imgcam(), L"取消"}, {w.Imghide(), L"隐藏"}, {w.Image2(), L"关闭"}};
    for (const auto& b : buttons) {
        const Reader r(b.button.hwnd());
        EXPECT_EQ(r.name(), b.name);
        EXPECT_EQ(r.role(), ROLE_SYSTEM_PUSHBUTTON) << testing::PrintToString(std::wstring(b.name));
    }
    // The boxes' labels are drawn: the names come from us, the rest from the standard edit.
    const struct {
        frmclock::Box box;
        const wchar_t* name;
    } boxes[] = {{frmclock::txthour, L"点"}, {frmclock::txtmin, L"分"}, {frmclock::txtsec, L"秒"},
                 {frmclock::txtinmsg, L"填下你的事件:"}};
    for (const auto& b : boxes) {
        ::SetWindowTextW(w.box(b.box), L"12");
        const Reader r(w.box(b.box));
        EXPECT_EQ(r.name(), b.name);
        EXPECT_EQ(r.role(), ROLE_SYSTEM_TEXT);
        EXPECT_EQ(r.value(CHILDID_SELF), L"12");
    }

    const Reader ok(w.Imgok().hwnd()), hide(w.Imghide().hwnd()), close(w.Image2().hwnd());
    EXPECT_EQ(ok.state() & (STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_FOCUSABLE), STATE_SYSTEM_FOCUSABLE);
    EXPECT_EQ(ok.defaultAction(), L"按下");
    EXPECT_EQ(hide.state() & (STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_FOCUSABLE), STATE_SYSTEM_UNAVAILABLE);
    hide.act();  // a greyed button does nothing
    EXPECT_NE(hide.last(), S_OK);
    EXPECT_TRUE(::IsWindow(w.hwnd()));

    // Confirmed through the reader, as a click would.
    ::SetWindowTextW(w.box(frmclock::txthour), L"09");
    ::SetWindowTextW(w.box(frmclock::txtmin), L"30");
    ::SetWindowTextW(w.box(frmclock::txtinmsg), L"x");
    ok.act();
    EXPECT_TRUE(face->alarm().AlarmSet());
    EXPECT_FALSE(hide.state() & STATE_SYSTEM_UNAVAILABLE);
    ::SetFocus(w.Imghide().hwnd());
    EXPECT_TRUE(hide.state() & STATE_SYSTEM_FOCUSED);

    // Closed while the reader still holds the objects: they fail, nothing crashes.
    close.act();
    ASSERT_EQ(face->alarmWindow(), nullptr);
    EXPECT_EQ(ok.name(), L"");
    EXPECT_EQ(ok.last(), CO_E_OBJNOTCONNECTED);
    ok.act();
    EXPECT_EQ(ok.last(), CO_E_OBJNOTCONNECTED);
}

TEST_F(AccessibilityTest, TheSettingsTimeBoxesAreNamedByTheUnitsAfterThem)
{
    choose(MenuId::frmop);
    ASSERT_NE(face->settingsWindow(), nullptr);
    HWND w = face->settingsWindow()->hwnd();
    const std::pair<int, const wchar_t*> boxes[] = {{Frmoptions::Comh, L"点"}, {Frmoptions::Comm, L"分"},
                                                    {Frmoptions::Coms, L"秒"}};
    for (const auto& [id, unit] : boxes) {
        HWND combo = ::GetDlgItem(w, id);
        const Reader r(combo);
        EXPECT_EQ(r.name(), unit);
        EXPECT_EQ(r.role(), ROLE_SYSTEM_COMBOBOX);
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        ASSERT_TRUE(::GetComboBoxInfo(combo, &info));
        const Reader typed(info.hwndItem);  // where the focus is while typing
        EXPECT_EQ(typed.name(), unit);
    }
}

TEST_F(AccessibilityTest, TheAboutWindowHasItsMailLineAsALinkThatOpens)
{
    choose(MenuId::about);
    HWND w = ::FindWindowW(frmabout::kClassName, nullptr);
    ASSERT_NE(w, nullptr);
    const Reader about(w);
    EXPECT_EQ(about.name(), L"关于");
    EXPECT_EQ(about.childCount(), 1);
    EXPECT_EQ(about.role(1), ROLE_SYSTEM_LINK);
    EXPECT_EQ(about.name(1), L"给我发邮件");
    EXPECT_EQ(about.value(1), L"mailto:qorvane@example.com");

    RECT link{kAboutImage1.left, kAboutImage1.top, kAboutImage1.right, kAboutImage1.bottom};
    ::MapWindowPoints(w, nullptr, reinterpret_cast<POINT*>(&link), 2);
    const RECT at = about.location(1);
    EXPECT_TRUE(::EqualRect(&at, &link));
    EXPECT_EQ(about.hit({link.left + 2, link.top + 2}), 1);
    EXPECT_EQ(about.hit({link.left - 2, link.top - 2}), CHILDID_SELF);
    about.name(2);
    EXPECT_EQ(about.last(), E_INVALIDARG);

    about.act(1);
    EXPECT_EQ(world.shell.opened, std::vector<std::wstring>{L"mailto:qorvane@example.com"});
    EXPECT_TRUE(::IsWindow(w));

    // From the keyboard the link holds the focus: Tab marks it, Enter opens it.
    ASSERT_EQ(::GetFocus(), w);
    EXPECT_EQ(about.state(1) & (STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED),
              STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED);
    EXPECT_EQ(about.focus(), 1);
    const PrintedClient before(w);
    ::PostMessageW(w, WM_KEYDOWN, VK_TAB, 1);
    pumpMessages();
    EXPECT_EQ(::GetFocus(), w);
    const PrintedClient marked(w);
    int changed = 0;
    for (int x = kAboutImage1.left; x < kAboutImage1.right; ++x)
        changed += marked.at(x, kAboutImage1.top + 2) != before.at(x, kAboutImage1.top + 2);
    EXPECT_GT(changed, (kAboutImage1.right - kAboutImage1.left) / 3) << "no focus mark on the link";
    world.shell.opened.clear();
    ::PostMessageW(w, WM_KEYDOWN, VK_RETURN, 1);
    pumpMessages();
    EXPECT_EQ(world.shell.opened.size(), 1u);
}

TEST_F(AccessibilityTest, TheFaceIsAClockNamedByTheTimeAndWeekdayAsTheyAreRead)
{
    const Reader r(hwnd());
    EXPECT_EQ(r.role(), ROLE_SYSTEM_CLOCK);
    EXPECT_EQ(r.name(), L"06:30:45 星期一");
    world.clock.set(2026, 12, 8, 2, 7, 0, 1);
    EXPECT_EQ(r.name(), L"07:00:01 星期二");
    EXPECT_EQ(::GetWindowTextLengthW(hwnd()), 0);

    // Only the client object is ours; the frame and the rest stay the system's
    // (a window procedure's 0).
    for (LONG id : {OBJID_WINDOW, OBJID_CARET, OBJID_VSCROLL, LONG{1}})
        EXPECT_EQ(::SendMessageW(hwnd(), WM_GETOBJECT, 0, static_cast<LPARAM>(id)), 0) << id;
}

}  // namespace
}  // namespace qv::test
