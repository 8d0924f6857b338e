#include "face/menus.h"

namespace qv {
namespace {

constexpr MenuEntry kSeparator{MenuId::separator, nullptr};

constexpr MenuEntry kMune[] = {
    {MenuId::hidefrmmain, kHideFaceCaption},
    kSeparator,
    {MenuId::showclock, L"显示闹钟设置"},
    {MenuId::showfrmoptions, L"系统设置"},
    kSeparator,
    {MenuId::opencddrive, L"打开光驱"},
    kSeparator,
    {MenuId::help, L"帮助"},
    {MenuId::about, L"关于"},
    kSeparator,
    {MenuId::end, L"退出"},
};

constexpr MenuEntry kTray[] = {
    {MenuId::showfrmmain, kHideFaceCaption},
    kSeparator,
    {MenuId::hidefrmclock, L"显示闹钟设置"},
    {MenuId::frmop, L"系统设置"},
    kSeparator,
    {MenuId::opencd, L"打开光驱"},
    kSeparator,
    {MenuId::showabout, L"关于"},
    kSeparator,
    {MenuId::quit, L"退出"},
};

}  // namespace

std::span<const MenuEntry> faceMenuEntries() { return kMune; }
std::span<const MenuEntry> trayMenuEntries() { return kTray; }

const wchar_t* showfrmmainCaption(int windowState)
{
    return windowState == 1 ? kShowFaceCaption : kHideFaceCaption;
}

}  // namespace qv
