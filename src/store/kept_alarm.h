#pragma once
// The alarm kept so that it outlives the program: two string values under
// HKEY_CURRENT_USER\Software\qorvane, the moment it rings (or rang, for a
// ring not yet answered) as local "YYYY-MM-DD hh:mm:ss" and the reminder.
// A save writes both at once into a third value first and deletes that only
// when the two are written, so a kill or a refused write between the two
// never pairs one alarm's moment with another's reminder.

#include <optional>
#include <string>

#include "core/localtime.h"
#include "core/registry_store.h"

namespace qv {

inline constexpr wchar_t kKeptAlarmKeyPath[] = L"Software\\qorvane";
inline constexpr wchar_t kAlarmAtName[] = L"AlarmAt";
inline constexpr wchar_t kAlarmMsgName[] = L"AlarmMsg";
// The moment's text followed directly by the reminder; there only while a
// save is under way or was cut short.
inline constexpr wchar_t kAlarmSavingName[] = L"AlarmSaving";

struct KeptAlarmValue {
    LocalTime at;  // to the second
    std::wstring message;
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
