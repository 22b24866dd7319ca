// POSIX parts of replacing the settings file (host builds and tests).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "settings/FileReplace.h"

namespace settingsfile {

std::FILE* OpenFile(const std::string& path, const char* mode) {
    return std::fopen(path.c_str(), mode);
}

bool RemoveFile(const std::string& path) {
    return std::remove(path.c_str()) == 0;
}

bool FileExists(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0;
}

bool FlushToDisk(std::FILE* file) {
    return ::fsync(::fileno(file)) == 0;
}

// The new file takes over the old one's permission bits; rename then swaps
// the two in one step.
bool MoveOver(const std::string& from, const std::string& to) {
    struct stat info;
    if (::stat(to.c_str(), &info) == 0 && S_ISREG(info.st_mode)) ::chmod(from.c_str(), info.st_mode & 07777);
    return std::rename(from.c_str(), to.c_str()) == 0;
}

bool SetFileSize(std::FILE* file, std::size_t size) {
    return ::ftruncate(::fileno(file), static_cast<off_t>(size)) == 0;
}

// posix_fallocate allocates the blocks (ftruncate alone would make a sparse
// file whose later writes can still find the disk full) and never shrinks.
bool ReserveFileSize(std::FILE* file, std::size_t size) {
    return size == 0 || ::posix_fallocate(::fileno(file), 0, static_cast<off_t>(size)) == 0;
}

}  // namespace settingsfile
