// Paths next to the executable. The executable's own path is UTF-16, as the
// system gives it, so the program runs from a folder of any name. The ANSI
// forms of the path functions scan double-byte aware, since a trailing byte of
// a Shift-JIS character can be 0x5C.
#pragma once
#include <string>

std::wstring ExeFileName();
std::wstring ExtractFilePath(const std::wstring& path);
std::wstring ChangeFileExt(const std::wstring& path, const std::wstring& ext);
// The folder of a path with its trailing separator ("C:\Tools\" of "C:\Tools\a.exe").
std::string ExtractFilePath(const std::string& path);
// The path with the extension of its last component replaced (or added).
std::string ChangeFileExt(const std::string& path, const std::string& ext);
