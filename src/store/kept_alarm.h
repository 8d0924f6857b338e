#pragma once
// The armed alarm, kept so that it outlives the program: two string values
// under HKEY_CURRENT_USER\Software\qorvane, the moment it rings as local
// "YYYY-MM-DD hh:mm:ss" and the reminder.

#include <optional>
#include <string>

#include "core/localtime.h"
#include "core/registry_store.h"

namespace qv {

inline constexpr wchar_t kKeptAlarmKeyPath[] = L"Software\\qorvane";
inline constexpr wchar_t kAlarmAtName[] = L"AlarmAt";
inline constexpr wchar_t kAlarmMsgName[] = L"AlarmMsg";

struct KeptAlarmValue {
    LocalTime at;  // to the second
    std::wstring message;
};

class KeptAlarm {
public:
    explicit KeptAlarm(IRegistryStore& store) : store_(store) {}

    void save(const KeptAlarmValue& value);
    // Nullopt when nothing is kept. A damaged or half-written value is
    // deleted, so it is not judged again at every start.
    std::optional<KeptAlarmValue> load();
    void erase();

private:
    IRegistryStore& store_;
};

}  // namespace qv
