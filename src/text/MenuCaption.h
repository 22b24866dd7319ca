// Window titles shown as menu items: a menu grows as wide as its widest item,
// so a long title is cut, and it is cut where the reader sees a character end.
// Portable: the text is a sequence of UTF-16 code units (as Windows keeps it;
// the host tests fill wide strings with the same units).
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// How many code units of a title a menu item shows, the ellipsis included.
inline constexpr std::size_t kMenuCaptionMaxChars = 64;

// The title as it is when it fits in maxChars code units; otherwise its
// longest beginning that fits with "…" added, cut neither inside a surrogate
// pair nor between a character and the marks that join it (accents, voicing
// marks, variation selectors, skin tones, the joiner of emoji sequences).
std::wstring CutMenuCaption(std::wstring_view title, std::size_t maxChars = kMenuCaptionMaxChars);
