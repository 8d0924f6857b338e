#pragma once
// What a paste into the reminder box becomes, and a long reminder cut to fit.

#include <cstddef>
#include <functional>
#include <string>

#include "core/reminder_limits.h"

namespace qv {

inline constexpr wchar_t kReminderTooLongTitle[] = L"事件太长";
inline constexpr wchar_t kReminderTooLongText[] = L"事件最多 2000 个字，多出的文字没有加进来。";

struct FittedPaste {
    std::wstring text;
    bool cut = false;  // some of it did not fit
};

// The reminder is one line: each line break (CR LF, CR or LF) and every other
// control character or line/paragraph separator becomes one blank, so a pasted
// tab shows as space rather than a box. Then it is cut to `room` characters,
// never inside a surrogate pair.
FittedPaste fitPastedReminder(const std::wstring& pasted, std::size_t room);

// The alert's reminder box shows only a few wrapped lines; a longer reminder
// ends in "…" so it is seen to go on. `fits` is the box's text measure.
std::wstring fitWithEllipsis(const std::wstring& text, const std::function<bool(const std::wstring&)>& fits);

// A tooltip breaks lines only at blanks, so a reminder without them was one
// line as wide as the screen. Broken here where `fits` says a line ends: at
// its last blank where it has one, else between characters, never inside a
// surrogate pair; a line break in the text ("\r\n") stays. At most
// `maxLines`, the last ending in "…" when the text goes on. Lines are
// joined by "\r\n".
std::wstring wrapLines(const std::wstring& text, const std::function<bool(const std::wstring&)>& fits,
                       std::size_t maxLines);

// The tray notification's field is fixed in size; a longer reminder is cut to
// at most `limit` characters ending in "…", never inside a surrogate pair.
std::wstring notificationText(const std::wstring& reminder, std::size_t limit);

}  // namespace qv
