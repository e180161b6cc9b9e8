#include "fuzz.h"

#include <filesystem>
#include <stdlib.h>

namespace fuzz {

std::string TemporaryFolder() {
    static const std::string folder = [] {
        // make fuzz names one, and removes it: libFuzzer ends without running exit handlers.
        if (const char* given = std::getenv("LISOTRA_FUZZ_DIR"); given && given[0]) {
            std::filesystem::create_directories(given);
            return std::string(given);
        }
        std::string name = (std::filesystem::temp_directory_path() / "lisotra-fuzz-XXXXXX").string();
        if (!::mkdtemp(name.data())) std::abort();
        static const std::string removed = name;
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(removed, ignored);
        });
        return name;
    }();
    return folder;
}

}  // namespace fuzz
