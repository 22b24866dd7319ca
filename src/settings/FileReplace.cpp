#include "settings/FileReplace.h"

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

}  // namespace

ReadResult ReadWholeFile(const std::string& path, std::string& bytes) {
    errno = 0;
    FilePtr file(std::fopen(path.c_str(), "rb"));
    if (!file) return errno == ENOENT ? ReadResult::Missing : ReadResult::Failed;
    bytes.clear();
    char buffer[16384];
    size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) bytes.append(buffer, count);
    return std::ferror(file.get()) ? ReadResult::Failed : ReadResult::Ok;
}

bool WriteFileAtomically(const std::string& path, const std::string& bytes) {
    const std::string temp = path + ".tmp";
    FilePtr file(std::fopen(temp.c_str(), "wb"));
    if (!file) return false;
    if (WriteAndClose(std::move(file), bytes) && MoveOver(temp, path)) return true;
    std::remove(temp.c_str());
    return false;
}

}  // namespace settingsfile
