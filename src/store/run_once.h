#pragma once
// A one-time start at the next logon, written as the session ends while an
// alarm is kept, so that the alarm is delivered even if the program is not
// among the start-up entries. The system deletes it as it runs it.

#include <optional>
#include <string>

#include "core/registry_store.h"

namespace qv {

inline constexpr wchar_t kRunOnceKeyPath[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
inline constexpr wchar_t kRunOnceValueName[] = L"qorvane";

// Windows runs a one-time command only if it fits 260 characters, its
// terminating NUL counted as in MAX_PATH. The path quoted, so that one with
// spaces cannot start another program; if that is too long, its short form
// (empty where the volume keeps none); else none at all.
inline constexpr std::size_t kRunOnceCommandLimit = 259;
std::optional<std::wstring> runOnceCommand(const std::wstring& path, const std::wstring& shortPath);

class RunOnceEntry {
public:
    RunOnceEntry(IRegistryStore& store, std::wstring programPath, std::wstring shortPath = {});

    // False when no command fits or the registry refused it.
    bool write();
    // A missing key path is not created.
    void remove();

private:
    IRegistryStore& store_;
    std::wstring programPath_;
    std::wstring shortPath_;
};

}  // namespace qv
