// Bytes written as printable ASCII: every byte outside "!" to "~", and "%"
// itself, becomes "%" and two upper-case hex digits. The rule list keeps the
// UTF-8 form of a path this way, so the line stays ASCII in a file of any
// code page and no byte of it can be taken for a lead byte.
#pragma once
#include <optional>
#include <string>
#include <string_view>

std::string PercentEncode(std::string_view bytes);

// The bytes back; nothing when a "%" is not followed by two hex digits.
std::optional<std::string> PercentDecode(std::string_view text);
