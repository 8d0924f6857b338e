#include "store/run_once.h"

#include <utility>

namespace qv {

RunOnceEntry::RunOnceEntry(IRegistryStore& store, std::wstring programPath)
    : store_(store), programPath_(std::move(programPath))
{
}

bool RunOnceEntry::write()
{
    return store_.writeValue(kRunOnceKeyPath, kRunOnceValueName, L"\"" + programPath_ + L"\"");
}

void RunOnceEntry::remove()
{
    store_.deleteValue(kRunOnceKeyPath, kRunOnceValueName);
}

}  // namespace qv
