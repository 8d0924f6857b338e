#include <gtest/gtest.h>

#include <string>

#include "store/Clsreg.h"

namespace {

struct RunEntry : testing::Test {
    qv::MemoryRegistryStore store;
    const std::wstring path = L"C:\\Program Files\\qorvane\\qorvane.exe";
    qv::Clsreg reg{store, path};
};

}  // namespace

TEST_F(RunEntry, DeletingNeverCreatesTheKeyAndOnlyOurEntryQuotedOrNotCounts)
{
    reg.delreg();
    EXPECT_FALSE(store.hasKey(qv::kRunKeyPath));
    EXPECT_FALSE(reg.hsetreg());
    EXPECT_TRUE(store.hasKey(qv::kRunKeyPath));
    EXPECT_FALSE(store.readValue(qv::kRunKeyPath, qv::kRunValueName));

    reg.setreg();
    EXPECT_EQ(store.readValue(qv::kRunKeyPath, L"MyExe"), L"\"" + path + L"\"");
    EXPECT_TRUE(reg.hsetreg());
    reg.delreg();
    EXPECT_FALSE(reg.hsetreg());
    EXPECT_TRUE(store.hasKey(qv::kRunKeyPath));  // only the value goes

    const std::pair<std::wstring, bool> entries[] = {
        {L"\"" + path + L"\" /minimised", true},
        {path + L" /minimised", true},
        {L"c:\\program files\\qorvane\\qorvane.exe", false},  // letter case counts
        {L"\"C:\\Program Files\\qorvane\"", false},          // only the folder
    };
    for (const auto& [data, ours] : entries) {
        store.writeValue(qv::kRunKeyPath, qv::kRunValueName, data);
        EXPECT_EQ(reg.hsetreg(), ours) << data;
    }
    // Windows' own switch for the entry: odd first byte is off, none is on; writing turns it on.
    for (const auto& [state, on] : {std::pair{qv::Bytes{3, 0, 0, 0, 9}, false}, {qv::Bytes{7}, false},
                                    {qv::Bytes{2, 0, 0, 0}, true}, {qv::Bytes{6}, true}, {qv::Bytes{}, true}}) {
        store.writeBytes(qv::kStartupApprovedPath, qv::kRunValueName, state);
        EXPECT_EQ(reg.startupApproved(), on) << int(state.empty() ? -1 : state[0]);
    }
    store.writeBytes(qv::kStartupApprovedPath, qv::kRunValueName, {3});
    reg.setreg();
    EXPECT_TRUE(reg.startupApproved());
    EXPECT_FALSE(store.readBytes(qv::kStartupApprovedPath, qv::kRunValueName));
}

TEST_F(RunEntry, PathsAreFolderBackslashStemExeLongOnesRoundTripValueNamesIgnoreCase)
{
    EXPECT_EQ(qv::runProgramPath(L"D:\\Tools\\Clock", L"alarm.exe"), L"D:\\Tools\\Clock\\alarm.exe");
    EXPECT_EQ(qv::runProgramPath(L"C:\\", L"alarm.exe"), L"C:\\alarm.exe");
    EXPECT_EQ(qv::runProgramPath(L"C:\\Program Files\\qorvane", L"QORVANE.EXE"),
              L"C:\\Program Files\\qorvane\\QORVANE.exe");
    EXPECT_EQ(qv::runProgramPath(L"C:\\时钟\\ĳ", L"qorvane.bin"), L"C:\\时钟\\ĳ\\qorvane.exe");

    store.writeValue(qv::kRunKeyPath, L"MYEXE", L"\"" + path + L"\"");
    EXPECT_TRUE(reg.hsetreg());
    reg.setreg();
    EXPECT_EQ(store.storedName(qv::kRunKeyPath, qv::kRunValueName), L"MYEXE");
    reg.delreg();
    EXPECT_FALSE(store.readValue(qv::kRunKeyPath, L"myexe"));

    const std::wstring longPath = qv::runProgramPath(L"C:\\" + std::wstring(300, L'd') + L"\\闹钟 ĳ", L"qorvane.exe");
    qv::Clsreg mine(store, longPath);
    mine.setreg();
    EXPECT_TRUE(mine.hsetreg());
    EXPECT_FALSE(qv::Clsreg(store, longPath.substr(0, longPath.size() - 5) + L"x.exe").hsetreg());
}
