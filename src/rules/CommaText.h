// One line of comma-separated fields, as the rule list stores it: fields that
// hold a blank, a control character, a quote or a comma are enclosed in double
// quotes with inner quotes doubled. Two-byte characters are stepped over whole,
// so a trail byte never counts as a quote, comma or blank.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "rules/CodePage.h"

// Splits one line (without its line break) into its fields:
// - blanks (codes 1 to 32) before the first field are skipped;
// - a field that starts with a quote runs to the next single quote, a doubled
//   quote standing for one (a missing closing quote takes the rest);
// - a bare field runs to the next comma or blank;
// - blanks after a field are skipped, then one comma with the blanks behind
//   it; a comma that ends the line adds an empty last field;
// - anything else simply starts the next field.
std::vector<std::string> SplitCommaText(std::string_view line, LeadByteTest isLeadByte);

// One field as written: bare, or quoted when it holds a character with code 0
// to 32, a quote or a comma.
std::string CommaField(std::string_view field, LeadByteTest isLeadByte);

// The fields written and joined with single commas.
std::string JoinCommaText(const std::vector<std::string>& fields, LeadByteTest isLeadByte);
