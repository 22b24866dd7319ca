#include "rules/CommaText.h"

namespace {

constexpr char kQuote = '"';
constexpr char kComma = ',';

// Codes 1 to 32; code 0 is an ordinary character here.
bool IsBlank(char ch) {
    const auto code = static_cast<unsigned char>(ch);
    return code >= 1 && code <= 32;
}

size_t SkipBlanks(std::string_view line, size_t at) {
    while (at < line.size() && IsBlank(line[at])) ++at;
    return at;
}

// `at` is on the opening quote; returns with `at` behind the closing one.
std::string ReadQuoted(std::string_view line, size_t& at, LeadByteTest isLeadByte) {
    std::string field;
    ++at;
    while (at < line.size()) {
        if (line[at] == kQuote) {
            if (at + 1 < line.size() && line[at + 1] == kQuote) {
                field += kQuote;
                at += 2;
                continue;
            }
            ++at;
            return field;
        }
        const size_t length = CharLength(line, at, isLeadByte);
        field.append(line.substr(at, length));
        at += length;
    }
    return field;
}

std::string ReadBare(std::string_view line, size_t& at, LeadByteTest isLeadByte) {
    const size_t start = at;
    while (at < line.size() && line[at] != kComma && !IsBlank(line[at]))
        at += CharLength(line, at, isLeadByte);
    return std::string(line.substr(start, at - start));
}

bool NeedsQuotes(std::string_view field, LeadByteTest isLeadByte) {
    for (size_t at = 0; at < field.size(); at += CharLength(field, at, isLeadByte)) {
        const char ch = field[at];
        if (static_cast<unsigned char>(ch) <= 32 || ch == kQuote || ch == kComma) return true;
    }
    return false;
}

}  // namespace

std::vector<std::string> SplitCommaText(std::string_view line, LeadByteTest isLeadByte) {
    std::vector<std::string> fields;
    size_t at = SkipBlanks(line, 0);
    while (at < line.size()) {
        fields.push_back(line[at] == kQuote ? ReadQuoted(line, at, isLeadByte)
                                            : ReadBare(line, at, isLeadByte));
        at = SkipBlanks(line, at);
        if (at < line.size() && line[at] == kComma) {
            if (at + 1 == line.size()) fields.emplace_back();
            at = SkipBlanks(line, at + 1);
        }
    }
    return fields;
}

std::string CommaField(std::string_view field, LeadByteTest isLeadByte) {
    if (!NeedsQuotes(field, isLeadByte)) return std::string(field);
    std::string quoted(1, kQuote);
    for (size_t at = 0; at < field.size();) {
        const size_t length = CharLength(field, at, isLeadByte);
        if (length == 1 && field[at] == kQuote) quoted += kQuote;
        quoted.append(field.substr(at, length));
        at += length;
    }
    quoted += kQuote;
    return quoted;
}

std::string JoinCommaText(const std::vector<std::string>& fields, LeadByteTest isLeadByte) {
    std::string line;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) line += kComma;
        line += CommaField(fields[i], isLeadByte);
    }
    return line;
}
