// Byte-wise escaping and entity decoding of attribute values, text and names.
#pragma once
#include <string>
#include <string_view>

// The five markup characters become their named entities and bytes 0x80 to
// 0xFF become "&#xNN;"; every other byte, CR, LF and TAB included, stays as it is.
std::string XmlEscape(std::string_view raw);

// Replaces the named entities (any letter case) and positive numeric references
// ending in ';' by one byte each; anything else after '&' stays literal text.
std::string XmlDecode(std::string_view escaped);

bool IsXmlSpace(char c);
std::string_view TrimXmlSpace(std::string_view text);
bool IsAsciiAlnum(char c);

// Compares two byte strings, ignoring the letter case of ASCII letters only.
bool SameTextAscii(std::string_view a, std::string_view b);
