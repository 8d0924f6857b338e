#include <gtest/gtest.h>

#include "counting_new.h"
#include "settings/settings_rules.h"
#include "store/Clsreg.h"

TEST(TimeBox, NumbersInRangePassAndEverythingElseIsRefused)
{
    for (const wchar_t* ok : {L"0", L"07", L"7.5", L"23", L" 9 ", L"+5", L"２３", L"０7"})
        EXPECT_TRUE(qv::timeBoxAcceptable(ok, 23)) << ok;
    for (const wchar_t* bad : {L"", L"  ", L"ab", L"1a", L"-1", L"24", L"23.5", L"1.2.3", L".", L"２４", L"ａｂ"})
        EXPECT_FALSE(qv::timeBoxAcceptable(bad, 23)) << bad;
    EXPECT_TRUE(qv::timeBoxAcceptable(L"59", 59));
    EXPECT_FALSE(qv::timeBoxAcceptable(L"60", 59));
}

TEST(TimeBox, OnlyWholeValuesMakeATimeToApply)
{
    const auto t = qv::wholeTimeOfDay(L"07", L"5", L" 3");
    ASSERT_TRUE(t);
    EXPECT_EQ(t->hour * 10000 + t->minute * 100 + t->second, 70503);
    const auto wide = qv::wholeTimeOfDay(L"１２", L"０５", L"3");
    ASSERT_TRUE(wide);
    EXPECT_EQ(wide->hour * 10000 + wide->minute * 100 + wide->second, 120503);
    EXPECT_FALSE(qv::wholeTimeOfDay(L"7.5", L"0", L"0"));
    EXPECT_FALSE(qv::wholeTimeOfDay(L"24", L"0", L"0"));
    EXPECT_FALSE(qv::wholeTimeOfDay(L"1", L"", L"0"));
}

TEST(NowLine, DateTwoBlanksTimeAndEachNewSecondWithoutAllocating)
{
    const qv::LocalTime t{2004, 3, 5, 9, 5, 3, 0, 5};
    std::wstring line = L"left over";
    qv::nowLine(t, line);
    EXPECT_EQ(line, L"现在的时间是： 04年03月05日  09:05:03");
    // The settings window builds it once a second for as long as it is open.
    const long before = qv::test::newCalls;
    qv::nowLine({2004, 3, 5, 23, 59, 59, 0, 5}, line);
    EXPECT_EQ(qv::test::newCalls - before, 0);
    EXPECT_EQ(line, L"现在的时间是： 04年03月05日  23:59:59");
}

TEST(RunProgramPath, FolderBackslashStemExe)
{
    EXPECT_EQ(qv::runProgramPath(L"D:\\Tools\\Clock", L"alarm.exe"), L"D:\\Tools\\Clock\\alarm.exe");
    EXPECT_EQ(qv::runProgramPath(L"C:\\", L"alarm.exe"), L"C:\\alarm.exe");
    EXPECT_EQ(qv::runProgramPath(L"C:\\Program Files\\qorvane", L"QORVANE.EXE"),
              L"C:\\Program Files\\qorvane\\QORVANE.exe");
    EXPECT_EQ(qv::runProgramPath(L"C:\\时钟\\ĳ", L"qorvane.bin"), L"C:\\时钟\\ĳ\\qorvane.exe");
}

namespace {

struct RunEntry : testing::Test {
    qv::MemoryRegistryStore store;
    const std::wstring path = L"C:\\Program Files\\qorvane\\qorvane.exe";
    qv::Clsreg reg{store, path};

    void stored(const std::wstring& data, const wchar_t* name = qv::kRunValueName)
    {
        store.writeValue(qv::kRunKeyPath, name, data);
    }
};

}  // namespace

TEST_F(RunEntry, ReadingCreatesTheKeyButNoValueAndDeletingNeverCreatesIt)
{
    reg.delreg();
    EXPECT_FALSE(store.hasKey(qv::kRunKeyPath));
    EXPECT_FALSE(reg.hsetreg());
    EXPECT_TRUE(store.hasKey(qv::kRunKeyPath));
    EXPECT_FALSE(store.readValue(qv::kRunKeyPath, qv::kRunValueName));
}

TEST_F(RunEntry, WritesTheQuotedPathAndReadsItBack)
{
    reg.setreg();
    EXPECT_EQ(store.readValue(qv::kRunKeyPath, L"MyExe"), L"\"" + path + L"\"");
    EXPECT_TRUE(reg.hsetreg());
    reg.delreg();
    EXPECT_FALSE(reg.hsetreg());
    EXPECT_TRUE(store.hasKey(qv::kRunKeyPath));  // only the value goes
}

TEST_F(RunEntry, RecognisesOurEntryInEitherFormAndNothingElse)
{
    const std::pair<std::wstring, bool> entries[] = {
        {path, true},  // unquoted, as earlier versions wrote it
        {L"\"" + path + L"\" /minimised", true},
        {path + L" /minimised", true},
        {L"c:\\program files\\qorvane\\qorvane.exe", false},  // letter case counts
        {L"D:\\Old\\qorvane.exe", false},                   // a copy in another folder
        {L"\"C:\\Program Files\\qorvane\"", false},          // only the folder
    };
    for (const auto& [data, ours] : entries) {
        stored(data);
        EXPECT_EQ(reg.hsetreg(), ours) << data;
    }
}

TEST_F(RunEntry, ValueNamesIgnoreLetterCase)
{
    stored(L"\"" + path + L"\"", L"MYEXE");
    EXPECT_TRUE(reg.hsetreg());
    reg.setreg();
    EXPECT_EQ(store.storedName(qv::kRunKeyPath, qv::kRunValueName), L"MYEXE");
    reg.delreg();
    EXPECT_FALSE(store.readValue(qv::kRunKeyPath, L"myexe"));
}

TEST(RunEntryPaths, LongAndNonAnsiPathsRoundTrip)
{
    qv::MemoryRegistryStore store;
    const std::wstring longPath = qv::runProgramPath(L"C:\\" + std::wstring(300, L'd') + L"\\闹钟 ĳ", L"qorvane.exe");
    qv::Clsreg reg(store, longPath);
    reg.setreg();
    EXPECT_TRUE(reg.hsetreg());
    qv::Clsreg other(store, longPath.substr(0, longPath.size() - 5) + L"x.exe");
    EXPECT_FALSE(other.hsetreg());
}
