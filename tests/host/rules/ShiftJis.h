// Lead bytes of Shift-JIS (code page 932), the code page the program is made
// for, so the text tests step over two-byte characters as the system does.
#pragma once

inline bool IsShiftJisLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Two characters whose trail byte is 0x5C, the code of "\".
#define SJIS_HYOU "\x95\x5C"  // 表
#define SJIS_SO "\x83\x5C"    // ソ
