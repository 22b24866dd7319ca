// Text formats of the preferences kept in the settings file: truth values,
// integers and the column-order text of the two list views. Portable: the
// window code converts between these and its controls.
#pragma once
#include <stdexcept>
#include <string>
#include <vector>

// A stored value that does not have the expected format.
class ConvertError : public std::runtime_error {
public:
    using runtime_error::runtime_error;
};

// "-1" for true, "0" for false.
std::string BoolToStr(bool value);
// A decimal number (true when not zero) or "True"/"False" in any letter case.
bool StrToBool(const std::string& text);

// Decimal integer with an optional sign, within 32 bits.
int StrToInt(const std::string& text);
std::string IntToStr(int value);

// Columns of a list view: order[i] is the designed index of the column shown
// at display position i, widths[c] the width of the column with designed
// index c. Both hold one element per column.
struct ColumnLayout {
    std::vector<int> order;
    std::vector<int> widths;
};

// Reads "c=w,c=w,...": entry i sets widths[i] from w and order[i] from c.
// The text is hand-editable, so a display order that is not a permutation of
// the columns is dropped (the previous order stays), as are negative widths
// and entries beyond the column count.
void ApplyColumnOrderText(const std::string& text, ColumnLayout& layout);
// Writes the layout in the form ApplyColumnOrderText reads.
std::string ColumnOrderText(const ColumnLayout& layout);
// The same, less the columns from `kept` on that still stand in their own
// place at their default width: a list that gained columns writes an older
// file's text back unchanged until the user moves or sizes a new column.
std::string ColumnOrderText(const ColumnLayout& layout, size_t kept, const std::vector<int>& defaultWidths);
// How many entries a column-order text holds.
size_t ColumnOrderEntries(const std::string& text);
