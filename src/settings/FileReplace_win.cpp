// Windows parts of replacing the settings file. Paths are ANSI strings.
#include <windows.h>
#include <io.h>

#include <string>

#include "settings/FileReplace.h"

namespace settingsfile {

// Through the wide function, which takes every path the C runtime opens
// (under Wine also paths longer than MAX_PATH, which the ANSI one refuses).
bool FileExists(const std::string& path) {
    int n = ::MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
    if (n <= 0) return false;
    std::wstring wide(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), n);
    return ::GetFileAttributesW(wide.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool FlushToDisk(std::FILE* file) {
    return ::_commit(::_fileno(file)) == 0;
}

bool MoveOver(const std::string& from, const std::string& to) {
    return ::MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

}  // namespace settingsfile
