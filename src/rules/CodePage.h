// Stepping through 8-bit text of the system's code page, where a lead byte and
// the byte behind it form one character (Shift-JIS and the other double-byte
// code pages). The lead-byte test is passed in, so the portable text code runs
// with any code page, also on the host.
#pragma once
#include <cstddef>
#include <string_view>

// Tells whether a byte begins a two-byte character.
using LeadByteTest = bool (*)(unsigned char);

// Single-byte code pages.
inline bool NoLeadBytes(unsigned char) {
    return false;
}

// Bytes taken by the character at `at`: two for a lead byte with a byte behind
// it, else one (a lead byte at the very end stands alone).
inline size_t CharLength(std::string_view text, size_t at, LeadByteTest isLeadByte) {
    return isLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size() ? 2 : 1;
}

#ifdef _WIN32
// The system's ANSI code page (IsDBCSLeadByte).
bool IsAnsiLeadByte(unsigned char byte);
#endif
