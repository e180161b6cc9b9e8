// The property bag of a user control, and the form description that keeps the bags of a form's
// control instances on disk.
//
// A form description is a text file: a "[name]" line starts the saved properties of the control
// instance of that name, then one "key = value" line per property. Blank lines and lines starting
// with ";" or "#" are comments. Keys and instance names are matched without regard to letter case.
// Values: a text in double quotes (\" \\ \n \r \t escaped), a whole number, or a font:
//     font = "MS Sans Serif" size 8.25 weight 400 charset 0
// followed by the words italic, underline or strikethrough for those that are on.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "forms/namespace.h"
#include "platform/font.h"

namespace forms {

class PropertyBag {
public:
    // The saved value of `key` in the kind of the default given, or that default when the key is
    // absent or what is saved under it is not of that kind (or does not fit it).
    std::string ReadProperty(std::string_view key, std::string_view defaultValue) const;
    std::string ReadProperty(std::string_view key, const char* defaultValue) const {
        return ReadProperty(key, std::string_view(defaultValue));
    }
    std::int32_t ReadProperty(std::string_view key, std::int32_t defaultValue) const;
    std::int16_t ReadProperty(std::string_view key, std::int16_t defaultValue) const;
    Font ReadProperty(std::string_view key, const Font& defaultValue) const;

    // Saves the value; a text or number equal to the default given (texts compared with regard to
    // case) is not saved, and any earlier entry of that key goes. A font is always saved.
    void WriteProperty(std::string_view key, std::string_view value, std::string_view defaultValue);
    void WriteProperty(std::string_view key, const char* value, const char* defaultValue) {
        WriteProperty(key, std::string_view(value), std::string_view(defaultValue));
    }
    void WriteProperty(std::string_view key, std::int32_t value, std::int32_t defaultValue);
    void WriteProperty(std::string_view key, const Font& value, const Font& defaultValue);

    // The entries as the file holds them: key as written, and the value's text.
    using Entry = std::pair<std::string, std::string>;
    const std::vector<Entry>& Entries() const { return entries_; }
    // Whether an entry of that key is saved.
    bool Holds(std::string_view key) const { return Find(key) != nullptr; }
    void SetEntry(std::string_view key, std::string valueText);
    void RemoveEntry(std::string_view key);

private:
    const std::string* Find(std::string_view key) const;
    std::vector<Entry> entries_;
};

// The saved control instances of one form, in file order.
class FormDescription {
public:
    // Reads the text of a description. A line that is neither a comment, a section nor a
    // "key = value" is skipped, as is an entry before the first section.
    static FormDescription Parse(std::string_view text);
    std::string Text() const;

    // Reads and writes the file; a file that cannot be read gives an empty description, and Save
    // answers whether the file was written whole.
    static FormDescription Load(const std::string& path);
    bool Save(const std::string& path) const;

    // The bag of a control instance, or nothing when the form holds no saved instance of that name.
    std::optional<PropertyBag> Instance(std::string_view name) const;
    void SetInstance(std::string_view name, PropertyBag bag);

private:
    std::vector<std::pair<std::string, PropertyBag>> instances_;
};

// Value texts as the description holds them.
std::string QuoteText(std::string_view text);
std::optional<std::string> UnquoteText(std::string_view valueText);
std::string FontText(const Font& font);
std::optional<Font> ParseFontText(std::string_view valueText);

}  // namespace forms
