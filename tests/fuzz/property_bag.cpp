// Form descriptions as files: any text reads without harm, what is read writes out as a text that
// reads back the same, a file saved loads back as it was, and every saved value reads in each kind
// (or gives the default).
#include <fstream>

#include "forms/property_bag.h"
#include "fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const forms::FormDescription description = forms::FormDescription::Parse(input);
    const std::string text = description.Text();
    FUZZ_CHECK(forms::FormDescription::Parse(text).Text() == text);

    // The same bytes from a file, and the description saved and loaded again.
    const std::string path = fuzz::TemporaryFolder() + "/form.props";
    {
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file.write(input.data(), static_cast<std::streamsize>(input.size()));
    }
    FUZZ_CHECK(forms::FormDescription::Load(path).Text() == text);
    FUZZ_CHECK(description.Save(path));
    FUZZ_CHECK(forms::FormDescription::Load(path).Text() == text);

    // Every entry read as each kind; what reads as a font or a text writes out as itself.
    const os::Font fallback{};
    const forms::FormDescription reread = forms::FormDescription::Parse(text);
    std::size_t lineStart = 0;
    while (lineStart < text.size()) {
        const std::size_t lineEnd = text.find('\n', lineStart);
        const std::string line = text.substr(lineStart, lineEnd - lineStart);
        lineStart = lineEnd + 1;
        if (line.size() < 2 || line.front() != '[' || line.back() != ']') continue;
        const auto bag = reread.Instance(line.substr(1, line.size() - 2));
        FUZZ_CHECK(bag.has_value());
        for (const auto& [key, value] : bag->Entries()) {
            (void)bag->ReadProperty(key, std::int32_t{7});
            (void)bag->ReadProperty(key, std::int16_t{7});
            const std::string asText = bag->ReadProperty(key, "default");
            if (const auto unquoted = forms::UnquoteText(value)) {
                FUZZ_CHECK(asText == *unquoted);
                FUZZ_CHECK(forms::UnquoteText(forms::QuoteText(*unquoted)) == *unquoted);
            }
            if (const auto font = forms::ParseFontText(value)) {
                const std::string written = forms::FontText(*font);
                const auto again = forms::ParseFontText(written);
                FUZZ_CHECK(again.has_value() && forms::FontText(*again) == written);
                FUZZ_CHECK(forms::FontText(bag->ReadProperty(key, fallback)) == written);
            }
        }
    }
    return 0;
}
