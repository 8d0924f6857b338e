#include "alarm/reminder_text.h"

#include "app/datetext.h"

namespace qv {

FittedPaste fitPastedReminder(const std::wstring& pasted, std::size_t room)
{
    std::wstring line;
    line.reserve(pasted.size());
    for (std::size_t i = 0; i < pasted.size(); ++i) {
        const wchar_t c = pasted[i];
        if (c == L'\r' && i + 1 < pasted.size() && pasted[i + 1] == L'\n')
            continue;  // the LF after it makes the one blank
        line += (c == L'\r' || c == L'\n') ? L' ' : c;
    }
    if (line.size() <= room)
        return {std::move(line), false};
    return {fitToField(line, room + 1), true};
}

}  // namespace qv
