#include "core/registry_store.h"

#include <cwctype>

namespace qv {
namespace {

std::wstring fold(const std::wstring& s)
{
    std::wstring out = s;
    for (wchar_t& c : out)
        c = static_cast<wchar_t>(std::towlower(static_cast<std::wint_t>(c)));
    return out;
}

}  // namespace

const MemoryRegistryStore::Value* MemoryRegistryStore::find(const std::wstring& keyPath,
                                                            const std::wstring& name) const
{
    const auto key = values_.find(fold(keyPath));
    if (key == values_.end())
        return nullptr;
    const auto value = key->second.find(fold(name));
    return value == key->second.end() ? nullptr : &value->second;
}

std::optional<std::wstring> MemoryRegistryStore::readValue(const std::wstring& keyPath, const std::wstring& name)
{
    keys_.insert(fold(keyPath));
    const Value* v = find(keyPath, name);
    return v ? std::optional<std::wstring>(v->data) : std::nullopt;
}

bool MemoryRegistryStore::writeValue(const std::wstring& keyPath, const std::wstring& name, const std::wstring& data)
{
    keys_.insert(fold(keyPath));
    auto& values = values_[fold(keyPath)];
    const auto it = values.find(fold(name));
    if (it == values.end())
        values[fold(name)] = Value{name, data};
    else
        it->second.data = data;  // like the registry, an existing name keeps its spelling
    return true;
}

bool MemoryRegistryStore::deleteValue(const std::wstring& keyPath, const std::wstring& name)
{
    if (!hasKey(keyPath))
        return true;
    const auto key = values_.find(fold(keyPath));
    if (key != values_.end())
        key->second.erase(fold(name));
    const auto binary = bytes_.find(fold(keyPath));
    if (binary != bytes_.end())
        binary->second.erase(fold(name));
    const auto dword = dwords_.find(fold(keyPath));
    if (dword != dwords_.end())
        dword->second.erase(fold(name));
    return true;
}

DwordValue MemoryRegistryStore::readDword(const std::wstring& keyPath, const std::wstring& name)
{
    const auto key = dwords_.find(fold(keyPath));
    if (key != dwords_.end())
        if (const auto value = key->second.find(fold(name)); value != key->second.end())
            return {DwordValue::State::There, value->second};
    const bool other = find(keyPath, name) || readBytes(keyPath, name);
    return {other ? DwordValue::State::OtherType : DwordValue::State::Missing, 0};
}

bool MemoryRegistryStore::writeDword(const std::wstring& keyPath, const std::wstring& name, std::uint32_t data)
{
    keys_.insert(fold(keyPath));
    dwords_[fold(keyPath)][fold(name)] = data;
    return true;
}

std::optional<Bytes> MemoryRegistryStore::readBytes(const std::wstring& keyPath, const std::wstring& name)
{
    const auto key = bytes_.find(fold(keyPath));
    if (key == bytes_.end())
        return std::nullopt;
    const auto value = key->second.find(fold(name));
    return value == key->second.end() ? std::nullopt : std::optional<Bytes>(value->second);
}

void MemoryRegistryStore::writeBytes(const std::wstring& keyPath, const std::wstring& name, const Bytes& data)
{
    keys_.insert(fold(keyPath));
    bytes_[fold(keyPath)][fold(name)] = data;
}

bool MemoryRegistryStore::hasKey(const std::wstring& keyPath) const
{
    return keys_.count(fold(keyPath)) != 0;
}

std::optional<std::wstring> MemoryRegistryStore::storedName(const std::wstring& keyPath, const std::wstring& name) const
{
    const Value* v = find(keyPath, name);
    return v ? std::optional<std::wstring>(v->name) : std::nullopt;
}

}  // namespace qv
