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

bool SetFileSize(std::FILE* file, std::size_t size) {
    auto handle = reinterpret_cast<HANDLE>(::_get_osfhandle(::_fileno(file)));
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(size);
    return handle != INVALID_HANDLE_VALUE && ::SetFilePointerEx(handle, end, nullptr, FILE_BEGIN) &&
           ::SetEndOfFile(handle);
}

// Extending a file with SetEndOfFile takes its clusters at once (NTFS and FAT
// report a full disk there); a file already as long is left as it is.
bool ReserveFileSize(std::FILE* file, std::size_t size) {
    auto handle = reinterpret_cast<HANDLE>(::_get_osfhandle(::_fileno(file)));
    LARGE_INTEGER current;
    if (handle == INVALID_HANDLE_VALUE || !::GetFileSizeEx(handle, &current)) return false;
    if (static_cast<ULONGLONG>(current.QuadPart) >= size) return true;
    return SetFileSize(file, size);
}

}  // namespace settingsfile
