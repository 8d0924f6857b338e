#pragma once
// The face menu and the tray menu: items, captions, order.

#include <span>

namespace qv {

// Command identifiers, named after their menu items. 0 is a separator.
enum class MenuId : unsigned {
    separator = 0,
    // face menu
    hidefrmmain = 1001,
    showclock,
    showfrmoptions,
    opencddrive,
    help,
    about,
    end,
    // tray menu
    showfrmmain = 1101,
    hidefrmclock,
    frmop,
    opencd,
    showabout,
    quit,
};

struct MenuEntry {
    MenuId id;
    const wchar_t* caption;
};

inline constexpr wchar_t kHideFaceCaption[] = L"隐藏钟面";
inline constexpr wchar_t kShowFaceCaption[] = L"显示钟面";

std::span<const MenuEntry> faceMenuEntries();  // mune
std::span<const MenuEntry> trayMenuEntries();  // Tray

// The tray's face toggle reads "show" while the face is minimised (state 1).
const wchar_t* showfrmmainCaption(int windowState);

}  // namespace qv
