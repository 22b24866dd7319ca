// Paths next to the executable. Paths are ANSI code page text; the scans are
// double-byte aware, since a trailing byte of a Shift-JIS character can be 0x5C.
#pragma once
#include <string>

std::string ExeFileName();
// The folder of a path with its trailing separator ("C:\Tools\" of "C:\Tools\a.exe").
std::string ExtractFilePath(const std::string& path);
// The path with the extension of its last component replaced (or added).
std::string ChangeFileExt(const std::string& path, const std::string& ext);
