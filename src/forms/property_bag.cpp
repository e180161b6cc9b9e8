#include "forms/property_bag.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <system_error>

namespace forms {

namespace {

bool SameKey(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
               return lower(x) == lower(y);
           });
}

std::string_view Trim(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

// A whole number, decimal or 0x hexadecimal, with an optional sign.
std::optional<long long> ParseWhole(std::string_view text) {
    text = Trim(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty() || text.size() > 12) return std::nullopt;
    long long value = 0;
    for (char c : text) {
        int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : 99;
        if (digit >= base) return std::nullopt;
        value = value * base + digit;
    }
    return negative ? -value : value;
}

// Points with up to four decimals, written the same in every locale.
std::string SizeText(double size) {
    const long long tenThousandths = std::llround(size * 10000);
    std::string text = std::to_string(tenThousandths / 10000);
    long long fraction = tenThousandths % 10000;
    if (fraction != 0) {
        std::string digits = std::to_string(fraction);
        digits = std::string(4 - digits.size(), '0') + digits;
        while (digits.back() == '0') digits.pop_back();
        text += '.' + digits;
    }
    return text;
}

std::optional<double> ParseSize(std::string_view text) {
    double whole = 0;
    double scale = 0;
    bool any = false;
    for (char c : text) {
        if (c == '.' && scale == 0) {
            scale = 1;
        } else if (c >= '0' && c <= '9') {
            any = true;
            if (scale == 0) {
                whole = whole * 10 + (c - '0');
            } else {
                scale /= 10;
                whole += (c - '0') * scale;
            }
        } else {
            return std::nullopt;
        }
        if (whole > 4096) return std::nullopt;
    }
    // A size is written with four decimals: one that would be written as 0 is none.
    if (!any || std::llround(whole * 10000) <= 0) return std::nullopt;
    return whole;
}

}  // namespace

std::string QuoteText(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default: out += c;
        }
    }
    return out + '"';
}

std::optional<std::string> UnquoteText(std::string_view valueText) {
    valueText = Trim(valueText);
    if (valueText.size() < 2 || valueText.front() != '"' || valueText.back() != '"') return std::nullopt;
    std::string out;
    for (size_t i = 1; i + 1 < valueText.size(); ++i) {
        char c = valueText[i];
        if (c == '"') return std::nullopt;  // a quote inside must be escaped
        if (c == '\\') {
            if (i + 2 >= valueText.size()) return std::nullopt;
            switch (valueText[++i]) {
            case '"': c = '"'; break;
            case '\\': c = '\\'; break;
            case 'n': c = '\n'; break;
            case 'r': c = '\r'; break;
            case 't': c = '\t'; break;
            default: return std::nullopt;
            }
        }
        out += c;
    }
    return out;
}

std::string FontText(const Font& font) {
    std::string text = QuoteText(font.name) + " size " + SizeText(font.size) + " weight " + std::to_string(font.weight) +
                       " charset " + std::to_string(font.charset);
    if (font.italic) text += " italic";
    if (font.underline) text += " underline";
    if (font.strikethrough) text += " strikethrough";
    return text;
}

std::optional<Font> ParseFontText(std::string_view valueText) {
    valueText = Trim(valueText);
    // The face: the quoted text up to its closing quote.
    if (valueText.empty() || valueText.front() != '"') return std::nullopt;
    size_t close = 1;
    while (close < valueText.size() && valueText[close] != '"') close += valueText[close] == '\\' ? 2 : 1;
    if (close >= valueText.size()) return std::nullopt;
    const auto name = UnquoteText(valueText.substr(0, close + 1));
    if (!name) return std::nullopt;
    Font font;
    font.name = *name;
    // The rest: words separated by blanks (no iostreams: they would weigh on the Windows program).
    std::vector<std::string> words;
    {
        const std::string_view rest = valueText.substr(close + 1);
        size_t i = 0;
        while (i < rest.size()) {
            while (i < rest.size() && (rest[i] == ' ' || rest[i] == '\t')) ++i;
            const size_t start = i;
            while (i < rest.size() && rest[i] != ' ' && rest[i] != '\t') ++i;
            if (i > start) words.emplace_back(rest.substr(start, i - start));
        }
    }
    size_t next = 0;
    std::string word;
    while (next < words.size()) {
        word = words[next++];
        if (SameKey(word, "italic")) {
            font.italic = true;
        } else if (SameKey(word, "underline")) {
            font.underline = true;
        } else if (SameKey(word, "strikethrough")) {
            font.strikethrough = true;
        } else {
            if (next >= words.size()) return std::nullopt;
            const std::string number = words[next++];
            if (SameKey(word, "size")) {
                const auto size = ParseSize(number);
                if (!size) return std::nullopt;
                font.size = *size;
            } else if (SameKey(word, "weight") || SameKey(word, "charset")) {
                const auto value = ParseWhole(number);
                if (!value || *value < 0 || *value > 1000) return std::nullopt;
                (SameKey(word, "weight") ? font.weight : font.charset) = static_cast<int>(*value);
            } else {
                return std::nullopt;
            }
        }
    }
    return font;
}

const std::string* PropertyBag::Find(std::string_view key) const {
    for (const Entry& entry : entries_) {
        if (SameKey(entry.first, key)) return &entry.second;
    }
    return nullptr;
}

void PropertyBag::SetEntry(std::string_view key, std::string valueText) {
    for (Entry& entry : entries_) {
        if (SameKey(entry.first, key)) {
            entry.second = std::move(valueText);
            return;
        }
    }
    entries_.emplace_back(std::string(key), std::move(valueText));
}

void PropertyBag::RemoveEntry(std::string_view key) {
    std::erase_if(entries_, [&](const Entry& entry) { return SameKey(entry.first, key); });
}

std::string PropertyBag::ReadProperty(std::string_view key, std::string_view defaultValue) const {
    const std::string* saved = Find(key);
    if (!saved) return std::string(defaultValue);
    // A number saved where a text is read is its text, as a number converts to text.
    if (auto text = UnquoteText(*saved)) return *text;
    if (auto number = ParseWhole(*saved)) return std::to_string(*number);
    return std::string(defaultValue);
}

std::int32_t PropertyBag::ReadProperty(std::string_view key, std::int32_t defaultValue) const {
    const std::string* saved = Find(key);
    if (!saved) return defaultValue;
    const auto number = ParseWhole(*saved);
    // A 32-bit value may be written as its unsigned bit pattern (a colour as 0x8000000F).
    if (!number || *number < std::numeric_limits<std::int32_t>::min() ||
        *number > static_cast<long long>(std::numeric_limits<std::uint32_t>::max())) {
        return defaultValue;
    }
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(*number));
}

std::int16_t PropertyBag::ReadProperty(std::string_view key, std::int16_t defaultValue) const {
    const std::string* saved = Find(key);
    if (!saved) return defaultValue;
    const auto number = ParseWhole(*saved);
    if (!number || *number < std::numeric_limits<std::int16_t>::min() || *number > std::numeric_limits<std::int16_t>::max()) {
        return defaultValue;
    }
    return static_cast<std::int16_t>(*number);
}

Font PropertyBag::ReadProperty(std::string_view key, const Font& defaultValue) const {
    const std::string* saved = Find(key);
    if (!saved) return defaultValue;
    return ParseFontText(*saved).value_or(defaultValue);
}

void PropertyBag::WriteProperty(std::string_view key, std::string_view value, std::string_view defaultValue) {
    if (value == defaultValue) {
        RemoveEntry(key);
    } else {
        SetEntry(key, QuoteText(value));
    }
}

void PropertyBag::WriteProperty(std::string_view key, std::int32_t value, std::int32_t defaultValue) {
    if (value == defaultValue) {
        RemoveEntry(key);
    } else {
        SetEntry(key, std::to_string(value));
    }
}

void PropertyBag::WriteProperty(std::string_view key, const Font& value, const Font&) {
    SetEntry(key, FontText(value));
}

FormDescription FormDescription::Parse(std::string_view text) {
    FormDescription description;
    PropertyBag* current = nullptr;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = Trim(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (line.empty() || line.front() == ';' || line.front() == '#') continue;
        if (line.front() == '[' && line.back() == ']') {
            const std::string name(Trim(line.substr(1, line.size() - 2)));
            description.SetInstance(name, PropertyBag());
            for (auto& [instance, bag] : description.instances_) {
                if (SameKey(instance, name)) current = &bag;
            }
            continue;
        }
        const size_t equals = line.find('=');
        if (!current || equals == std::string_view::npos) continue;
        const std::string_view key = Trim(line.substr(0, equals));
        if (!key.empty()) current->SetEntry(key, std::string(Trim(line.substr(equals + 1))));
    }
    return description;
}

std::string FormDescription::Text() const {
    std::string text;
    for (const auto& [name, bag] : instances_) {
        if (!text.empty()) text += '\n';
        text += '[' + name + "]\n";
        for (const auto& [key, value] : bag.Entries()) text += key + " = " + value + '\n';
    }
    return text;
}

std::optional<PropertyBag> FormDescription::Instance(std::string_view name) const {
    for (const auto& [instance, bag] : instances_) {
        if (SameKey(instance, name)) return bag;
    }
    return std::nullopt;
}

void FormDescription::SetInstance(std::string_view name, PropertyBag bag) {
    for (auto& [instance, saved] : instances_) {
        if (SameKey(instance, name)) {
            saved = std::move(bag);
            return;
        }
    }
    instances_.emplace_back(std::string(name), std::move(bag));
}

}  // namespace forms
