#pragma once
// A one-time start at the next logon, written as the session ends while an
// alarm is kept, so that the alarm is delivered even if the program is not
// among the start-up entries. The system deletes it as it runs it.

#include <string>

#include "core/registry_store.h"

namespace qv {

inline constexpr wchar_t kRunOnceKeyPath[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
inline constexpr wchar_t kRunOnceValueName[] = L"qorvane";

class RunOnceEntry {
public:
    RunOnceEntry(IRegistryStore& store, std::wstring programPath);

    // Quoted, so that a path with spaces cannot start another program.
    // False when the registry refused it.
    bool write();
    // A missing key path is not created.
    void remove();

private:
    IRegistryStore& store_;
    std::wstring programPath_;
};

}  // namespace qv
