#include "rules/PercentText.h"

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

int HexValue(char ch) {
    if (ch >= '0' && ch <= '9') return ch - '0';
    if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
    if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
    return -1;
}

bool KeepsAsIs(unsigned char byte) {
    return byte > ' ' && byte <= '~' && byte != '%';
}

}  // namespace

std::string PercentEncode(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (char ch : bytes) {
        const auto byte = static_cast<unsigned char>(ch);
        if (KeepsAsIs(byte)) {
            text += ch;
        } else {
            text += '%';
            text += kHexDigits[byte >> 4];
            text += kHexDigits[byte & 0xF];
        }
    }
    return text;
}

std::optional<std::string> PercentDecode(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (size_t at = 0; at < text.size(); ++at) {
        if (text[at] != '%') {
            bytes += text[at];
            continue;
        }
        const int high = at + 1 < text.size() ? HexValue(text[at + 1]) : -1;
        const int low = at + 2 < text.size() ? HexValue(text[at + 2]) : -1;
        if (high < 0 || low < 0) return std::nullopt;
        bytes += static_cast<char>(high << 4 | low);
        at += 2;
    }
    return bytes;
}
