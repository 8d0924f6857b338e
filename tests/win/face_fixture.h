#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "app/app_host.h"
#include "fakes.h"
#include "store/Clsreg.h"
#include "store/kept_alarm.h"
#include "store/run_once.h"

namespace qv::test {

// A real face window over fake services: Monday 7 December 2026, 06:30:45, a fixed C: and a CD D:.
class FaceTest : public testing::Test {
protected:
    FakeWorld world;
    std::unique_ptr<AppHost> app;
    frmmain* face = nullptr;  // the app's face
    int closedCount = 0;
    void SetUp() override
    {
        ModTray::SetShell(&world.tray);
        world.clock.set(2026, 12, 7, 1, 6, 30, 45);
        world.drives.types = {{'C', DRIVE_FIXED}, {'D', DRIVE_CDROM}};
        forgetKept();
    }
    void TearDown() override
    {
        app.reset();
        pumpMessages();
        ModTray::SetShell(nullptr);
        forgetKept();
    }
    // What a run keeps in the prefix's registry must not reach the next test.
    void forgetKept()
    {
        KeptAlarm(world.registry).erase();
        RunOnceEntry(world.registry, L"").remove();
        Clsreg(world.registry, L"").delreg();
        world.registry.deleteValue(kStartupApprovedPath, kRunValueName);
    }
    void load(const std::wstring& folder = L"C:\\Apps\\qorvane")
    {
        app = std::make_unique<AppHost>(world.services(), folder, [this] { ++closedCount; });
        face = &app->face();
        ASSERT_TRUE(app->Load(::GetModuleHandleW(nullptr)));
        // The icon and the weekday's tip come just after the load.
        pumpMessages();
    }
    void loadAndShow()
    {
        load();
        face->Show();
        pumpMessages();
    }
    HWND hwnd() const { return face->hwnd(); }
    void choose(MenuId id) { ::SendMessageW(hwnd(), WM_COMMAND, static_cast<WPARAM>(id), 0); }
    void tick() { ::SendMessageW(hwnd(), WM_TIMER, frmmain::kTmrmain, 0); }
    frmclock& openAlarm()
    {
        if (!app->alarmWindow())
            choose(MenuId::showclock);
        EXPECT_NE(app->alarmWindow(), nullptr);
        return *app->alarmWindow();
    }
    HWND openAbout()
    {
        choose(MenuId::about);
        HWND w = ::FindWindowW(frmabout::kClassName, nullptr);
        EXPECT_NE(w, nullptr);
        return w;
    }
    static void fill(frmclock& w, const wchar_t* h, const wchar_t* m, const wchar_t* s, const wchar_t* msg)
    {
        ::SetWindowTextW(w.box(frmclock::txthour), h);
        ::SetWindowTextW(w.box(frmclock::txtmin), m);
        ::SetWindowTextW(w.box(frmclock::txtsec), s);
        ::SetWindowTextW(w.box(frmclock::txtinmsg), msg);
    }
    static LPARAM at(int x, int y) { return MAKELPARAM(x, y); }
    static bool marked(HMENU menu, MenuId id, UINT flag)
    {
        return (::GetMenuState(menu, static_cast<UINT>(id), MF_BYCOMMAND) & flag) != 0;
    }
};

}  // namespace qv::test
