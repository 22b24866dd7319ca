#include "settings/XmlEscape.h"

#include <algorithm>
#include <array>
#include <optional>

namespace {

struct NamedEntity {
    std::string_view name;  // without '&', with ';'
    char byte;
};

constexpr std::array<NamedEntity, 5> kNamedEntities{{
    {"amp;", '&'},
    {"lt;", '<'},
    {"gt;", '>'},
    {"apos;", '\''},
    {"quot;", '"'},
}};

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

int DigitValue(char c, int base) {
    if (c >= '0' && c <= '9') return c - '0';
    if (base == 16 && c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (base == 16 && c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

struct Decoded {
    char byte;
    size_t length;  // bytes of the reference, '&' and ';' included
};

// A numeric reference "&#N;" or "&#xH;" at the start of ref. Only the low eight
// bits of the number are kept, so the value is folded while it is read.
std::optional<Decoded> DecodeNumeric(std::string_view ref) {
    size_t pos = 2;
    int base = 10;
    if (pos < ref.size() && (ref[pos] == 'x' || ref[pos] == 'X')) {
        base = 16;
        ++pos;
    }
    const size_t firstDigit = pos;
    unsigned value = 0;
    bool positive = false;
    for (int d; pos < ref.size() && (d = DigitValue(ref[pos], base)) >= 0; ++pos) {
        value = (value * base + d) & 0xFF;
        positive = positive || d != 0;
    }
    if (pos == firstDigit || !positive || pos >= ref.size() || ref[pos] != ';') return std::nullopt;
    return Decoded{static_cast<char>(value), pos + 1};
}

std::optional<Decoded> DecodeReference(std::string_view ref) {
    if (ref.size() > 1 && ref[1] == '#') return DecodeNumeric(ref);
    for (const NamedEntity& entity : kNamedEntities) {
        if (SameTextAscii(ref.substr(1, entity.name.size()), entity.name))
            return Decoded{entity.byte, entity.name.size() + 1};
    }
    return std::nullopt;
}

}  // namespace

std::string XmlEscape(std::string_view raw) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(raw.size());
    for (const char c : raw) {
        const auto byte = static_cast<unsigned char>(c);
        const auto entity = std::find_if(kNamedEntities.begin(), kNamedEntities.end(),
                                         [c](const NamedEntity& e) { return e.byte == c; });
        if (entity != kNamedEntities.end()) {
            out += '&';
            out += entity->name;
        } else if (byte < 0x80) {
            out += c;
        } else {
            out += "&#x";
            out += kHex[byte >> 4];
            out += kHex[byte & 0x0F];
            out += ';';
        }
    }
    return out;
}

std::string XmlDecode(std::string_view escaped) {
    std::string out;
    out.reserve(escaped.size());
    for (size_t pos = 0; pos < escaped.size();) {
        std::optional<Decoded> decoded;
        if (escaped[pos] == '&') decoded = DecodeReference(escaped.substr(pos));
        if (decoded) {
            out += decoded->byte;
            pos += decoded->length;
        } else {
            out += escaped[pos++];
        }
    }
    return out;
}

bool IsXmlSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view TrimXmlSpace(std::string_view text) {
    while (!text.empty() && IsXmlSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsXmlSpace(text.back())) text.remove_suffix(1);
    return text;
}

bool IsAsciiAlnum(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool SameTextAscii(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    }
    return true;
}
