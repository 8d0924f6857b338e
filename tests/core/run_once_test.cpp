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
