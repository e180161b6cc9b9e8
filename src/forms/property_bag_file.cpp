// Form descriptions on disk. Kept apart from the rest of the property bag: the program reads its
// saved instances compiled in, so only tools and tests link file streams.
#include <filesystem>
#include <fstream>
#include <sstream>

#include "forms/property_bag.h"

namespace forms {

namespace {
std::filesystem::path PathOf(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}
}  // namespace

FormDescription FormDescription::Load(const std::string& path) {
    std::ifstream file(PathOf(path), std::ios::binary);
    if (!file) return {};
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return Parse(bytes.str());
}

bool FormDescription::Save(const std::string& path) const {
    // Written beside it and renamed over it, so that a failed write leaves the old file whole.
    const std::filesystem::path target = PathOf(path);
    std::filesystem::path temporary = target;
    temporary += ".new";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        const std::string text = Text();
        if (!file.write(text.data(), static_cast<std::streamsize>(text.size())) || !file.flush()) return false;
    }
    std::error_code error;
    std::filesystem::rename(temporary, target, error);
    if (!error) return true;
    std::filesystem::remove(temporary, error);
    return false;
}

}  // namespace forms
