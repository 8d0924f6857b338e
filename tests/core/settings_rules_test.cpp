#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <tuple>

#include "settings/settings_rules.h"

// Every allocation of the test program is counted, for code that must not allocate.
static std::atomic<long> newCalls{0};

void* operator new(std::size_t size)
{
    ++newCalls;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
// Not inlined: GCC would take the free() for a mismatch with the new above.
[[gnu::noinline]] void operator delete(void* p) noexcept { std::free(p); }
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept { std::free(p); }

TEST(TimeBox, NumbersInRangePassAndOnlyWholeValuesMakeATimeToApply)
{
    for (const wchar_t* ok : {L"0", L"7.5", L"23", L"２３"})
        EXPECT_TRUE(qv::timeBoxAcceptable(ok, 23)) << ok;
    for (const wchar_t* bad : {L"", L"ab", L"-1", L"24", L"23.5", L"２４", L"1,0"})  // no grouping here
        EXPECT_FALSE(qv::timeBoxAcceptable(bad, 23)) << bad;
    EXPECT_TRUE(qv::timeBoxAcceptable(L"59", 59) && !qv::timeBoxAcceptable(L"60", 59));

    const std::tuple<const wchar_t*, const wchar_t*, const wchar_t*, int> times[] = {
        {L"07", L"5", L" 3", 70503}, {L"１２", L"０５", L"3", 120503}, {L"7.5", L"0", L"0", -1},
        {L"24", L"0", L"0", -1},     {L"1", L"", L"0", -1}};
    for (auto [h, m, s, hms] : times) {
        const auto t = qv::wholeTimeOfDay(h, m, s);
        EXPECT_EQ(t ? t->hour * 10000 + t->minute * 100 + t->second : -1, hms) << h << ":" << m << ":" << s;
    }
}

TEST(NowLine, DateTwoBlanksTimeAndEachNewSecondWithoutAllocating)
{
    std::wstring line = L"left over";
    qv::nowLine({2004, 3, 5, 9, 5, 3, 0, 5}, line);
    EXPECT_EQ(line, L"现在的时间是： 04年03月05日  09:05:03");
    // The settings window builds it once a second for as long as it is open.
    const long before = newCalls;
    qv::nowLine({2004, 3, 5, 23, 59, 59, 0, 5}, line);
    EXPECT_EQ(newCalls - before, 0);
    EXPECT_EQ(line, L"现在的时间是： 04年03月05日  23:59:59");
}
