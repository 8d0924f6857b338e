#pragma once
// The current user's start-up entry:
// HKEY_CURRENT_USER\software\microsoft\windows\CurrentVersion\Run, "myexe".
// The alarm is kept beside it, under Software\qorvane (store/kept_alarm.h).

#include <string>

#include "core/registry_store.h"

namespace qv {

inline constexpr wchar_t kRunKeyPath[] = L"software\\microsoft\\windows\\CurrentVersion\\Run";
inline constexpr wchar_t kRunValueName[] = L"myexe";
// Windows 8 and later keep a switch for each start-up entry here (Task
// Manager's Startup tab writes it); Windows starts nothing it switched off.
inline constexpr wchar_t kStartupApprovedPath[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";

// The folder, a backslash unless it ends with one, the file name without
// its extension, ".exe".
std::wstring runProgramPath(const std::wstring& folder, const std::wstring& fileName);

class Clsreg {
public:
    Clsreg(IRegistryStore& store, std::wstring programPath);

    // True when the entry names this copy of the program: after an optional
    // opening quote it begins with the program path (letter case counts).
    bool hsetreg() const;
    void hsetreg(bool value) { flag_ = value; }

    // The entry is not switched off in Windows' own list (none there means on).
    bool startupApproved() const;
    // Windows will start this copy at logon: the entry is ours and switched on.
    bool startsAtLogon() const { return hsetreg() && startupApproved(); }
    // Writes the entry and turns Windows' switch for it back on. The path is
    // quoted: unquoted, a path with spaces ("C:\Program Files\...") could
    // start C:\Program.exe at logon. False when the registry refused.
    bool setreg();
    // Deletes the entry; a missing key path is not created. False when the
    // registry refused.
    bool delreg();

private:
    IRegistryStore& store_;
    std::wstring programPath_;
    bool flag_ = false;  // kept as set; nothing reads it
};

}  // namespace qv
