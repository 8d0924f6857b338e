#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <utility>

#include "core/reminder_limits.h"
#include "store/kept_alarm.h"

using namespace qv;

namespace {

const std::wstring kKey = L"Software\\qorvane";

// The memory store, with a log of what was asked of it. After `changesLeft`
// writes and deletes it takes no more, as when refused or killed there.
struct LoggedStore final : IRegistryStore {
    using Key = const std::wstring&;
    MemoryRegistryStore& note(const wchar_t* what, Key n) { log += what + n + L"; "; return memory; }
    bool change() { return changesLeft < 0 || changesLeft-- > 0; }
    std::optional<std::wstring> readValue(Key k, Key n) override { return note(L"read ", n).readValue(k, n); }
    bool writeValue(Key k, Key n, Key d) override { return change() && note(L"write ", n).writeValue(k, n, d); }
    bool deleteValue(Key k, Key n) override { return change() && note(L"delete ", n).deleteValue(k, n); }
    std::optional<Bytes> readBytes(Key k, Key n) override { return note(L"bytes ", n).readBytes(k, n); }
    DwordValue readDword(Key k, Key n) override { return note(L"dword ", n).readDword(k, n); }
    bool writeDword(Key k, Key n, std::uint32_t d) override { return change() && note(L"write ", n).writeDword(k, n, d); }
    std::wstring takeLog() { return std::exchange(log, L""); }

    MemoryRegistryStore memory;
    std::wstring log;
    int changesLeft = -1;
};

std::array<int, 8> fields(const LocalTime& t)
{
    return {t.year, t.month, t.day, t.hour, t.minute, t.second, t.millisecond, t.weekday};
}

}  // namespace

TEST(KeptAlarm, SavedAsTwoTextsReadBackWhole)
{
    LoggedStore s;
    KeptAlarm kept(s);
    EXPECT_FALSE(kept.load());
    EXPECT_EQ(s.takeLog(), L"read AlarmSaving; read AlarmAt; read AlarmMsg; ");  // nothing kept: nothing deleted

    EXPECT_TRUE(kept.save({{2026, 12, 9, 7, 30, 0, 0, 0}, L"开会 at nine"}));
    EXPECT_EQ(s.takeLog(), L"write AlarmSaving; write AlarmAt; write AlarmMsg; write AlarmRepeat; delete AlarmSaving; ");
    EXPECT_EQ(s.memory.readValue(kKey, L"AlarmAt"), L"2026-12-09 07:30:00");
    EXPECT_EQ(s.memory.readValue(kKey, L"AlarmMsg"), L"开会 at nine");
    const auto v = kept.load();
    ASSERT_TRUE(v);
    EXPECT_EQ(fields(v->at), (std::array{2026, 12, 9, 7, 30, 0, 0, 3}));
    EXPECT_EQ(v->message, L"开会 at nine");

    // A leap day and a reminder at the box's limit are whole values.
    kept.save({{2028, 2, 29, 23, 59, 59}, std::wstring(kReminderLimit, L'x')});
    EXPECT_EQ(fields(kept.load().value_or(KeptAlarmValue{}).at), (std::array{2028, 2, 29, 23, 59, 59, 0, 2}));
    kept.erase();
    EXPECT_FALSE(s.memory.readValue(kKey, L"AlarmAt") || s.memory.readValue(kKey, L"AlarmMsg"));
}

TEST(KeptAlarm, AnyDamageIsIgnoredAndBothValuesGo)
{
    const std::wstring ok = L"2026-12-09 07:30:00";
    const std::optional<std::wstring> none;
    // One row per kind of damage.
    const std::pair<std::optional<std::wstring>, std::optional<std::wstring>> rows[] = {
        {none, L"x"}, {ok, none}, {ok, L""}, {ok, std::wstring(kReminderLimit + 1, L'x')},
        {L"1600-12-31 23:59:59", L"x"}, {L"2026-13-09 07:30:00", L"x"}, {L"2026-02-29 07:30:00", L"x"},
        {L"2026-12-09 24:00:00", L"x"}, {L"2026-12-09 07:60:00", L"x"}, {L"2026-12-09 07:30:60", L"x"},
        {L"", L"x"}, {L"2026-12-09 07:30:00 ", L"x"}, {L"2026-12-09T07:30:00", L"x"},
        {L"2026-12-09 07:3a:00", L"x"}, {L"２026-12-09 07:30:00", L"x"},
    };
    for (const auto& [at, msg] : rows) {
        LoggedStore s;
        if (at)
            s.memory.writeValue(kKey, L"AlarmAt", *at);
        if (msg)
            s.memory.writeValue(kKey, L"AlarmMsg", *msg);
        EXPECT_FALSE(KeptAlarm(s).load()) << at.value_or(L"-");
        EXPECT_EQ(s.log, L"read AlarmSaving; read AlarmAt; read AlarmMsg; dword AlarmRepeat; delete AlarmSaving; "
                         L"delete AlarmAt; delete AlarmMsg; delete AlarmRepeat; ")
            << at.value_or(L"-");
        EXPECT_FALSE(s.memory.readValue(kKey, L"AlarmAt") || s.memory.readValue(kKey, L"AlarmMsg"));
    }
    // A rule with a day past Saturday, or one of another type.
    for (const bool asText : {false, true}) {
        LoggedStore s;
        KeptAlarm(s).save({{2026, 12, 9, 7, 30, 0}, L"x", kMondayToFriday});
        s.memory.deleteValue(kKey, L"AlarmRepeat");
        asText ? s.memory.writeValue(kKey, L"AlarmRepeat", L"62") : s.memory.writeDword(kKey, L"AlarmRepeat", 128);
        EXPECT_FALSE(KeptAlarm(s).load()) << asText;
        EXPECT_EQ(s.memory.readValue(kKey, L"AlarmAt"), std::nullopt) << asText;
    }
}

// Refused or killed after any number of changes, a save leaves the old alarm
// or the new one whole: never one's moment with the other's reminder, and
// never a half that is then dropped as damage.
TEST(KeptAlarm, ASaveCutShortAnywhereLeavesOneWholeAlarm)
{
    const KeptAlarmValue before{{2026, 12, 9, 7, 30, 0}, L"old"}, after{{2026, 12, 10, 8, 0, 0}, L"new", kEveryDay};
    for (int changes = 0; changes <= 5; ++changes) {
        LoggedStore s;
        KeptAlarm(s).save(before);
        s.changesLeft = changes;
        const bool saved = KeptAlarm(s).save(after);
        s.changesLeft = -1;
        const auto v = KeptAlarm(s).load();
        ASSERT_TRUE(v) << changes;
        EXPECT_EQ(std::to_wstring(v->at.day) + v->message + std::to_wstring(v->repeat), saved ? L"10new127" : L"9old0")
            << changes;
        // Finished at the load: the two values whole, nothing left over.
        EXPECT_EQ(s.memory.readValue(kKey, L"AlarmMsg"), v->message) << changes;
        EXPECT_FALSE(s.memory.readValue(kKey, L"AlarmSaving")) << changes;
    }
}
