#include "platform/win_registry_store.h"

#include <windows.h>

#include "platform/unique_handle.h"

namespace qv {
namespace {

UniqueHkey createKey(const std::wstring& keyPath, REGSAM access)
{
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, 0, access, nullptr, &key,
                          nullptr) != ERROR_SUCCESS)
        return {};
    return UniqueHkey(key);
}

}  // namespace

std::optional<std::wstring> WinRegistryStore::readValue(const std::wstring& keyPath, const std::wstring& name)
{
    const UniqueHkey key = createKey(keyPath, KEY_QUERY_VALUE);
    if (!key)
        return std::nullopt;
    // Asked for its size first: a path may be longer than any fixed buffer.
    DWORD type = 0, bytes = 0;
    if (::RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return std::nullopt;
    std::wstring data(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(data.size() * sizeof(wchar_t));
    if (::RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                           &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    data.resize(bytes / sizeof(wchar_t));
    while (!data.empty() && data.back() == L'\0')
        data.pop_back();
    return data;
}

bool WinRegistryStore::writeValue(const std::wstring& keyPath, const std::wstring& name, const std::wstring& data)
{
    const UniqueHkey key = createKey(keyPath, KEY_SET_VALUE);
    return key && ::RegSetValueExW(key.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                                   static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

std::optional<Bytes> WinRegistryStore::readBytes(const std::wstring& keyPath, const std::wstring& name)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return std::nullopt;
    const UniqueHkey owned(key);
    DWORD type = 0, size = 0;
    if (::RegQueryValueExW(owned.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_BINARY)
        return std::nullopt;
    Bytes data(size);
    if (::RegQueryValueExW(owned.get(), name.c_str(), nullptr, &type, data.data(), &size) != ERROR_SUCCESS)
        return std::nullopt;
    data.resize(size);
    return data;
}

DwordValue WinRegistryStore::readDword(const std::wstring& keyPath, const std::wstring& name)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return {};
    const UniqueHkey owned(key);
    DWORD type = 0, data = 0, size = sizeof data;
    const LONG read = ::RegQueryValueExW(owned.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&data), &size);
    if (read == ERROR_FILE_NOT_FOUND)
        return {};
    if (read != ERROR_SUCCESS || type != REG_DWORD || size != sizeof data)
        return {DwordValue::State::OtherType, 0};  // ERROR_MORE_DATA too: something longer
    return {DwordValue::State::There, data};
}

bool WinRegistryStore::writeDword(const std::wstring& keyPath, const std::wstring& name, std::uint32_t data)
{
    const UniqueHkey key = createKey(keyPath, KEY_SET_VALUE);
    const DWORD value = data;
    return key && ::RegSetValueExW(key.get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                                   sizeof value) == ERROR_SUCCESS;
}

bool WinRegistryStore::deleteValue(const std::wstring& keyPath, const std::wstring& name)
{
    HKEY key = nullptr;
    const LONG opened = ::RegOpenKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_SET_VALUE, &key);
    if (opened == ERROR_FILE_NOT_FOUND)
        return true;  // no key, so no value
    if (opened != ERROR_SUCCESS)
        return false;
    const UniqueHkey owned(key);
    const LONG deleted = ::RegDeleteValueW(owned.get(), name.c_str());
    return deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND;
}

}  // namespace qv
