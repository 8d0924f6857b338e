#include "store/run_once.h"

#include <utility>

namespace qv {

std::optional<std::wstring> runOnceCommand(const std::wstring& path, const std::wstring& shortPath)
{
    for (const std::wstring& p : {path, shortPath})
        if (!p.empty() && p.size() + 2 <= kRunOnceCommandLimit)
            return L"\"" + p + L"\"";
    return std::nullopt;
}

RunOnceEntry::RunOnceEntry(IRegistryStore& store, std::wstring programPath, std::wstring shortPath)
    : store_(store), programPath_(std::move(programPath)), shortPath_(std::move(shortPath))
{
}

bool RunOnceEntry::write()
{
    const std::optional<std::wstring> command = runOnceCommand(programPath_, shortPath_);
    return command && store_.writeValue(kRunOnceKeyPath, kRunOnceValueName, *command);
}

void RunOnceEntry::remove()
{
    store_.deleteValue(kRunOnceKeyPath, kRunOnceValueName);
}

}  // namespace qv
