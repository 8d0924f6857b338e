// The about window, and what a screen reader reads from the windows' client objects.

#include "face_fixture.h"

#include <oleacc.h>

#include <string>
#include <tuple>
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

// One window's client object, as a screen reader gets it.
class Reader {
public:
    explicit Reader(HWND w)
    {
        EXPECT_EQ(::AccessibleObjectFromWindow(w, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&acc_)),
                  S_OK);
    }
    ~Reader()
    {
        if (acc_)
            acc_->Release();
    }
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;
    std::wstring name(long id = CHILDID_SELF) const { return text(&IAccessible::get_accName, id); }
    std::wstring value(long id) const { return text(&IAccessible::get_accValue, id); }
    std::wstring defaultAction() const { return text(&IAccessible::get_accDefaultAction, CHILDID_SELF); }
    long role(long id = CHILDID_SELF) const { return number(&IAccessible::get_accRole, id); }
    long state(long id = CHILDID_SELF) const { return number(&IAccessible::get_accState, id); }
    long focus() const { return asLong([&](VARIANT* v) { return acc_->get_accFocus(v); }); }
    long hit(POINT at) const { return asLong([&](VARIANT* v) { return acc_->accHitTest(at.x, at.y, v); }); }
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
    // The action is posted: it has run once the queue is handled.
    void act(long id = CHILDID_SELF) const
    {
        last_ = acc_ ? acc_->accDoDefaultAction(child(id)) : E_FAIL;
        pumpMessages();
    }
    HRESULT last() const { return last_; }

private:
    std::wstring text(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*), long id) const
    {
        BSTR s = nullptr;
        last_ = acc_ ? (acc_->*get)(child(id), &s) : E_FAIL;
        std::wstring out = s ? std::wstring(s, ::SysStringLen(s)) : std::wstring();
        ::SysFreeString(s);
        return out;
    }
    long number(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*), long id) const
    {
        return asLong([&](VARIANT* v) { return (acc_->*get)(child(id), v); });
    }
    template <class Get>
    long asLong(Get get) const
    {
        VARIANT v{};
        last_ = acc_ ? get(&v) : E_FAIL;
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

std::vector<HWND>* g_alerts = nullptr;
void CALLBACK recordAlert(HWINEVENTHOOK, DWORD event, HWND w, LONG object, LONG, DWORD, DWORD)
{
    if (g_alerts && event == EVENT_SYSTEM_ALERT && object == OBJID_CLIENT)
        g_alerts->push_back(w);
}

TEST_F(AccessibilityTest, TheFaceIsAClockTheBoxesAndButtonsAreNamedAGreyedButtonDoesNothingAndTheAlertIsAnnounced)
{
    // The face is a clock named by the time and weekday as they are read.
    const Reader clock(hwnd());
    EXPECT_EQ(clock.role(), ROLE_SYSTEM_CLOCK);
    EXPECT_EQ(clock.name(), L"06:30:45 星期一");
    world.clock.set(2026, 12, 8, 2, 7, 0, 1);
    EXPECT_EQ(clock.name(), L"07:00:01 星期二");
    // Only the client object is ours: the frame and the rest get a window procedure's 0.
    for (LONG id : {OBJID_WINDOW, OBJID_CARET, OBJID_VSCROLL, LONG{1}})
        EXPECT_EQ(::SendMessageW(hwnd(), WM_GETOBJECT, 0, static_cast<LPARAM>(id)), 0) << id;
    frmclock& w = openAlarm();
    // The boxes' labels are drawn: their names come from us, the rest from the standard edit.
    const std::tuple<HWND, const wchar_t*, long> parts[] = {
        {w.Imgok().hwnd(), L"确定", ROLE_SYSTEM_PUSHBUTTON},   {w.Imgcam().hwnd(), L"取消", ROLE_SYSTEM_PUSHBUTTON},
        {w.Imghide().hwnd(), L"隐藏", ROLE_SYSTEM_PUSHBUTTON}, {w.Image2().hwnd(), L"关闭", ROLE_SYSTEM_PUSHBUTTON},
        {w.box(frmclock::txthour), L"点", ROLE_SYSTEM_TEXT},   {w.box(frmclock::txtmin), L"分", ROLE_SYSTEM_TEXT},
        {w.box(frmclock::txtsec), L"秒", ROLE_SYSTEM_TEXT},
        {w.box(frmclock::txtinmsg), L"填下你的事件:", ROLE_SYSTEM_TEXT}};
    for (auto [part, name, role] : parts) {
        const Reader r(part);
        EXPECT_EQ(r.name(), name);
        EXPECT_EQ(r.role(), role) << testing::PrintToString(std::wstring(name));
        if (role == ROLE_SYSTEM_TEXT) {
            ::SetWindowTextW(part, L"12");
            EXPECT_EQ(r.value(CHILDID_SELF), L"12");
        }
    }
    const Reader ok(w.Imgok().hwnd()), hide(w.Imghide().hwnd()), close(w.Image2().hwnd());
    EXPECT_EQ(ok.defaultAction(), L"按下");
    hide.act();  // a greyed button does nothing
    EXPECT_NE(hide.last(), S_OK);
    EXPECT_TRUE(::IsWindow(w.hwnd()));
    // Confirmed through the reader, as a click would.
    fill(w, L"09", L"30", L"00", L"开会");
    ok.act();
    EXPECT_TRUE(app->alarm().AlarmSet());
    ::SetFocus(w.Imghide().hwnd());
    EXPECT_TRUE(hide.state() & STATE_SYSTEM_FOCUSED);
    // Closed while the reader still holds the objects: they fail, nothing crashes.
    close.act();
    ASSERT_EQ(app->alarmWindow(), nullptr);
    EXPECT_EQ(ok.name(), L"");
    EXPECT_EQ(ok.last(), CO_E_OBJNOTCONNECTED);
    ok.act();
    EXPECT_EQ(ok.last(), CO_E_OBJNOTCONNECTED);
    // The settings' time boxes, and the edits inside them that take the typing, are named by their units.
    choose(MenuId::frmop);
    for (auto [id, unit] : {std::pair{Frmoptions::Comh, L"点"}, {Frmoptions::Comm, L"分"}, {Frmoptions::Coms, L"秒"}}) {
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        ASSERT_TRUE(::GetComboBoxInfo(::GetDlgItem(app->settingsWindow()->hwnd(), id), &info));
        const Reader combo(info.hwndCombo), typed(info.hwndItem);
        EXPECT_EQ(combo.role(), ROLE_SYSTEM_COMBOBOX);
        EXPECT_TRUE(combo.name() == unit && typed.name() == unit) << unit;
    }
    // At its time the alert is announced, and read by its drawn lines.
    std::vector<HWND> alerts;
    g_alerts = &alerts;
    HWINEVENTHOOK hook = ::SetWinEventHook(EVENT_SYSTEM_ALERT, EVENT_SYSTEM_ALERT, nullptr, &recordAlert,
                                           ::GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    world.clock.set(2026, 12, 8, 2, 9, 30, 0);
    tick();
    pumpMessages();
    ::UnhookWinEvent(hook);
    g_alerts = nullptr;
    frmmsg* alert = app->alertWindow();
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alerts, std::vector<HWND>{alert->hwnd()});
    const Reader r(alert->hwnd());
    EXPECT_EQ(r.role(), ROLE_SYSTEM_ALERT);
    EXPECT_EQ(r.name(), L"你好现在是:09:30:00 你现在要做的事情是:开会");
}

TEST_F(AccessibilityTest, TheAboutWindowIsACircleWithAPanelWhoseMailLineIsALinkForMouseReaderAndKeyboard)
{
    HWND w = openAbout();
    auto& about = *static_cast<frmabout*>(Window::fromHandle(w));
    EXPECT_EQ(clientSize(w), (std::pair{355, 253}));
    EXPECT_EQ(regionMisses(w, {{79, 81}, {1, 81}, {79, 1}, {200, 150}, {351, 251}, {56, 57}},
                           {{300, 20}, {10, 240}, {0, 0}, {352, 100}, {100, 252}}),
              "");
    // The mouse: the mail line opens the link, the version does nothing.
    const Texts mail{L"mailto:qorvane@example.com"};
    EXPECT_EQ(toolText(about.tooltip(), w), L"给我发邮件");
    ::SendMessageW(w, WM_LBUTTONDOWN, 0, MAKELPARAM(200, 200));
    EXPECT_TRUE(about.image1Border());
    ::SendMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(100, 100));  // released elsewhere: nothing
    EXPECT_FALSE(about.image1Border());
    EXPECT_TRUE(world.shell.got.empty());
    click(w, 200, 200);
    click(w, 300, 205, true);  // the right button too
    click(w, 280, 78);         // "1.10"
    pumpMessages();
    EXPECT_EQ(world.shell.got, (Texts{mail[0], mail[0]}));
    EXPECT_TRUE(::IsWindow(w));
    // The reader: one child, the link.
    world.shell.got.clear();
    const Reader r(w);
    EXPECT_EQ(std::tuple(r.name(), r.childCount(), r.role(1), r.name(1), r.value(1)),
              std::tuple(L"关于", 1L, long{ROLE_SYSTEM_LINK}, L"给我发邮件", mail[0]));
    RECT link{kAboutImage1.left, kAboutImage1.top, kAboutImage1.right, kAboutImage1.bottom};
    ::MapWindowPoints(w, nullptr, reinterpret_cast<POINT*>(&link), 2);
    const RECT place = r.location(1);
    EXPECT_TRUE(::EqualRect(&place, &link));
    EXPECT_EQ(r.hit({link.left + 2, link.top + 2}), 1);
    EXPECT_EQ(r.hit({link.left - 2, link.top - 2}), CHILDID_SELF);
    r.name(2);
    EXPECT_EQ(r.last(), E_INVALIDARG);
    r.act(1);
    EXPECT_EQ(world.shell.got, mail);
    EXPECT_TRUE(::IsWindow(w));
    // The keyboard: the link holds the focus, Tab marks it, Enter opens it.
    ASSERT_EQ(::GetFocus(), w);
    EXPECT_EQ(r.state(1) & (STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED),
              STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED);
    EXPECT_EQ(r.focus(), 1);
    const PrintedClient before(w);
    ::PostMessageW(w, WM_KEYDOWN, VK_TAB, 1);
    pumpMessages();
    EXPECT_EQ(::GetFocus(), w);
    const PrintedClient marked(w);
    int changed = 0;
    for (int x = kAboutImage1.left; x < kAboutImage1.right; ++x)
        changed += marked.at(x, kAboutImage1.top + 2) != before.at(x, kAboutImage1.top + 2);
    EXPECT_GT(changed, (kAboutImage1.right - kAboutImage1.left) / 3) << "no focus mark on the link";
    ::PostMessageW(w, WM_KEYDOWN, VK_RETURN, 1);
    pumpMessages();
    EXPECT_EQ(world.shell.got.size(), 2u);
    // Twice from the menus: still one window; a click on the clock face closes it.
    choose(MenuId::showabout);
    EXPECT_EQ(::FindWindowW(frmabout::kClassName, nullptr), w);
    click(w, 80, 80);
    pumpMessages();
    EXPECT_FALSE(::IsWindow(w));
}

}  // namespace
}  // namespace qv::test
