// Windows parts of replacing the settings file. Paths are ANSI strings.
#include <windows.h>
#include <io.h>

#include "settings/FileReplace.h"

namespace settingsfile {

bool FileExists(const std::string& path) {
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool FlushToDisk(std::FILE* file) {
    return ::_commit(::_fileno(file)) == 0;
}

bool MoveOver(const std::string& from, const std::string& to) {
    return ::MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

}  // namespace settingsfile
