#include <gtest/gtest.h>

#include "core/datetext.h"

static qv::LocalTime day(int y, int m, int d, int weekday) { return qv::LocalTime{y, m, d, 0, 0, 0, 0, weekday}; }

TEST(DateText, TwoDigitFieldsWithTheirCharactersAndTheWeekdayFromSunday)
{
    EXPECT_EQ(qv::dateText(day(2004, 12, 6, 1)), L"04年12月06日");
    EXPECT_EQ(qv::dateText(day(2000, 1, 1, 6)), L"00年01月01日");
    EXPECT_EQ(qv::dateText(day(2109, 10, 31, 4)), L"09年10月31日");
    EXPECT_STREQ(qv::weekdayText(day(2026, 12, 6, 0)), L"星期日");
    EXPECT_STREQ(qv::weekdayText(day(2026, 12, 12, 6)), L"星期六");
}

TEST(FitToField, CutsLongTextToCapacityLessTheNulAndNeverSplitsASurrogatePair)
{
    EXPECT_EQ(qv::fitToField(L"abc", 4), L"abc");
    EXPECT_EQ(qv::fitToField(L"abcd", 4), L"abc");
    EXPECT_EQ(qv::fitToField(L"abc", 0), L"");
    // U+1F552 (a clock): a cut after its high half would leave a broken character at the tip's end.
    const std::wstring text = {L'a', L'b', wchar_t(0xD83D), wchar_t(0xDD52), L'c'};
    EXPECT_EQ(qv::fitToField(text, 4), L"ab");
    EXPECT_EQ(qv::fitToField(text, 5), text.substr(0, 4));
}
