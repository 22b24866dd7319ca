// The rule list as the settings file keeps it, in the value "RegistWindows":
// one line per rule, ended by CR LF, each line the comma text
//     file name, transparency, tray, topmost, hide icon
// with the truth values written "-1" and "0". An empty list is the empty text.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rules/CodePage.h"

// The values of one rule that the list stores (everything but its icon).
struct StoredRule {
    std::string FileName;    // full path of the executable, system code page
    bool TopMost = false;    // the windows are kept on top (or lose that state)
    bool Tray = false;       // the windows go into the notification area
    int Transparency = 100;  // opacity in percent; 100 is opaque
    bool HideIcon = false;   // their tray entries never show an icon

    bool operator==(const StoredRule&) const = default;
};

// The text split at CR, LF and CR LF; a final line break adds no empty line.
std::vector<std::string_view> SplitLines(std::string_view text);

// One line as a rule, or nothing for a line of fewer than five fields (fields
// beyond the fifth are ignored). A transparency that is not an integer reads
// as 100; a truth value is a number (true when not zero) or True/False in any
// letter case, and any other text throws ConvertError.
std::optional<StoredRule> ReadRuleLine(std::string_view line, LeadByteTest isLeadByte);

// Every line of the text that makes a rule, in order. Throws ConvertError as
// ReadRuleLine does.
std::vector<StoredRule> ReadRegistWindows(std::string_view text, LeadByteTest isLeadByte);

// One rule's line with its CR LF.
std::string RuleLine(const StoredRule& rule, LeadByteTest isLeadByte);

// The rules' lines, in order.
std::string WriteRegistWindows(const std::vector<StoredRule>& rules, LeadByteTest isLeadByte);
