#pragma once
// The reminder box's limit and what a paste into it becomes.

#include <cstddef>
#include <string>

namespace qv {

// Far more than the alert can show; it keeps a stray paste of a whole
// document from becoming the reminder.
inline constexpr std::size_t kReminderLimit = 2000;

inline constexpr wchar_t kReminderTooLongTitle[] = L"事件太长";
inline constexpr wchar_t kReminderTooLongText[] = L"事件最多 2000 个字，多出的文字没有加进来。";

struct FittedPaste {
    std::wstring text;
    bool cut = false;  // some of it did not fit
};

// The reminder is one line: each line break (CR LF, CR or LF) becomes one
// blank. Then it is cut to `room` characters, never inside a surrogate pair.
FittedPaste fitPastedReminder(const std::wstring& pasted, std::size_t room);

}  // namespace qv
