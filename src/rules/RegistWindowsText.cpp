#include "rules/RegistWindowsText.h"

#include "prefs/Preferences.h"
#include "rules/CommaText.h"
#include "rules/PercentText.h"

namespace {

enum Field : size_t { kFileName, kTransparency, kTray, kTopMost, kHideIcon, kFieldCount, kHideOnOpen = kFieldCount, kExactFileName };

constexpr int kOpaque = 100;

int ReadTransparency(const std::string& text) {
    try {
        return StrToInt(text);
    } catch (const ConvertError&) {
        return kOpaque;
    }
}

// A path is kept exactly only where the code page lacks one of its
// characters, so its UTF-8 form always has a byte beyond ASCII; a field
// without one is no exact path.
std::string ReadExactFileName(const std::string& text) {
    std::optional<std::string> bytes = PercentDecode(text);
    if (!bytes) return {};
    for (char ch : *bytes)
        if (static_cast<unsigned char>(ch) >= 0x80) return std::move(*bytes);
    return {};
}

bool ReadOptionalTruth(const std::string& text) {
    try {
        return StrToBool(text);
    } catch (const ConvertError&) {
        return false;
    }
}

}  // namespace

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
    }
    return lines;
}

std::optional<StoredRule> ReadRuleLine(std::string_view line, LeadByteTest isLeadByte) {
    const std::vector<std::string> fields = SplitCommaText(line, isLeadByte);
    if (fields.size() < kFieldCount) return std::nullopt;
    StoredRule rule;
    rule.FileName = fields[kFileName];
    rule.Transparency = ReadTransparency(fields[kTransparency]);
    rule.Tray = StrToBool(fields[kTray]);
    rule.TopMost = StrToBool(fields[kTopMost]);
    rule.HideIcon = StrToBool(fields[kHideIcon]);
    rule.HideOnOpen = fields.size() > kHideOnOpen && ReadOptionalTruth(fields[kHideOnOpen]);
    if (fields.size() > kExactFileName) rule.ExactFileName = ReadExactFileName(fields[kExactFileName]);
    return rule;
}

std::vector<StoredRule> ReadRegistWindows(std::string_view text, LeadByteTest isLeadByte) {
    std::vector<StoredRule> rules;
    for (std::string_view line : SplitLines(text)) {
        if (auto rule = ReadRuleLine(line, isLeadByte)) rules.push_back(std::move(*rule));
    }
    return rules;
}

std::string RuleLine(const StoredRule& rule, LeadByteTest isLeadByte) {
    std::vector<std::string> fields(kFieldCount);
    fields[kFileName] = rule.FileName;
    fields[kTransparency] = IntToStr(rule.Transparency);
    fields[kTray] = BoolToStr(rule.Tray);
    fields[kTopMost] = BoolToStr(rule.TopMost);
    fields[kHideIcon] = BoolToStr(rule.HideIcon);
    if (rule.HideOnOpen || !rule.ExactFileName.empty()) fields.push_back(BoolToStr(rule.HideOnOpen));
    if (!rule.ExactFileName.empty()) fields.push_back(PercentEncode(rule.ExactFileName));
    return JoinCommaText(fields, isLeadByte) + "\r\n";
}

std::string WriteRegistWindows(const std::vector<StoredRule>& rules, LeadByteTest isLeadByte) {
    std::string text;
    for (const StoredRule& rule : rules) text += RuleLine(rule, isLeadByte);
    return text;
}
