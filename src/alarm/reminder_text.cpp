#include "alarm/reminder_text.h"

#include <utility>
#include <vector>

#include "core/datetext.h"

namespace qv {

namespace {

constexpr wchar_t kEllipsis = L'\x2026';

bool isControlOrSeparator(wchar_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029;
}

bool isBlank(wchar_t c)
{
    return c == L' ' || c == L'\x3000';  // the ideographic space counts too
}

// The first `n` characters, one fewer if that would split a surrogate pair,
// without blanks at the end: "ab …" would show a gap before the mark.
std::wstring cutBefore(const std::wstring& text, std::size_t n)
{
    std::wstring p = fitToField(text, n + 1);
    while (!p.empty() && isBlank(p.back()))
        p.pop_back();
    return p;
}

}  // namespace

FittedPaste fitPastedReminder(const std::wstring& pasted, std::size_t room)
{
    std::wstring line;
    line.reserve(pasted.size());
    for (std::size_t i = 0; i < pasted.size(); ++i) {
        const wchar_t c = pasted[i];
        if (c == L'\r' && i + 1 < pasted.size() && pasted[i + 1] == L'\n')
            continue;  // the LF after it makes the one blank
        line += isControlOrSeparator(c) ? L' ' : c;
    }
    if (line.size() <= room)
        return {std::move(line), false};
    return {fitToField(line, room + 1), true};
}

std::wstring fitWithEllipsis(const std::wstring& text, const std::function<bool(const std::wstring&)>& fits)
{
    if (fits(text))
        return text;
    if (text.empty())
        return std::wstring(1, kEllipsis);
    // The measure grows with the length, so search for the longest cut that
    // still fits with the mark: the answer lies in [lo, hi].
    std::size_t lo = 0;
    std::size_t hi = text.size() - 1;  // the whole text did not fit
    while (lo < hi) {
        const std::size_t mid = lo + (hi - lo + 1) / 2;
        if (fits(cutBefore(text, mid) + kEllipsis))
            lo = mid;
        else
            hi = mid - 1;
    }
    return cutBefore(text, lo) + kEllipsis;
}

std::wstring wrapLines(const std::wstring& text, const std::function<bool(const std::wstring&)>& fits,
                       std::size_t maxLines)
{
    std::vector<std::wstring> lines;
    std::wstring line;
    std::size_t i = 0;
    while (i < text.size() && lines.size() <= maxLines) {
        const wchar_t c = text[i];
        if (c == L'\r' || c == L'\n') {
            i += c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n' ? 2 : 1;
            lines.push_back(std::exchange(line, {}));
            continue;
        }
        const std::size_t n = c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() ? 2 : 1;
        std::wstring longer = line + text.substr(i, n);
        if (line.empty() || fits(longer)) {
            line = std::move(longer);
            i += n;
        } else if (isBlank(c)) {
            lines.push_back(std::exchange(line, {}));
            ++i;  // the blank ends the line
        } else {
            const std::size_t blank = line.find_last_of(L" \x3000");
            const std::size_t keep = blank == std::wstring::npos || blank == 0 ? line.size() : blank;
            lines.push_back(line.substr(0, keep));
            line.erase(0, keep < line.size() ? keep + 1 : keep);
        }
    }
    if (!line.empty() || lines.empty())
        lines.push_back(line);
    const bool more = lines.size() > maxLines || i < text.size();
    if (lines.size() > maxLines)
        lines.resize(maxLines);
    if (more && !lines.empty())
        lines.back() = fitWithEllipsis(lines.back() + kEllipsis, fits);
    std::wstring out;
    for (std::size_t n = 0; n < lines.size(); ++n)
        out += (n == 0 ? L"" : L"\r\n") + lines[n];
    return out;
}

std::wstring notificationText(const std::wstring& reminder, std::size_t limit)
{
    if (reminder.size() <= limit)
        return reminder;
    if (limit == 0)
        return {};
    // fitToField leaves room for a NUL; here that room takes the mark.
    return fitToField(reminder, limit) + kEllipsis;
}

}  // namespace qv
