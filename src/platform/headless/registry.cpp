// The registry on the in-memory desktop: every key lives in memory, and a test plants values,
// reads them back and makes the registry refuse writes.
#include <algorithm>

#include "platform/emulated/registry.h"
#include "platform/headless/headless.h"

namespace headless {
namespace {

// The in-memory key of a path as the registry folds it.
std::pair<os::HKEY, std::string> MemoryKeyOf(os::HKEY root, const std::string& path) {
    return {root, os::emu::FoldKeyPath(path.c_str()).value_or(path)};
}

}  // namespace

void PlantRegistryValue(os::HKEY root, const std::string& path, const std::string& name, os::DWORD type,
                        const std::vector<unsigned char>& data) {
    const auto key = MemoryKeyOf(root, path);
    // The parents exist, as they would on a real registry.
    for (size_t end = 0; end != std::string::npos;) {
        end = key.second.find('\\', end + 1);
        os::emu::Memory().keys[{root, key.second.substr(0, end)}];
    }
    os::emu::Memory().keys[key].values[os::emu::FoldName(name)] = {name, {type, data, false}};
}

void PlantRegistryText(os::HKEY root, const std::string& path, const std::string& name, const std::string& text,
                       os::DWORD type) {
    std::vector<unsigned char> data(text.begin(), text.end());
    data.push_back(0);
    PlantRegistryValue(root, path, name, type, data);
}

std::optional<os::emu::RegistryValue> RegistryValue(os::HKEY root, const std::string& path, const std::string& name) {
    auto key = os::emu::Memory().keys.find(MemoryKeyOf(root, path));
    if (key == os::emu::Memory().keys.end()) return std::nullopt;
    auto value = key->second.values.find(os::emu::FoldName(name));
    if (value == key->second.values.end()) return std::nullopt;
    return value->second.second;
}

bool RegistryKeyExists(os::HKEY root, const std::string& path) {
    return os::emu::Memory().keys.count(MemoryKeyOf(root, path)) > 0;
}

void RemoveRegistryKey(os::HKEY root, const std::string& path) {
    const auto key = MemoryKeyOf(root, path);
    std::erase_if(os::emu::Memory().keys, [&](const auto& entry) {
        return entry.first.first == root &&
               (entry.first.second == key.second || entry.first.second.starts_with(key.second + '\\'));
    });
}

int RegistryWrites() { return os::emu::Memory().valueWrites; }
int RegistryDeletes() { return os::emu::Memory().valueDeletes; }
void SetRegistryReadOnly(bool readOnly) { os::emu::Memory().readOnly = readOnly; }

}  // namespace headless

// Every key lives in memory here.
os::emu::ValueStore* os::emu::StoreOfKey(HKEY, const std::string&) { return nullptr; }
