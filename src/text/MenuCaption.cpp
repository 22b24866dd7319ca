#include "text/MenuCaption.h"

namespace {

constexpr wchar_t kEllipsis = L'\u2026';
constexpr char32_t kZeroWidthJoiner = 0x200D;

bool IsHighSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Code points drawn together with the character before them. Not the whole
// of Unicode's list: the blocks titles use in practice.
bool JoinsThePrevious(char32_t c) {
    return (c >= 0x0300 && c <= 0x036F) ||    // combining diacritical marks
           (c >= 0x1AB0 && c <= 0x1AFF) ||    // their extension
           (c >= 0x1DC0 && c <= 0x1DFF) ||    // their supplement
           (c >= 0x20D0 && c <= 0x20FF) ||    // marks for symbols
           (c >= 0x3099 && c <= 0x309A) ||    // kana voicing marks
           (c >= 0xFE00 && c <= 0xFE0F) ||    // variation selectors
           (c >= 0xFE20 && c <= 0xFE2F) ||    // half marks
           (c >= 0x1F3FB && c <= 0x1F3FF) ||  // skin tones of emoji
           (c >= 0xE0100 && c <= 0xE01EF) ||  // variation selectors, supplement
           c == kZeroWidthJoiner;
}

// Where the code point that ends just before position `end` begins.
std::size_t StartOfPrevious(std::wstring_view text, std::size_t end) {
    if (end >= 2 && IsLowSurrogate(static_cast<char32_t>(text[end - 1])) &&
        IsHighSurrogate(static_cast<char32_t>(text[end - 2])))
        return end - 2;
    return end - 1;
}

// The code point that begins at position `at`.
char32_t CodePointAt(std::wstring_view text, std::size_t at) {
    const auto unit = static_cast<char32_t>(text[at]);
    if (IsHighSurrogate(unit) && at + 1 < text.size()) {
        const auto next = static_cast<char32_t>(text[at + 1]);
        if (IsLowSurrogate(next)) return 0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00);
    }
    return unit;
}

// Moves a cut back until it lies between two characters a reader sees apart:
// not inside a surrogate pair, not before a joining mark, not after a joiner.
std::size_t CharacterBoundaryAtOrBefore(std::wstring_view text, std::size_t cut) {
    if (cut > 0 && cut < text.size() && IsLowSurrogate(static_cast<char32_t>(text[cut])) &&
        IsHighSurrogate(static_cast<char32_t>(text[cut - 1])))
        --cut;
    while (cut > 0) {
        const std::size_t previous = StartOfPrevious(text, cut);
        if (!JoinsThePrevious(CodePointAt(text, cut)) && CodePointAt(text, previous) != kZeroWidthJoiner)
            break;
        cut = previous;
    }
    return cut;
}

}  // namespace

std::wstring CutMenuCaption(std::wstring_view title, std::size_t maxChars) {
    if (title.size() <= maxChars) return std::wstring(title);
    if (maxChars == 0) return {};
    std::wstring caption(title.substr(0, CharacterBoundaryAtOrBefore(title, maxChars - 1)));
    caption += kEllipsis;
    return caption;
}
