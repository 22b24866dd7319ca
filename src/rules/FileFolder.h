// The folder part of a file name in the system's code page, where the file
// chooser of the rule editor starts.
#pragma once
#include <string>
#include <string_view>

#include "rules/CodePage.h"

// Everything up to the last "\" or ":", without that "\" unless it ends a root
// ("C:\", "\"); empty when there is no folder part. Two-byte characters count
// whole, so a trail byte 0x5C is not a "\".
//   C:\Tools\x.exe -> C:\Tools     C:\x.exe -> C:\     C:x.exe -> C:     x.exe -> (empty)
std::string FolderOfFile(std::string_view fileName, LeadByteTest isLeadByte);
