#include <gtest/gtest.h>

#include <string>

#include "store/run_once.h"

using namespace qv;

TEST(RunOnceEntry, WritesTheQuotedPathAndRemovesItWithoutMakingTheKey)
{
    const std::wstring key = L"Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
    const std::wstring path = L"C:\\Program Files\\q\\qorvane.exe";
    MemoryRegistryStore store;
    RunOnceEntry entry(store, path);
    entry.remove();
    EXPECT_FALSE(store.hasKey(key));
    entry.write();
    EXPECT_EQ(store.readValue(key, L"qorvane"), L"\"" + path + L"\"");
    entry.remove();
    EXPECT_FALSE(store.readValue(key, L"qorvane"));
}

// Past the limit, the short form; where there is none, no entry at all.
TEST(RunOnceEntry, ACommandTooLongForWindowsUsesTheShortPathOrIsNotWritten)
{
    const std::wstring fits(257, L'x'), longer(258, L'x');
    EXPECT_EQ(runOnceCommand(fits, L"C:\\Q~1.EXE"), L"\"" + fits + L"\"");
    EXPECT_EQ(runOnceCommand(longer, L"C:\\Q~1.EXE"), L"\"C:\\Q~1.EXE\"");
    EXPECT_EQ(runOnceCommand(longer, L""), std::nullopt);
    MemoryRegistryStore store;
    EXPECT_FALSE(RunOnceEntry(store, longer).write());
    EXPECT_FALSE(store.readValue(kRunOnceKeyPath, kRunOnceValueName));
}
