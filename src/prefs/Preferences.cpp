#include "prefs/Preferences.h"

#include <algorithm>
#include <climits>
#include <optional>
#include <string_view>

namespace {

bool IsDigit(char ch) {
    return ch >= '0' && ch <= '9';
}

char Lower(char ch) {
    return (ch >= 'A' && ch <= 'Z') ? static_cast<char>(ch - 'A' + 'a') : ch;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Lower(x) == Lower(y); });
}

void SkipSign(std::string_view& s) {
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) s.remove_prefix(1);
}

// Consumes a run of digits; tells whether any of them is not zero.
size_t SkipDigits(std::string_view& s, bool& nonZero) {
    size_t n = 0;
    while (n < s.size() && IsDigit(s[n])) {
        nonZero = nonZero || s[n] != '0';
        ++n;
    }
    s.remove_prefix(n);
    return n;
}

// A decimal number such as "1", "-0.5", ".5" or "2e3". Returns whether it is
// non-zero, judged on the digits so that no rounding can turn it into zero.
std::optional<bool> ParseDecimalNonZero(std::string_view s) {
    bool nonZero = false;
    SkipSign(s);
    size_t digits = SkipDigits(s, nonZero);
    if (!s.empty() && s.front() == '.') {
        s.remove_prefix(1);
        digits += SkipDigits(s, nonZero);
    }
    if (digits == 0) return std::nullopt;
    if (!s.empty() && (s.front() == 'e' || s.front() == 'E')) {
        s.remove_prefix(1);
        SkipSign(s);
        bool ignored = false;
        if (SkipDigits(s, ignored) == 0) return std::nullopt;
    }
    if (!s.empty()) return std::nullopt;
    return nonZero;
}

std::optional<int> ParseInt(std::string_view s) {
    const bool negative = !s.empty() && s.front() == '-';
    SkipSign(s);
    if (s.empty()) return std::nullopt;
    long long value = 0;
    for (char ch : s) {
        if (!IsDigit(ch)) return std::nullopt;
        value = value * 10 + (ch - '0');
        if (value > -static_cast<long long>(INT_MIN)) return std::nullopt;
    }
    if (negative) value = -value;
    if (value > INT_MAX) return std::nullopt;
    return static_cast<int>(value);
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    if (text.empty()) return parts;
    for (;;) {
        size_t at = text.find(separator);
        parts.push_back(text.substr(0, at));
        if (at == std::string_view::npos) return parts;
        text.remove_prefix(at + 1);
    }
}

bool IsPermutation(const std::vector<int>& order) {
    std::vector<bool> seen(order.size(), false);
    for (int c : order) {
        if (c < 0 || static_cast<size_t>(c) >= order.size() || seen[c]) return false;
        seen[c] = true;
    }
    return true;
}

std::vector<int> Identity(size_t n) {
    std::vector<int> order(n);
    for (size_t i = 0; i < n; ++i) order[i] = static_cast<int>(i);
    return order;
}

}  // namespace

std::string BoolToStr(bool value) {
    return value ? "-1" : "0";
}

bool StrToBool(const std::string& text) {
    if (EqualsIgnoringCase(text, "true")) return true;
    if (EqualsIgnoringCase(text, "false")) return false;
    if (auto nonZero = ParseDecimalNonZero(text)) return *nonZero;
    throw ConvertError("'" + text + "' is not a valid boolean value");
}

int StrToInt(const std::string& text) {
    if (auto value = ParseInt(text)) return *value;
    throw ConvertError("'" + text + "' is not a valid integer value");
}

std::string IntToStr(int value) {
    return std::to_string(value);
}

void ApplyColumnOrderText(const std::string& text, ColumnLayout& layout) {
    const size_t columns = layout.widths.size();
    if (layout.order.size() != columns || !IsPermutation(layout.order)) layout.order = Identity(columns);

    std::vector<int> order = layout.order;
    std::vector<std::string_view> entries = Split(text, ',');
    for (size_t i = 0; i < std::min(entries.size(), columns); ++i) {
        std::string_view entry = entries[i];
        size_t eq = entry.find('=');
        if (eq != std::string_view::npos) {
            std::optional<int> width = ParseInt(entry.substr(eq + 1));
            if (width && *width >= 0) layout.widths[i] = *width;
        }
        order[i] = ParseInt(entry.substr(0, eq)).value_or(0);
    }
    if (IsPermutation(order)) layout.order = std::move(order);
}

std::string ColumnOrderText(const ColumnLayout& layout) {
    std::string text;
    const size_t columns = std::min(layout.order.size(), layout.widths.size());
    for (size_t i = 0; i < columns; ++i) {
        if (i > 0) text += ',';
        text += IntToStr(layout.order[i]) + '=' + IntToStr(layout.widths[i]);
    }
    return text;
}

std::string ColumnOrderText(const ColumnLayout& layout, size_t kept, const std::vector<int>& defaultWidths) {
    ColumnLayout written = layout;
    size_t columns = std::min({written.order.size(), written.widths.size(), defaultWidths.size()});
    auto standsAsDesigned = [&](size_t c) {
        return written.order[c] == static_cast<int>(c) && written.widths[c] == defaultWidths[c];
    };
    while (columns > kept && standsAsDesigned(columns - 1)) --columns;
    written.order.resize(columns);
    written.widths.resize(columns);
    return ColumnOrderText(written);
}

size_t ColumnOrderEntries(const std::string& text) {
    return text.empty() ? 0 : Split(text, ',').size();
}
