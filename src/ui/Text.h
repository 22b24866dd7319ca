// Text at the interface boundary: the program's own texts are UTF-8 in the
// source and shown through the W functions. Titles and executable paths of
// other programs are read as UTF-16 where they are shown or matched; the
// settings file keeps its text in the ANSI code page.
#pragma once
#include <windows.h>

#include <string>

namespace ui {

std::wstring Widen(const std::string& text, UINT codePage);
inline std::wstring Utf8(const std::string& utf8) {
    return Widen(utf8, CP_UTF8);
}
inline std::wstring FromAnsi(const std::string& ansi) {
    return Widen(ansi, CP_ACP);
}
std::string Narrow(const std::wstring& text, UINT codePage);

// Lower case by the system's locale-aware ANSI rules (two-byte characters stay).
std::string LowerAnsi(std::string ansi);

}  // namespace ui
