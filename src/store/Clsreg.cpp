#include "store/Clsreg.h"

#include <utility>

namespace qv {

std::wstring runProgramPath(const std::wstring& folder, const std::wstring& fileName)
{
    std::wstring stem = fileName;
    const auto dot = stem.find_last_of(L'.');
    if (dot != std::wstring::npos)
        stem.resize(dot);
    std::wstring path = folder;
    if (path.empty() || path.back() != L'\\')
        path += L'\\';
    return path + stem + L".exe";
}

Clsreg::Clsreg(IRegistryStore& store, std::wstring programPath)
    : store_(store), programPath_(std::move(programPath))
{
}

bool Clsreg::hsetreg() const
{
    const std::optional<std::wstring> data = store_.readValue(kRunKeyPath, kRunValueName);
    if (!data)
        return false;
    const std::size_t start = !data->empty() && data->front() == L'"' ? 1 : 0;
    return data->compare(start, programPath_.size(), programPath_) == 0;
}

bool Clsreg::startupApproved() const
{
    // The first byte is even (2, 6) when on, odd (3, 7) when switched off.
    const std::optional<Bytes> state = store_.readBytes(kStartupApprovedPath, kRunValueName);
    return !state || state->empty() || ((*state)[0] & 1) == 0;
}

bool Clsreg::setreg()
{
    // Without its value the entry counts as on, as for an entry never switched.
    return store_.writeValue(kRunKeyPath, kRunValueName, L"\"" + programPath_ + L"\"") &&
           store_.deleteValue(kStartupApprovedPath, kRunValueName);
}

bool Clsreg::delreg()
{
    return store_.deleteValue(kRunKeyPath, kRunValueName);
}

}  // namespace qv
