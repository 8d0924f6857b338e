#include <gtest/gtest.h>

#include <string>

#include "alarm/reminder_text.h"

namespace {

struct Case {
    const wchar_t* pasted;
    std::size_t room;
    const wchar_t* text;
    bool cut;
};

}  // namespace

TEST(ReminderPaste, LineBreaksBecomeBlanksAndTheCutNeverSplitsACharacter)
{
    const Case cases[] = {
        {L"a\r\nb", 10, L"a b", false},
        {L"a\rb\nc", 10, L"a b c", false},
        {L"a\n\nb", 10, L"a  b", false},
        {L"a\r\n\r\nb\r", 10, L"a  b ", false},
        {L"abc", 3, L"abc", false},
        {L"abcd", 3, L"abc", true},
        {L"abc", 0, L"", true},
        {L"", 0, L"", false},
        {L"ab\xD83D\xDE00", 3, L"ab", true},  // a surrogate pair stays whole or goes
        {L"ab\xD83D\xDE00", 4, L"ab\xD83D\xDE00", false},
        {L"a\r\nb", 2, L"a ", true},
    };
    for (const Case& c : cases) {
        const qv::FittedPaste f = qv::fitPastedReminder(c.pasted, c.room);
        EXPECT_EQ(f.text, c.text) << c.room;
        EXPECT_EQ(f.cut, c.cut) << c.room;
    }
}
