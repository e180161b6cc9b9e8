// The registry of the realisations that have none (qt, headless): keys in memory, and a way for a
// realisation to keep one key's values elsewhere (qt keeps the per-user Run key in XDG
// autostart). Names are matched without regard to ASCII letter case, as Windows matches them.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace os::emu {

struct RegistryValue {
    DWORD type = REG_NONE;
    std::vector<unsigned char> data;
    // String data written by a wide call are kept in UTF-16; an ANSI query converts them.
    bool wide = false;
    bool operator==(const RegistryValue&) const = default;
};

// The values of one key, kept by the realisation. Names are UTF-8.
class ValueStore {
public:
    virtual ~ValueStore() = default;
    virtual std::optional<RegistryValue> Read(const std::string& name) = 0;
    virtual LSTATUS Write(const std::string& name, const RegistryValue& value) = 0;
    virtual LSTATUS Remove(const std::string& name) = 0;
};

// Defined by the realisation: the store that keeps the values of `path` (lower case, components
// joined by one backslash) under `root`, or null when that key lives in memory. A key with a store
// always exists.
ValueStore* StoreOfKey(HKEY root, const std::string& path);

// The in-memory keys, by root and lower-case path; each value under its lower-case name, with the
// name as first written.
struct MemoryKey {
    std::map<std::string, std::pair<std::string, RegistryValue>> values;
};
struct MemoryRegistry {
    std::map<std::pair<HKEY, std::string>, MemoryKey> keys;
    int valueWrites = 0;   // RegSetValueEx calls, whatever they did
    int valueDeletes = 0;  // RegDeleteValueA calls, whatever they did
    bool readOnly = false; // key creation, value writes and opening for writing fail with ERROR_ACCESS_DENIED
};
MemoryRegistry& Memory();
// Forgets every key, handle and count.
void ResetRegistry();

// A key path as the registry compares it: lower case, no trailing backslash; nothing for a path
// with a leading backslash or an empty component.
std::optional<std::string> FoldKeyPath(const char* subKey);
std::string FoldName(const std::string& name);

}  // namespace os::emu
