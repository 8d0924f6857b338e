#include <gtest/gtest.h>

#include <optional>

#include "alarm/alarm_rules.h"
#include "alarm/reminder_text.h"

// Checked in order: an empty box, then a text that is no number, then a value out of range.
TEST(AlarmEntry, EachEntryEarnsItsVerdict)
{
    using enum qv::EntryVerdict;
    struct Row {
        const wchar_t *h, *m, *s;
        qv::EntryVerdict verdict;
        const wchar_t* msg = L"x";
    };
    const Row rows[] = {
        {L"ab", L"1", L"1", Empty, L""},  {L"", L"1", L"1", Empty},        {L"1", L"", L"1", Empty},
        {L"9", L"5", L"", Empty},         {L"9", L"5", L"0", Ok, L" "},  // a blank message is a message
        {L"ab", L"1", L"1", NotNumeric},  {L"1", L"1a", L"1", NotNumeric}, {L"1", L"1", L" ", NotNumeric},
        {L"1", L"1", L"+", NotNumeric},   {L"1", L"1", L"ａ", NotNumeric}, {L"24", L"0", L"0", OutOfRange},
        {L"0", L"60", L"0", OutOfRange},  {L"0", L"0", L"60", OutOfRange}, {L"0", L"0", L"-1", OutOfRange},
        {L"２４", L"0", L"0", OutOfRange},
        // Accepted by the number check but never equal to a clock reading.
        {L"+1", L"0", L"0", OutOfRange},  {L"1", L"+1", L"0", OutOfRange}, {L"1", L" 1", L"0", OutOfRange},
        {L"1", L"1,", L"0", OutOfRange},  {L"1", L"0", L"1.", OutOfRange}, {L"23", L"59", L"59", Ok},
        {L"0", L"00", L"7", Ok},          {L"１２", L"０５", L"３０", Ok},  {L"1２", L"5", L"０", Ok},  // full-width digits
    };
    for (const Row& r : rows)
        EXPECT_EQ(qv::checkEntry(r.h, r.m, r.s, r.msg), r.verdict) << r.h << "|" << r.m << "|" << r.s << "|" << r.msg;
}

TEST(AlarmEntry, TimeIsBuiltFromTheTextsAsTyped)
{
    EXPECT_EQ(qv::buildAlarmTime(L"１２", L"５", L"３０"), L"12:05:30");
    const qv::AlarmEntry entry{*qv::secondOfDay(L"23:05:09"), L"x"};
    EXPECT_EQ(entry.field(0) + entry.field(1) + entry.field(2) + entry.timeText(), L"23050923:05:09");
    for (const wchar_t* bad : {L"", L"24:00:00", L"9:05:00", L"09.05.00"})
        EXPECT_EQ(qv::secondOfDay(bad), std::nullopt) << bad;
}

TEST(ReminderPaste, ControlCharactersBecomeBlanksAndTheCutNeverSplitsACharacter)
{
    const struct {
        const wchar_t* pasted;
        std::size_t room;
        const wchar_t* text;
        bool cut;
    } cases[] = {
        {L"a\rb\nc", 10, L"a b c", false}, {L"a\r\n\r\nb\r", 10, L"a  b ", false}, {L"abc", 3, L"abc", false},
        {L"abcd", 3, L"abc", true},         {L"abc", 0, L"", true},                {L"a\r\nb", 2, L"a ", true},
        {L"ab\xD83D\xDE00", 3, L"ab", true},  // a surrogate pair stays whole or goes
        {L"ab\xD83D\xDE00", 4, L"ab\xD83D\xDE00", false},
        // Every other control character and the line separators: one blank each.
        {L"a\tb\x1F\x7F", 10, L"a b  ", false}, {L"a\x85\x9F\xA0" L"b", 10, L"a  \xA0" L"b", false},
        {L"a\x2028\x2029\x202F", 10, L"a  \x202F", false},
    };
    for (const auto& c : cases) {
        const qv::FittedPaste f = qv::fitPastedReminder(c.pasted, c.room);
        EXPECT_TRUE(f.text == c.text && f.cut == c.cut) << c.room << (f.cut ? " cut: " : ": ") << f.text;
    }
}

// The measure is faked as "at most N characters"; the real one is the box's.
TEST(ReminderFit, LongestCutThatFitsWithTheMarkAndNeverSplitsACharacter)
{
    const struct {
        const wchar_t* text;
        std::size_t n;
        const wchar_t* shown;
    } cases[] = {
        {L"abcdef", 6, L"abcdef"}, {L"abcdef", 5, L"abcd\x2026"}, {L"abcdef", 0, L"\x2026"},
        {L"ab\xD83D\xDE00" L"cd", 4, L"ab\x2026"},  // the pair stays whole or goes
        {L"ab\xD83D\xDE00" L"cd", 5, L"ab\xD83D\xDE00\x2026"},
        {L"ab \x3000 cdef", 6, L"ab\x2026"},    // no blanks before the mark
        {L"  abc", 3, L"\x2026"},
    };
    for (const auto& c : cases) {
        int calls = 0;
        const std::wstring shown = qv::fitWithEllipsis(c.text, [&](const std::wstring& s) {
            ++calls;
            return s.size() <= c.n;
        });
        EXPECT_EQ(shown, c.shown) << c.text << " in " << c.n;
        EXPECT_LE(calls, 6) << c.text;  // a binary search, not a walk
    }
    EXPECT_EQ(qv::fitWithEllipsis(L"", [](const std::wstring&) { return false; }), L"\x2026");
}

TEST(ReminderFit, NotificationTextKeepsToTheShellsField)
{
    const std::wstring full(255, L'x');
    EXPECT_EQ(qv::notificationText(full, 255), full);
    const std::wstring pair = std::wstring(253, L'x') + L"\xD83D\xDE00";
    EXPECT_EQ(qv::notificationText(pair + L'y', 255), pair.substr(0, 253) + L'\x2026');
}

TEST(AlarmEntry, ALateRingSaysWhenItWasDueWithTheDateOnlyWhenNotToday)
{
    const qv::LocalTime now{2027, 1, 1, 9, 12, 33};
    EXPECT_EQ(qv::dueLine({2027, 1, 1, 0, 5, 0}, now), L"应在00:05:00提醒");
    EXPECT_EQ(qv::dueLine({2027, 1, 1, 17, 0, 0}, {2027, 3, 1, 9, 0, 0}), L"应在01月01日 17:00:00提醒");
    EXPECT_EQ(qv::dueLine({2026, 12, 31, 23, 59, 50}, now), L"应在26年12月31日 23:59:50提醒");
}

TEST(ReminderPaste, ATipBreaksItsLinesWhereTheyAreFullAndCutsTheLastWithAnEllipsis)
{
    const auto five = [](const std::wstring& line) { return line.size() <= 5; };
    EXPECT_EQ(qv::wrapLines(L"一二三四五六七八九十", five, 9), L"一二三四五\r\n六七八九十");
    EXPECT_EQ(qv::wrapLines(L"ab cd efgh ij", five, 9), L"ab cd\r\nefgh\r\nij");
    EXPECT_EQ(qv::wrapLines(L"一二三四\xD83D\xDE00五", five, 9), L"一二三四\r\n\xD83D\xDE00五");  // a pair
    EXPECT_EQ(qv::wrapLines(L"due\r\n一二三四五六七", five, 2), L"due\r\n一二三四…");
}
