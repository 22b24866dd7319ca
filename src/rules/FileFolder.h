// The folder part of a file name, where the rule editor's file chooser starts.
#pragma once
#include <string>
#include <string_view>

// Everything up to the last "\" or ":", without that "\" unless it ends a root
// ("C:\", "\"); empty when there is no folder part.
//   C:\Tools\x.exe -> C:\Tools     C:\x.exe -> C:\     C:x.exe -> C:     x.exe -> (empty)
std::wstring FolderOfFile(std::wstring_view fileName);
