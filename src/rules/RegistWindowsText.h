// The rule list as the settings file keeps it, in the value "RegistWindows":
// one line per rule, ended by CR LF, each line the comma text
//     file name, transparency, tray, topmost, hide icon[, hide on open[, exact file name]]
// with the truth values written "-1" and "0". The sixth field is written only
// when set ("-1") or when a seventh follows, so a rule without them is the
// five fields older versions read; they ignore the fields beyond the fifth.
// The seventh is there only for a path that the system's code page cannot
// write: the first field then holds the path with "?" for each character the
// code page lacks (a name no file can have), and the seventh the path's UTF-8
// bytes, percent-encoded (rules/PercentText.h). An empty list is the empty text.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rules/CodePage.h"

// The values of one rule that the list stores (everything but its icon).
struct StoredRule {
    std::string FileName;    // full path of the executable, system code page
    std::string ExactFileName;  // UTF-8 of that path where the code page lacks a character; else empty
    bool TopMost = false;    // the windows are kept on top (or lose that state)
    bool Tray = false;       // the windows go into the notification area
    int Transparency = 100;  // opacity in percent; 100 is opaque
    bool HideIcon = false;   // their tray entries never show an icon
    bool HideOnOpen = false; // with Tray: a window goes into the tray as soon as it opens

    bool operator==(const StoredRule&) const = default;
};

// The text split at CR, LF and CR LF; a final line break adds no empty line.
std::vector<std::string_view> SplitLines(std::string_view text);

// One line as a rule, or nothing for a line of fewer than five fields (fields
// beyond the sixth are ignored). A transparency that is not an integer reads
// as 100; a truth value is a number (true when not zero) or True/False in any
// letter case, and any other text in the first five throws ConvertError. A
// sixth field that is no truth value reads as unset: older versions wrote
// nothing there, and whatever a file holds there must not stop the program.
// A seventh field that is no percent-encoded text of some non-ASCII bytes
// reads as empty.
std::optional<StoredRule> ReadRuleLine(std::string_view line, LeadByteTest isLeadByte);

// Every line of the text that makes a rule, in order. Throws ConvertError as
// ReadRuleLine does.
std::vector<StoredRule> ReadRegistWindows(std::string_view text, LeadByteTest isLeadByte);

// One rule's line with its CR LF.
std::string RuleLine(const StoredRule& rule, LeadByteTest isLeadByte);

// The rules' lines, in order.
std::string WriteRegistWindows(const std::vector<StoredRule>& rules, LeadByteTest isLeadByte);
