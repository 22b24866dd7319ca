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

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
    const std::string temp = path + ".tmp";
    FilePtr file(std::fopen(temp.c_str(), "wb"));
    if (!file) {
        // Refused by the folder only when nothing stands in the way there;
        // something that does (a folder of that name) is a fault to report.
        if (FileExists(temp) || !FileExists(path)) return false;
        FilePtr inPlace(std::fopen(path.c_str(), "wb"));
        return inPlace && WriteAndClose(std::move(inPlace), bytes);
    }
    if (WriteAndClose(std::move(file), bytes) && MoveOver(temp, path)) return true;
    std::remove(temp.c_str());
    return false;
}

}  // namespace settingsfile
