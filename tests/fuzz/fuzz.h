// What the fuzz targets share: a check that ends the run loudly (libFuzzer keeps the input that
// did it; the corpus runner fails), and the input cut into texts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#define FUZZ_CHECK(condition)                                                                  \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (0)

namespace fuzz {

// The input as `count` texts separated by NUL bytes; the last one takes the rest, NULs included.
// Missing texts are empty.
inline std::vector<std::string> Fields(const std::uint8_t* data, std::size_t size, std::size_t count) {
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> fields;
    while (fields.size() + 1 < count) {
        const std::size_t nul = rest.find('\0');
        fields.emplace_back(rest.substr(0, nul));
        rest = nul == std::string_view::npos ? std::string_view() : rest.substr(nul + 1);
    }
    fields.emplace_back(rest);
    return fields;
}

// A private folder for the run, removed at exit.
std::string TemporaryFolder();

}  // namespace fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
