#include "rules/FileFolder.h"

namespace {

bool IsDelimiter(char ch) {
    return ch == '\\' || ch == ':';
}

}  // namespace

std::string FolderOfFile(std::string_view fileName, LeadByteTest isLeadByte) {
    size_t end = 0;  // length of the folder part
    bool previousIsDelimiter = false;
    for (size_t at = 0; at < fileName.size();) {
        const size_t length = CharLength(fileName, at, isLeadByte);
        const bool delimiter = length == 1 && IsDelimiter(fileName[at]);
        if (delimiter) {
            // A "\" behind a name ends the folder; behind ":" or "\" it is a root.
            end = fileName[at] == '\\' && at > 0 && !previousIsDelimiter ? at : at + 1;
        }
        previousIsDelimiter = delimiter;
        at += length;
    }
    return std::string(fileName.substr(0, end));
}
