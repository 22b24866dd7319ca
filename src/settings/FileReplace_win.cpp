// Windows parts of replacing the settings file. Paths are UTF-8 and go to the
// wide functions, which take every path (also one the ANSI code page cannot
// write, and under Wine one longer than MAX_PATH).
#include <windows.h>
#include <io.h>

#include <string>

#include "settings/FileReplace.h"

namespace settingsfile {

namespace {

std::wstring Wide(const std::string& utf8) {
    int n = ::MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
    if (n <= 0) return {};
    std::wstring wide(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, wide.data(), n);
    wide.resize(static_cast<size_t>(n) - 1);
    return wide;
}

}  // namespace

std::FILE* OpenFile(const std::string& path, const char* mode) {
    const std::wstring widePath = Wide(path);
    const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
    return widePath.empty() ? nullptr : ::_wfopen(widePath.c_str(), wideMode.c_str());
}

bool RemoveFile(const std::string& path) {
    return ::DeleteFileW(Wide(path).c_str()) != 0;
}

bool FileExists(const std::string& path) {
    const std::wstring wide = Wide(path);
    return !wide.empty() && ::GetFileAttributesW(wide.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool FlushToDisk(std::FILE* file) {
    return ::_commit(::_fileno(file)) == 0;
}

bool MoveOver(const std::string& from, const std::string& to) {
    return ::MoveFileExW(Wide(from).c_str(), Wide(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) !=
           0;
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
