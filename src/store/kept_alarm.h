#pragma once
// The alarm kept so that it outlives the program, under
// HKEY_CURRENT_USER\Software\qorvane: the moment it rings (or rang, for a
// ring not yet answered) as local "YYYY-MM-DD hh:mm:ss", the reminder, and
// AlarmRepeat, a REG_DWORD weekday mask (missing or 0: once). A save writes
// all three at once into a fourth value first and deletes that only when
// they are written, so a kill or a refused write between them never pairs
// one alarm's moment with another's reminder or rule.

#include <optional>
#include <string>

#include "core/localtime.h"
#include "core/registry_store.h"
#include "core/repeat_rule.h"

namespace qv {

inline constexpr wchar_t kKeptAlarmKeyPath[] = L"Software\\qorvane";
inline constexpr wchar_t kAlarmAtName[] = L"AlarmAt";
inline constexpr wchar_t kAlarmMsgName[] = L"AlarmMsg";
inline constexpr wchar_t kAlarmRepeatName[] = L"AlarmRepeat";
// The moment's text, the mask in three digits, the reminder, one after
// another; there only while a save is under way or was cut short.
inline constexpr wchar_t kAlarmSavingName[] = L"AlarmSaving";

struct KeptAlarmValue {
    LocalTime at;  // to the second
    std::wstring message;
    unsigned repeat = kOnce;  // a weekday mask
};

class KeptAlarm {
public:
    explicit KeptAlarm(IRegistryStore& store) : store_(store) {}

    // False when the registry refused it: the alarm is not kept.
    bool save(const KeptAlarmValue& value);
    // Nullopt when nothing is kept. A save cut short is finished; a damaged
    // or half-erased value is deleted, so it is not judged again at every start.
    std::optional<KeptAlarmValue> load();
    // False when something may be left to come back at the next start.
    bool erase();

private:
    IRegistryStore& store_;
};

}  // namespace qv
