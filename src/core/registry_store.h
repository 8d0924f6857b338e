#pragma once
// The registry as the program needs it: string values under keys of the
// current user's hive (the start-up entries and the kept alarm). Each call
// opens the key, does its one thing and closes it. Key paths and value names
// compare without regard to letter case.

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace qv {

using Bytes = std::vector<unsigned char>;

// A REG_DWORD value as read: missing, there, or there with another type.
struct DwordValue {
    enum class State { Missing, There, OtherType } state = State::Missing;
    std::uint32_t value = 0;
    bool operator==(const DwordValue&) const = default;
};

struct IRegistryStore {
    virtual ~IRegistryStore() = default;
    // Opens the key with create semantics (a missing key path is created),
    // reads a string value; nullopt when there is none.
    virtual std::optional<std::wstring> readValue(const std::wstring& keyPath, const std::wstring& name) = 0;
    // Opens the key with create semantics and writes a string value; false
    // when the registry refused (a policy, a full hive).
    virtual bool writeValue(const std::wstring& keyPath, const std::wstring& name, const std::wstring& data) = 0;
    // Opens an existing key only (never creates it) and deletes the value;
    // true when the value is gone, or was never there.
    virtual bool deleteValue(const std::wstring& keyPath, const std::wstring& name) = 0;
    // Opens an existing key only and reads a binary value; nullopt when there is none.
    virtual std::optional<Bytes> readBytes(const std::wstring& keyPath, const std::wstring& name) = 0;
    // Opens an existing key only and reads a REG_DWORD value.
    virtual DwordValue readDword(const std::wstring& keyPath, const std::wstring& name) = 0;
    // Opens the key with create semantics and writes a REG_DWORD value.
    virtual bool writeDword(const std::wstring& keyPath, const std::wstring& name, std::uint32_t data) = 0;
};

// In memory, for tests and for running the logic off Windows.
class MemoryRegistryStore final : public IRegistryStore {
public:
    std::optional<std::wstring> readValue(const std::wstring& keyPath, const std::wstring& name) override;
    bool writeValue(const std::wstring& keyPath, const std::wstring& name, const std::wstring& data) override;
    bool deleteValue(const std::wstring& keyPath, const std::wstring& name) override;
    std::optional<Bytes> readBytes(const std::wstring& keyPath, const std::wstring& name) override;
    DwordValue readDword(const std::wstring& keyPath, const std::wstring& name) override;
    bool writeDword(const std::wstring& keyPath, const std::wstring& name, std::uint32_t data) override;
    // As another program writes a binary value (tests).
    void writeBytes(const std::wstring& keyPath, const std::wstring& name, const Bytes& data);

    bool hasKey(const std::wstring& keyPath) const;
    // The name as it was first written (case kept), for checking spellings.
    std::optional<std::wstring> storedName(const std::wstring& keyPath, const std::wstring& name) const;

private:
    struct Value {
        std::wstring name;
        std::wstring data;
    };
    const Value* find(const std::wstring& keyPath, const std::wstring& name) const;
    std::set<std::wstring> keys_;                                // folded paths
    std::map<std::wstring, std::map<std::wstring, Value>> values_;  // folded path -> folded name
    std::map<std::wstring, std::map<std::wstring, Bytes>> bytes_;
    std::map<std::wstring, std::map<std::wstring, std::uint32_t>> dwords_;
};

}  // namespace qv
