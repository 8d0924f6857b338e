#include "core/Modmain.h"

namespace Modmain {

std::wstring joinPath(const std::wstring& folder, const std::wstring& relative)
{
    std::wstring rel = relative;
    while (!rel.empty() && (rel.front() == L'\\' || rel.front() == L'/'))
        rel.erase(rel.begin());
    if (folder.empty())
        return rel;
    std::wstring out = folder;
    if (out.back() != L'\\' && out.back() != L'/')
        out += L'\\';
    return out + rel;
}

}  // namespace Modmain
