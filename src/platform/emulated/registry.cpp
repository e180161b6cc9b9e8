// The registry calls over in-memory keys and the realisation's value stores.
#include "platform/emulated/registry.h"

#include <algorithm>
#include <cstring>

#include "platform/text.h"

namespace os::emu {

namespace {

constexpr LSTATUS kKeyDeleted = 1018;  // ERROR_KEY_DELETED: the key went while a handle was open

struct OpenKey {
    HKEY root;
    std::string path;
};

struct Handles {
    std::map<HKEY, OpenKey> open;
    std::uintptr_t next = 0x1000;
};

Handles& Table() {
    static auto* handles = new Handles;  // never destroyed: see window_table.cpp
    return *handles;
}

bool IsRoot(HKEY key) { return key == HKEY_CURRENT_USER || key == HKEY_LOCAL_MACHINE; }

// The key a handle stands for: a predefined root or an open key.
std::optional<OpenKey> Resolve(HKEY key) {
    if (IsRoot(key)) return OpenKey{key, std::string()};
    auto it = Table().open.find(key);
    if (it == Table().open.end()) return std::nullopt;
    return it->second;
}

std::string Join(const std::string& parent, const std::string& child) {
    if (parent.empty()) return child;
    if (child.empty()) return parent;
    return parent + '\\' + child;
}

bool Exists(const OpenKey& key) {
    return key.path.empty() || StoreOfKey(key.root, key.path) || Memory().keys.count({key.root, key.path});
}

HKEY NewHandle(const OpenKey& key) {
    Table().next += 4;  // never reused, so a closed handle finds nothing
    const auto handle = reinterpret_cast<HKEY>(Table().next);
    Table().open[handle] = key;
    return handle;
}

LSTATUS Open(HKEY root, const char* subKey, HKEY* result, bool create) {
    if (!result) return ERROR_INVALID_PARAMETER;
    const auto parent = Resolve(root);
    if (!parent) return ERROR_INVALID_HANDLE;
    const auto sub = FoldKeyPath(subKey);
    if (!sub) return ERROR_BAD_PATHNAME;
    const OpenKey key{parent->root, Join(parent->path, *sub)};
    if (!Exists(*parent)) return kKeyDeleted;
    if (!Exists(key)) {
        if (!create) return ERROR_FILE_NOT_FOUND;
        if (Memory().readOnly) return ERROR_ACCESS_DENIED;
        // The missing parents come into being with it.
        std::string path;
        size_t from = 0;
        while (true) {
            const size_t end = key.path.find('\\', from);
            path = key.path.substr(0, end);
            Memory().keys[{key.root, path}];
            if (end == std::string::npos) break;
            from = end + 1;
        }
    }
    *result = NewHandle(key);
    return ERROR_SUCCESS;
}

bool IsString(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == 7 /* REG_MULTI_SZ */; }

// The value's data as an ANSI call sees them.
std::vector<unsigned char> AnsiData(const RegistryValue& value) {
    if (!value.wide || !IsString(value.type)) return value.data;
    std::u16string units(value.data.size() / 2, u'\0');
    std::memcpy(units.data(), value.data.data(), units.size() * 2);
    const std::string ansi = ToAnsi(FromUtf16(units));
    return {ansi.begin(), ansi.end()};
}

std::optional<RegistryValue> ReadValue(const OpenKey& key, const std::string& name) {
    if (ValueStore* store = StoreOfKey(key.root, key.path)) return store->Read(name);
    auto k = Memory().keys.find({key.root, key.path});
    if (k == Memory().keys.end()) return std::nullopt;
    auto v = k->second.values.find(FoldName(name));
    if (v == k->second.values.end()) return std::nullopt;
    return v->second.second;
}

LSTATUS SetValue(HKEY handle, const std::string& name, DWORD type, const unsigned char* data, DWORD size, bool wide) {
    ++Memory().valueWrites;
    const auto key = Resolve(handle);
    if (!key) return ERROR_INVALID_HANDLE;
    if (!data && size > 0) return ERROR_INVALID_PARAMETER;
    if (Memory().readOnly) return ERROR_ACCESS_DENIED;
    if (!Exists(*key)) return kKeyDeleted;
    RegistryValue value{type, std::vector<unsigned char>(data, data + size), wide && IsString(type)};
    if (ValueStore* store = StoreOfKey(key->root, key->path)) return store->Write(name, value);
    auto& values = Memory().keys[{key->root, key->path}].values;
    auto it = values.find(FoldName(name));
    if (it == values.end()) {
        values[FoldName(name)] = {name, std::move(value)};
    } else {
        it->second.second = std::move(value);  // the name keeps its first spelling, as on Windows
    }
    return ERROR_SUCCESS;
}

std::string AnsiName(const char* name) { return name ? FromAnsi(name) : std::string(); }

}  // namespace

MemoryRegistry& Memory() {
    static auto* registry = new MemoryRegistry;  // never destroyed: see window_table.cpp
    return *registry;
}

void ResetRegistry() {
    Memory() = MemoryRegistry{};
    Table().open.clear();
}

std::optional<std::string> FoldKeyPath(const char* subKey) {
    std::string path = subKey ? subKey : "";
    while (!path.empty() && path.back() == '\\') path.pop_back();
    if (path.empty()) return path;
    if (path.front() == '\\' || path.find("\\\\") != std::string::npos) return std::nullopt;
    return FoldName(path);
}

std::string FoldName(const std::string& name) {
    std::string folded = name;
    std::transform(folded.begin(), folded.end(), folded.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return folded;
}

}  // namespace os::emu

namespace os {

LSTATUS RegOpenKeyA(HKEY root, const char* subKey, HKEY* result) { return emu::Open(root, subKey, result, false); }

LSTATUS RegOpenKeyExA(HKEY root, const char* subKey, DWORD, REGSAM access, HKEY* result) {
    // Set, create-sub-key and create-link rights are refused where the user may not write.
    constexpr REGSAM kWriteRights = KEY_SET_VALUE | 0x0004 | 0x0020;
    if (emu::Memory().readOnly && (access & kWriteRights) != 0) return ERROR_ACCESS_DENIED;
    return emu::Open(root, subKey, result, false);
}

LSTATUS RegCreateKeyA(HKEY root, const char* subKey, HKEY* result) { return emu::Open(root, subKey, result, true); }

LSTATUS RegQueryValueExA(HKEY key, const char* valueName, DWORD* reserved, DWORD* type, unsigned char* data,
                         DWORD* size) {
    const auto open = emu::Resolve(key);
    if (!open) return ERROR_INVALID_HANDLE;
    if (reserved || (data && !size)) return ERROR_INVALID_PARAMETER;
    if (!emu::Exists(*open)) return emu::kKeyDeleted;
    const auto value = emu::ReadValue(*open, emu::AnsiName(valueName));
    if (!value) return ERROR_FILE_NOT_FOUND;
    const std::vector<unsigned char> bytes = emu::AnsiData(*value);
    const auto needed = static_cast<DWORD>(bytes.size());
    if (type) *type = value->type;
    if (!size) return ERROR_SUCCESS;
    if (!data) {
        *size = needed;
        return ERROR_SUCCESS;
    }
    if (*size < needed) {
        *size = needed;
        return ERROR_MORE_DATA;
    }
    std::copy(bytes.begin(), bytes.end(), data);
    *size = needed;
    return ERROR_SUCCESS;
}

LSTATUS RegSetValueExA(HKEY key, const char* valueName, DWORD, DWORD type, const unsigned char* data, DWORD size) {
    return emu::SetValue(key, emu::AnsiName(valueName), type, data, size, false);
}

LSTATUS RegSetValueExW(HKEY key, const WCHAR* valueName, DWORD, DWORD type, const unsigned char* data, DWORD size) {
    return emu::SetValue(key, valueName ? FromUtf16(valueName) : std::string(), type, data, size, true);
}

LSTATUS RegDeleteValueA(HKEY key, const char* valueName) {
    ++emu::Memory().valueDeletes;
    const auto open = emu::Resolve(key);
    if (!open) return ERROR_INVALID_HANDLE;
    if (!emu::Exists(*open)) return emu::kKeyDeleted;
    if (emu::Memory().readOnly) return ERROR_ACCESS_DENIED;
    const std::string name = emu::AnsiName(valueName);
    if (emu::ValueStore* store = emu::StoreOfKey(open->root, open->path)) return store->Remove(name);
    auto& values = emu::Memory().keys[{open->root, open->path}].values;
    return values.erase(emu::FoldName(name)) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
}

LSTATUS RegCloseKey(HKEY key) {
    if (emu::IsRoot(key)) return ERROR_SUCCESS;
    return emu::Table().open.erase(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

}  // namespace os
