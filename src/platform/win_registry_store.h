#pragma once
// The real registry: string values under HKEY_CURRENT_USER, W functions.

#include "core/registry_store.h"

namespace qv {

class WinRegistryStore final : public IRegistryStore {
public:
    std::optional<std::wstring> readValue(const std::wstring& keyPath, const std::wstring& name) override;
    bool writeValue(const std::wstring& keyPath, const std::wstring& name, const std::wstring& data) override;
    bool deleteValue(const std::wstring& keyPath, const std::wstring& name) override;
    std::optional<Bytes> readBytes(const std::wstring& keyPath, const std::wstring& name) override;
    DwordValue readDword(const std::wstring& keyPath, const std::wstring& name) override;
    bool writeDword(const std::wstring& keyPath, const std::wstring& name, std::uint32_t data) override;
};

}  // namespace qv
