#include "settings/FileReplace.h"

#include <algorithm>
#include <cerrno>
#include <memory>

namespace settingsfile {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

bool WriteAndClose(FilePtr file, const std::string& bytes) {
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
    ok = ok && std::fflush(file.get()) == 0 && FlushToDisk(file.get());
    return std::fclose(file.release()) == 0 && ok;
}

bool ReadAll(std::FILE* file, std::string& bytes) {
    bytes.clear();
    char buffer[16384];
    size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, count);
    return !std::ferror(file);
}

// Writes bytes over the file from its start and ends the file after them.
bool Overwrite(std::FILE* file, const std::string& bytes) {
    std::clearerr(file);
    return std::fseek(file, 0, SEEK_SET) == 0 &&
           std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() && std::fflush(file) == 0 &&
           SetFileSize(file, bytes.size());
}

// Without a temporary file there is no second copy, so the file is never
// emptied first: it is given room for the larger of its old and new content
// (a full disk or quota fails here, before a byte has changed), then written
// over and cut to the new length. A write that fails all the same puts the
// old content back.
bool WriteInPlace(const std::string& path, const std::string& bytes) {
    FilePtr file(OpenFile(path, "r+b"));
    if (!file) return false;
    std::setvbuf(file.get(), nullptr, _IONBF, 0);  // nothing half-written waits in a buffer
    std::string old;
    if (!ReadAll(file.get(), old)) return false;
    if (!ReserveFileSize(file.get(), std::max(old.size(), bytes.size()))) {
        SetFileSize(file.get(), old.size());
        return false;
    }
    if (!Overwrite(file.get(), bytes)) {
        Overwrite(file.get(), old);
        return false;
    }
    bool flushed = FlushToDisk(file.get());
    return std::fclose(file.release()) == 0 && flushed;
}

}  // namespace

ReadResult ReadWholeFile(const std::string& path, std::string& bytes) {
    errno = 0;
    FilePtr file(OpenFile(path, "rb"));
    if (!file) return errno == ENOENT ? ReadResult::Missing : ReadResult::Failed;
    return ReadAll(file.get(), bytes) ? ReadResult::Ok : ReadResult::Failed;
}

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
    const std::string temp = path + ".tmp";
    FilePtr file(OpenFile(temp, "wb"));
    if (!file) {
        // Refused by the folder only when nothing stands in the way there;
        // something that does (a folder of that name) is a fault to report.
        if (FileExists(temp) || !FileExists(path)) return false;
        return WriteInPlace(path, bytes);
    }
    if (WriteAndClose(std::move(file), bytes) && MoveOver(temp, path)) return true;
    RemoveFile(temp);
    return false;
}

}  // namespace settingsfile
